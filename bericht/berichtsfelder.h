#pragma once
// The fields of a parameter set in the report's order, each with the main-panel control that
// shows it, and the panel's way of showing a value: the label, the unit in its brackets, the
// decimals and the ring texts all come from the user-interface definition and its English texts.

#include "params/parametersatz.h"

#include <cstdint>
#include <span>
#include <string>

enum class Feldgruppe { Parameter, Freilauf };

struct Berichtsfeld {
    const char* name; // device parameter name (strom_step: the record's)
    int control;      // main-panel control
    double Parametersatz::*reell = nullptr;
    int32_t Parametersatz::*ganz = nullptr; // the other one is null
    Feldgruppe gruppe = Feldgruppe::Parameter;
    bool rechts = false; // right column of its group
};

std::span<const Berichtsfeld> Berichtsfelder();
const Berichtsfeld* BerichtsfeldNamens(const std::string& name);

double Feldwert(const Parametersatz& satz, const Berichtsfeld& f);
// Whether the field holds the same bytes in both sets.
bool FeldGleich(const Parametersatz& a, const Parametersatz& b, const Berichtsfeld& f);

// The control's label without aligning blanks and line breaks, split into the words and the unit
// in the closing brackets: "Strom 1 [A]" -> "Strom 1", "A"; "Prüfzyklen" -> "Prüfzyklen", "".
void LabelUndEinheit(int control, int sprache, std::string* label, std::string* einheit);
// A panel text in one line: blanks at both ends dropped, line breaks and runs of blanks one blank.
std::string Einzeilig(const char* text);
// The value as the control shows it: a ring's item text (text set true), or the number with the
// control's decimals, with a decimal point as on the panel. A value a ring has no item for
// appears as its number.
std::string Anzeigewert(int control, double wert, int sprache, bool* text);
// A number with the given decimals, decimal point, whatever the locale.
std::string Zahl(double wert, int dezimalen);
