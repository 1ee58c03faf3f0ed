#pragma once
// A comparison with the regulator in words of the run's language: the labels and ring items the
// main panel shows for each field, the rows of the compare window and the list of differing
// fields for the error line. Also for reports of the last comparison.

#include "fenster/vergleichsfenster.h"
#include "ops/satzvergleich.h"

#include <string>

// The field's label on the main panel without its aligning blanks, e.g. "Strom 1 [A]";
// raised free-wheeling voltage and dither table fields with their group: "Erhöhte
// Freilaufspannung: Anschaltzeit [ms]", "Dither Amplitudentabelle, PWM-Strom 3".
std::string FeldBezeichnung(const char* name);
// "Arbeitsparameter", "Programm 3" (as the set selector names them).
std::string SatzBezeichnung(int n);
// A value as the panel shows it: the item text for ring fields ("4 - Rechteck geregelt",
// "ein"), else the text as written.
std::string FeldwertText(const char* name, const std::string& wert);

// The compare window's content for v.
VergleichsInhalt VergleichsinhaltBilden(const Vergleich& v);
// The differing fields by set for the error line: ": Programm 3: Strom 1 [A], Zeit 1 [ms];
// Programm 11: Dither Typ".
std::string AbweichungenText(const Vergleich& v);
