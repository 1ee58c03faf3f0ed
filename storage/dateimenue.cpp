#include "storage/dateimenue.h"

#include "app/globals.h"
#include "errors/fehler.h"
#include "params/parametersatz.h"
#include "platform/ui.h"
#include "storage/programmdatei.h"

#include <cstring>
#include <filesystem>

std::string gDateipfad;
std::string gPaneltitel;

namespace {

// The sets as the current file holds them (the defaults while there is none).
Parametersatz gDateistand[PARAMETERSAETZE];

constexpr int ANTWORT_JA = 1;
constexpr int ANTWORT_NEIN = 2;

constexpr const char* DATEIFILTER = "*.vkr";

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

// The dialogs start in the directory of the current file (the working directory while there
// is none).
std::string Startverzeichnis() {
    return std::filesystem::path(gDateipfad).parent_path().string();
}

} // namespace

const char* DateipfadMarke() {
    return Englisch() ? "Unnamed" : "Unbenannt";
}

void PaneltitelFestlegen(const char* text) {
    gPaneltitel = text ? text : "";
}

void DateistandMerken() {
    std::memcpy(gDateistand, gPar, sizeof gPar);
}

bool SaetzeGeaendert() {
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        // The active current is what the regulator last reported, not the user's work: a running
        // query must not make the sets count as changed.
        Parametersatz jetzt = gPar[n];
        Parametersatz datei = gDateistand[n];
        jetzt.status_stromaktiv = datei.status_stromaktiv = 0.0;
        if (std::memcmp(&jetzt, &datei, sizeof jetzt) != 0) return true;
    }
    return false;
}

void DateipfadZuruecksetzen() {
    gDateipfad = DateipfadMarke();
    DateistandMerken();
    PaneltitelAktualisieren();
}

std::string Dateititel() {
    return gPaneltitel + "  [" + std::filesystem::path(gDateipfad).filename().string() + "]";
}

void PaneltitelAktualisieren() {
    std::string titel = Dateititel();
    if (SaetzeGeaendert()) titel.insert(gPaneltitel.size() + 3, "*");
    SetPanelAttribute(gPanelHandle, ATTR_TITLE, titel.c_str());
}

int AenderungenSichern() {
    if (!SaetzeGeaendert()) return 1;
    const std::string titel = Dateititel();
    const int antwort =
        Englisch() ? GenericMessagePopup(titel.c_str(), "Save changes?", "Yes", "No", "Cancel", ANTWORT_JA)
                   : GenericMessagePopup(titel.c_str(), "Änderungen speichern?", "Ja", "Nein", "Abbrechen",
                                         ANTWORT_JA);
    if (antwort == ANTWORT_NEIN) return 1;
    if (antwort != ANTWORT_JA) return 0;
    if (const int r = DateiSpeichern(0)) {
        ZEM_Fehlerpopup(r);
        return 0;
    }
    // Still changed: the file dialog of an untitled file was cancelled, and so is the action.
    return SaetzeGeaendert() ? 0 : 1;
}

int DateiSpeichern(char alsNeu) {
    std::string ziel = gDateipfad;
    if (alsNeu != 0 || gDateipfad == DateipfadMarke()) {
        const int wahl =
            FileSelectPopup(Startverzeichnis().c_str(), DATEIFILTER, DATEIFILTER,
                            Englisch() ? "Save" : "Speichern", VAL_SAVE_BUTTON, 0, 1, 1, 1, &ziel);
        if (wahl <= VAL_NO_FILE_SELECTED) return 0;
    }
    if (const int r = ProgrammdateiSchreiben(ziel.c_str())) return r;
    gDateipfad = ziel;
    DateistandMerken();
    PaneltitelAktualisieren();
    return 0;
}

int DateiOeffnen() {
    return DateiOeffnenIn(Startverzeichnis().c_str());
}

int DateiOeffnenIn(const char* verzeichnis) {
    std::string pfad;
    const int wahl = FileSelectPopup(verzeichnis, DATEIFILTER, DATEIFILTER, Englisch() ? "Open" : "Öffnen",
                                     VAL_LOAD_BUTTON, 0, 1, 1, 0, &pfad);
    if (wahl <= VAL_NO_FILE_SELECTED) return 0;
    if (wahl == VAL_NEW_FILE_SELECTED) return PROGRAMMDATEI_NICHT_VORHANDEN;
    if (const int r = ProgrammdateiLesen(pfad.c_str())) return r;
    gDateipfad = pfad;
    DateistandMerken();
    PaneltitelAktualisieren();
    return 0;
}
