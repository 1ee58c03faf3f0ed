#pragma once
// Settings file: the serial-port settings and the language of the next start, kept between
// runs in "vkr3ax2Steuerung.ini" in the current working directory, section "VKR3AX2"; the
// switches of the device tools (gExtras) and the free texts of the report dialog (gBerichtstexte)
// each in a section of their own, "Extras" and "Bericht".

constexpr const char* EINSTELLUNGEN_DATEI = "vkr3ax2Steuerung.ini";
constexpr const char* EINSTELLUNGEN_SEKTION = "VKR3AX2";
constexpr const char* EXTRAS_SEKTION = "Extras";
// COM numbers bound to serial devices: items "com1" .. "com8", each a device name.
constexpr const char* EINSTELLUNGEN_BINDUNGEN = "COMBINDUNG";
constexpr const char* BERICHT_SEKTION = "Bericht";

constexpr int EINSTELLUNGEN_FEHLT = -802208;         // the file does not exist
constexpr int EINSTELLUNGEN_UNLESBAR = -801209;      // the file exists but cannot be read
constexpr int EINSTELLUNGEN_SCHREIBFEHLER = -800210; // the file could not be written

// Reads the file into gCom (port, lport, adresse, baudrate), the language (gSprache,
// gSpracheNeu, error texts), gExtras, the ports' bindings and gBerichtstexte. Each value that is
// missing, not an integer or not accepted leaves its target as it was. Returns 0,
// EINSTELLUNGEN_FEHLT or EINSTELLUNGEN_UNLESBAR; on failure nothing is changed.
int IniLaden();

// Writes the open port, the last port, the address, the baud rate and gSpracheNeu to the file,
// then gExtras, the ports' bindings and, unless all three are empty, gBerichtstexte in sections
// of their own, replacing the file whole. Returns 0 or EINSTELLUNGEN_SCHREIBFEHLER.
int IniSchreiben();
