#pragma once
// Known answers of the service-mode key derivation for mode 2, worked out apart from the code
// that program and simulator share: v = (seed XOR 2) * 0x5DEECE6D + 0x2B0B modulo 2^64,
// key1..key4 its 16-bit quarters from the top. The first three can be checked by hand:
//  - seed 0: v = 2 * 0x5DEECE6D + 0x2B0B = 0xBBDDC7E5.
//  - seed 0x8000000000000002: x = 2^63, and 2^63 times an odd number is 2^63 modulo 2^64.
//  - seed all ones: x = -3, v = 2^64 - 3 * 0x5DEECE6D + 0x2B0B = 0xFFFFFFFEE633BFC4.
// The fourth was computed with exact integers (Python): v = 0x0123456669318EF4.

#include <cstdint>

struct Schluesselwert {
    uint64_t seed;
    uint16_t keys[4];
};

inline constexpr Schluesselwert SCHLUESSELWERTE[] = {
    {0x0000000000000000ull, {0, 0, 48093, 51173}},
    {0x8000000000000002ull, {32768, 0, 0, 11019}},
    {0xFFFFFFFFFFFFFFFFull, {65535, 65534, 58931, 49092}},
    {0x0123456789ABCDEFull, {291, 17766, 26929, 36596}},
};
