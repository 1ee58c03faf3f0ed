// The line monitor: the recorder of the device link as the source of the monitor window.
#include "app/callbacks_ansicht.h"

#include "app/globals.h"
#include "device/mitschnitt.h"
#include "errors/fehler.h"
#include "ops/mitschnitt_text.h"
#include "fenster/monitorfenster.h"
#include "platform/ui.h"

namespace {

bool Englisch() {
    return gSprache == 2;
}

bool Zeile(uint64_t nummer, bool hex, std::string spalten[MONITOR_SPALTEN]) {
    Austauschsatz s;
    if (!MitschnittSatzLesen(nummer, &s)) return false;
    MitschnittZeile z;
    MitschnittZeileBilden(s, gSprache, hex, &z);
    for (int i = 0; i < MONITOR_SPALTEN; ++i)
        spalten[i] = z.spalte[i];
    return true;
}

bool Fehlgeschlagen(uint64_t nummer) {
    Austauschsatz s;
    return MitschnittSatzLesen(nummer, &s) && MitschnittFehlgeschlagen(s);
}

const MonitorTexte kDeutsch = {
    "Kommunikation",
    {"Zeit", "Adr.", "Gesendet", "Empfangen", "Bedeutung", "Ergebnis"},
    "Hex",
    "Pause",
    "Leeren",
    "nur Fehler",
    "Als CSV speichern …",
    "%d Einträge",
};

const MonitorTexte kEnglisch = {
    "Communication", {"Time", "Addr.", "Sent", "Received", "Meaning", "Outcome"},
    "Hex",           "Pause",
    "Clear",         "Only failures",
    "Save as CSV …", "%d entries",
};

} // namespace

void KommunikationSpeichern(bool nurFehler) {
    std::string pfad;
    const int wahl = FileSelectPopup("", "*.csv", "*.csv", Englisch() ? "Save as CSV" : "Als CSV speichern",
                                     VAL_SAVE_BUTTON, 0, 1, 1, 1, &pfad);
    if (wahl <= VAL_NO_FILE_SELECTED) return;
    if (const int fehler = MitschnittCsvSpeichern(pfad.c_str(), gSprache, nurFehler)) ZEM_Fehlerpopup(fehler);
}

void Callback_Menu_Kommunikation(int, int, void*, int) {
    static const MonitorQuelle kQuelle = {
        MitschnittErste, MitschnittLetzte, Zeile, Fehlgeschlagen, MitschnittLeeren, KommunikationSpeichern,
    };
    MonitorFensterZeigen(kQuelle, Englisch() ? kEnglisch : kDeutsch);
}
