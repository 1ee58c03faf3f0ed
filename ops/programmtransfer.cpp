#include "ops/programmtransfer.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "ops/com.h"
#include "ops/programmsaetze.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"

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

    int dialog = FortschrittOeffnen();
    const int r = ProgrammsaetzeSchreiben(erster, letzter, FortschrittZeigen, &dialog);
    if (r == 0) PanelErneuern();
    DiscardProgressDialog(dialog);
    return r;
}

int Vkr3ProgrammLaden() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ProgrammLadenNummer(ProgrammnummerDesPanels());
}

int Vkr3ProgrammSpeichern() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ProgrammSpeichernNummer(ProgrammnummerDesPanels());
}
