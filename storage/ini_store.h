#pragma once
// INI store: named sections of tag/value items in memory, with a reader and a writer for their
// text form. Section names and tags compare case-insensitively, ignoring surrounding white
// space.
//
// Text form: lines end with CR LF when written; CR, LF, NUL, CR LF and LF CR all end a line
// when read. A line is cut to 255 characters. ";" at the start of a line marks a comment,
// "[name]" opens a section, "tag = value" is an item; a value in double quotes is stored
// without them. Values over 80 characters are written as items "tag Line0001", "tag Line0002",
// ... and joined again when read.

#include <string>

struct IniStoreDaten;
using IniStore = IniStoreDaten*;

constexpr int INI_KEIN_SPEICHER = -12;            // out of memory
constexpr int INI_UNGUELTIGER_STORE = -65;        // null handle
constexpr int INI_ZUSTAND_UNBEKANNT = -91;        // the target's state cannot be determined
constexpr int INI_SCHREIBFEHLER = -93;            // any other write or rename failure
constexpr int INI_NICHT_GEFUNDEN = -94;           // rename: a file vanished
constexpr int INI_ZUGRIFF_VERWEIGERT = -95;       // the target (or its directory) cannot be written
constexpr int INI_PLATTE_VOLL = -97;              // disk full
constexpr int INI_ERSETZEN_FEHLGESCHLAGEN = -100; // rename: the target cannot be replaced
constexpr int INI_OEFFNEN_FEHLGESCHLAGEN = -5001; // the file cannot be opened for reading
constexpr int INI_LESEFEHLER = -5002;
constexpr int INI_KEIN_TEMPNAME = -5003;  // ini$$0.TMP .. ini$$999.TMP all exist
constexpr int INI_TEMP_ANLEGEN = -5004;   // the temporary file cannot be created
constexpr int INI_KEINE_GANZZAHL = -5021; // Ini_GetInt: the value is not an integer

// A new empty store; with automaticSorting the sections stay ordered by name and the items of
// each section by tag. Null when memory runs out.
IniStore Ini_New(int automaticSorting);
// Frees the store; null is ignored.
void Ini_Dispose(IniStore store);

// Adds the file's sections and items to the store. 0, -5001, -5002, -12 or -65.
int Ini_ReadFromFile(IniStore store, const char* path);
// Writes the whole store, replacing the file only once the new text is completely on disk;
// after a failure the file is unchanged and no temporary file remains. 0 or a negative code.
int Ini_WriteToFile(IniStore store, const char* path);

// Sets the item to the decimal text of value, replacing every item of that tag. 0, -12, -65.
int Ini_PutInt(IniStore store, const char* section, const char* tag, long value);
// 1 with *value set when the item holds a decimal integer in the 32-bit range; 0 when the
// section or item is missing or the value blank (*value unchanged); -5021 when the value is
// not such an integer; -65 for a null handle.
int Ini_GetInt(IniStore store, const char* section, const char* tag, long* value);

// Sets the item to text, written between double quotes so that surrounding blanks survive;
// replaces every item of that tag. A line end in text is written as a blank. 0, -12, -65.
int Ini_PutString(IniStore store, const char* section, const char* tag, const char* value);
// 1 with *value set to the item's text (without its quotes); 0 when the section or item is
// missing or the value blank (*value unchanged); -65 for a null handle.
int Ini_GetString(IniStore store, const char* section, const char* tag, std::string* value);
