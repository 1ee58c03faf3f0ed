// libFuzzer's entry point for one target, chosen at compile time by VKR_FUZZ_ZIEL.
#include "fuzz/ziele.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    return VKR_FUZZ_ZIEL(daten, groesse);
}
