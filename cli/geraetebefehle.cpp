// Commands that talk to one regulator: identity, scan, single parameters, program load and
// store, the device functions.

#include "cli/befehlszeile.h"

#include "device/parametertabelle.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/geraetefunktionen.h"
#include "ops/programmsaetze.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const QCommandLineOption kJson("json", "Print JSON instead of name=value lines.");

const QCommandLineOption kScanJson("json",
                                   "Print JSON. Identities are 8-bit text: bytes from 0x80 are written as\n"
                                   "the Latin-1 characters \\u0080..\\u00ff, control bytes escaped.");

void JsonOption(QCommandLineParser& parser) {
    parser.addOption(kJson);
}
void ScanOptionen(QCommandLineParser& parser) {
    parser.addOption(kScanJson);
}

// Runs op after connecting; reports its failure. Nothing is printed on success.
int Ausfuehren(const QCommandLineParser& parser, int (*op)()) {
    if (const int e = Verbinden(parser)) return e;
    const int r = op();
    Trennen();
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

int Id(const QCommandLineParser& parser, const QStringList&) {
    if (const int e = Verbinden(parser)) return e;
    char kennung[ZEMVKR3X_ID_BYTES] = "";
    const int r = gCom.portOffen == -1 ? KEIN_PORT_OFFEN_KENNUNG
                                       : ZEMVKR3X_IDLesen(gCom.portOffen, gCom.adresse, kennung);
    Trennen();
    if (r != 0) return FehlerMelden(r);
    std::printf("%s\n", kennung);
    return EXIT_ERFOLG;
}

int Scan(const QCommandLineParser& parser, const QStringList&) {
    if (const int e = Verbinden(parser)) return e;
    if (gCom.portOffen == -1) return FehlerMelden(KEIN_PORT_OFFEN);
    const bool json = parser.isSet(kScanJson);
    if (json) std::printf("[");
    for (char adresse = '1'; adresse <= '8'; ++adresse) {
        char kennung[ZEMVKR3X_ID_BYTES] = "";
        const bool antwort = ZEMVKR3X_IDLesen(gCom.portOffen, adresse, kennung) == 0;
        if (json)
            std::printf("%s{\"address\": \"%c\", \"identity\": %s}", adresse == '1' ? "" : ", ", adresse,
                        antwort ? JsonText(kennung).c_str() : "null");
        else
            std::printf("%c %s\n", adresse, antwort ? kennung : "-");
        AusgabeAbgeben(); // each address as it is answered
    }
    if (json) std::printf("]\n");
    Trennen();
    return EXIT_ERFOLG;
}

std::string WertText(Werttyp typ, double wert, int ganzzahl) {
    if (typ == Werttyp::Reell) return ZahlText(wert);
    if (typ == Werttyp::Hex) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(ganzzahl));
        return text;
    }
    return std::to_string(ganzzahl);
}

int Get(const QCommandLineParser& parser, const QStringList& namen) {
    if (const int e = Verbinden(parser)) return e;
    const bool json = parser.isSet(kJson);
    std::string ausgabe = json ? "{" : "";
    int r = gCom.portOffen == -1 ? KEIN_PORT_OFFEN : 0;
    for (int i = 0; r == 0 && i < namen.size(); ++i) {
        const std::string name = namen[i].toStdString();
        double wert = 0.0;
        int ganzzahl = 0;
        r = ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name.c_str(), &wert, &ganzzahl, nullptr);
        if (r != 0) break;
        const std::string text = WertText(ParameterSuchen(name.c_str(), ZUGRIFF_LESEN)->typ, wert, ganzzahl);
        const bool hex = text.starts_with("0x");
        if (json)
            ausgabe += (i ? ", \"" : "\"") + name + "\": " + (hex ? "\"" + text + "\"" : text);
        else
            ausgabe += name + "=" + text + "\n";
    }
    Trennen();
    if (r != 0) return FehlerMelden(r);
    std::printf("%s%s", ausgabe.c_str(), json ? "}\n" : "");
    return EXIT_ERFOLG;
}

