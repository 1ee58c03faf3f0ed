#pragma once
// Extras/Bericht: the commissioning record of all seventeen sets as a PDF.

#include <string>

// The report as the menu item makes it, without its dialogs: the panel's sets, the current
// program file, gBerichtstexte, the regulator read now (its result goes to the error line) and
// the last comparison with it. 0 or the code of BerichtSchreiben.
int BerichtErstellen(const char* pfad);

// The name offered for a report: beside the program file, after it and the day,
// "valve-a_Bericht_2026-12-09.pdf"; without a program file in the working directory.
std::string BerichtVorschlag();

void Callback_Menu_Bericht(int menuBar, int menuItem, void* callbackData, int panel);
