#include "fuzz/ziele.h"

const FuzzZiel* FuzzZiele(int* anzahl) {
    static const FuzzZiel kZiele[] = {
        {"parameter_antwort", Fuzz_ParameterAntwort},
        {"identitaet", Fuzz_Identitaet},
        {"seed", Fuzz_Seed},
        {"status", Fuzz_Status},
        {"ini_getint", Fuzz_IniGetInt},
        {"programmdatei", Fuzz_Programmdatei},
    };
    *anzahl = static_cast<int>(sizeof kZiele / sizeof kZiele[0]);
    return kZiele;
}
