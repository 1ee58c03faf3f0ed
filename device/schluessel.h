#pragma once
// Key derivation of the service-mode challenge. The regulator hands out a 64-bit seed; the
// program answers with four 16-bit keys taken from one step of a 64-bit linear congruential
// generator. The simulator checks keys with the same pair of constants, so both sides share
// this one definition.

#include <cstdint>

constexpr uint64_t SCHLUESSEL_MULTIPLIKATOR = 0x5DEECE6Du; // 32-bit multiplier
constexpr uint64_t SCHLUESSEL_INKREMENT = 0x2B0Bu;         // increment below 2^16

// keys[0] = bits 48..63 of the generator step, down to keys[3] = bits 0..15.
inline void SchluesselBerechnen(uint64_t seed, int modus, uint16_t keys[4]) {
    const uint64_t x = seed ^ static_cast<uint64_t>(static_cast<int64_t>(modus));
    const uint64_t v = x * SCHLUESSEL_MULTIPLIKATOR + SCHLUESSEL_INKREMENT;
    keys[0] = static_cast<uint16_t>(v >> 48);
    keys[1] = static_cast<uint16_t>(v >> 32);
    keys[2] = static_cast<uint16_t>(v >> 16);
    keys[3] = static_cast<uint16_t>(v);
}
