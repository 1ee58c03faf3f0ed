#pragma once
// The comparison with the regulator as the panels offer it: reading with a progress dialog
// that can be cancelled between sets, writing the sets that differ, taking the regulator's
// sets over. Each returns 0 or a negative code for the caller to show; the result of every
// comparison becomes the last one (ops/satzvergleich.h).

// Compares the program's sets with the regulator at gCom.adresse: programs 1..16, and first
// the working parameters when gExtras.vergleichArbeitsparameter is on. gPar is not changed; the
// regulator then works with program 16. 0, -122201 when no port is open, the code that ended
// the reading (with a user text naming the set), or VERGLEICH_ABGEBROCHEN.
int Vkr3GeraetVergleichen();

// Writes the sets the last comparison found different: the programs, and the working
// parameters only when no program differs (writing a program makes it the working parameters
// anyway), with the backup the menu switch asks for; then compares again. 0 when the regulator
// then holds them, PRUEFUNG_ABWEICHUNG when a written set still differs, or the failing code.
int Vkr3AbweichendeSchreiben();

// Takes the sets the last comparison read into gPar as reading them would (each keeps its
// strom_step; the working parameters become the last program read, which the regulator now
// works with), shows the selected set and compares again without asking the regulator.
// Returns 0.
int Vkr3VomGeraetUebernehmen();
