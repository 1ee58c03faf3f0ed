#pragma once
// Backups of what a regulator held before a write replaced it: program files in a folder of
// their own, each named by the regulator's identity, its address, the time and the sets it
// holds, e.g. "ZEM-VKR3AX2bV2.01_adr1_20240501-143205_P1-16.vkr". Only the newest are kept.

#include <cstdint>
#include <ctime>
#include <string>

constexpr int SICHERUNGEN_BEHALTEN = 100;
constexpr int SICHERUNGSORDNER_ANLEGEN = -310711; // the backup folder cannot be created

// "vkr3xsteuerung/sicherungen" in the user's data directory (on Linux
// ~/.local/share/vkr3xsteuerung/sicherungen, or under $XDG_DATA_HOME; on Windows under
// %LOCALAPPDATA%).
std::string SicherungsordnerStandard();

// The file name for sets (bit n: set n) of the regulator with identity kennung at adresse,
// saved at zeit (local time). Characters of the identity other than letters, digits, '.' and
// '-' become '_'. The sets read "A" for the working parameters and "P" with the programs, in
// ranges: "P3", "P1-16", "A+P3+11".
std::string SicherungsName(const char* kennung, char adresse, std::time_t zeit, uint32_t saetze);

// Creates the folder (and its parents) when missing. 0 or SICHERUNGSORDNER_ANLEGEN.
int SicherungsordnerAnlegen(const char* ordner);

// A path in ordner for name that no file has yet: "_2", "_3" … before ".vkr" when it is taken.
std::string SicherungsPfad(const char* ordner, const std::string& name);

// Deletes the oldest backups in ordner, by the time in their names, until behalten remain.
// Files not named like a backup are never touched. Returns how many were deleted.
int SicherungenAufraeumen(const char* ordner, int behalten);
