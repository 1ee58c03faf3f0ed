#include "app/callbacks_extras.h"

#include "app/globals.h"
#include "app/vergleichstexte.h"
#include "app/vkr3xsteuerung.h"
#include "errors/fehler.h"
#include "fenster/vergleichsfenster.h"
#include "ops/com.h"
#include "ops/geraetevergleich.h"
#include "ops/satzvergleich.h"
#include "ops/verbindung.h"
#include "params/panel_transfer.h"
#include "params/parametersterne.h"
#include "platform/ui.h"
#include "storage/dateimenue.h"
#include "storage/sicherungsdateien.h"

namespace {

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

const VergleichsTexte kDeutsch = {
    "Vergleich mit dem Gerät",
    {"Parametersatz / Feld", "Ergebnis", "Panel", "Gerät", "In Kurve benötigt"},
    "Nur Abweichungen zeigen",
    "Arbeitsparameter mitvergleichen",
    "Abweichende Programme schreiben",
    "Vom Gerät übernehmen",
    "Erneut vergleichen",
    "Schließen",
    "Vergleichsergebnis",
    "Keine Abweichungen: das Gerät hält alle verglichenen Sätze wie das Programm.",
};

const VergleichsTexte kEnglisch = {
    "Comparison with the device",
    {"Parameter set / field", "Result", "Panel", "Device", "Needed in curve"},
    "Only differences",
    "Include working parameters",
    "Write differing programs",
    "Take over from device",
    "Compare again",
    "Close",
    "Comparison result",
    "No differences: the device holds every set compared as the program does.",
};

void FensterZeigen();

void Schreiben() {
    SchreibergebnisZeigen(Vkr3AbweichendeSchreiben());
    FensterZeigen();
}

void Uebernehmen() {
    ComFehlerSetzen(Vkr3VomGeraetUebernehmen());
    FensterZeigen();
}

void Erneut() {
    ComFehlerSetzen(Vkr3GeraetVergleichen());
    FensterZeigen();
}

void Wahl(bool nurAbweichungen, bool arbeitsparameter) {
    gExtras.vergleichNurAbweichungen = nurAbweichungen ? 1 : 0;
    gExtras.vergleichArbeitsparameter = arbeitsparameter ? 1 : 0;
}

void FensterZeigen() {
    const Vergleich* v = LetzterVergleich();
    if (!v) return;
    static const VergleichsAktionen kAktionen = {Schreiben, Uebernehmen, Erneut, Wahl};
    VergleichsfensterZeigen(VergleichsinhaltBilden(*v), Englisch() ? kEnglisch : kDeutsch, kAktionen);
}

// The switch's check mark into gExtras: the menu toggles the mark itself.
void SchalterLesen(int menuBar, int menuItem, int* schalter) {
    int an = *schalter;
    if (GetMenuBarAttribute(menuBar, menuItem, ATTR_CHECKED, &an) == 0) *schalter = an;
}

} // namespace

void Callback_Menu_Vergleichen(int, int, void*, int) {
    const int r = Vkr3GeraetVergleichen();
    ComFehlerSetzen(r);
    // Without a port nothing was read; a failure or a cancel shows what was read until then.
    if (r != KEIN_PORT_OFFEN) FensterZeigen();
}

void Callback_Menu_Pruefen(int menuBar, int menuItem, void*, int) {
    SchalterLesen(menuBar, menuItem, &gExtras.nachSchreibenPruefen);
}

void Callback_Menu_Sichern(int menuBar, int menuItem, void*, int) {
    SchalterLesen(menuBar, menuItem, &gExtras.vorSchreibenSichern);
}

void Callback_Menu_SicherungOeffnen(int, int, void*, int) {
    // The backups are program files: opening one is File/Open in their folder, and writing it
    // restores it.
    const std::string ordner = SicherungsordnerStandard();
    SicherungsordnerAnlegen(ordner.c_str());
    if (const int r = DateiOeffnenIn(ordner.c_str())) ZEM_Fehlerpopup(r);
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
}

void ExtrasMenueSetzen() {
    const int leiste = GetPanelMenuBar(gPanelHandle);
    SetMenuBarAttribute(leiste, MENUBAR_EXTRAS_PRUEFEN, ATTR_CHECKED, gExtras.nachSchreibenPruefen);
    SetMenuBarAttribute(leiste, MENUBAR_EXTRAS_SICHERN, ATTR_CHECKED, gExtras.vorSchreibenSichern);
}

void SchreibergebnisZeigen(int code) {
    const Vergleich* v = LetzterVergleich();
    if (code == PRUEFUNG_ABWEICHUNG && v) ZEM_Fehleruserstring(AbweichungenText(*v).c_str());
    ComFehlerSetzen(code);
    if (code == PRUEFUNG_ABWEICHUNG) FensterZeigen();
}

void ExtrasBeenden() {
    VergleichsfensterVerwerfen();
}
