#include "cli/stationsbericht.h"

#include "device/austausch.h"
#include "errors/fehler.h"

#include "cli/befehlszeile.h"

#include <QDateTime>

#include <cstdio>

namespace {

const char* SchrittName(Stationsschritt s) {
    switch (s) {
    case Stationsschritt::Oeffnen:
        return "open";
    case Stationsschritt::Kennung:
        return "identity";
    case Stationsschritt::Sicherung:
        return "backup";
    case Stationsschritt::Schreiben:
        return "write";
    case Stationsschritt::Pruefen:
        return "verify";
    case Stationsschritt::Laden:
        return "load";
    }
    return "?";
}

bool MitProgrammen(Stationsschritt s) {
    return s == Stationsschritt::Schreiben || s == Stationsschritt::Pruefen;
}

const Schrittergebnis* Fehlschlag(const Stationsziel& z) {
    for (const Schrittergebnis& s : z.schritte)
        if (s.code != 0) return &s;
    return nullptr;
}

std::string Meldung(const Schrittergebnis& s, int laden) {
    if (s.code == 0) {
        switch (s.schritt) {
        case Stationsschritt::Schreiben:
            return "programs " + Programmliste(s.saetze) + " written";
        case Stationsschritt::Pruefen:
            return "programs " + Programmliste(s.saetze) + " read back equal";
        case Stationsschritt::Laden:
            return "program " + std::to_string(laden) + " loaded as the working parameters";
        default:
            return s.angabe; // the identity, the backup file
        }
    }
    std::string m = ZEM_Fehlermeldung(s.code);
    if (!s.angabe.empty()) m += ": " + s.angabe;
    return m;
}

struct Unterschied {
    int satz;
    const Feldunterschied* feld;
};

std::vector<Unterschied> Unterschiede(const Stationsziel& z) {
    std::vector<Unterschied> liste;
    if (!z.pruefung) return liste;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(z.pruefung->saetze & SatzBit(n))) continue;
        for (const Feldunterschied& f : z.pruefung->satz[n].felder)
            if (!f.nichtUnterstuetzt) liste.push_back({n, &f});
    }
    return liste;
}

// The report is written by hand, so that its keys keep the order a reader expects (target
// first) and each step fits on one line.

// A JSON string of UTF-8 text: quote, backslash and control characters escaped.
std::string Text(const std::string& utf8) {
    std::string j = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            j += '\\';
            j += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned char>(c));
            j += u;
        } else {
            j += c;
        }
    }
    return j + "\"";
}

std::string Liste(Satzmaske saetze) {
    std::string j = "[";
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if (saetze & SatzBit(n)) j += (j.size() > 1 ? ", " : "") + std::to_string(n);
    return j + "]";
}

std::string Sekunden(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

const char* Wahr(bool b) {
    return b ? "true" : "false";
}

// The identity is 8-bit text from the device, escaped as for the identity field; a verify
// that found differences says how many and where.
std::string Nachricht(const Stationsziel& z, const Schrittergebnis& s, int laden) {
    if (s.schritt == Stationsschritt::Kennung && s.code == 0) return JsonText(s.angabe);
    std::string m = Meldung(s, laden);
    if (s.schritt == Stationsschritt::Pruefen && s.code == PRUEFUNG_ABWEICHUNG) {
        Satzmaske saetze = 0;
        const std::vector<Unterschied> u = Unterschiede(z);
        for (const Unterschied& e : u)
            saetze |= SatzBit(e.satz);
        m += ": " + std::to_string(u.size()) + (u.size() == 1 ? " field differs" : " fields differ") +
             (saetze & (saetze - 1) ? " in programs " : " in program ") + Programmliste(saetze);
    }
    return Text(m);
}

std::string ZielJson(const Stationsziel& z, int laden) {
    std::string j = "    {\n";
    j += "      \"target\": " + Text(z.port) + ",\n";
    j += "      \"address\": \"" + std::string(1, z.adresse) + "\",\n";
    // 8-bit text from the device: bytes from 0x80 as their Latin-1 characters
    j += "      \"identity\": " + (z.kennung.empty() ? std::string("null") : JsonText(z.kennung)) + ",\n";
    j += std::string("      \"ok\": ") + Wahr(z.erfolgreich) + ",\n";
    j += "      \"steps\": [";
    bool pruefungFehlgeschlagen = false;
    for (size_t i = 0; i < z.schritte.size(); ++i) {
        const Schrittergebnis& s = z.schritte[i];
        j += std::string(i ? "," : "") + "\n        {\"step\": \"" + SchrittName(s.schritt) +
             "\", \"code\": " + std::to_string(s.code) + ", \"message\": " + Nachricht(z, s, laden);
        if (MitProgrammen(s.schritt)) j += ", \"programs\": " + Liste(s.saetze);
        j += "}";
        pruefungFehlgeschlagen =
            pruefungFehlgeschlagen || (s.schritt == Stationsschritt::Pruefen && s.code != 0);
    }
    j += z.schritte.empty() ? "],\n" : "\n      ],\n";
    if (pruefungFehlgeschlagen) {
        const std::vector<Unterschied> unterschiede = Unterschiede(z);
        j += "      \"differences\": [";
        for (size_t i = 0; i < unterschiede.size(); ++i) {
            const Feldunterschied& f = *unterschiede[i].feld;
            j += std::string(i ? "," : "") +
                 "\n        {\"program\": " + std::to_string(unterschiede[i].satz) +
                 ", \"name\": " + Text(f.name) + ", \"written\": " + Text(f.panelwert) +
                 ", \"device\": " + Text(f.geraetewert) +
                 ", \"neededInCurve\": " + Wahr(f.kurve == Kurvenbezug::Benoetigt) + "}";
        }
        j += unterschiede.empty() ? "],\n" : "\n      ],\n";
    }
    j += "      \"seconds\": " + Sekunden(z.sekunden) + "\n    }";
    return j;
}

// Local time with its offset from UTC, e.g. 2024-05-01T14:32:05+02:00.
std::string Ortszeit(std::time_t zeit) {
    const QDateTime lokal = QDateTime::fromSecsSinceEpoch(zeit);
    return lokal.toOffsetFromUtc(lokal.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

} // namespace

std::string Zielname(const Stationsziel& z) {
    return z.port + ":" + z.adresse;
}

std::string Programmliste(Satzmaske saetze) {
    std::string text;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(saetze & SatzBit(n))) continue;
        int bis = n;
        while (bis + 1 < PARAMETERSAETZE && (saetze & SatzBit(bis + 1)))
            ++bis;
        if (!text.empty()) text += ", ";
        text += std::to_string(n);
        if (bis > n) text += (bis == n + 1 ? ", " : "-") + std::to_string(bis);
        n = bis;
    }
    return text.empty() ? "none" : text;
}

