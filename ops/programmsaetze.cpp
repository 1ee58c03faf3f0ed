#include "ops/programmsaetze.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/satztransfer.h"
#include "params/parametersatz.h"

#include <algorithm>

namespace {

// The step of the STK9 buttons belongs to the program, not to the regulator.
void OhneStromschrittKopieren(Parametersatz* ziel, const Parametersatz& quelle) {
    const double stromStep = ziel->strom_step;
    *ziel = quelle;
    ziel->strom_step = stromStep;
}

void Melden(Fortschrittsmelder melder, void* kontext, int fertig, int gesamt) {
    if (melder) melder(fertig * 100 / gesamt, kontext);
}

int ProgrammBefehl(const char* name, int n) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, name, 0.0, n, 0);
}

} // namespace

int ProgrammsaetzeLesen(int erster, int letzter, Fortschrittsmelder melder, void* kontext) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    // Fields a regulator refuses (an a-version knows no raised free-wheeling voltage) keep what
    // the receiving record held: the defaults, and a dither table of zeros.
    Parametersatz satz{};
    ParametersatzVorgabe(&satz);
    const int gesamt = letzter - erster + 1;
    int fertig = 0;
    for (int n = erster; n <= letzter; ++n) {
        const int r = ParametersatzLesen(n, &satz);
        if (r != 0) return r;
        OhneStromschrittKopieren(&gPar[n], satz);
        Melden(melder, kontext, ++fertig, gesamt);
    }
    // Reading program n made the regulator load it: its working parameters are the last set read.
    OhneStromschrittKopieren(&gPar[0], satz);
    return 0;
}

int ProgrammsaetzeSchreiben(int erster, int letzter, Fortschrittsmelder melder, void* kontext) {
    uint32_t maske = 0;
    for (int n = std::max(erster, 0); n <= letzter && n < PARAMETERSAETZE; ++n)
        maske |= 1u << n;
    return ProgrammsaetzeSchreibenMaske(maske, melder, kontext);
}

int ProgrammsaetzeSchreibenMaske(uint32_t saetze, Fortschrittsmelder melder, void* kontext) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int gesamt = 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        gesamt += (saetze >> n) & 1u;
    if (gesamt == 0) return 0;
    int fertig = 0;
    Parametersatz satz{};
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!((saetze >> n) & 1u)) continue;
        satz = gPar[n];
        const int r = ParametersatzSchreiben(n, &satz);
        if (r != 0) return r;
        Melden(melder, kontext, ++fertig, gesamt);
    }
    // The regulator works with the last set written now.
    gPar[0] = satz;
    return 0;
}

int ProgrammLadenNummer(int n) {
    return ProgrammBefehl("programmladen", n);
}

int ProgrammSpeichernNummer(int n) {
    return ProgrammBefehl("programmspeichern", n);
}
