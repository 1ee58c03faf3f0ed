// The program-file loader. A file is taken over only when it has all 6440 bytes, the header text
// and version 1; then the seventeen records are its bytes and the selection its index (the
// working set for an index no set has), and writing the sets gives the file back. Any other
// file leaves every set and the selection as they were.

#include "app/globals.h"
#include "fuzz/arbeitsdatei.h"
#include "fuzz/pruefen.h"
#include "fuzz/ziele.h"
#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <cstring>

namespace {

int32_t Int32Bei(const uint8_t* daten, int offset) {
    int32_t wert;
    std::memcpy(&wert, daten + offset, sizeof wert);
    return wert;
}

int Erwartet(const uint8_t* daten, size_t groesse) {
    if (groesse < PROGRAMMDATEI_BYTES) return PROGRAMMDATEI_ZU_KURZ;
    static const char kopf[32] = "ZEMVKR3X Programme";
    if (std::memcmp(daten, kopf, 19) != 0) return PROGRAMMDATEI_FALSCHER_TYP;
    if (Int32Bei(daten, PROGRAMMDATEI_VERSION_OFFSET) != 1) return PROGRAMMDATEI_FALSCHE_VERSION;
    return 0;
}

// The image of the sets equals the file except for what the loader does not keep: the bytes
// after the header text, the reserved fields and an index no set has.
void AbbildPruefen(const uint8_t* daten) {
    const Programmabbild abbild = ProgrammabbildErstellen();
    FUZZ_PRUEFEN(std::memcmp(abbild.data(), daten, 19) == 0, "header");
    FUZZ_PRUEFEN(std::memcmp(abbild.data() + PROGRAMMDATEI_SAETZE_OFFSET, daten + PROGRAMMDATEI_SAETZE_OFFSET,
                             sizeof gPar) == 0,
                 "records");
    const int32_t index = Int32Bei(daten, PROGRAMMDATEI_INDEX_OFFSET);
    const int32_t soll = index >= 0 && index < PARAMETERSAETZE ? index : 0;
    FUZZ_PRUEFEN(gParIndex == soll && Int32Bei(abbild.data(), PROGRAMMDATEI_INDEX_OFFSET) == soll,
                 "index %d selected %d", index, gParIndex);
}

} // namespace

int Fuzz_Programmdatei(const uint8_t* daten, size_t groesse) {
    // A model the file must either replace entirely or leave alone.
    static unsigned runde = 0;
    ++runde;
    unsigned char vorher[sizeof gPar];
    for (size_t i = 0; i < sizeof vorher; ++i)
        vorher[i] = static_cast<unsigned char>(i * 31 + runde);
    std::memcpy(gPar, vorher, sizeof gPar);
    const int indexVorher = static_cast<int>(runde % PARAMETERSAETZE);
    gParIndex = indexVorher;

    ArbeitsdateiSchreiben(daten, groesse);
    const int code = ProgrammdateiLesen(Arbeitsdatei().c_str());
    const int soll = Erwartet(daten, groesse);
    FUZZ_PRUEFEN(code == soll, "a file of %zu bytes gave %d, expected %d", groesse, code, soll);
    if (code != 0) {
        FUZZ_PRUEFEN(std::memcmp(gPar, vorher, sizeof gPar) == 0 && gParIndex == indexVorher,
                     "failure %d changed the sets", code);
        return 0;
    }
    AbbildPruefen(daten);
    return 0;
}
