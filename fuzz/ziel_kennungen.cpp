// Identity, seed and sibling status answers.
//
// Seed and status are scanned as C's sscanf scans "%8x%8x%8x%6x" and "%c%c%c%c%c%2x%c", so
// glibc's sscanf is their reference on every line without an 'x' (glibc takes a "0x" prefix
// even where no digit follows it inside the field, which the regulator's scanner does not).

#include "device/antwort.h"
#include "device/werttext.h"
#include "device/zemvkr3x.h"
#include "fuzz/antwortzeile.h"
#include "fuzz/pruefen.h"
#include "fuzz/ziele.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int ZEILE_BYTES = 29;
constexpr int SEED_ZEILE_BYTES = 49;
constexpr int STATUS_ZEILE_BYTES = 14;

bool OhneX(const Antwortzeile& z) {
    return !std::strchr(z.text, 'x') && !std::strchr(z.text, 'X');
}

} // namespace

// Byte 0: the address and whether "#" and the address are put in front of the rest.
int Fuzz_Identitaet(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) return 0;
    const char adresse = static_cast<char>('1' + daten[0] % 8);
    const char kopf[2] = {'#', adresse};
    const Antwortzeile zeile = (daten[0] & 0x80) ? ZeileMitKopf(kopf, 2, daten + 1, groesse - 1, ZEILE_BYTES)
                                                 : ZeileAusBytes(daten + 1, groesse - 1, ZEILE_BYTES);
    char text[ZEMVKR3X_ID_BYTES];
    std::memset(text, 0x7F, sizeof text);
    const int code = IdentitaetAuswerten(zeile, adresse, text);
    const std::string sichtbar = Sichtbar(zeile.text, zeile.laenge);
    FUZZ_PRUEFEN(code == 0 || code == -404015, "\"%s\" gave %d", sichtbar.c_str(), code);
    if (code != 0) {
        FUZZ_PRUEFEN(text[0] == 0x7F, "\"%s\": failure wrote the text", sichtbar.c_str());
        return 0;
    }
    // A non-empty text without white space; spaces in the line carry no meaning.
    const int n = static_cast<int>(strnlen(text, sizeof text));
    FUZZ_PRUEFEN(n >= 1 && n < ZEMVKR3X_ID_BYTES, "\"%s\": text of %d bytes", sichtbar.c_str(), n);
    for (int i = 0; i < n; ++i)
        FUZZ_PRUEFEN(!IstLeerraum(text[i]), "\"%s\" gave \"%s\"", sichtbar.c_str(),
                     Sichtbar(text, n).c_str());
    char wieder[64];
    std::snprintf(wieder, sizeof wieder, "#%c%s\r", adresse, text);
    char zurueck[ZEMVKR3X_ID_BYTES];
    FUZZ_PRUEFEN(IdentitaetAuswerten(ZeileAusText(wieder), adresse, zurueck) == 0 &&
                     std::strcmp(zurueck, text) == 0,
                 "\"%s\" does not read back", Sichtbar(text, n).c_str());
    return 0;
}

