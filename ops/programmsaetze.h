#pragma once
// The core of the program transfer, free of any user interface: moving parameter sets between
// gPar and the regulator at gCom.adresse on the open port. The panel's transfer asks its
// question and shows its progress dialog around these; the command-line tool prints its own.

#include <cstdint>

// Called after every set with the share done so far, done * 100 / total (integer division).
using Fortschrittsmelder = void (*)(int prozent, void* kontext);

// Reads sets erster..letzter (0 the working parameters, 1..16 programs; for n != 0 the regulator
// first loads program n) into gPar[n], keeping the strom_step of every set. The receiving record
// starts at the defaults with a dither table of zeros, so fields a regulator refuses hold those.
// On success gPar[0] becomes the last set read (its strom_step kept): reading a program makes
// the regulator work with it. Returns 0, -122201 when no port is open, or the first failing
// command's code; the sets read before it stay in gPar, gPar[0] is then unchanged.
int ProgrammsaetzeLesen(int erster, int letzter, Fortschrittsmelder melder, void* kontext);

// Writes gPar[erster..letzter] to the regulator, storing each as program n for n != 0. On
// success gPar[0] becomes a copy of the last set written, strom_step included. Returns 0,
// -122201 when no port is open, or the first failing command's code.
int ProgrammsaetzeSchreiben(int erster, int letzter, Fortschrittsmelder melder, void* kontext);
// The same for the sets whose bits saetze holds (bit n: set n), in ascending order.
int ProgrammsaetzeSchreibenMaske(uint32_t saetze, Fortschrittsmelder melder, void* kontext);

// The regulator loads program n (1..16) into its working parameters, or stores its working
// parameters as program n. Returns 0, -122201 when no port is open, or the command's code.
int ProgrammLadenNummer(int n);
int ProgrammSpeichernNummer(int n);
