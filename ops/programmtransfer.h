#pragma once
// Moving parameter sets between the program (gPar) and the regulator on the open port.
// Each returns 0 or a negative code for the button's callback to show.

// Asks whether to read the selected set or programs 1 to 16, then reads them into gPar with a
// modal progress dialog. The strom_step of every set is kept. Afterwards gPar[0] mirrors the
// regulator's working parameters (the last set read) and the panel shows the selected set.
// -122201 when no port is open; 0 when the user cancels; otherwise the first failing command's
// code, with the sets read before it kept and gPar[0] and the panel unchanged.
int Vkr3ProgrammeLesen();

// Asks, then writes the selected set or programs 1 to 16 from gPar to the regulator. Afterwards
// gPar[0] is a copy of the last set written, strom_step included.
int Vkr3ProgrammeSchreiben();

// The regulator loads program n (the panel's program number) into its working parameters, or
// stores its working parameters as program n. Nothing is read back; gPar stays as it is.
int Vkr3ProgrammLaden();
int Vkr3ProgrammSpeichern();
