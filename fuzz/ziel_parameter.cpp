// Parameter read answers: "#", address, code, "R", value text, CR, for every readable row.
//
// The conversions follow C's "%d", "%x" and "%f" with stated exceptions (see werttext.h), so the
// C library's strtol, strtoul and strtod are the reference here: a value text converts exactly
// when the reference finds a number in range, and to the same value. A converted value written
// back as text must read back as itself.

#include "device/antwort.h"
#include "device/werttext.h"
#include "fuzz/antwortzeile.h"
#include "fuzz/pruefen.h"
#include "fuzz/ziele.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int ZEILE_BYTES = 29;
constexpr int ECHO_FALSCH = -404104;
constexpr int GERAET_MELDET_FEHLER = -409000;

const std::vector<const ParameterZeile*>& LesbareZeilen() {
    static const std::vector<const ParameterZeile*> zeilen = [] {
        std::vector<const ParameterZeile*> v;
        int anzahl = 0;
        const ParameterZeile* t = ParameterTabelle(&anzahl);
        for (int i = 0; i < anzahl; ++i)
            if (t[i].zugriff & ZUGRIFF_LESEN) v.push_back(&t[i]);
        return v;
    }();
    return zeilen;
}

int Wertcode(Werttyp typ) {
    return typ == Werttyp::Reell ? -404105 : typ == Werttyp::Ganzzahl ? -404106 : -404109;
}

// What the reference makes of the value text: whether it converts, and to what.
struct Erwartung {
    bool gueltig = false;
    double reell = 0.0;
    int ganzzahl = 0;
};

const char* NachLeerraum(const char* t) {
    while (IstLeerraum(*t))
        ++t;
    return t;
}

Erwartung GanzzahlReferenz(const char* t) {
    char* ende = nullptr;
    errno = 0;
    const long v = std::strtol(t, &ende, 10);
    if (ende == t || errno == ERANGE || v < INT_MIN || v > INT_MAX) return {};
    return {true, 0.0, static_cast<int>(v)};
}

// Magnitude at most 32 bits, negated in 32 bits for a minus sign.
Erwartung HexReferenz(const char* t) {
    const char* zahl = NachLeerraum(t);
    const bool negativ = *zahl == '-';
    char* ende = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(t, &ende, 16);
    if (ende == t || errno == ERANGE) return {};
    const unsigned long betrag = negativ ? 0UL - v : v;
    if (betrag > 0xFFFFFFFFUL) return {};
    const uint32_t bits = negativ ? 0u - static_cast<uint32_t>(betrag) : static_cast<uint32_t>(betrag);
    return {true, 0.0, static_cast<int>(bits)};
}

// strtod also reads "inf", "nan" and hexadecimal floats, which the regulator's texts never are:
// those give no number, and "0x..." only its leading zero.
Erwartung ReellReferenz(const char* t) {
    const char* zahl = NachLeerraum(t);
    const bool vorzeichen = *zahl == '+' || *zahl == '-';
    const char* rest = zahl + (vorzeichen ? 1 : 0);
    if (*rest == 'i' || *rest == 'I' || *rest == 'n' || *rest == 'N') return {};
    if (rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) return {true, *zahl == '-' ? -0.0 : 0.0, 0};
    char* ende = nullptr;
    errno = 0;
    const double v = std::strtod(t, &ende);
    if (ende == t) return {};
    if (errno == ERANGE && (v == 0.0 || std::isinf(v))) return {}; // beyond the range of double
    return {true, v, 0};
}

