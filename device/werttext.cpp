#include "device/werttext.h"

#include "device/zemvkr3x.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool IstHexZiffer(char c) {
    return IstZiffer(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int LeerraumUeberspringen(const char* text, int laenge, int i) {
    while (i < laenge && IstLeerraum(text[i]))
        ++i;
    return i;
}

int ZiffernZaehlen(const char* text, int laenge, int i) {
    int n = 0;
    while (i + n < laenge && IstZiffer(text[i + n]))
        ++n;
    return n;
}

} // namespace

bool IstLeerraum(char zeichen) {
    return zeichen == ' ' || zeichen == '\t' || zeichen == '\r' || zeichen == '\n' || zeichen == '\v' ||
           zeichen == '\f';
}

bool ReellLesen(const char* text, int laenge, double* wert) {
    if (!text || laenge <= 0) return false;
    int i = LeerraumUeberspringen(text, laenge, 0);
    const int anfang = i;
    if (i < laenge && (text[i] == '+' || text[i] == '-')) ++i;
    int ziffern = ZiffernZaehlen(text, laenge, i);
    i += ziffern;
    if (i < laenge && text[i] == '.') {
        const int nach = ZiffernZaehlen(text, laenge, i + 1);
        if (ziffern + nach > 0) i += 1 + nach; // a lone point is not part of a number
        ziffern += nach;
    }
    if (ziffern == 0) return false;
    if (i < laenge && (text[i] == 'e' || text[i] == 'E')) {
        int j = i + 1;
        if (j < laenge && (text[j] == '+' || text[j] == '-')) ++j;
        const int exp = ZiffernZaehlen(text, laenge, j);
        if (exp > 0) i = j + exp; // "1e" or "1e+" end the number before the 'e'
    }

    // from_chars takes no '+' sign; the prefix is already checked, so it must consume it all.
    const char* von = text + anfang + (text[anfang] == '+' ? 1 : 0);
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(von, text + i, v);
    if (r.ec != std::errc() || r.ptr != text + i) return false;
    if (wert) *wert = v;
    return true;
}

bool GanzzahlLesen(const char* text, int laenge, int* wert) {
    if (!text || laenge <= 0) return false;
    int i = LeerraumUeberspringen(text, laenge, 0);
    // from_chars takes a '-' but no '+'
    int anfang = i;
    if (i < laenge && text[i] == '+')
        anfang = ++i;
    else if (i < laenge && text[i] == '-')
        ++i;
    const int ziffern = ZiffernZaehlen(text, laenge, i);
    if (ziffern == 0) return false;
    i += ziffern;
    int v = 0;
    const std::from_chars_result r = std::from_chars(text + anfang, text + i, v);
    if (r.ec != std::errc() || r.ptr != text + i) return false;
    if (wert) *wert = v;
    return true;
}

namespace {

// One hexadecimal number at text[i..grenze): [sign] [0x] digits, the longest such prefix.
// Returns the index after it, or -1 when none starts there or its magnitude exceeds 32 bits.
int HexZahl(const char* text, int i, int grenze, uint32_t* wert) {
    bool negativ = false;
    if (i < grenze && (text[i] == '+' || text[i] == '-')) {
        negativ = text[i] == '-';
        ++i;
    }
    if (i + 2 < grenze && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        IstHexZiffer(text[i + 2]))
        i += 2;
    const int anfang = i;
    uint64_t v = 0;
    while (i < grenze && IstHexZiffer(text[i])) {
        v = v * 16 + static_cast<uint64_t>(Hexchar2Int(text[i]));
        if (v > 0xFFFFFFFFu) return -1;
        ++i;
    }
    if (i == anfang) return -1;
    const uint32_t betrag = static_cast<uint32_t>(v);
    *wert = negativ ? 0u - betrag : betrag;
    return i;
}

} // namespace

bool HexLesen(const char* text, int laenge, int* wert) {
    if (!text || laenge <= 0) return false;
    uint32_t v = 0;
    if (HexZahl(text, LeerraumUeberspringen(text, laenge, 0), laenge, &v) < 0) return false;
    if (wert) *wert = static_cast<int>(v);
    return true;
}

bool HexFeldLesen(const char* text, int laenge, int* pos, int breite, uint32_t* wert) {
    if (!text || !pos || breite < 1 || breite > 8 || *pos < 0 || *pos > laenge) return false;
    const int anfang = LeerraumUeberspringen(text, laenge, *pos);
    const int grenze = anfang + breite < laenge ? anfang + breite : laenge;
    uint32_t v = 0;
    const int ende = HexZahl(text, anfang, grenze, &v);
    if (ende < 0) return false;
    if (wert) *wert = v;
    *pos = ende;
    return true;
}

int ReellFormatieren(char* ziel, int groesse, double wert, int nachkomma) {
    if (!ziel || groesse <= 0 || !std::isfinite(wert) || nachkomma < 0 || nachkomma > 17) return -1;
    char puffer[64];
    const std::to_chars_result r =
        std::to_chars(puffer, puffer + sizeof(puffer), wert, std::chars_format::fixed, nachkomma);
    if (r.ec != std::errc()) return -1;
    int n = static_cast<int>(r.ptr - puffer);
    if (n >= static_cast<int>(sizeof(puffer))) return -1;
    puffer[n] = '\0';
    int anfang = 0;
    // "-0" or "-0.000" would be a signed zero on the line; the regulator gets plain zero.
    if (puffer[0] == '-' && std::strspn(puffer + 1, "0.") == static_cast<size_t>(n - 1)) anfang = 1;
    n -= anfang;
    if (n + 1 > groesse) return -1;
    std::memcpy(ziel, puffer + anfang, static_cast<size_t>(n));
    ziel[n] = '\0';
    return n;
}

int GanzzahlFormatieren(char* ziel, int groesse, int wert) {
    if (!ziel || groesse <= 0) return -1;
    char puffer[16];
    const std::to_chars_result r = std::to_chars(puffer, puffer + sizeof(puffer), wert);
    if (r.ec != std::errc()) return -1;
    const int n = static_cast<int>(r.ptr - puffer);
    if (n + 1 > groesse) return -1;
    std::memcpy(ziel, puffer, static_cast<size_t>(n));
    ziel[n] = '\0';
    return n;
}
