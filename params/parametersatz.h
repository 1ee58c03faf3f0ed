#pragma once
// The parameter record and the seventeen parameter sets.
//
// Program files store records as raw images, so the byte layout below is binding:
// little-endian, int = 32-bit two's complement, double = IEEE 754 binary64, 376 bytes with
// three 4-byte gaps. The static_asserts in parametersatz.cpp pin every offset.

#include <cstdint>

struct Parametersatz {
    int32_t stromkurve;       // current curve 1..12
    int32_t luecke1;          // padding, carried through unchanged
    double strom1;            // A
    double strom2;            // A
    double zeit1;             // ms
    double zeit2;             // ms
    double zeit3;             // ms
    double zeit4;             // ms
    double frequenz;          // Hz, PWM frequency
    double spannung;          // V, test voltage
    double zyklen;            // test cycles
    double reserviert;        // no device parameter, never shown or transferred
    double reglerkp;          // %
    double reglerki;          // %
    int32_t endstuferegeln;   // 0 off, 1 on
    int32_t luecke2;          // padding
    double strom_step;        // A, step of the STK9 buttons; kept only in the program and in files
    double status_stromaktiv; // 1.0 current 1, 2.0 current 2, 3.0 not available, 0.0 never read
    double ditherstrom;       // A; exactly -0.001 means "amplitude from the dither table"
    int32_t dithertyp;        // 0 off, 1 sine, 2 rectangle, 3 triangle
    int32_t luecke3;          // padding
    double ditherfrequenz;    // Hz
    double reglergain;        // %
    int32_t rfwv_always_on;
    int32_t rfwv_automatic_mode;
    double rfwv_auto_ac_gain;        // V/A
    double rfwv_auto_ac_filter_freq; // Hz
    int32_t rfwv_jump_to_0_on;
    int32_t rfwv_current_step_on;
    double rfwv_current_step_value; // A
    double rfwv_enable_time;        // ms
    double rfwv_value;              // V
    double dithtable_pwmcurr[10];   // dithtable_pwmcurr1 .. dithtable_pwmcurr10
    double dithtable_dithamp[10];   // dithtable_dithamp1 .. dithtable_dithamp10
};

constexpr int PARAMETERSAETZE = 17;            // index 0 working parameters, 1..16 programs
constexpr double DITHERSTROM_TABELLE = -0.001; // ditherstrom value that selects the dither table

extern Parametersatz gPar[PARAMETERSAETZE];
extern int gParIndex; // selected set, 0..16

// One record to the defaults; status_stromaktiv and the padding stay as they are.
void ParametersatzVorgabe(Parametersatz* satz);
// All 17 sets to their defaults (status_stromaktiv and the padding stay), working set selected.
void ParameterStrukturInitialisieren();
// Selector ring -> gParIndex, then show the set and renew the markers.
void ParametersatzUmschalten();
