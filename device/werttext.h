#pragma once
// Value texts of frames and answer lines, independent of the C locale (a German locale must not
// turn "0.500" into "0,500"), and never reading outside the given bytes.
//
// Answers are converted the way the formatted scanner of the original platform converts them,
// which is the rule of C's scanf conversions "%f", "%d" and "%x":
// - Leading white space (space, tab, CR, LF, VT, FF) is skipped; a NUL byte is not white space.
// - The longest prefix that forms a number is converted, and whatever follows it is left
//   unread: "0.500x" gives 0.5, "2.0" read as an integer gives 2, "1A0G" as hex gives 0x1A0.
//   A conversion fails only when no number starts the text (after the white space), or when
//   the number does not fit the stored type.
// - Real: [sign] digits [. [digits]] or [sign] . digits, with an exponent e/E [sign] digits
//   taken only when digits follow it ("1e" gives 1). No "inf", "nan" or hexadecimal floats:
//   "0x1p3" gives 0. A value beyond the range of double fails.
// - Decimal integer: [sign] digits, within the range of int.
// - Hexadecimal integer: [sign] [0x or 0X] hex digits (the prefix counts only when a hex digit
//   follows it), magnitude at most 32 bits, stored as the int with that bit pattern; a minus
//   negates it in 32 bits, as strtoul does.
// - A fixed-width hexadecimal field ("%x[wN]", scanf's "%Nx") skips white space like any other
//   conversion and then takes at most N characters (sign and prefix included) of one number.
// Answer lines are strings: a line is cut at its first NUL byte before it is parsed (see
// austausch.h), so no conversion ever sees a NUL inside its text.

#include <cstdint>

bool IstLeerraum(char zeichen);

// Each converts the number that starts text[0..laenge) after optional white space; returns
// true and stores the value when there is one. A failed conversion stores nothing.
bool ReellLesen(const char* text, int laenge, double* wert);
bool GanzzahlLesen(const char* text, int laenge, int* wert);
bool HexLesen(const char* text, int laenge, int* wert);

// Reads a field of at most breite (1..8) characters of one hexadecimal number, after white
// space, starting at text[*pos]; on success advances *pos past the number.
bool HexFeldLesen(const char* text, int laenge, int* pos, int breite, uint32_t* wert);

// Real value rounded to nachkomma digits after the point (0: whole number without point);
// a value that rounds to zero is written without a minus sign. Integer as decimal "%d".
// Return the text length, or -1 when it does not fit into groesse bytes with its NUL.
int ReellFormatieren(char* ziel, int groesse, double wert, int nachkomma);
int GanzzahlFormatieren(char* ziel, int groesse, int wert);
