#pragma once
// Callbacks of the menu "Ansicht": the line monitor.

void Callback_Menu_Kommunikation(int menuBar, int menuItem, void* callbackData, int panel);
// Saves the recorded exchanges (only the failed ones with nurFehler) to a CSV file the user
// chooses; a failure is shown as an error popup.
void KommunikationSpeichern(bool nurFehler);
