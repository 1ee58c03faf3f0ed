#include "params/parametersatz.h"

#include <cstddef>

static_assert(sizeof(double) == 8 && sizeof(int32_t) == 4);
static_assert(sizeof(Parametersatz) == 376, "program files depend on the 376-byte record");
static_assert(offsetof(Parametersatz, stromkurve) == 0);
static_assert(offsetof(Parametersatz, strom1) == 8);
static_assert(offsetof(Parametersatz, strom2) == 16);
static_assert(offsetof(Parametersatz, zeit1) == 24);
static_assert(offsetof(Parametersatz, zeit2) == 32);
static_assert(offsetof(Parametersatz, zeit3) == 40);
static_assert(offsetof(Parametersatz, zeit4) == 48);
static_assert(offsetof(Parametersatz, frequenz) == 56);
static_assert(offsetof(Parametersatz, spannung) == 64);
static_assert(offsetof(Parametersatz, zyklen) == 72);
static_assert(offsetof(Parametersatz, reserviert) == 80);
static_assert(offsetof(Parametersatz, reglerkp) == 88);
static_assert(offsetof(Parametersatz, reglerki) == 96);
static_assert(offsetof(Parametersatz, endstuferegeln) == 104);
static_assert(offsetof(Parametersatz, strom_step) == 112);
static_assert(offsetof(Parametersatz, status_stromaktiv) == 120);
static_assert(offsetof(Parametersatz, ditherstrom) == 128);
static_assert(offsetof(Parametersatz, dithertyp) == 136);
static_assert(offsetof(Parametersatz, ditherfrequenz) == 144);
static_assert(offsetof(Parametersatz, reglergain) == 152);
static_assert(offsetof(Parametersatz, rfwv_always_on) == 160);
static_assert(offsetof(Parametersatz, rfwv_automatic_mode) == 164);
static_assert(offsetof(Parametersatz, rfwv_auto_ac_gain) == 168);
static_assert(offsetof(Parametersatz, rfwv_auto_ac_filter_freq) == 176);
static_assert(offsetof(Parametersatz, rfwv_jump_to_0_on) == 184);
static_assert(offsetof(Parametersatz, rfwv_current_step_on) == 188);
static_assert(offsetof(Parametersatz, rfwv_current_step_value) == 192);
static_assert(offsetof(Parametersatz, rfwv_enable_time) == 200);
static_assert(offsetof(Parametersatz, rfwv_value) == 208);
static_assert(offsetof(Parametersatz, dithtable_pwmcurr) == 216);
static_assert(offsetof(Parametersatz, dithtable_dithamp) == 296);
static_assert(sizeof(Parametersatz) * PARAMETERSAETZE == 6392);

Parametersatz gPar[PARAMETERSAETZE];
int gParIndex = 0;

void ParametersatzVorgabe(Parametersatz* satz) {
    Parametersatz& p = *satz;
    p.stromkurve = 1;
    p.strom1 = 0.1;
    p.strom2 = 0.5;
    p.zeit1 = 1000.0;
    p.zeit2 = 1000.0;
    p.zeit3 = 1000.0;
    p.zeit4 = 1000.0;
    p.frequenz = 1000.0;
    p.spannung = 12.0;
    p.zyklen = 1.0;
    p.reserviert = 100.0;
    p.reglerkp = 20.0;
    p.reglerki = 10.0;
    p.endstuferegeln = 0;
    p.strom_step = 0.01;
    p.ditherstrom = 0.1;
    p.dithertyp = 0;
    p.ditherfrequenz = 100.0;
    p.reglergain = 50.0;
    p.rfwv_always_on = 0;
    p.rfwv_automatic_mode = 0;
    p.rfwv_auto_ac_gain = 20.0;
    p.rfwv_auto_ac_filter_freq = 63.0;
    p.rfwv_jump_to_0_on = 0;
    p.rfwv_current_step_on = 0;
    p.rfwv_current_step_value = 0.1;
    p.rfwv_enable_time = 1.0;
    p.rfwv_value = 5.0;
    for (int n = 0; n < 10; ++n) {
        p.dithtable_pwmcurr[n] = 0.0;
        p.dithtable_dithamp[n] = 0.0;
    }
}

void ParameterStrukturInitialisieren() {
    for (Parametersatz& p : gPar)
        ParametersatzVorgabe(&p);
    gParIndex = 0;
}
