// The INI reader and Ini_GetInt. Two kinds of input, chosen by byte 0:
// - even: the rest is a whole file; every settings item is fetched, and each integer found must
//   survive Ini_PutInt, Ini_WriteToFile and a new read unchanged;
// - odd: the rest is the value text of one item "port = <text>" in a settings file, and the
//   result must be what the value grammar says (blank: 0; optional white space, one sign
//   directly before the digits, digits, white space, within 32 bits: 1; else -5021).

#include "fuzz/arbeitsdatei.h"
#include "fuzz/pruefen.h"
#include "fuzz/ziele.h"
#include "storage/ini_store.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* SEKTION = "VKR3AX2";
const char* const kTags[] = {"port", "lport", "adresse", "baudrate", "sprache"};

// Result of Ini_GetInt on a fresh read of the file at pfad.
int Holen(const char* pfad, const char* tag, long* wert) {
    IniStore s = Ini_New(1);
    FUZZ_PRUEFEN(s != nullptr, "no store");
    const int gelesen = Ini_ReadFromFile(s, pfad);
    FUZZ_PRUEFEN(gelesen == 0, "reading an existing file gave %d", gelesen);
    const int r = Ini_GetInt(s, SEKTION, tag, wert);
    Ini_Dispose(s);
    return r;
}

void RundreisePruefen(const char* tag, long wert) {
    const std::string pfad = Arbeitsdatei() + ".ini";
    IniStore s = Ini_New(1);
    FUZZ_PRUEFEN(Ini_PutInt(s, SEKTION, tag, wert) == 0, "put %s", tag);
    const int geschrieben = Ini_WriteToFile(s, pfad.c_str());
    Ini_Dispose(s);
    FUZZ_PRUEFEN(geschrieben == 0, "writing %s = %ld gave %d", tag, wert, geschrieben);
    long zurueck = 0;
    FUZZ_PRUEFEN(Holen(pfad.c_str(), tag, &zurueck) == 1 && zurueck == wert, "%s = %ld read back as %ld", tag,
                 wert, zurueck);
}

std::string Getrimmt(const std::string& s) {
    size_t a = 0, e = s.size();
    while (a < e && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (e > a && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(a, e - a);
}

// What Ini_GetInt must return for an item line "port = <text>", and the value.
int ErwartetFuer(const std::string& text, long* wert) {
    std::string v = Getrimmt(text);
    if (v.size() > 1 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    v = Getrimmt(v);
    if (v.empty()) return 0;
    const size_t ziffer = (v[0] == '+' || v[0] == '-') ? 1 : 0;
    if (ziffer >= v.size() || !std::isdigit(static_cast<unsigned char>(v[ziffer]))) return -5021;
    for (size_t i = ziffer; i < v.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(v[i]))) return -5021;
    errno = 0;
    const long long z = std::strtoll(v.c_str(), nullptr, 10);
    if (errno == ERANGE || z < INT_MIN || z > INT_MAX) return -5021;
    *wert = static_cast<long>(z);
    return 1;
}

void WertPruefen(const uint8_t* daten, size_t groesse) {
    // Characters that end a line would end the item; a line is cut at 255 characters.
    std::string text;
    for (size_t i = 0; i < groesse && text.size() < 200; ++i)
        if (daten[i] != '\r' && daten[i] != '\n' && daten[i] != '\0') text += static_cast<char>(daten[i]);
    const std::string datei = std::string("[VKR3AX2]\r\nport = ") + text + "\r\n";
    ArbeitsdateiSchreiben(reinterpret_cast<const uint8_t*>(datei.data()), datei.size());
    long erwartet = -1, wert = -1;
    const int soll = ErwartetFuer(text, &erwartet);
    const int ist = Holen(Arbeitsdatei().c_str(), "port", &wert);
    FUZZ_PRUEFEN(ist == soll && (soll != 1 || wert == erwartet), "\"%s\" gave %d (%ld), expected %d (%ld)",
                 Sichtbar(text.data(), (int)text.size()).c_str(), ist, wert, soll, erwartet);
    if (soll != 1)
        FUZZ_PRUEFEN(wert == -1, "\"%s\": failure stored", Sichtbar(text.data(), (int)text.size()).c_str());
}

void DateiPruefen(const uint8_t* daten, size_t groesse) {
    ArbeitsdateiSchreiben(daten, groesse);
    for (const char* tag : kTags) {
        long wert = LONG_MIN;
        const int r = Holen(Arbeitsdatei().c_str(), tag, &wert);
        FUZZ_PRUEFEN(r == 1 || r == 0 || r == -5021, "%s gave %d", tag, r);
        if (r != 1) {
            FUZZ_PRUEFEN(wert == LONG_MIN, "%s: result %d stored %ld", tag, r, wert);
            continue;
        }
        FUZZ_PRUEFEN(wert >= INT_MIN && wert <= INT_MAX, "%s = %ld", tag, wert);
        RundreisePruefen(tag, wert);
    }
}

} // namespace

int Fuzz_IniGetInt(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) return 0;
    if (daten[0] & 1)
        WertPruefen(daten + 1, groesse - 1);
    else
        DateiPruefen(daten + 1, groesse - 1);
    return 0;
}
