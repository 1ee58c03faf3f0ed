#pragma once
// Answer lines for the answer-parser targets, built from the fuzz bytes the way Austausch stores
// what arrives on the line.

#include "device/austausch.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// At most max bytes, ending after the first CR, terminated, and cut at the first NUL.
inline Antwortzeile ZeileAusBytes(const uint8_t* daten, size_t groesse, int max) {
    Antwortzeile z{};
    int n = 0;
    while (n < max && static_cast<size_t>(n) < groesse) {
        z.text[n] = static_cast<char>(daten[n]);
        if (daten[n++] == '\r') break;
    }
    z.text[n] = '\0';
    z.laenge = static_cast<int>(std::strlen(z.text));
    return z;
}

// The same for a line whose head is given and whose rest comes from the fuzz bytes, so that
// the fuzzer spends its time on the value texts behind a correct echo.
inline Antwortzeile ZeileMitKopf(const char* kopf, int kopfLaenge, const uint8_t* daten, size_t groesse,
                                 int max) {
    uint8_t puffer[64];
    std::memcpy(puffer, kopf, static_cast<size_t>(kopfLaenge));
    const size_t rest = groesse < sizeof puffer - kopfLaenge ? groesse : sizeof puffer - kopfLaenge;
    std::memcpy(puffer + kopfLaenge, daten, rest);
    return ZeileAusBytes(puffer, kopfLaenge + rest, max);
}

// A line from a text (no NUL inside), for round trips.
inline Antwortzeile ZeileAusText(const char* text) {
    return ZeileAusBytes(reinterpret_cast<const uint8_t*>(text), std::strlen(text), 49);
}
