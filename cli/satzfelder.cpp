#include "cli/satzfelder.h"

#include "cli/befehlszeile.h"

#include <cstring>
#include <vector>

namespace {

#define GANZ(feld)                                                                                           \
    { #feld, Feldtyp::Ganzzahl, offsetof(Parametersatz, feld), false }
#define REELL(feld)                                                                                          \
    { #feld, Feldtyp::Reell, offsetof(Parametersatz, feld), false }
#define LUECKE(feld)                                                                                         \
    { #feld, Feldtyp::Ganzzahl, offsetof(Parametersatz, feld), true }

std::vector<Satzfeld> FelderAufbauen() {
    std::vector<Satzfeld> felder = {
        GANZ(stromkurve),
        LUECKE(luecke1),
        REELL(strom1),
        REELL(strom2),
        REELL(zeit1),
        REELL(zeit2),
        REELL(zeit3),
        REELL(zeit4),
        REELL(frequenz),
        REELL(spannung),
        REELL(zyklen),
        REELL(reserviert),
        REELL(reglerkp),
        REELL(reglerki),
        GANZ(endstuferegeln),
        LUECKE(luecke2),
        REELL(strom_step),
        REELL(status_stromaktiv),
        REELL(ditherstrom),
        GANZ(dithertyp),
        LUECKE(luecke3),
        REELL(ditherfrequenz),
        REELL(reglergain),
        GANZ(rfwv_always_on),
        GANZ(rfwv_automatic_mode),
        REELL(rfwv_auto_ac_gain),
        REELL(rfwv_auto_ac_filter_freq),
        GANZ(rfwv_jump_to_0_on),
        GANZ(rfwv_current_step_on),
        REELL(rfwv_current_step_value),
        REELL(rfwv_enable_time),
        REELL(rfwv_value),
    };
    for (int i = 0; i < 10; ++i)
        felder.push_back({"dithtable_pwmcurr" + std::to_string(i + 1), Feldtyp::Reell,
                          offsetof(Parametersatz, dithtable_pwmcurr) + i * sizeof(double), false});
    for (int i = 0; i < 10; ++i)
        felder.push_back({"dithtable_dithamp" + std::to_string(i + 1), Feldtyp::Reell,
                          offsetof(Parametersatz, dithtable_dithamp) + i * sizeof(double), false});
    return felder;
}

#undef GANZ
#undef REELL
#undef LUECKE

size_t Groesse(const Satzfeld& f) {
    return f.typ == Feldtyp::Ganzzahl ? sizeof(int32_t) : sizeof(double);
}

} // namespace

const Satzfeld* Satzfelder() {
    static const std::vector<Satzfeld> felder = FelderAufbauen();
    return felder.data();
}

int32_t GanzzahlFeld(const Parametersatz& satz, const Satzfeld& f) {
    int32_t wert;
    std::memcpy(&wert, reinterpret_cast<const char*>(&satz) + f.offset, sizeof wert);
    return wert;
}

double ReellFeld(const Parametersatz& satz, const Satzfeld& f) {
    double wert;
    std::memcpy(&wert, reinterpret_cast<const char*>(&satz) + f.offset, sizeof wert);
    return wert;
}

void GanzzahlSetzen(Parametersatz* satz, const Satzfeld& f, int32_t wert) {
    std::memcpy(reinterpret_cast<char*>(satz) + f.offset, &wert, sizeof wert);
}

void ReellSetzen(Parametersatz* satz, const Satzfeld& f, double wert) {
    std::memcpy(reinterpret_cast<char*>(satz) + f.offset, &wert, sizeof wert);
}

bool FeldGleich(const Parametersatz& a, const Parametersatz& b, const Satzfeld& f) {
    return std::memcmp(reinterpret_cast<const char*>(&a) + f.offset,
                       reinterpret_cast<const char*>(&b) + f.offset, Groesse(f)) == 0;
}

std::string FeldText(const Parametersatz& satz, const Satzfeld& f) {
    return f.typ == Feldtyp::Ganzzahl ? std::to_string(GanzzahlFeld(satz, f)) : ZahlText(ReellFeld(satz, f));
}
