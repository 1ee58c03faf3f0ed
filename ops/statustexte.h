#pragma once
// The bits of the regulator's status word that are shown, with their explanations in both
// languages, in ascending bit order. Each text ends with a line break.

struct Statusbit {
    int bit;
    int maske;
    const char* deutsch;
    const char* englisch;
};

constexpr int STATUSBITS = 8;
extern const Statusbit kStatusbits[STATUSBITS];
