#include "storage/dateimenue.h"

#include "app/globals.h"
#include "platform/ui.h"
#include "storage/programmdatei.h"

#include <filesystem>

std::string gDateipfad;
std::string gPaneltitel;

namespace {

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

void DateipfadZuruecksetzen() {
    gDateipfad = DateipfadMarke();
    PaneltitelAktualisieren();
}

void PaneltitelAktualisieren() {
    const std::string name = std::filesystem::path(gDateipfad).filename().string();
    const std::string titel = gPaneltitel + "  [" + name + "]";
    SetPanelAttribute(gPanelHandle, ATTR_TITLE, titel.c_str());
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
    PaneltitelAktualisieren();
    return 0;
}

int DateiOeffnen() {
    std::string pfad;
    const int wahl = FileSelectPopup(Startverzeichnis().c_str(), DATEIFILTER, DATEIFILTER,
                                     Englisch() ? "Open" : "Öffnen", VAL_LOAD_BUTTON, 0, 1, 1, 0, &pfad);
    if (wahl <= VAL_NO_FILE_SELECTED) return 0;
    if (wahl == VAL_NEW_FILE_SELECTED) return PROGRAMMDATEI_NICHT_VORHANDEN;
    if (const int r = ProgrammdateiLesen(pfad.c_str())) return r;
    gDateipfad = pfad;
    PaneltitelAktualisieren();
    return 0;
}
