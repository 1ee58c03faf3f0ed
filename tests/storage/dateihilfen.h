#pragma once
// Whole-file helpers of the storage tests.

#include <QDir>
#include <QStringList>

#include <fstream>
#include <iterator>
#include <string>

inline std::string DateiInhalt(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void DateiSchreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

// Names of the files in a directory, sorted.
inline QStringList Dateinamen(const QString& verzeichnis) {
    return QDir(verzeichnis).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}
