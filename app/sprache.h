#pragma once
// Language of the panels. The definition carries the German texts; an English run relabels
// the panels once at start-up. A language chosen in the menu applies from the next start.

// Applies the English texts to the main panel, the COM panel and the menu bar.
void EnglischeTexteSetzen();

void Callback_Menu_Sprache(int menuBar, int menuItem, void* callbackData, int panel);

// Restart notice shown when the chosen language differs from the running one.
extern const char* const SPRACHE_NEUSTART_TITEL;
extern const char* const SPRACHE_NEUSTART_TEXT;
