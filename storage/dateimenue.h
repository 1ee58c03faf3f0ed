#pragma once
// The current program file, the main panel's title that names it, and the File menu's
// operations of saving and opening through the file selection dialog.

#include <string>

// Full path of the current program file, or the untitled marker while there is none.
extern std::string gDateipfad;
// Base text of the main panel's title.
extern std::string gPaneltitel;

// "Unnamed" in an English run, else "Unbenannt".
const char* DateipfadMarke();

void PaneltitelFestlegen(const char* text);
// No current file: the marker becomes the path, and the title follows.
void DateipfadZuruecksetzen();
// Title "<base>  [<file name of gDateipfad>]".
void PaneltitelAktualisieren();

// Save (alsNeu 0) writes to the current file without asking once there is one; Save as
// (alsNeu 1), or Save while untitled, asks for the file. 0 when written or cancelled,
// -301101 or -301102 on failure (then the current path is unchanged).
int DateiSpeichern(char alsNeu);
// Asks for a file and loads all sets and the selection from it. 0 when loaded or cancelled,
// -308103, -308104, -304105, -302106 or -303107 on failure (then nothing is changed).
int DateiOeffnen();
