#pragma once
// The line monitor window: a non-modal table of the recorded exchanges with hex view, pause,
// clear, a filter for failures and a save button. The window knows nothing of frames: the
// program hands it a source that numbers the records and gives each one's column texts, and
// texts in the run's language. This header is free of Qt.

#include <cstdint>
#include <string>

constexpr int MONITOR_SPALTEN = 6;

struct MonitorQuelle {
    uint64_t (*erste)();  // oldest record held (greater than letzte when none)
    uint64_t (*letzte)(); // newest record, 0 when none
    // The column texts of record nummer (hex: bytes in hexadecimal); false when not held.
    bool (*zeile)(uint64_t nummer, bool hex, std::string spalten[MONITOR_SPALTEN]);
    bool (*fehlgeschlagen)(uint64_t nummer);
    void (*leeren)();                  // the clear button
    void (*speichern)(bool nurFehler); // the save button; the program asks for the file
};

struct MonitorTexte {
    const char* titel;
    const char* spalten[MONITOR_SPALTEN];
    const char* hex;
    const char* pause;
    const char* leeren;
    const char* nurFehler;
    const char* speichern;
    const char* anzahl; // "%d" stands for the number of rows shown
};

// Shows the window (creating it on first use) and raises it. 0, or UIE_NOT_INITIALIZED.
int MonitorFensterZeigen(const MonitorQuelle& quelle, const MonitorTexte& texte);
// Takes new records into the window. Called by the window's own timer while the event loop
// runs and, as the run-time's draw hook, by ProcessDrawEvents while the program is busy on the
// line; nothing while hidden or paused.
void MonitorFensterAktualisieren();

// For tests: the rows the window shows and their texts, and its controls by role.
int MonitorFensterZeilen();
std::string MonitorFensterZelle(int zeile, int spalte);
enum class MonitorSchalter { Hex, Pause, NurFehler };
void MonitorFensterSchalten(MonitorSchalter schalter, bool ein);
void MonitorFensterSchliessen();
