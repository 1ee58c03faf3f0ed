#pragma once
// The checks and conversions of the answer lines, apart from the exchange that reads them. Each
// takes the line as Austausch stored it (at most the command's byte count, the CR included when
// it came, cut at the first NUL) and returns 0 or the command's code for a line it cannot take.
// They touch no port and keep no state, so they can be fed arbitrary bytes.

#include "device/austausch.h"
#include "device/parametertabelle.h"

#include <cstdint>

// Parameter read of row z: kopf is the frame's head ("#", address, code, "R"). Returns 0 with
// the value stored by the row's kind, -404104 wrong echo, -409000 "err", or -404105 (real),
// -404106 (integer), -404109 (hex) when the value text does not convert.
int ParameterAntwortAuswerten(const ParameterZeile& z, const char kopf[5], const Antwortzeile& zeile,
                              double* wert, int* ganzzahl);

// Identity answer to adresse: 0 with the text (without spaces, at most ZEMVKR3X_ID_BYTES - 1
// characters) in text, or -404015.
int IdentitaetAuswerten(Antwortzeile zeile, char adresse, char* text);

// Seed answer: kopf is the frame's head ("#", shifted address, "S0R"). 0 with the seed,
// -404104 wrong echo, -404109 fewer than four hexadecimal fields.
int SeedAntwortAuswerten(const char kopf[5], const Antwortzeile& zeile, uint64_t* seed);

// Sibling status answer for adresse and typ (1 or 2): 0 with the status byte, -404120 the line
// is not "#", address, "S", digit, "R", hex field, CR; -404121 / -404122 another type digit.
int StatusAntwortAuswerten(const Antwortzeile& zeile, char adresse, int typ, int* status);
