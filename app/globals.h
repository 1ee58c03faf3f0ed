#pragma once
// Program-wide state of the application shell: panel handles, language and service switch.

#include <string>

extern int gPanelHandle;     // main panel MAINPANEL
extern int gCompanelHandle;  // COM settings panel, a child of the main panel
extern int gInfopanelHandle; // info panel, shown as a modal popup
extern int gPasswortok;      // 1 when started with the service switch
extern int gSprache;         // language of this run: 2 English, anything else German
extern int gSpracheNeu;      // language for the next start

constexpr int SPRACHE_DEUTSCH = 1;
constexpr int SPRACHE_ENGLISCH = 2;

// The device tools of the menu "Extras": the two check items and the compare window's choices,
// kept in a section of their own in the settings file. 1 on, 0 off.
struct Extraeinstellungen {
    int nachSchreibenPruefen = 1;      // read back every set written and compare it
    int vorSchreibenSichern = 1;       // save what a write replaces in the backup folder
    int vergleichArbeitsparameter = 1; // the compare includes the working parameters
    int vergleichNurAbweichungen = 1;  // the compare window lists only sets that differ
};
extern Extraeinstellungen gExtras;
// The free texts of the report dialog, offered again for the next report; kept in the settings
// file's own section (storage/einstellungen.h).
struct Berichtstexte {
    std::string maschine;
    std::string bediener;
    std::string bemerkung;
};
extern Berichtstexte gBerichtstexte;
