#pragma once
// Trend window: actual current and voltage over time in a non-modal window, with a choice of
// time span, pause and resume, markers with texts, and a button that the program uses to start
// and stop a recording. This header is free of Qt.
// All texts come from the caller in the language of the run.

#include <string>
#include <vector>

struct TrendTexte {
    const char* titel;
    const char* zeit;          // time axis title
    const char* strom;         // current series and axis title, with unit
    const char* spannung;      // voltage series and axis title, with unit
    const char* zeitfenster;   // label of the time-span choice
    const char* pause;         // pause button while running
    const char* weiter;        // the same button while paused
    const char* aufzeichnen;   // record button while not recording
    const char* beenden;       // the same button while recording
    const char* statuswechsel; // legend entry of the markers
};

// Time spans offered, in seconds.
constexpr int TREND_SPANNEN[] = {30, 120, 600};

// Shows the window, creating it at the first call; aufzeichnenGeklickt is called when the
// user presses the record button. Texts are taken again at every call.
void TrendFensterZeigen(const TrendTexte& texte, void (*aufzeichnenGeklickt)());
bool TrendFensterVorhanden();
void TrendFensterVerwerfen(); // discards the window and its points

// A point at zeitMs (milliseconds since 1970, UTC). Points older than the longest span go.
void TrendPunkt(double zeitMs, double strom, double spannung);
// A vertical marker with its text at zeitMs.
void TrendMarke(double zeitMs, const char* text);
// The record button's state and the line under the chart; fehler draws that line as a warning.
void TrendAufzeichnungZeigen(bool laeuft, const char* text, bool fehler);

// Time span in seconds (one of TREND_SPANNEN) and pause, as the user sets them.
void TrendSpanneSetzen(int sekunden);
void TrendPauseSetzen(bool pausiert);

// What the chart holds now, for tests and for the program's own checks.
struct TrendInhalt {
    int punkte = 0;                        // points of each series
    std::vector<std::string> marken;       // marker texts, oldest first
    double sichtVonMs = 0, sichtBisMs = 0; // the time axis range
    bool pausiert = false;
    std::string aufzeichnungText;
    std::string knopfText; // the record button's caption
};
TrendInhalt TrendInhaltLesen();
