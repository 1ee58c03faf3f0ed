#pragma once
// Value texts of frames and answer lines, independent of the C locale (a German locale must not
// turn "0.500" into "0,500"), and never reading outside the given bytes.
//
// Scanning rules, the same for every answer:
// - A free value text (real, decimal integer, hexadecimal integer) may start with white space
//   (space, tab, CR, LF, VT, FF). It converts only when, after the number, nothing but white
//   space follows up to the end of the given bytes; so "0.5\r" and "0.5" (a line cut off
//   without CR) convert, while "0.5x", "1A0G", "2.5" as an integer or an empty text do not.
// - Real: [sign] digits [. [digits]] or [sign] . digits, optionally followed by an exponent
//   e/E [sign] digits. "2" and "2.0" both convert. No "inf", "nan" or hexadecimal floats.
// - Decimal integer: [sign] digits, within the range of int.
// - Hexadecimal integer: hex digits, no sign, no "0x", at most 32 bits (stored as the int with
//   that bit pattern).
// - A fixed-width hexadecimal field ("%x[wN]") starts exactly where the previous item ended,
//   without skipping white space, and takes 1 to N hex digits; it ends early at the first other
//   character.

#include <cstdint>

bool IstLeerraum(char zeichen);
// True when text[0..laenge) holds only white space (or nothing).
bool NurLeerraum(const char* text, int laenge);

// Each returns true and stores the value when text[0..laenge) is exactly one value.
bool ReellLesen(const char* text, int laenge, double* wert);
bool GanzzahlLesen(const char* text, int laenge, int* wert);
bool HexLesen(const char* text, int laenge, int* wert);

// Reads a field of 1..breite hex digits at text[*pos]; on success advances *pos.
bool HexFeldLesen(const char* text, int laenge, int* pos, int breite, uint32_t* wert);

// Real value rounded to nachkomma digits after the point (0: whole number without point);
// a value that rounds to zero is written without a minus sign. Integer as decimal "%d".
// Return the text length, or -1 when it does not fit into groesse bytes with its NUL.
int ReellFormatieren(char* ziel, int groesse, double wert, int nachkomma);
int GanzzahlFormatieren(char* ziel, int groesse, int wert);
