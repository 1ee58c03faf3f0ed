#pragma once
// The compare window: for each parameter set whether the regulator holds what the program
// holds, and for each differing field its label, both values and whether the set's curve needs
// it; buttons to write the differing sets, take the regulator's sets over and compare again.
// The program hands it rows of texts in the run's language and the functions its buttons call;
// the window knows nothing of sets or frames. This header is free of Qt.

#include <string>
#include <vector>

constexpr int VERGLEICH_SPALTEN = 5; // set or field, result, panel, device, curve

enum class Vergleichszeile {
    Gleich,                // a set the regulator holds as the program does
    Abweichend,            // a set that differs
    NichtGelesen,          // a set not read (failure, cancel)
    Feld,                  // a field that differs
    FeldNichtUnterstuetzt, // a field the regulator refused
};

struct VergleichsZeile {
    std::string spalten[VERGLEICH_SPALTEN];
    Vergleichszeile art = Vergleichszeile::Gleich;
    bool benoetigt = false; // fields: the set's curve needs it, drawn in bold
};

struct VergleichsSatz {
    VergleichsZeile kopf;
    std::vector<VergleichsZeile> felder;
};

struct VergleichsInhalt {
    std::string zusammenfassung; // the line above the list
    std::string hinweis;         // a second line, may be empty
    std::vector<VergleichsSatz> saetze;
    bool schreibenMoeglich = false;
    bool uebernehmenMoeglich = false;
    bool nurAbweichungen = true;  // check box: sets that are equal are left out of the list
    bool arbeitsparameter = true; // check box: the next comparison includes the working parameters
};

struct VergleichsTexte {
    const char* titel;
    const char* spalten[VERGLEICH_SPALTEN];
    const char* nurAbweichungen;
    const char* arbeitsparameter;
    const char* schreiben;
    const char* uebernehmen;
    const char* erneut;
    const char* schliessen;
    const char* liste; // the list's name for screen readers
    const char* leer;  // shown in place of the list while no set is listed
};

struct VergleichsAktionen {
    void (*schreiben)();
    void (*uebernehmen)();
    void (*erneut)();
    // The user changed a check box.
    void (*wahl)(bool nurAbweichungen, bool arbeitsparameter);
};

// Shows the window with this content (creating it at the first call) and raises it; texts and
// actions are taken again at every call. 0, or UIE_NOT_INITIALIZED without an application.
int VergleichsfensterZeigen(const VergleichsInhalt& inhalt, const VergleichsTexte& texte,
                            const VergleichsAktionen& aktionen);
bool VergleichsfensterSichtbar();
void VergleichsfensterSchliessen();
void VergleichsfensterVerwerfen(); // discards the window, for the end of a run

// For tests, what the window shows: the sets listed, a cell of a set's row (feld -1) or of one
// of its fields, the number of fields under a set, the summary; and its controls by role.
int VergleichsfensterSaetze();
int VergleichsfensterFelder(int satz);
std::string VergleichsfensterZelle(int satz, int feld, int spalte);
bool VergleichsfensterFett(int satz, int feld);
std::string VergleichsfensterZusammenfassung();
enum class Vergleichsknopf { Schreiben, Uebernehmen, Erneut, Schliessen };
bool VergleichsfensterKnopfAktiv(Vergleichsknopf knopf);
void VergleichsfensterDruecken(Vergleichsknopf knopf); // as a click
enum class Vergleichswahl { NurAbweichungen, Arbeitsparameter };
void VergleichsfensterWaehlen(Vergleichswahl wahl, bool ein); // as a click when it changes
