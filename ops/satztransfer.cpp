#include "ops/satztransfer.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/istwertbeobachter.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int NAK_BEIM_LESEN = -402099;
constexpr int NAK_BEIM_SCHREIBEN = -402051;
constexpr int BEREICH = -500034;

enum class Feldart { Ganzzahl, Reell };

// A device parameter and the record field of the same name.
struct Satzfeld {
    const char* name;
    Feldart art;
    size_t offset;
};

#define GANZ(feld)                                                                                           \
    { #feld, Feldart::Ganzzahl, offsetof(Parametersatz, feld) }
#define REELL(feld)                                                                                          \
    { #feld, Feldart::Reell, offsetof(Parametersatz, feld) }
#define TABELLE(name, feld, i)                                                                               \
    { name, Feldart::Reell, offsetof(Parametersatz, feld) + (i) * sizeof(double) }

// Read order of the basic values; "endstuferegeln" comes last here but before the controller
// values when writing.
const Satzfeld kLesenGrundwerte[] = {
    GANZ(stromkurve), REELL(strom1),   REELL(strom2),     REELL(zeit1),         REELL(zeit2),
    REELL(zeit3),     REELL(zeit4),    REELL(frequenz),   REELL(spannung),      REELL(zyklen),
    REELL(reglerkp),  REELL(reglerki), REELL(reglergain), GANZ(endstuferegeln),
};

const Satzfeld kLesenDither[] = {GANZ(dithertyp), REELL(ditherfrequenz), REELL(ditherstrom)};

const Satzfeld kSchreibenGrundwerte[] = {
    GANZ(stromkurve),      REELL(strom1),      REELL(strom2),   REELL(zeit1),      REELL(zeit2),
    REELL(zeit3),          REELL(zeit4),       REELL(frequenz), REELL(spannung),   REELL(zyklen),
    GANZ(endstuferegeln),  REELL(reglerkp),    REELL(reglerki), REELL(reglergain), GANZ(dithertyp),
    REELL(ditherfrequenz), REELL(ditherstrom),
};

// Commands that older regulators do not know and refuse with NAK; a set transfer passes over
// exactly these refusals.
const Satzfeld kOptional[] = {
    GANZ(rfwv_always_on),
    GANZ(rfwv_automatic_mode),
    REELL(rfwv_auto_ac_gain),
    REELL(rfwv_auto_ac_filter_freq),
    GANZ(rfwv_jump_to_0_on),
    GANZ(rfwv_current_step_on),
    REELL(rfwv_current_step_value),
    REELL(rfwv_enable_time),
    REELL(rfwv_value),
    TABELLE("dithtable_pwmcurr1", dithtable_pwmcurr, 0),
    TABELLE("dithtable_pwmcurr2", dithtable_pwmcurr, 1),
    TABELLE("dithtable_pwmcurr3", dithtable_pwmcurr, 2),
    TABELLE("dithtable_pwmcurr4", dithtable_pwmcurr, 3),
    TABELLE("dithtable_pwmcurr5", dithtable_pwmcurr, 4),
    TABELLE("dithtable_pwmcurr6", dithtable_pwmcurr, 5),
    TABELLE("dithtable_pwmcurr7", dithtable_pwmcurr, 6),
    TABELLE("dithtable_pwmcurr8", dithtable_pwmcurr, 7),
    TABELLE("dithtable_pwmcurr9", dithtable_pwmcurr, 8),
    TABELLE("dithtable_pwmcurr10", dithtable_pwmcurr, 9),
    TABELLE("dithtable_dithamp1", dithtable_dithamp, 0),
    TABELLE("dithtable_dithamp2", dithtable_dithamp, 1),
    TABELLE("dithtable_dithamp3", dithtable_dithamp, 2),
    TABELLE("dithtable_dithamp4", dithtable_dithamp, 3),
    TABELLE("dithtable_dithamp5", dithtable_dithamp, 4),
    TABELLE("dithtable_dithamp6", dithtable_dithamp, 5),
    TABELLE("dithtable_dithamp7", dithtable_dithamp, 6),
    TABELLE("dithtable_dithamp8", dithtable_dithamp, 7),
    TABELLE("dithtable_dithamp9", dithtable_dithamp, 8),
    TABELLE("dithtable_dithamp10", dithtable_dithamp, 9),
};

#undef GANZ
#undef REELL
#undef TABELLE

int32_t* GanzFeld(Parametersatz* satz, const Satzfeld& f) {
    return reinterpret_cast<int32_t*>(reinterpret_cast<char*>(satz) + f.offset);
}
double* ReellFeld(Parametersatz* satz, const Satzfeld& f) {
    return reinterpret_cast<double*>(reinterpret_cast<char*>(satz) + f.offset);
}

// The field changes only when the read succeeds.
int FeldLesen(const Satzfeld& f, Parametersatz* satz) {
    double wert = 0.0;
    int ganzzahl = 0;
    const int r = ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, f.name, &wert, &ganzzahl, nullptr);
    if (r != 0) return r;
    if (f.art == Feldart::Ganzzahl)
        *GanzFeld(satz, f) = ganzzahl;
    else
        *ReellFeld(satz, f) = wert;
    return 0;
}

int FeldSchreiben(const Satzfeld& f, const Parametersatz* satz) {
    const char* feld = reinterpret_cast<const char*>(satz) + f.offset;
    if (f.art == Feldart::Ganzzahl)
        return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, f.name, 0.0,
                                           *reinterpret_cast<const int32_t*>(feld), 0);
    return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, f.name,
                                       *reinterpret_cast<const double*>(feld), 0, 0);
}

template <size_t N> int AlleLesen(const Satzfeld (&felder)[N], Parametersatz* satz, int uebergehen) {
    for (const Satzfeld& f : felder) {
        const int r = FeldLesen(f, satz);
        if (r != 0 && r != uebergehen) return r;
    }
    return 0;
}

template <size_t N>
int AlleSchreiben(const Satzfeld (&felder)[N], const Parametersatz* satz, int uebergehen) {
    for (const Satzfeld& f : felder) {
        const int r = FeldSchreiben(f, satz);
        if (r != 0 && r != uebergehen) return r;
    }
    return 0;
}

} // namespace

int ParametersatzLesen(int n, Parametersatz* satz) {
    int r = 0;
    if (n != 0) {
        r = ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, "programmladen", 0.0, n, 0);
        if (r != 0) return r;
    }
    r = AlleLesen(kLesenGrundwerte, satz, 0);
    if (r != 0) return r;

    double stromaktiv = 0.0;
    if (ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, "status_stromaktiv", &stromaktiv, nullptr,
                                nullptr) != 0)
        stromaktiv = STROMAKTIV_UNBEKANNT;
    satz->status_stromaktiv = stromaktiv;

    r = AlleLesen(kLesenDither, satz, 0);
    if (r != 0) return r;
    return AlleLesen(kOptional, satz, NAK_BEIM_LESEN);
}

int ParametersatzSchreiben(int n, const Parametersatz* satz) {
    if (n < 0 || n >= PARAMETERSAETZE) return BEREICH;
    int r = AlleSchreiben(kSchreibenGrundwerte, satz, 0);
    if (r != 0) return r;
    r = AlleSchreiben(kOptional, satz, NAK_BEIM_SCHREIBEN);
    if (r != 0) return r;
    if (n != 0)
        return ZEMVKR3X_ParameterSchreiben(gCom.portOffen, gCom.adresse, "programmspeichern", 0.0, n, 0);
    return 0;
}
