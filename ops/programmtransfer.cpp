#include "ops/programmtransfer.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/programmsaetze.h"
#include "ops/satzvergleich.h"
#include "ops/sicherung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"
#include "storage/sicherungsdateien.h"

#include <ctime>

namespace {

constexpr int KNOPF_AKTUELL = 1;
constexpr int KNOPF_ALLE = 2;

struct Frage {
    const char* titel;
    const char* text;
};

const Frage kLesenDe = {"von VKR lesen", "Nur aktuell ausgewähltes oder alle Programme lesen?"};
const Frage kLesenEn = {"read from VKR", "Read all programs or actual program only?"};
const Frage kSchreibenDe = {"auf VKR schreiben", "Nur aktuell ausgewähltes oder alle Programme schreiben?"};
const Frage kSchreibenEn = {"Write to VKR", "Write all programs or actual program only?"};

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

// "Actual" gives the selected set, "All" programs 1 to 16; false when the user cancels.
bool BereichErfragen(const Frage& frage, int* erster, int* letzter) {
    const int knopf = Englisch()
                          ? GenericMessagePopup(frage.titel, frage.text, "Actual", "All", "Cancel")
                          : GenericMessagePopup(frage.titel, frage.text, "aktuelles", "alle", "abbrechen");
    if (knopf == KNOPF_AKTUELL) {
        *erster = *letzter = gParIndex;
        return true;
    }
    if (knopf == KNOPF_ALLE) {
        *erster = 1;
        *letzter = PARAMETERSAETZE - 1;
        return true;
    }
    return false;
}

int FortschrittOeffnen() {
    // Modal, and advanced without handling events: a transfer cannot be cancelled once started.
    return CreateProgressDialog(Englisch() ? "Progress" : "Fortschritt", "", 1, 3, "");
}

void PanelErneuern() {
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
}

void FortschrittZeigen(int prozent, void* dialog) {
    UpdateProgressDialog(*static_cast<int*>(dialog), prozent, 0);
}

bool LesefortschrittZeigen(int prozent, void* dialog) {
    UpdateProgressDialog(*static_cast<int*>(dialog), prozent, 0);
    return false;
}

// The sets first..last as bits.
Satzmaske Maske(int erster, int letzter) {
    Satzmaske maske = 0;
    for (int n = erster; n <= letzter; ++n)
        maske |= SatzBit(n);
    return maske;
}

// Reads what the regulator holds in the sets about to be written into the backup folder.
int Sichern(Satzmaske saetze) {
    int dialog =
        CreateProgressDialog(Englisch() ? "Progress" : "Fortschritt",
                             Englisch() ? "Backup before writing" : "Sicherung vor dem Schreiben", 1, 3, "");
    const std::string ordner = SicherungsordnerStandard();
    const int r = SicherungAnlegen(gCom.portOffen, gCom.adresse, saetze, ordner.c_str(), SICHERUNGEN_BEHALTEN,
                                   std::time(nullptr), LesefortschrittZeigen, &dialog, nullptr);
    DiscardProgressDialog(dialog);
    if (r == SICHERUNGSORDNER_ANLEGEN || r == SICHERUNG_SCHREIBEN) {
        const std::string text = (Englisch() ? ": " + ordner + "; nothing was written to the device."
                                             : ": " + ordner + "; auf das Gerät wurde nichts geschrieben.");
        ZEM_Fehleruserstring(text.c_str());
    } else if (r != 0) {
        ZEM_Fehleruserstring(Englisch() ? " during the backup before writing; nothing was written."
                                        : " beim Sichern vor dem Schreiben; es wurde nichts geschrieben.");
    }
    return r;
}

// Reads the sets just written back and compares them with gPar; the result becomes the last
// comparison.
int Pruefen(Satzmaske saetze) {
    int dialog =
        CreateProgressDialog(Englisch() ? "Progress" : "Fortschritt",
                             Englisch() ? "Verify after writing" : "Prüfung nach dem Schreiben", 1, 3, "");
    static Vergleich ergebnis;
    const int r = GeschriebeneSaetzePruefen(gCom.portOffen, gCom.adresse, gPar, saetze, LesefortschrittZeigen,
                                            &dialog, &ergebnis);
    DiscardProgressDialog(dialog);
    if (r == 0 || r == PRUEFUNG_ABWEICHUNG) LetztenVergleichMerken(ergebnis);
    if (r != 0 && r != PRUEFUNG_ABWEICHUNG)
        ZEM_Fehleruserstring(Englisch() ? " while verifying after writing; the sets were written."
                                        : " beim Prüfen nach dem Schreiben; die Sätze sind geschrieben.");
    return r;
}

int ProgrammnummerDesPanels() {
    int n = 0;
    GetCtrlVal(gPanelHandle, MAINPANEL_EINZUSTELLENDESPROG, &n);
    return n;
}

} // namespace

int Vkr3ProgrammeLesen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int erster = 0, letzter = 0;
    if (!BereichErfragen(Englisch() ? kLesenEn : kLesenDe, &erster, &letzter)) return 0;

    int dialog = FortschrittOeffnen();
    const int r = ProgrammsaetzeLesen(erster, letzter, FortschrittZeigen, &dialog);
    if (r == 0) PanelErneuern();
    DiscardProgressDialog(dialog);
    return r;
}

int Vkr3ProgrammeSchreiben() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int erster = 0, letzter = 0;
    if (!BereichErfragen(Englisch() ? kSchreibenEn : kSchreibenDe, &erster, &letzter)) return 0;
    return Vkr3SaetzeSchreiben(Maske(erster, letzter), gExtras.nachSchreibenPruefen != 0);
}

int Vkr3SaetzeSchreiben(uint32_t saetze, bool pruefen) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    if (gExtras.vorSchreibenSichern)
        if (const int r = Sichern(saetze)) return r;
    int dialog = FortschrittOeffnen();
    const int r = ProgrammsaetzeSchreibenMaske(saetze, FortschrittZeigen, &dialog);
    if (r == 0) PanelErneuern();
    DiscardProgressDialog(dialog);
    if (r != 0 || !pruefen) return r;
    return Pruefen(saetze);
}

int Vkr3ProgrammLaden() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ProgrammLadenNummer(ProgrammnummerDesPanels());
}

int Vkr3ProgrammSpeichern() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ProgrammSpeichernNummer(ProgrammnummerDesPanels());
}
