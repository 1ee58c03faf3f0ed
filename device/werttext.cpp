#include "device/werttext.h"

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

bool NurLeerraum(const char* text, int laenge) {
    return LeerraumUeberspringen(text, laenge, 0) >= laenge;
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
        ziffern += nach;
        i += 1 + nach;
    }
    if (ziffern == 0) return false;
    if (i < laenge && (text[i] == 'e' || text[i] == 'E')) {
        int j = i + 1;
        if (j < laenge && (text[j] == '+' || text[j] == '-')) ++j;
        const int exp = ZiffernZaehlen(text, laenge, j);
        if (exp == 0) return false;
        i = j + exp;
    }
    if (!NurLeerraum(text + i, laenge - i)) return false;

    // from_chars takes no '+' sign; the syntax is already checked, so it must consume it all.
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
    if (!NurLeerraum(text + i, laenge - i)) return false;
    int v = 0;
    const std::from_chars_result r = std::from_chars(text + anfang, text + i, v);
    if (r.ec != std::errc() || r.ptr != text + i) return false;
    if (wert) *wert = v;
    return true;
}

bool HexLesen(const char* text, int laenge, int* wert) {
    if (!text || laenge <= 0) return false;
    const int anfang = LeerraumUeberspringen(text, laenge, 0);
    int i = anfang;
    while (i < laenge && IstHexZiffer(text[i]))
        ++i;
    if (i == anfang || !NurLeerraum(text + i, laenge - i)) return false;
    uint32_t v = 0;
    const std::from_chars_result r = std::from_chars(text + anfang, text + i, v, 16);
    if (r.ec != std::errc() || r.ptr != text + i) return false;
    if (wert) *wert = static_cast<int>(v);
    return true;
}

bool HexFeldLesen(const char* text, int laenge, int* pos, int breite, uint32_t* wert) {
    if (!text || !pos || breite < 1 || breite > 8 || *pos < 0) return false;
    const int anfang = *pos;
    int i = anfang;
    while (i < laenge && i - anfang < breite && IstHexZiffer(text[i]))
        ++i;
    if (i == anfang) return false;
    uint32_t v = 0;
    std::from_chars(text + anfang, text + i, v, 16);
    if (wert) *wert = v;
    *pos = i;
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