int Set(const QCommandLineParser& parser, const QStringList& argumente) {
    const std::string name = argumente[0].toStdString();
    const ParameterZeile* zeile = ParameterSuchen(name.c_str(), ZUGRIFF_SCHREIBEN);
    bool ok = false;
    const double wert = argumente[1].toDouble(&ok);
    int ganzzahl = 0;
    if (zeile && zeile->typ != Werttyp::Reell)
        ok = GanzzahlAus(argumente[1], INT32_MIN, INT32_MAX, &ganzzahl);
    if (!ok) return BedienfehlerMelden("'" + argumente[1] + "' is not a value for " + argumente[0]);
    if (const int e = Verbinden(parser)) return e;
    // Unknown names and values out of range are refused by the driver before anything is sent.
    const int r = gCom.portOffen == -1 ? KEIN_PORT_OFFEN
                                       : ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse,
                                                                     name.c_str(), wert, ganzzahl, 0);
    Trennen();
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

int Programmbefehl(const QCommandLineParser& parser, const QString& text, int (*op)(int)) {
    int n = 0;
    // The regulator's range check (1..16) answers for numbers; only text is refused here.
    if (!GanzzahlAus(text, INT32_MIN, INT32_MAX, &n))
        return BedienfehlerMelden("'" + text + "' is not a program number");
    if (const int e = Verbinden(parser)) return e;
    const int r = op(n);
    Trennen();
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

int ProgrammLaden(const QCommandLineParser& p, const QStringList& a) {
    return Programmbefehl(p, a[0], ProgrammLadenNummer);
}
int ProgrammSpeichern(const QCommandLineParser& p, const QStringList& a) {
    return Programmbefehl(p, a[0], ProgrammSpeichernNummer);
}
int Start(const QCommandLineParser& p, const QStringList&) {
    return Ausfuehren(p, Vkr3Starten);
}
int Stop(const QCommandLineParser& p, const QStringList&) {
    return Ausfuehren(p, Vkr3Stoppen);
}
int FehlerLoeschen(const QCommandLineParser& p, const QStringList&) {
    return Ausfuehren(p, Vkr3FehlerLoeschen);
}
int Kalibrieren(const QCommandLineParser& p, const QStringList&) {
    return Ausfuehren(p, Vkr3Kalibrieren);
}
int Stromumschaltung(const QCommandLineParser& p, const QStringList&) {
    return Ausfuehren(p, Vkr3STK9Stromumschaltung);
}

} // namespace

const Befehl kGeraetebefehle[] = {
    {"id", "", "Read the regulator's identity.", true, 0, 0, nullptr, Id},
    {"scan", "", "Ask addresses 1..8 for their identity; '-' is silence.", true, 0, 0, ScanOptionen, Scan},
    {"get", "NAME...", "Read parameters, one name=value line each.", true, 1, 64, JsonOption, Get},
    {"set", "NAME VALUE", "Write one parameter; its range is checked first.", true, 2, 2, nullptr, Set},
    {"load-program", "N", "The regulator loads program N (1..16) as its working parameters.", true, 1, 1,
     nullptr, ProgrammLaden},
    {"store-program", "N", "The regulator stores its working parameters as program N.", true, 1, 1, nullptr,
     ProgrammSpeichern},
    {"start", "", "Start the output.", true, 0, 0, nullptr, Start},
    {"stop", "", "Stop the output.", true, 0, 0, nullptr, Stop},
    {"clear-errors", "", "Clear the regulator's errors.", true, 0, 0, nullptr, FehlerLoeschen},
    {"calibrate", "", "Start a calibration.", true, 0, 0, nullptr, Kalibrieren},
    {"switch-current", "", "Switch between current 1 and current 2 (curve 9).", true, 0, 0, nullptr,
     Stromumschaltung},
    {"status", "",
     "Actual current and voltage, status word with its texts, active current, compatibility mode.", true, 0,
     0, StatusOptionen, StatusBefehl},
    {"ports", "", "List the serial devices and the device each COM number opens (bindings included).", false,
     0, 0, nullptr, PortsBefehl},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
