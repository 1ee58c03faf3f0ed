// Parameter write and read: one name of the parameter table per frame.
#include "device/antwort.h"
#include "device/austausch.h"
#include "device/mitschnitt.h"
#include "device/parametertabelle.h"
#include "device/werttext.h"
#include "device/zemvkr3x.h"

#include <cstring>

namespace {

constexpr int ZEILE_BYTES = 29; // longest answer line, CR included

const Befehlscodes kSchreibCodes = {-112048, -101049, -101050, -402051, -405052, -403053, -404054, 0};
const Befehlscodes kLeseCodes = {-112096, -101097, -114098, -402099, -405100, -403101, -404102, -404103};
constexpr int ECHO_FALSCH = -404104;
constexpr int GERAET_MELDET_FEHLER = -409000;
constexpr int WERT_FALSCH_REELL = -404105;
constexpr int WERT_FALSCH_GANZZAHL = -404106;
constexpr int WERT_FALSCH_HEX = -404109;
constexpr int AUSSERHALB = -500034;

bool IstGeraeteadresse(char a) {
    return a >= '1' && a <= '8';
}

// "#", address, code, operation, value text, CR into rahmen (RAHMEN_BYTES). Returns the length,
// or -1 when the value is outside the row's range.
int SchreibRahmen(const ParameterZeile& z, char adresse, double wert, int ganzzahl, char* rahmen) {
    char text[RAHMEN_BYTES];
    int n = -1;
    if (z.typ == Werttyp::Ganzzahl) {
        if (!(z.min <= ganzzahl && ganzzahl <= z.max)) return -1;
        n = GanzzahlFormatieren(text, sizeof(text), ganzzahl);
    } else {
        if (!(z.min <= wert && wert <= z.max)) return -1; // a NaN fails here too
        n = ReellFormatieren(text, sizeof(text), wert, z.nachkomma);
    }
    if (n < 0 || n + 7 > RAHMEN_BYTES) return -1;
    rahmen[0] = '#';
    rahmen[1] = adresse;
    rahmen[2] = z.code[0];
    rahmen[3] = z.code[1];
    rahmen[4] = z.operation;
    std::memcpy(rahmen + 5, text, static_cast<size_t>(n));
    rahmen[5 + n] = '\r';
    rahmen[6 + n] = '\0';
    return n + 6;
}

// The value text after the echoed head, converted by the row's answer kind.
int WertAuswerten(const ParameterZeile& z, const Antwortzeile& zeile, double* wert, int* ganzzahl) {
    const char* text = zeile.text + 5;
    const int laenge = zeile.laenge - 5;
    switch (z.typ) {
    case Werttyp::Reell: {
        double v = 0.0;
        if (!ReellLesen(text, laenge, &v)) return WERT_FALSCH_REELL;
        if (wert) *wert = v;
        return 0;
    }
    case Werttyp::Ganzzahl: {
        int v = 0;
        if (!GanzzahlLesen(text, laenge, &v)) return WERT_FALSCH_GANZZAHL;
        if (ganzzahl) *ganzzahl = v;
        return 0;
    }
    case Werttyp::Hex: {
        int v = 0;
        if (!HexLesen(text, laenge, &v)) return WERT_FALSCH_HEX;
        if (ganzzahl) *ganzzahl = v;
        return 0;
    }
    }
    return WERT_FALSCH_REELL;
}

} // namespace

int ZEMVKR3X_ParameterSchreiben(int port, char adresse, const char* name, double wert, int ganzzahl,
                                int /*unbenutzt*/) {
    if (!IstGeraeteadresse(adresse) && adresse != '&') return -400033;
    const ParameterZeile* z = ParameterSuchen(name, ZUGRIFF_SCHREIBEN);
    if (!z) return -401046;
    char rahmen[RAHMEN_BYTES];
    const int laenge = SchreibRahmen(*z, adresse, wert, ganzzahl, rahmen);
    if (laenge < 0) return AUSSERHALB;
    return Austausch(port, rahmen, laenge, adresse == '&', kSchreibCodes, nullptr, 0);
}

int ZEMVKR3X_ParameterLesen(int port, char adresse, const char* name, double* wert, int* ganzzahl,
                            char* /*text*/) {
    if (!IstGeraeteadresse(adresse)) return -400055;
    const ParameterZeile* z = ParameterSuchen(name, ZUGRIFF_LESEN);
    if (!z) return -401095;
    const char rahmen[] = {'#', adresse, z->code[0], z->code[1], 'R', '\r'};
    Antwortzeile zeile;
    const int fehler = Austausch(port, rahmen, 6, false, kLeseCodes, &zeile, ZEILE_BYTES);
    if (fehler != 0) return fehler;
    const int geprueft = ParameterAntwortAuswerten(*z, rahmen, zeile, wert, ganzzahl);
    MitschnittAuswertung(geprueft);
    return geprueft;
}

int ParameterAntwortAuswerten(const ParameterZeile& z, const char kopf[5], const Antwortzeile& zeile,
                              double* wert, int* ganzzahl) {
    if (zeile.laenge < 5 || std::memcmp(zeile.text, kopf, 5) != 0) return ECHO_FALSCH;
    if (zeile.laenge >= 9 && std::memcmp(zeile.text + 5, "err\r", 4) == 0) return GERAET_MELDET_FEHLER;
    return WertAuswerten(z, zeile, wert, ganzzahl);
}
