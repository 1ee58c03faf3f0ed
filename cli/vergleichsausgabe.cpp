#include "cli/vergleichsausgabe.h"

#include "errors/fehler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

std::string SatzName(int n) {
    return n == 0 ? "working   " : "program " + std::to_string(n) + (n < 10 ? " " : "");
}

const char* StatusName(Satzstatus s) {
    switch (s) {
    case Satzstatus::Gleich:
        return "equal";
    case Satzstatus::Abweichend:
        return "different";
    case Satzstatus::NichtGelesen:
        break;
    }
    return "not read";
}

QJsonValue Kurve(Kurvenbezug k) {
    switch (k) {
    case Kurvenbezug::Benoetigt:
        return true;
    case Kurvenbezug::NichtBenoetigt:
        return false;
    case Kurvenbezug::OhneMarke:
        break;
    }
    return QJsonValue::Null;
}

} // namespace

void UnterschiedeDrucken(const Vergleich& v, const char* soll) {
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(v.saetze & SatzBit(n))) continue;
        const Satzvergleich& s = v.satz[n];
        if (s.status == Satzstatus::NichtGelesen && s.code != 0) {
            const std::string meldung = ZEM_Fehlermeldung(s.code);
            std::printf("%s not read: %s (%d)\n", SatzName(n).c_str(), meldung.c_str(), -s.code);
            continue;
        }
        for (const Feldunterschied& f : s.felder) {
            if (f.nichtUnterstuetzt)
                std::printf("%s %s: not supported by the regulator (%s %s)\n", SatzName(n).c_str(),
                            f.name.c_str(), soll, f.panelwert.c_str());
            else
                std::printf("%s %s: %s %s, device %s%s\n", SatzName(n).c_str(), f.name.c_str(), soll,
                            f.panelwert.c_str(), f.geraetewert.c_str(),
                            f.kurve == Kurvenbezug::Benoetigt ? " (needed in the curve)" : "");
        }
    }
}

std::string VergleichAlsJson(const Vergleich& v) {
    QJsonArray saetze;
    bool gleich = v.code == 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(v.saetze & SatzBit(n))) continue;
        const Satzvergleich& s = v.satz[n];
        gleich = gleich && s.status == Satzstatus::Gleich;
        QJsonObject satz{{"set", n}, {"status", StatusName(s.status)}};
        if (s.code != 0) satz["code"] = s.code;
        QJsonArray felder;
        for (const Feldunterschied& f : s.felder)
            felder.append(QJsonObject{{"name", QString::fromStdString(f.name)},
                                      {"file", QString::fromStdString(f.panelwert)},
                                      {"device", f.nichtUnterstuetzt
                                                     ? QJsonValue(QJsonValue::Null)
                                                     : QJsonValue(QString::fromStdString(f.geraetewert))},
                                      {"neededInCurve", Kurve(f.kurve)},
                                      {"unsupported", f.nichtUnterstuetzt}});
        if (!felder.isEmpty()) satz["fields"] = felder;
        saetze.append(satz);
    }
    const QJsonObject wurzel{{"equal", gleich}, {"address", QString(QChar(v.adresse))}, {"sets", saetze}};
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented).toStdString();
}
