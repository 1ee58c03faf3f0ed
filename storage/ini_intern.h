#pragma once
// Inner structure of the INI store, shared by its reader, writer and accessors.

#include "storage/ini_store.h"

#include <string>
#include <string_view>
#include <vector>

struct IniEintrag {
    std::string tag;
    std::string wert;
    bool inAnfuehrungszeichen = false; // the value was written between double quotes
    int zeile = -1;                    // line of the file it was read from
};

struct IniSektion {
    std::string name;
    std::vector<IniEintrag> eintraege;
    bool sortiert = false;
    int zeile = -1;
};

struct IniStoreDaten {
    std::vector<IniSektion> sektionen;
    bool sortieren = false;
    int letzteSektion = -1;       // index of the section last found, tried first by lookups
    int zeileLetzterZugriff = -1; // line of the item last fetched
    bool duplikatePruefen = true; // a put replaces every item of the same tag
};

constexpr char INI_SEKTION_ANFANG = '[';
constexpr char INI_SEKTION_ENDE = ']';
constexpr char INI_WERTTRENNER = '=';
constexpr const char* INI_AUSGABETRENNER = " = ";
constexpr char INI_KOMMENTAR = ';';
constexpr const char* INI_FORTSETZUNG = " Line"; // tag + " Line" + number: a piece of a long value

std::string_view IniTrimmen(std::string_view s);
// Case-insensitive comparison of two names (<0, 0, >0).
int IniVergleichen(std::string_view a, std::string_view b);
// Sorts the items of every section by tag and the sections by name (stable).
void IniSortieren(IniStoreDaten* store);
