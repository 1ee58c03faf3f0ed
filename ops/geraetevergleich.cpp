#include "ops/geraetevergleich.h"

#include "app/globals.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/programmtransfer.h"
#include "ops/satzvergleich.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"

#include <string>

namespace {

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

bool Melden(int prozent, void* dialog) {
    return UpdateProgressDialog(*static_cast<int*>(dialog), prozent, 1) == 1;
}

void OhneStromschrittKopieren(Parametersatz* ziel, const Parametersatz& quelle) {
    const double stromStep = ziel->strom_step;
    *ziel = quelle;
    ziel->strom_step = stromStep;
}

// " reading program 6" after the catalogue's text.
void SatzNennen(const Vergleich& v) {
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (v.satz[n].code == 0 || v.satz[n].code == VERGLEICH_ABGEBROCHEN) continue;
        const std::string text =
            n == 0 ? (Englisch() ? " reading the working parameters" : " beim Lesen der Arbeitsparameter")
                   : (Englisch() ? " reading program " : " beim Lesen von Programm ") + std::to_string(n);
        ZEM_Fehleruserstring(text.c_str());
        return;
    }
}

} // namespace

int Vkr3GeraetVergleichen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    const Satzmaske saetze = gExtras.vergleichArbeitsparameter ? SAETZE_ALLE : SAETZE_PROGRAMME;
    int dialog = CreateProgressDialog(Englisch() ? "Progress" : "Fortschritt",
                                      Englisch() ? "Comparing with the device" : "Vergleich mit dem Gerät", 1,
                                      3, Englisch() ? "Cancel" : "abbrechen");
    static Vergleich ergebnis;
    const int r = GeraetVergleichen(gCom.portOffen, gCom.adresse, gPar, saetze, Melden, &dialog, &ergebnis);
    DiscardProgressDialog(dialog);
    LetztenVergleichMerken(ergebnis);
    if (r != 0) SatzNennen(ergebnis);
    return r;
}

int Vkr3AbweichendeSchreiben() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    const Vergleich* letzter = LetzterVergleich();
    if (!letzter) return 0;
    Satzmaske saetze = AbweichendeSaetze(*letzter);
    if (saetze & SAETZE_PROGRAMME) saetze &= SAETZE_PROGRAMME;
    if (saetze == 0) return Vkr3GeraetVergleichen();
    // The comparison after it reads every set again: no separate verify.
    if (const int r = Vkr3SaetzeSchreiben(saetze, false)) return r;
    if (const int r = Vkr3GeraetVergleichen()) return r;
    return (AbweichendeSaetze(*LetzterVergleich()) & saetze) != 0 ? PRUEFUNG_ABWEICHUNG : 0;
}

int Vkr3VomGeraetUebernehmen() {
    const Vergleich* letzter = LetzterVergleich();
    if (!letzter) return 0;
    Vergleich v = *letzter;
    int zuletzt = -1; // the last set read: what the regulator now works with
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(v.saetze & SatzBit(n)) || v.satz[n].status == Satzstatus::NichtGelesen) continue;
        OhneStromschrittKopieren(&gPar[n], v.geraet[n]);
        zuletzt = n;
    }
    if (zuletzt > 0) {
        OhneStromschrittKopieren(&gPar[0], v.geraet[zuletzt]);
        if (v.saetze & SATZ_ARBEITSPARAMETER) v.geraet[0] = v.geraet[zuletzt];
        v.abgelehnt[0] = v.abgelehnt[zuletzt];
    }
    VergleichErneuern(&v, gPar);
    LetztenVergleichMerken(v);
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
    return 0;
}