bool GleichBitweise(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The line "<kopf><text>\r" must convert back to the same value.
void RundreisePruefen(const ParameterZeile& z, const char* kopf, const char* text, double reell,
                      int ganzzahl) {
    char zeile[80];
    std::snprintf(zeile, sizeof zeile, "%.5s%.40s\r", kopf, text);
    double r = 0.0;
    int g = 0;
    const int code = ParameterAntwortAuswerten(z, kopf, ZeileAusText(zeile), &r, &g);
    FUZZ_PRUEFEN(code == 0, "%s: \"%s\" gave %d", z.name, Sichtbar(zeile, (int)std::strlen(zeile)).c_str(),
                 code);
    if (z.typ == Werttyp::Reell)
        FUZZ_PRUEFEN(GleichBitweise(r, reell), "%s: %s read back as %.17g", z.name, text, r);
    else
        FUZZ_PRUEFEN(g == ganzzahl, "%s: %s read back as %d", z.name, text, g);
}

void WertPruefen(const ParameterZeile& z, const char* kopf, const Antwortzeile& zeile, int code, double reell,
                 int ganzzahl) {
    const char* text = zeile.text + 5;
    const Erwartung e = z.typ == Werttyp::Reell      ? ReellReferenz(text)
                        : z.typ == Werttyp::Ganzzahl ? GanzzahlReferenz(text)
                                                     : HexReferenz(text);
    const std::string sichtbar = Sichtbar(zeile.text, zeile.laenge);
    FUZZ_PRUEFEN(code == (e.gueltig ? 0 : Wertcode(z.typ)), "%s: \"%s\" gave %d", z.name, sichtbar.c_str(),
                 code);
    if (code != 0) return;
    char wert[64];
    if (z.typ == Werttyp::Reell) {
        FUZZ_PRUEFEN(GleichBitweise(reell, e.reell), "%s: \"%s\" gave %.17g, expected %.17g", z.name,
                     sichtbar.c_str(), reell, e.reell);
        *std::to_chars(wert, wert + sizeof wert - 1, reell).ptr = '\0'; // shortest exact text
    } else {
        FUZZ_PRUEFEN(ganzzahl == e.ganzzahl, "%s: \"%s\" gave %d, expected %d", z.name, sichtbar.c_str(),
                     ganzzahl, e.ganzzahl);
        if (z.typ == Werttyp::Hex)
            std::snprintf(wert, sizeof wert, "%X", static_cast<unsigned>(ganzzahl));
        else
            GanzzahlFormatieren(wert, sizeof wert, ganzzahl);
    }
    RundreisePruefen(z, kopf, wert, reell, ganzzahl);
}

} // namespace

// Byte 0 chooses the row, byte 1 the address and whether the echo is put in front of the rest.
int Fuzz_ParameterAntwort(const uint8_t* daten, size_t groesse) {
    if (groesse < 2) return 0;
    const auto& zeilen = LesbareZeilen();
    const ParameterZeile& z = *zeilen[daten[0] % zeilen.size()];
    const char kopf[5] = {'#', static_cast<char>('1' + daten[1] % 8), z.code[0], z.code[1], 'R'};
    const Antwortzeile zeile = (daten[1] & 0x80) ? ZeileMitKopf(kopf, 5, daten + 2, groesse - 2, ZEILE_BYTES)
                                                 : ZeileAusBytes(daten + 2, groesse - 2, ZEILE_BYTES);

    // The pointer that does not apply to the row's kind is never written.
    const double reellVorher = -1234.5;
    const int ganzVorher = -4711;
    double reell = reellVorher;
    int ganzzahl = ganzVorher;
    const int code = ParameterAntwortAuswerten(z, kopf, zeile, &reell, &ganzzahl);
    FUZZ_PRUEFEN(z.typ == Werttyp::Reell ? ganzzahl == ganzVorher : GleichBitweise(reell, reellVorher),
                 "%s wrote the pointer of the other kind", z.name);
    if (code != 0) {
        FUZZ_PRUEFEN(GleichBitweise(reell, reellVorher) && ganzzahl == ganzVorher, "%s: failure %d stored",
                     z.name, code);
    }

    const bool echoGut = zeile.laenge >= 5 && std::memcmp(zeile.text, kopf, 5) == 0;
    if (!echoGut) {
        FUZZ_PRUEFEN(code == ECHO_FALSCH, "%s: wrong echo gave %d", z.name, code);
    } else if (zeile.laenge >= 9 && std::memcmp(zeile.text + 5, "err\r", 4) == 0) {
        FUZZ_PRUEFEN(code == GERAET_MELDET_FEHLER, "%s: err line gave %d", z.name, code);
    } else {
        WertPruefen(z, kopf, zeile, code, reell, ganzzahl);
    }
    return 0;
}