std::string Stationszeile(const Stationsziel& z, int breite) {
    const Schrittergebnis* f = Fehlschlag(z);
    const bool gestoppt = f && f->code == AUSTAUSCH_GESTOPPT;
    char kopf[160];
    std::snprintf(kopf, sizeof kopf, "%-*s  %-26s  %-7s %7.1f s", breite, Zielname(z).c_str(),
                  z.kennung.empty() ? "-" : z.kennung.c_str(),
                  !f         ? "ok"
                  : gestoppt ? "STOPPED"
                             : "FAILED",
                  z.sekunden);
    std::string zeile = kopf;
    if (!f) return zeile;
    zeile += "  " + std::string(SchrittName(f->schritt)) + ": " + Meldung(*f, 0) + " (" +
             std::to_string(-static_cast<long long>(f->code)) + ")";
    if (MitProgrammen(f->schritt) && f->saetze != 0)
        zeile += std::string(f->schritt == Stationsschritt::Schreiben ? "; written: " : "; equal: ") +
                 Programmliste(f->saetze);
    const std::vector<Unterschied> u =
        f->schritt == Stationsschritt::Pruefen ? Unterschiede(z) : std::vector<Unterschied>{};
    if (!u.empty()) {
        zeile += "; program " + std::to_string(u[0].satz) + " " + u[0].feld->name + " written " +
                 u[0].feld->panelwert + ", device " + u[0].feld->geraetewert;
        if (u.size() > 1) zeile += " (" + std::to_string(u.size() - 1) + " more in the report)";
    }
    return zeile;
}

std::string StationsberichtJson(const Stationslauf& lauf, const std::vector<Stationsziel>& ziele) {
    bool alle = !lauf.gestoppt;
    for (const Stationsziel& z : ziele)
        alle = alle && z.erfolgreich;
    std::string j = "{\n";
    j += "  \"file\": " + Text(lauf.datei) + ",\n";
    j += "  \"programs\": " + Liste(lauf.programme) + ",\n";
    j += "  \"load\": " + (lauf.laden > 0 ? std::to_string(lauf.laden) : std::string("null")) + ",\n";
    j += "  \"backup\": " +
         (lauf.sicherungsordner.empty() ? std::string("null") : Text(lauf.sicherungsordner)) + ",\n";
    j += "  \"started\": " + Text(Ortszeit(lauf.beginn)) + ",\n";
    j += "  \"seconds\": " + Sekunden(lauf.sekunden) + ",\n";
    j += std::string("  \"ok\": ") + Wahr(alle) + ",\n";
    j += std::string("  \"stopped\": ") + Wahr(lauf.gestoppt) + ",\n";
    j += "  \"targets\": [";
    for (size_t i = 0; i < ziele.size(); ++i)
        j += std::string(i ? ",\n" : "\n") + ZielJson(ziele[i], lauf.laden);
    j += ziele.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return j;
}
