#pragma once
// Recording of live values into a CSV file chosen by the user: one line per query with the local
// time (ISO 8601, milliseconds and offset), current in A, voltage in V, the status word as hex,
// the active current and the compatibility flag. Every line goes to the file as it is written,
// so a crash loses at most the line being written. A write that fails ends the recording; the
// lines written before it stay in the file, a half-written line is cut off again.

#include "ops/istwertbeobachter.h"

#include <chrono>
#include <string>

constexpr int AUFZEICHNUNG_OEFFNEN_FEHLGESCHLAGEN = -1;   // the file cannot be created
constexpr int AUFZEICHNUNG_SCHREIBEN_FEHLGESCHLAGEN = -2; // a line could not be written
constexpr int AUFZEICHNUNG_NICHT_AKTIV = -3;

// Creates (or empties) the file and writes the header line. An earlier recording is ended first.
int AufzeichnungStarten(const std::string& pfad);
// Appends one line for probe taken at zeit. On failure the recording has ended.
int AufzeichnungSchreiben(const Istwertprobe& probe, std::chrono::system_clock::time_point zeit);
void AufzeichnungBeenden();

bool AufzeichnungLaeuft();
const std::string& AufzeichnungPfad();       // the file of the running or last recording
int AufzeichnungZeilen();                    // value lines written by the running or last recording
const std::string& AufzeichnungSystemtext(); // the system's words for the last failure

// The text of one value line without its line break, e.g.
// "2026-12-08T19:01:02.345+01:00,1.234,23.5,0x2A09,1,0", whatever the locale. The active current
// is "not reported" when the regulator did not answer it in this query.
std::string AufzeichnungZeile(const Istwertprobe& probe, std::chrono::system_clock::time_point zeit);
