#include "ops/satztransfer.h"

#include "device/parametertabelle.h"
#include "device/werttext.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/istwertbeobachter.h"

#include <cstring>

namespace {

constexpr int NAK_BEIM_LESEN = -402099;
constexpr int NAK_BEIM_SCHREIBEN = -402051;
constexpr int BEREICH = -500034;

#define GANZ(feld)                                                                                           \
    Transferfeld {                                                                                           \
#feld, true, offsetof(Parametersatz, feld), false                                                    \
    }
#define REELL(feld)                                                                                          \
    Transferfeld {                                                                                           \
#feld, false, offsetof(Parametersatz, feld), false                                                   \
    }
#define OPT_GANZ(feld)                                                                                       \
    Transferfeld {                                                                                           \
#feld, true, offsetof(Parametersatz, feld), true                                                     \
    }
#define OPT_REELL(feld)                                                                                      \
    Transferfeld {                                                                                           \
#feld, false, offsetof(Parametersatz, feld), true                                                    \
    }
#define TABELLE(name, feld, i)                                                                               \
    Transferfeld {                                                                                           \
        name, false, offsetof(Parametersatz, feld) + (i) * sizeof(double), true                              \
    }

// Read order: the basic values ("endstuferegeln" last here, before the controller values when
// writing), then the dither, then the commands older regulators do not know.
const Transferfeld kFelder[] = {
    GANZ(stromkurve),
    REELL(strom1),
    REELL(strom2),
    REELL(zeit1),
    REELL(zeit2),
    REELL(zeit3),
    REELL(zeit4),
    REELL(frequenz),
    REELL(spannung),
    REELL(zyklen),
    REELL(reglerkp),
    REELL(reglerki),
    REELL(reglergain),
    GANZ(endstuferegeln),
    GANZ(dithertyp),
    REELL(ditherfrequenz),
    REELL(ditherstrom),
    OPT_GANZ(rfwv_always_on),
    OPT_GANZ(rfwv_automatic_mode),
    OPT_REELL(rfwv_auto_ac_gain),
    OPT_REELL(rfwv_auto_ac_filter_freq),
    OPT_GANZ(rfwv_jump_to_0_on),
    OPT_GANZ(rfwv_current_step_on),
    OPT_REELL(rfwv_current_step_value),
    OPT_REELL(rfwv_enable_time),
    OPT_REELL(rfwv_value),
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
constexpr size_t GRUNDWERTE = 14; // status_stromaktiv is read after these
constexpr size_t FELDER = sizeof(kFelder) / sizeof(kFelder[0]);
static_assert(FELDER <= 64, "one bit of a Feldmaske per field");

// Write order of the basic values and the dither, as indices into kFelder; the optional
// commands follow in read order.
constexpr size_t kSchreibfolge[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 10, 11, 12, 14, 15, 16};
constexpr size_t ERSTES_OPTIONALES = 17;

#undef GANZ
#undef REELL
#undef OPT_GANZ
#undef OPT_REELL
#undef TABELLE

// The field changes only when the read succeeds.
int FeldLesen(int port, char adresse, const Transferfeld& f, Parametersatz* satz) {
    double wert = 0.0;
    int ganzzahl = 0;
    const int r = ZEMVKR3X_ParameterLesen(port, adresse, f.name, &wert, &ganzzahl, nullptr);
    if (r != 0) return r;
    char* feld = reinterpret_cast<char*>(satz) + f.offset;
    if (f.ganzzahl) {
        const int32_t v = ganzzahl;
        std::memcpy(feld, &v, sizeof v);
    } else {
        std::memcpy(feld, &wert, sizeof wert);
    }
    return 0;
}

int FeldSchreiben(int port, char adresse, const Transferfeld& f, const Parametersatz* satz) {
    const char* feld = reinterpret_cast<const char*>(satz) + f.offset;
    if (f.ganzzahl) {
        int32_t v;
        std::memcpy(&v, feld, sizeof v);
        return ZEMVKR3X_ParameterSchreiben(port, adresse, f.name, 0.0, v, 0);
    }
    double v;
    std::memcpy(&v, feld, sizeof v);
    return ZEMVKR3X_ParameterSchreiben(port, adresse, f.name, v, 0, 0);
}

} // namespace

std::span<const Transferfeld> Transferfelder() {
    return kFelder;
}

int ParametersatzLesenAn(int port, char adresse, int n, Parametersatz* satz, Feldmaske* abgelehnt) {
    if (abgelehnt) *abgelehnt = 0;
    if (n != 0)
        if (const int r = ZEMVKR3X_ParameterSchreiben(port, adresse, "programmladen", 0.0, n, 0)) return r;
    for (size_t i = 0; i < FELDER; ++i) {
        if (i == GRUNDWERTE) {
            double stromaktiv = 0.0;
            if (ZEMVKR3X_ParameterLesen(port, adresse, "status_stromaktiv", &stromaktiv, nullptr, nullptr) !=
                0)
                stromaktiv = STROMAKTIV_UNBEKANNT;
            satz->status_stromaktiv = stromaktiv;
        }
        const int r = FeldLesen(port, adresse, kFelder[i], satz);
        if (r == NAK_BEIM_LESEN && kFelder[i].optional) {
            if (abgelehnt) *abgelehnt |= Feldmaske{1} << i;
            continue;
        }
        if (r != 0) return r;
    }
    return 0;
}

int ParametersatzSchreibenAn(int port, char adresse, int n, const Parametersatz* satz) {
    if (n < 0 || n >= PARAMETERSAETZE) return BEREICH;
    for (size_t i : kSchreibfolge)
        if (const int r = FeldSchreiben(port, adresse, kFelder[i], satz)) return r;
    for (size_t i = ERSTES_OPTIONALES; i < FELDER; ++i) {
        const int r = FeldSchreiben(port, adresse, kFelder[i], satz);
        if (r != 0 && r != NAK_BEIM_SCHREIBEN) return r;
    }
    if (n != 0) return ZEMVKR3X_ParameterSchreiben(port, adresse, "programmspeichern", 0.0, n, 0);
    return 0;
}

int ParametersatzLesen(int n, Parametersatz* satz) {
    return ParametersatzLesenAn(gCom.portOffen, gCom.adresse, n, satz, nullptr);
}

int ParametersatzSchreiben(int n, const Parametersatz* satz) {
    return ParametersatzSchreibenAn(gCom.portOffen, gCom.adresse, n, satz);
}

int TransferfeldText(const Parametersatz& satz, const Transferfeld& feld, char* text, int groesse) {
    const char* wert = reinterpret_cast<const char*>(&satz) + feld.offset;
    if (feld.ganzzahl) {
        int32_t v;
        std::memcpy(&v, wert, sizeof v);
        return GanzzahlFormatieren(text, groesse, v);
    }
    double v;
    std::memcpy(&v, wert, sizeof v);
    const ParameterZeile* zeile = ParameterSuchen(feld.name, ZUGRIFF_SCHREIBEN);
    return ReellFormatieren(text, groesse, v, zeile ? zeile->nachkomma : 3);
}
