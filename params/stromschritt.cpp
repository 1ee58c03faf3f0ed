#include "params/stromschritt.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"

#include <algorithm>

namespace {

// Limits of the current controls on the panel.
constexpr double STROM_MIN = 0.001;
constexpr double STROM_MAX = 6.0;

// richtung +1 or -1. A current already beyond a limit (from a file) is not moved further out,
// nor pulled back by a step in the other sense than asked.
double Geschritten(double strom, double schritt, int richtung) {
    if (richtung > 0) return strom >= STROM_MAX ? strom : std::min(strom + schritt, STROM_MAX);
    return strom <= STROM_MIN ? strom : std::max(strom - schritt, STROM_MIN);
}

int Schritt(int richtung) {
    Parametersatz& p = gPar[gParIndex];
    if (p.status_stromaktiv == 1.0) p.strom1 = Geschritten(p.strom1, p.strom_step, richtung);
    if (p.status_stromaktiv == 2.0) p.strom2 = Geschritten(p.strom2, p.strom_step, richtung);
    ParameterAusStrukturInGui();
    return StroemeSchreiben();
}

} // namespace

int StromIncrement() {
    return Schritt(+1);
}

int StromDecrement() {
    return Schritt(-1);
}

int StroemeSchreiben() {
    const Parametersatz& p = gPar[gParIndex];
    const int r = ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, "strom1", p.strom1, 0, 0);
    if (r != 0) return r;
    return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, "strom2", p.strom2, 0, 0);
}
