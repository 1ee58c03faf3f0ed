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
// No current file: the marker becomes the path, the sets as they are now count as unchanged,
// and the title follows.
void DateipfadZuruecksetzen();
// The sets as they are now count as the contents of the current file.
void DateistandMerken();
// True when a set differs from the current file (the active current the regulator reported
// aside).
bool SaetzeGeaendert();
// Title "<base>  [<file name of gDateipfad>]", with "*" before the file name while the sets
// differ from the file.
void PaneltitelAktualisieren();

// Before New, Open and Exit: when the sets differ from the current file, asks "Änderungen
// speichern?" (Ja, Nein, Abbrechen; Enter Ja, Escape Abbrechen) and on Ja saves as Save does.
// 1 when the action may go on; 0 when it is cancelled: by the answer, by cancelling the file
// dialog of an untitled file, or by a failed save (shown in its popup).
int AenderungenSichern();

// Save (alsNeu 0) writes to the current file without asking once there is one; Save as
// (alsNeu 1), or Save while untitled, asks for the file. 0 when written or cancelled,
// -301101 or -301102 on failure (then the current path is unchanged).
int DateiSpeichern(char alsNeu);
// Asks for a file and loads all sets and the selection from it. 0 when loaded or cancelled,
// -308103, -308104, -304105, -302106 or -303107 on failure (then nothing is changed).
int DateiOeffnen();
// The same with the dialog starting in verzeichnis.
int DateiOeffnenIn(const char* verzeichnis);
