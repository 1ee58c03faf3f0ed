#pragma once
// Callbacks of the menu "Extras": the comparison with the regulator and its window, the two
// switches of writing (verify after, back up before) and opening a backup.

void Callback_Menu_Vergleichen(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Pruefen(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Sichern(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_SicherungOeffnen(int menuBar, int menuItem, void* callbackData, int panel);

// The check marks of the two switches from gExtras; once the menu bar is loaded.
void ExtrasMenueSetzen();

// Shows the outcome of a write in the error line; a verify that found differences names the
// fields there and opens the compare window with them.
void SchreibergebnisZeigen(int code);

// Discards the compare window; for the end of a run.
void ExtrasBeenden();