// Byte 0: the address (shifted by 64 in the echo) and whether the echo is put in front.
int Fuzz_Seed(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) return 0;
    const char kopf[5] = {'#', static_cast<char>('1' + daten[0] % 8 + 64), 'S', '0', 'R'};
    const Antwortzeile zeile = (daten[0] & 0x80)
                                   ? ZeileMitKopf(kopf, 5, daten + 1, groesse - 1, SEED_ZEILE_BYTES)
                                   : ZeileAusBytes(daten + 1, groesse - 1, SEED_ZEILE_BYTES);
    uint64_t seed = 0x5EED5EED5EED5EEDull;
    const int code = SeedAntwortAuswerten(kopf, zeile, &seed);
    const std::string sichtbar = Sichtbar(zeile.text, zeile.laenge);
    FUZZ_PRUEFEN(code == 0 || code == -404104 || code == -404109, "\"%s\" gave %d", sichtbar.c_str(), code);
    const bool echoGut = zeile.laenge >= 5 && std::memcmp(zeile.text, kopf, 5) == 0;
    FUZZ_PRUEFEN((code == -404104) == !echoGut, "\"%s\" gave %d", sichtbar.c_str(), code);
    if (code != 0) FUZZ_PRUEFEN(seed == 0x5EED5EED5EED5EEDull, "\"%s\": failure stored", sichtbar.c_str());
    if (echoGut && OhneX(zeile)) {
        unsigned g[4] = {0, 0, 0, 0};
        const bool vier = std::sscanf(zeile.text + 5, "%8x%8x%8x%6x", &g[0], &g[1], &g[2], &g[3]) == 4;
        FUZZ_PRUEFEN(vier == (code == 0), "\"%s\" gave %d", sichtbar.c_str(), code);
        const uint64_t erwartet = ((static_cast<uint64_t>(g[0]) << 32) + g[1]) ^
                                  ((static_cast<uint64_t>(g[2]) << 32) + static_cast<uint32_t>(g[3] << 8));
        if (vier)
            FUZZ_PRUEFEN(seed == erwartet, "\"%s\" gave %016llX", sichtbar.c_str(), (unsigned long long)seed);
    }
    if (code != 0) return 0;
    char wieder[64];
    std::snprintf(wieder, sizeof wieder, "%.5s%08X%08X%08X%06X\r", kopf, static_cast<unsigned>(seed >> 32),
                  static_cast<unsigned>(seed & 0xFFFFFFFFu), 0u, 0u);
    uint64_t zurueck = 0;
    FUZZ_PRUEFEN(SeedAntwortAuswerten(kopf, ZeileAusText(wieder), &zurueck) == 0 && zurueck == seed,
                 "seed %016llX does not read back", (unsigned long long)seed);
    return 0;
}

// Byte 0: the address (one of the fifteen), byte 1: the type and whether the head is put in front.
int Fuzz_Status(const uint8_t* daten, size_t groesse) {
    if (groesse < 2) return 0;
    static const char kAdressen[] = "123456789abcdef";
    const char adresse = kAdressen[daten[0] % 15];
    const int typ = 1 + (daten[1] & 1);
    const char kopf[5] = {'#', adresse, 'S', static_cast<char>('0' + typ), 'R'};
    const Antwortzeile zeile = (daten[1] & 0x80)
                                   ? ZeileMitKopf(kopf, 5, daten + 2, groesse - 2, STATUS_ZEILE_BYTES)
                                   : ZeileAusBytes(daten + 2, groesse - 2, STATUS_ZEILE_BYTES);
    int status = -77;
    const int code = StatusAntwortAuswerten(zeile, adresse, typ, &status);
    const std::string sichtbar = Sichtbar(zeile.text, zeile.laenge);
    const int typFalsch = typ == 1 ? -404121 : -404122;
    FUZZ_PRUEFEN(code == 0 || code == -404120 || code == typFalsch, "\"%s\" gave %d", sichtbar.c_str(), code);
    if (code != 0) FUZZ_PRUEFEN(status == -77, "\"%s\": failure stored", sichtbar.c_str());
    if (OhneX(zeile)) {
        char c[6] = {0, 0, 0, 0, 0, 0};
        unsigned wert = 0;
        const int n =
            std::sscanf(zeile.text, "%c%c%c%c%c%2x%c", &c[0], &c[1], &c[2], &c[3], &c[4], &wert, &c[5]);
        // The status is a byte: a signed field scans to a number outside it.
        const bool form = n == 7 && c[0] == '#' && c[1] == adresse && c[2] == 'S' && c[4] == 'R' &&
                          c[5] == '\r' && wert <= 0xFF;
        const int erwartet = !form ? -404120 : c[3] != kopf[3] ? typFalsch : 0;
        FUZZ_PRUEFEN(code == erwartet, "\"%s\" gave %d, expected %d", sichtbar.c_str(), code, erwartet);
        if (code == 0)
            FUZZ_PRUEFEN(status == static_cast<int>(wert), "\"%s\" gave %d", sichtbar.c_str(), status);
    }
    if (code != 0) return 0;
    FUZZ_PRUEFEN(status >= 0 && status <= 255, "\"%s\" gave %d", sichtbar.c_str(), status);
    char wieder[16];
    std::snprintf(wieder, sizeof wieder, "%.5s%02X\r", kopf, static_cast<unsigned>(status));
    int zurueck = -1;
    FUZZ_PRUEFEN(StatusAntwortAuswerten(ZeileAusText(wieder), adresse, typ, &zurueck) == 0 &&
                     zurueck == status,
                 "status %d does not read back", status);
    return 0;
}
