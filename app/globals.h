#pragma once
// Program-wide state of the application shell: panel handles, language and service switch.

extern int gPanelHandle;     // main panel MAINPANEL
extern int gCompanelHandle;  // COM settings panel, a child of the main panel
extern int gInfopanelHandle; // info panel, shown as a modal popup
extern int gPasswortok;      // 1 when started with the service switch
extern int gSprache;         // language of this run: 2 English, anything else German
extern int gSpracheNeu;      // language for the next start

constexpr int SPRACHE_DEUTSCH = 1;
constexpr int SPRACHE_ENGLISCH = 2;
