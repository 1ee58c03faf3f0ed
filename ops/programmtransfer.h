#pragma once
// Moving parameter sets between the program (gPar) and the regulator on the open port.
// Each returns 0 or a negative code for the button's callback to show.

#include <cstdint>

// Asks whether to read the selected set or programs 1 to 16, then reads them into gPar with a
// modal progress dialog. The strom_step of every set is kept. Afterwards gPar[0] mirrors the
// regulator's working parameters (the last set read) and the panel shows the selected set.
// -122201 when no port is open; 0 when the user cancels; otherwise the first failing command's
// code, with the sets read before it kept and gPar[0] and the panel unchanged.
int Vkr3ProgrammeLesen();

// Asks, then writes the selected set or programs 1 to 16 from gPar to the regulator, as
// Vkr3SaetzeSchreiben does, verifying when "Nach dem Schreiben prüfen" is on.
int Vkr3ProgrammeSchreiben();

// Writes the sets whose bits saetze holds (bit n: set n) from gPar to the regulator; afterwards
// gPar[0] is a copy of the last set written, strom_step included. When "Vor dem Schreiben
// sichern" is on, what the regulator holds in those sets is saved in the backup folder first,
// and nothing is written if that fails. With pruefen the sets are read back and compared with
// gPar; the result becomes the last comparison. Each step shows a progress dialog. 0,
// -122201, the code of the failing step (a failure of the backup or the verify comes with a
// user text saying so), or PRUEFUNG_ABWEICHUNG.
int Vkr3SaetzeSchreiben(uint32_t saetze, bool pruefen);

// The regulator loads program n (the panel's program number) into its working parameters, or
// stores its working parameters as program n. Nothing is read back; gPar stays as it is.
int Vkr3ProgrammLaden();
int Vkr3ProgrammSpeichern();
