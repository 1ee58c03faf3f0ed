#include "app/callbacks_bericht.h"

#include "app/globals.h"
#include "bericht/bericht.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/geraeteangaben.h"
#include "ops/verbindung.h"
#include "params/parametersatz.h"
#include "platform/ui.h"
#include "storage/dateimenue.h"

#include <ctime>
#include <filesystem>

namespace {

const char* T(const char* deutsch, const char* englisch) {
    return gSprache == SPRACHE_ENGLISCH ? englisch : deutsch;
}

bool Unbenannt() {
    return gDateipfad == DateipfadMarke();
}

std::string Heute() {
    const std::time_t jetzt = std::time(nullptr);
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &jetzt);
#else
    localtime_r(&jetzt, &lokal);
#endif
    char text[16];
    return std::strftime(text, sizeof text, "%Y-%m-%d", &lokal) ? text : "";
}

// Asks for the free texts; false when the user cancels. What was typed is kept for the next
// report also when the file dialog that follows is cancelled.
bool TexteErfragen() {
    Berichtstexte t = gBerichtstexte;
    const FormField felder[] = {
        {T("Maschine", "Machine"), &t.maschine},
        {T("Bediener", "Operator"), &t.bediener},
        {T("Bemerkung", "Remark"), &t.bemerkung},
    };
    const int ok =
        FormPopup(T("Bericht", "Report"),
                  T("Die Einstellungen aller Sätze als PDF, zum Ablegen bei den Unterlagen der Maschine.",
                    "The settings of all sets as a PDF, to be filed with the machine's papers."),
                  felder, 3, T("Weiter …", "Next …"), T("Abbrechen", "Cancel"));
    if (ok != 1) return false;
    gBerichtstexte = t;
    return true;
}

} // namespace

std::string BerichtVorschlag() {
    const std::string stamm =
        Unbenannt() ? std::string() : std::filesystem::path(gDateipfad).stem().string() + "_";
    return stamm + T("Bericht_", "report_") + Heute() + ".pdf";
}

int BerichtErstellen(const char* pfad) {
    Berichtsdaten d;
    d.saetze = gPar;
    d.sprache = gSprache;
    d.programmdatei = Unbenannt() ? gDateipfad : std::filesystem::path(gDateipfad).filename().string();
    d.geaendert = !Unbenannt() && SaetzeGeaendert();
    d.maschine = gBerichtstexte.maschine;
    d.bediener = gBerichtstexte.bediener;
    d.bemerkung = gBerichtstexte.bemerkung;
    d.zeit = std::time(nullptr);
    if (const Vergleich* letzter = LetzterVergleich()) d.vergleich = BerichtsvergleichAus(*letzter, gPar);
    // The regulator as it answers now; its failure is a device result like any other.
    GeraeteangabenLesen(gCom.portOffen, gCom.adresse, &d.geraet);
    if (gCom.portOffen != -1) {
        ComFehlerSetzen(d.geraet.code);
        d.anschluss = AnschlussText(gCom.portOffen);
    }
    d.adresse = gCom.adresse;
    return BerichtSchreiben(pfad, d);
}

void Callback_Menu_Bericht(int, int, void*, int) {
    if (!TexteErfragen()) return;
    const std::string verzeichnis =
        Unbenannt() ? std::string() : std::filesystem::path(gDateipfad).parent_path().string();
    std::string pfad;
    const int wahl =
        FileSelectPopup(verzeichnis.c_str(), BerichtVorschlag().c_str(), "*.pdf",
                        T("Bericht speichern", "Save report"), VAL_SAVE_BUTTON, 0, 1, 1, 1, &pfad);
    if (wahl <= VAL_NO_FILE_SELECTED) return;
    if (const int r = BerichtErstellen(pfad.c_str())) {
        ZEM_Fehlerpopup(r);
        return;
    }
    const std::string text = T("Bericht gespeichert:\n", "Report saved:\n") + pfad;
    if (GenericMessagePopup(T("Bericht", "Report"), text.c_str(), T("Öffnen", "Open"), "OK", "") == 1)
        OpenDocument(pfad.c_str());
}
