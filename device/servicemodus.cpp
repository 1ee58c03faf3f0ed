// Service-mode commands (seed and keys) and the status read of the sibling regulator model.
#include "device/antwort.h"
#include "device/austausch.h"
#include "device/mitschnitt.h"
#include "device/parametertabelle.h"
#include "device/werttext.h"
#include "device/zemvkr3x.h"

#include <cstring>

namespace {

// The service-mode commands share their codes with the parameter write and read.
const Befehlscodes kSchreibCodes = {-112048, -101049, -101050, -402051, -405052, -403053, -404054, 0};
const Befehlscodes kLeseCodes = {-112096, -101097, -114098, -402099, -405100, -403101, -404102, -404103};
constexpr int SEED_ZEILE_BYTES = 49;
constexpr int SERVICE_VERSATZ = 64; // service frames carry the address shifted by this

const Befehlscodes kStatusCodes = {0, -101113, -114114, -402115, -405116, -403117, -404118, -404119};
constexpr int STATUS_ZEILE_BYTES = 14;

bool IstGeraeteadresse(char a) {
    return a >= '1' && a <= '8';
}

// Seed text: 30 hex digits in fields of 8, 8, 8 and 6 (g1..g4), scanned like "%8x%8x%8x%6x":
// each field skips white space and may end early at a character that cannot continue its
// number; text after the fourth field is ignored. The seed is
// ((g1 << 32) + g2) XOR ((g3 << 32) + (g4 << 8)). False when the four numbers are not all found.
bool SeedZerlegen(const char* text, int laenge, uint64_t* seed) {
    static const int kBreiten[4] = {8, 8, 8, 6};
    uint32_t g[4] = {0, 0, 0, 0};
    int pos = 0;
    for (int i = 0; i < 4; ++i)
        if (!HexFeldLesen(text, laenge, &pos, kBreiten[i], &g[i])) return false;
    const uint64_t a = (static_cast<uint64_t>(g[0]) << 32) + g[1];
    const uint64_t b = (static_cast<uint64_t>(g[2]) << 32) + (static_cast<uint64_t>(g[3] & 0xFFFFFFu) << 8);
    *seed = a ^ b;
    return true;
}

} // namespace

int ZEMVKR3X_KalibrierParameterSchreiben(int port, char adresse, const char* name, double /*wert*/,
                                         int ganzzahl, int /*unbenutzt*/) {
    if (!IstGeraeteadresse(adresse) && adresse != '&') return -400033;
    const char geschoben = static_cast<char>(adresse + SERVICE_VERSATZ);
    const ServiceZeile* z = ServiceBefehlSuchen(name);
    if (!z) return -401046;
    if (z->mitBereich && (ganzzahl < z->min || ganzzahl > z->max)) return -500034;

    char rahmen[RAHMEN_BYTES] = {'#', geschoben, z->code[0], z->code[1], z->operation};
    const int n = GanzzahlFormatieren(rahmen + 5, RAHMEN_BYTES - 6, ganzzahl);
    if (n < 0) return -500034;
    rahmen[5 + n] = '\r';
    rahmen[6 + n] = '\0';
    return Austausch(port, rahmen, n + 6, adresse == '&', kSchreibCodes, nullptr, 0);
}

int ZEMVKR3X_KalibrierParameterLesen(int port, char adresse, const char* name, double* /*wert*/,
                                     int* /*ganzzahl*/, uint64_t* seed, char* /*text*/) {
    if (!IstGeraeteadresse(adresse)) return -400055;
    const char geschoben = static_cast<char>(adresse + SERVICE_VERSATZ);
    if (!name || std::strcmp(name, "seed") != 0) return -401095;
    const char rahmen[] = {'#', geschoben, 'S', '0', 'R', '\r'};
    Antwortzeile zeile;
    const int fehler = Austausch(port, rahmen, 6, false, kLeseCodes, &zeile, SEED_ZEILE_BYTES);
    if (fehler != 0) return fehler;
    const int geprueft = SeedAntwortAuswerten(rahmen, zeile, seed);
    MitschnittAuswertung(geprueft);
    return geprueft;
}

int SeedAntwortAuswerten(const char kopf[5], const Antwortzeile& zeile, uint64_t* seed) {
    if (zeile.laenge < 5 || std::memcmp(zeile.text, kopf, 5) != 0) return -404104;
    uint64_t wert = 0;
    if (!SeedZerlegen(zeile.text + 5, zeile.laenge - 5, &wert)) return -404109;
    if (seed) *seed = wert;
    return 0;
}

int ZEMPLW1_StatusLesen(int port, char adresse, int typ, int* status) {
    const bool adresseGut = (adresse >= '1' && adresse <= '9') || (adresse >= 'a' && adresse <= 'f');
    if (!adresseGut) return -400110;
    if (typ != 1 && typ != 2) return -401111;
    const char ziffer = typ == 1 ? '1' : '2';
    const char rahmen[] = {'#', adresse, 'S', ziffer, 'R', '\r'};
    Antwortzeile zeile;
    const int fehler = Austausch(port, rahmen, 6, false, kStatusCodes, &zeile, STATUS_ZEILE_BYTES);
    if (fehler != 0) return fehler;
    const int geprueft = StatusAntwortAuswerten(zeile, adresse, typ, status);
    MitschnittAuswertung(geprueft);
    return geprueft;
}

int StatusAntwortAuswerten(const Antwortzeile& zeile, char adresse, int typ, int* status) {
    const char ziffer = typ == 1 ? '1' : '2';
    // Seven items: '#', address, 'S', type digit, 'R', a hex field of at most two characters
    // (after white space, as any scanned number), CR. A signed field ("-5") scans to a number
    // outside the status byte and is no status.
    int pos = 5;
    uint32_t wert = 0;
    const bool sieben =
        zeile.laenge >= 5 && HexFeldLesen(zeile.text, zeile.laenge, &pos, 2, &wert) && pos < zeile.laenge;
    if (!sieben || wert > 0xFF || zeile.text[0] != '#' || zeile.text[1] != adresse || zeile.text[2] != 'S' ||
        zeile.text[4] != 'R' || zeile.text[pos] != '\r')
        return -404120;
    if (zeile.text[3] != ziffer) return typ == 1 ? -404121 : -404122;
    if (status) *status = static_cast<int>(wert);
    return 0;
}
