#pragma once
// What the regulator says about itself when a record of its settings is made: its identity, its
// hardware version and whether it has the dither amplitude table, read at that moment. Free of
// any user interface.

#include "device/zemvkr3x.h"

#include <string>

enum class Reglerversion { Unbekannt, A, B };

struct Geraeteangaben {
    int code = 0;                         // 0 read; KEIN_PORT_OFFEN_KENNUNG; or the failing read's code
    char kennung[ZEMVKR3X_ID_BYTES] = ""; // identity text as the regulator sent it
    Reglerversion version = Reglerversion::Unbekannt;
    int dithertabelle = -1; // 1 the regulator has the table, 0 it has none, -1 not known
};

// The version the identity text names: "VKR3AX2a" anywhere in it makes it version a (also when
// "VKR3AX2b" appears too), else "VKR3AX2b" version b; any other text names none.
Reglerversion VersionAusKennung(const char* kennung);

// Reads the identity of the regulator at adresse on port (-1: no port open), then asks it for
// "supportdithertabelle"; a refusal of that question means it has no table. Returns the code
// also kept in g->code: 0, KEIN_PORT_OFFEN_KENNUNG, or the first failing read's code, after
// which what was not read stays unknown.
int GeraeteangabenLesen(int port, char adresse, Geraeteangaben* g);

// The port as a record names it: "COM 1 (/dev/ttyUSB0)", the device the port opens in brackets.
std::string AnschlussText(int port);
