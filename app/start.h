#pragma once
// Start-up and shutdown of the program.

constexpr const char* PROGRAMM_VERSION = "V 2.3";
constexpr const char* PROGRAMM_DATUM = "6/2020";
constexpr const char* PROGRAMM_TITEL = "VKR 3 A X2 Steuerung"; // base title of the main panel
constexpr const char* SERVICE_SCHALTER = "-p=QuxFandOrmi";

// 1 when the command line holds exactly the service switch and nothing else.
int ServiceSchalterGesetzt(int argc, char* argv[]);

// Start texts of the panels: empty scan line, version and date on the info panel.
void PanelsInitialisieren(const char* version, const char* datum);

// Everything up to the display of the main panel. 0, or -1 when the user interface cannot
// start or a panel cannot be loaded.
int ProgrammStarten(int argc, char* argv[]);
// Everything after the event loop: settings written, main panel discarded. Returns 0.
int ProgrammBeenden();

// The whole program: start, event loop, end. The process exit status.
int Vkr3xSteuerungMain(int argc, char* argv[]);
