#pragma once
// Every field of the parameter record by name, padding words included, in the record's order:
// what show, export, import and diff walk.

#include "params/parametersatz.h"

#include <cstddef>
#include <string>

enum class Feldtyp { Ganzzahl, Reell };

struct Satzfeld {
    std::string name;
    Feldtyp typ;
    size_t offset;
    bool luecke; // a padding word: exported and compared, not shown
};

constexpr int SATZFELDER = 52;
const Satzfeld* Satzfelder(); // SATZFELDER entries

int32_t GanzzahlFeld(const Parametersatz& satz, const Satzfeld& f);
double ReellFeld(const Parametersatz& satz, const Satzfeld& f);
void GanzzahlSetzen(Parametersatz* satz, const Satzfeld& f, int32_t wert);
void ReellSetzen(Parametersatz* satz, const Satzfeld& f, double wert);
// Whether the field's bytes are the same in both records.
bool FeldGleich(const Parametersatz& a, const Parametersatz& b, const Satzfeld& f);
// The field's value as show and diff print it.
std::string FeldText(const Parametersatz& satz, const Satzfeld& f);
