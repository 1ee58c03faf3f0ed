#pragma once
// Vocabulary of the protocol: every parameter name with its command code, value type, the
// decimals its value is written with, the range a written value must lie in, and its access.
// Service-mode commands have a small table of their own.

enum class Werttyp { Ganzzahl, Reell, Hex };

constexpr int ZUGRIFF_LESEN = 1;
constexpr int ZUGRIFF_SCHREIBEN = 2;

struct ParameterZeile {
    const char* name; // lower-case device parameter name, compared exactly
    char code[3];     // two command characters after the address
    char operation;   // letter of a write: 'W', 'S' / 'P' for program load / store, 0 read-only
    Werttyp typ;      // written and read as this type
    int nachkomma;    // real writes: digits after the point (0: whole number without point)
    double min, max;  // a written value is accepted when min <= value <= max
    int zugriff;      // ZUGRIFF_LESEN | ZUGRIFF_SCHREIBEN
};

// Row of name with the given access, or null (also for a null name).
const ParameterZeile* ParameterSuchen(const char* name, int zugriff);
// The whole table, for callers that walk it.
const ParameterZeile* ParameterTabelle(int* anzahl);

struct ServiceZeile {
    const char* name;
    char code[3];
    char operation;
    bool mitBereich; // only "key_enter" checks its value
    int min, max;
};

// Row of a service-mode write ("key1".."key4", "key_enter"), or null.
const ServiceZeile* ServiceBefehlSuchen(const char* name);
// The whole service-mode table.
const ServiceZeile* ServiceTabelle(int* anzahl);
