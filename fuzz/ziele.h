#pragma once
// Fuzz targets: each takes arbitrary bytes, feeds them to one parser of untrusted input through
// the product's own function and checks what that parser promises. A broken promise ends the
// process (see FUZZ_PRUEFEN); the return value is always 0, as libFuzzer wants it.
//
// The same functions run under libFuzzer (fuzz_<name>, built with VKR3X_FUZZ=ON) and under the
// plain replay runner vkr-fuzz-replay that the normal test run uses on the stored corpus.

#include <cstddef>
#include <cstdint>

int Fuzz_ParameterAntwort(const uint8_t* daten, size_t groesse);
int Fuzz_Identitaet(const uint8_t* daten, size_t groesse);
int Fuzz_Seed(const uint8_t* daten, size_t groesse);
int Fuzz_Status(const uint8_t* daten, size_t groesse);
int Fuzz_IniGetInt(const uint8_t* daten, size_t groesse);
int Fuzz_Programmdatei(const uint8_t* daten, size_t groesse);

struct FuzzZiel {
    const char* name; // the corpus folder tests/fuzz/<name>
    int (*ziel)(const uint8_t*, size_t);
};

// Every target, in one table for the replay runner.
const FuzzZiel* FuzzZiele(int* anzahl);
