#pragma once
// Giving a file new contents without losing it: through a replacement file beside it in the
// usual case; in place where a replacement would cut the file off from its other names or where
// the folder allows no new file; and tidying up the replacement files of interrupted saves.

#include <cstddef>
#include <filesystem>
#include <string>

constexpr int DATEIINHALT_KEIN_NAME = -1; // every replacement name of the scheme is taken
constexpr int DATEIINHALT_ANLEGEN = -2;   // no replacement file, and the target not writable in place
constexpr int DATEIINHALT_SCHREIBEN = -3; // writing, flushing or syncing the bytes failed
constexpr int DATEIINHALT_ERSETZEN = -4;  // the complete replacement could not take the target's place

// Replacement files older than this are left over from a save that never finished.
constexpr int ERSATZDATEI_VERWAIST_MINUTEN = 10;

// The file that pfad names: a symbolic link is followed (also through further links) to the file
// it points to, which need not exist yet. Any other path comes back unchanged.
std::string DateiLinkZiel(const char* pfad);

// Gives the file that pfad names (links followed) the laenge bytes at daten, flushed to the disk.
//  - Usually the bytes go to "<praefix><n>.TMP" beside it, which then replaces it in one step:
//    until then the old contents are untouched.
//  - A file with several hard links is written in place, so that every name sees the new bytes.
//  - A writable file in a folder where no new file can be made is written in place as well,
//    once all bytes are ready.
// Replacement files of this program older than ten minutes in the folder are removed first.
// Returns 0 or a DATEIINHALT_ code, with the system's reason (errno) in *grund.
int DateiinhaltSchreiben(const char* pfad, const char* praefix, const void* daten, size_t laenge, int* grund);

// Removes the program's replacement files ("vkr$$<n>.TMP", "ini$$<n>.TMP", n 0 to 999) that are
// older than ten minutes from the folder; younger ones may belong to a save in progress.
void VerwaisteErsatzdateienEntfernen(const std::filesystem::path& ordner);
