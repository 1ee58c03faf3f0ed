#pragma once
// What a reader finds in a PDF: its text as pdftotext (poppler-utils) lays it out, and the
// lines of one titled block of it.

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

inline std::string Ausgabe(const char* programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programm << " failed (poppler-utils installed? bash tools/deps.sh)";
        return {};
    }
    return p.readAllStandardOutput().toStdString();
}

inline std::string PdfText(const QString& pdf) {
    return Ausgabe("pdftotext", {"-layout", pdf, "-"});
}

inline std::string Getrimmt(const std::string& zeile) {
    const size_t a = zeile.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : zeile.substr(a);
}

// The lines from the one that starts with titel (not followed by a digit) up to the next line that
// starts with one of the set names, the signature line or the end.
inline std::string Block(const std::string& text, const std::string& titel) {
    std::istringstream ein(text);
    std::string zeile, block;
    bool drin = false;
    while (std::getline(ein, zeile)) {
        const std::string t = Getrimmt(zeile);
        const bool kopf = t.rfind("Programm", 0) == 0 || t.rfind("Program", 0) == 0 ||
                          t.rfind("Arbeitsparameter", 0) == 0 || t.rfind("Working parameters", 0) == 0 ||
                          t.rfind("Eingestellt", 0) == 0 || t.rfind("Set and checked", 0) == 0;
        if (drin && kopf) break;
        if (t.rfind(titel, 0) == 0 &&
            (t.size() == titel.size() || !std::isdigit(static_cast<unsigned char>(t[titel.size()]))))
            drin = true;
        if (drin) block += zeile + "\n";
    }
    return block;
}
