#pragma once
// Backing up what a regulator holds before a write replaces it: the sets about to be
// overwritten are read (one read each, nothing more) and saved as a program file in a backup
// folder. Free of any user interface and global state: the caller names port, address, folder.

#include "ops/satzvergleich.h"

#include <ctime>
#include <string>

constexpr int SICHERUNG_SCHREIBEN = -301712; // the backup file could not be written

// Reads the regulator's identity and the sets of maske (working parameters first, then the
// programs in order, as a read transfer does), and saves them as a program file in ordner,
// named by identity, address and zeit (storage/sicherungsdateien.h). Sets not read hold the
// defaults; the working parameters, unless read, the last program read, as the regulator then
// has them; the selected set is the first one read. Afterwards only the newest behalten backups
// stay in the folder (0: all). *pfad gets the file's path. Returns 0, the code of the read that
// failed, VERGLEICH_ABGEBROCHEN when melder asked to stop, SICHERUNGSORDNER_ANLEGEN or
// SICHERUNG_SCHREIBEN; on failure no file is left behind.
int SicherungAnlegen(int port, char adresse, Satzmaske maske, const char* ordner, int behalten,
                     std::time_t zeit, Vergleichsmelder melder, void* kontext, std::string* pfad);
