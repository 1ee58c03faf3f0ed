#include "ops/programmtransfer.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/satztransfer.h"
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

// The step of the STK9 buttons belongs to the program, not to the regulator.
void OhneStromschrittKopieren(Parametersatz* ziel, const Parametersatz& quelle) {
    const double stromStep = ziel->strom_step;
    *ziel = quelle;
    ziel->strom_step = stromStep;
}

void PanelErneuern() {
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
}

int ProgrammBefehl(const char* name) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int n = 0;
    GetCtrlVal(gPanelHandle, MAINPANEL_EINZUSTELLENDESPROG, &n);
    return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, name, 0.0, n, 0);
}

} // namespace

int Vkr3ProgrammeLesen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int erster = 0, letzter = 0;
    if (!BereichErfragen(Englisch() ? kLesenEn : kLesenDe, &erster, &letzter)) return 0;

    // Fields a regulator refuses (an a-version knows no raised free-wheeling voltage) keep what
    // the receiving record held: the defaults, and a dither table of zeros.
    Parametersatz satz{};
    ParametersatzVorgabe(&satz);
    const int gesamt = letzter - erster + 1;
    int fertig = 0;

    const int dialog = FortschrittOeffnen();
    for (int n = erster; n <= letzter; ++n) {
        const int r = ParametersatzLesen(n, &satz);
        if (r != 0) {
            DiscardProgressDialog(dialog);
            return r;
        }
        OhneStromschrittKopieren(&gPar[n], satz);
        UpdateProgressDialog(dialog, ++fertig * 100 / gesamt, 0);
    }
    // Reading program n made the regulator load it: its working parameters are the last set read.
    OhneStromschrittKopieren(&gPar[0], satz);
    PanelErneuern();
    DiscardProgressDialog(dialog);
    return 0;
}

int Vkr3ProgrammeSchreiben() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int erster = 0, letzter = 0;
    if (!BereichErfragen(Englisch() ? kSchreibenEn : kSchreibenDe, &erster, &letzter)) return 0;

    const int gesamt = letzter - erster + 1;
    int fertig = 0;
    Parametersatz satz = gPar[erster];

    const int dialog = FortschrittOeffnen();
    for (int n = erster; n <= letzter; ++n) {
        satz = gPar[n];
        const int r = ParametersatzSchreiben(n, &satz);
        if (r != 0) {
            DiscardProgressDialog(dialog);
            return r;
        }
        UpdateProgressDialog(dialog, ++fertig * 100 / gesamt, 0);
    }
    // The regulator works with the last set written now.
    gPar[0] = satz;
    PanelErneuern();
    DiscardProgressDialog(dialog);
    return 0;
}

int Vkr3ProgrammLaden() {
    return ProgrammBefehl("programmladen");
}

int Vkr3ProgrammSpeichern() {
    return ProgrammBefehl("programmspeichern");
}
