#pragma once
// What the report says, before anything is laid out on a page: the words and values of every
// block, in the report's language. The PDF writer only places these texts.

#include "bericht/bericht.h"

#include <string>
#include <vector>

// One parameter: "*" where the set's curve needs it, the panel's label without its unit, the
// value as the panel shows it, the unit from the label's brackets.
struct Berichtszeile {
    std::string marke;
    std::string label;
    std::string wert;
    std::string einheit;
    bool text = false;       // wert is a ring's or a box's text, not a number
    std::string geraetewert; // not empty: the regulator held this instead
};

// A titled group of parameters in two columns, as the panel groups them.
struct Berichtsgruppe {
    std::string titel;
    std::vector<Berichtszeile> links;
    std::vector<Berichtszeile> rechts;
};

// The dither amplitude table, its two columns printed as two rows of ten values.
struct Berichtstabelle {
    std::string marke;
    std::string titel;
    std::string zeilentitel[2];
    std::string werte[2][10];
    std::string geraetewerte[2][10]; // not empty where the regulator differs
};

struct Berichtsabschnitt {
    std::string titel;   // "Programm 3"
    std::string vermerk; // "wie Programm 2", or empty
    std::string stand;   // the comparison's word for this set, or empty
    bool abweichend = false;
    bool zusammengefasst = false; // only the title line: the set equals an earlier one
    Berichtszeile kurve;          // the curve, over the whole width
    std::vector<Berichtsgruppe> gruppen;
    bool mitTabelle = false;
    Berichtstabelle tabelle;
};

struct Berichtsangabe {
    std::string name;
    std::string wert;
};

struct Berichtsinhalt {
    std::string titel;
    std::string untertitel;
    std::vector<Berichtsangabe> angaben; // date, file, regulator, free texts, comparison
    std::vector<std::string> legende;
    std::vector<Berichtsabschnitt> abschnitte;
    std::string unterschrift; // the line to sign
    std::string kopfzeile;    // on every page after the first
    std::string fusszeile;    // program name and version
    std::string seite;        // "Seite %1 von %2"
    std::string geraetKurz;   // the word before a regulator's value in the dither table
};

Berichtsinhalt BerichtsinhaltBilden(const Berichtsdaten& daten);
