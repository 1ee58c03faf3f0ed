#pragma once
// Program files: all seventeen parameter sets and the selected set as one fixed byte image.
//
//   offset    0  32 bytes  "ZEMVKR3X Programme", zero-terminated, zero-filled
//   offset   32   4 bytes  file version, int32, always 1
//   offset   36   4 bytes  reserved, zero
//   offset   40  6392      gPar[0] .. gPar[16], raw 376-byte records (padding included)
//   offset 6432   4 bytes  gParIndex, int32
//   offset 6436   4 bytes  reserved, zero
// Little-endian throughout.

#include <array>

constexpr int PROGRAMMDATEI_BYTES = 6440;
constexpr const char* PROGRAMMDATEI_KOPF = "ZEMVKR3X Programme";
constexpr int PROGRAMMDATEI_VERSION = 1;
constexpr int PROGRAMMDATEI_VERSION_OFFSET = 32;
constexpr int PROGRAMMDATEI_SAETZE_OFFSET = 40;
constexpr int PROGRAMMDATEI_INDEX_OFFSET = 6432;

constexpr int PROGRAMMDATEI_OEFFNEN_SCHREIBEN = -301101; // target cannot be created or overwritten
constexpr int PROGRAMMDATEI_SCHREIBEN = -301102;         // not all bytes reached the target
constexpr int PROGRAMMDATEI_NICHT_VORHANDEN = -308103;   // the chosen file does not exist
constexpr int PROGRAMMDATEI_OEFFNEN_LESEN = -308104;
constexpr int PROGRAMMDATEI_ZU_KURZ = -304105;
constexpr int PROGRAMMDATEI_FALSCHER_TYP = -302106;
constexpr int PROGRAMMDATEI_FALSCHE_VERSION = -303107;

using Programmabbild = std::array<unsigned char, PROGRAMMDATEI_BYTES>;

struct Parametersatz;

// The image of seventeen sets and a selected set; of gPar and gParIndex.
Programmabbild ProgrammabbildAus(const Parametersatz saetze[17], int index);
Programmabbild ProgrammabbildErstellen();

// Writes an image to pfad, for Save and the command-line import alike (a symbolic link is
// followed and kept). The bytes go to a new file beside the target, which replaces the target
// only once all of them are on disk: a failed save leaves an existing file as it was. Files with
// several names and files in folders that take no new file are written in place (see
// DateiinhaltSchreiben). Returns 0, PROGRAMMDATEI_OEFFNEN_SCHREIBEN or PROGRAMMDATEI_SCHREIBEN.
int ProgrammabbildSchreiben(const Programmabbild& abbild, const char* pfad);
// The image of the sets to pfad, as ProgrammabbildSchreiben.
int ProgrammdateiSchreiben(const char* pfad);

// Reads the first 6440 bytes of pfad and, only when header and version are right, takes over
// the seventeen records and the selected set; a stored selection outside 0..16 selects the
// working set. A wrong version leaves the expected and the found number as the pending error
// user text. Returns 0, PROGRAMMDATEI_OEFFNEN_LESEN, PROGRAMMDATEI_ZU_KURZ,
// PROGRAMMDATEI_FALSCHER_TYP or PROGRAMMDATEI_FALSCHE_VERSION (a folder gives
// PROGRAMMDATEI_OEFFNEN_LESEN); on failure nothing is changed.
int ProgrammdateiLesen(const char* pfad);
