#pragma once
// The trend of the live values ("Verlauf"): the menu command that opens its window, the
// observer that feeds it and the recording from each live-value query.

#include <string>

// Menu View/Trend: shows the trend window and from now on hands every live-value query to it.
void Callback_Menu_Verlauf(int menuBar, int menuItem, void* callbackData, int panel);

// The marker text for a change of the status word from alt to neu in the run's language: the
// shown bits that came on, then those that went off ("Ende: ..." / "ended: ..."), joined by
// "; ". Empty when no shown bit changed.
std::string StatuswechselText(int alt, int neu);

// The record button: asks for a file and starts, or ends a running recording.
void VerlaufAufzeichnenUmschalten();

// Forgets the trend's state (window, last status word, recording); for the end of a run.
void VerlaufBeenden();
