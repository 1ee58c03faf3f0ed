#include "device/parametertabelle.h"

#include <cstring>

namespace {

constexpr int RW = ZUGRIFF_LESEN | ZUGRIFF_SCHREIBEN;
constexpr int RO = ZUGRIFF_LESEN;
constexpr int WO = ZUGRIFF_SCHREIBEN;
constexpr Werttyp GZ = Werttyp::Ganzzahl;
constexpr Werttyp RE = Werttyp::Reell;
constexpr Werttyp HX = Werttyp::Hex;

// The ranges are the bounds as compared, slightly wider than the nominal ones so that a value
// shown rounded on the panel is never refused for its last binary digit.
// clang-format off
const ParameterZeile kParameter[] = {
    {"stromkurve", "WF", 'W', GZ, 0, 1, 12, RW},
    {"programmladen", "PN", 'S', GZ, 0, 1, 16, WO},
    {"programmspeichern", "PN", 'P', GZ, 0, 1, 16, WO},
    {"strom1", "C1", 'W', RE, 3, 0.0009, 6.0001, RW},
    {"strom2", "C2", 'W', RE, 3, 0.0009, 6.0001, RW},
    {"zeit1", "T1", 'W', RE, 0, 0.9, 65535.1, RW},
    {"zeit2", "T2", 'W', RE, 0, 0.9, 65535.1, RW},
    {"zeit3", "T3", 'W', RE, 0, -0.1, 65535.1, RW},
    {"zeit4", "T4", 'W', RE, 0, -0.1, 65535.1, RW},
    {"frequenz", "F1", 'W', RE, 0, 24.9, 10000.1, RW},
    {"spannung", "V1", 'W', RE, 1, 4.99, 55.01, RW},
    {"zyklen", "L1", 'W', RE, 0, -0.01, 65535.1, RW},
    {"regelgeschwindigkeit", "A1", 'W', RE, 0, -0.1, 500.1, RW},
    {"reglerkp", "A2", 'W', RE, 0, -0.1, 500.1, RW},
    {"reglerki", "A3", 'W', RE, 0, -0.1, 100.1, RW},
    {"reglergain", "A5", 'W', RE, 0, -0.1, 100.1, RW},
    {"endstuferegeln", "M1", 'W', GZ, 0, 0, 1, RW},
    {"dithertyp", "D1", 'W', GZ, 0, -0.1, 3.1, RW},
    {"ditherfrequenz", "D2", 'W', RE, 1, 9.9, 300.1, RW},
    {"ditherstrom", "D3", 'W', RE, 3, -0.0011, 1.0001, RW},
    {"rfwv_always_on", "P4", 'W', GZ, 0, 0, 1, RW},
    {"rfwv_automatic_mode", "P5", 'W', GZ, 0, 0, 1, RW},
    {"rfwv_auto_ac_gain", "P6", 'W', RE, 2, -0.01, 100.01, RW},
    {"rfwv_auto_ac_filter_freq", "P7", 'W', RE, 0, 9.99, 500.01, RW},
    {"rfwv_jump_to_0_on", "P8", 'W', GZ, 0, 0, 1, RW},
    {"rfwv_current_step_on", "P9", 'W', GZ, 0, 0, 1, RW},
    {"rfwv_current_step_value", "Pa", 'W', RE, 3, 0.0009, 6.001, RW},
    {"rfwv_enable_time", "Pb", 'W', RE, 0, 0.9, 1000.01, RW},
    {"rfwv_value", "Pc", 'W', RE, 1, 1.99, 40.01, RW},
    {"dithtable_pwmcurr1", "X1", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr2", "X2", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr3", "X3", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr4", "X4", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr5", "X5", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr6", "X6", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr7", "X7", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr8", "X8", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr9", "X9", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_pwmcurr10", "Xa", 'W', RE, 3, -0.001, 6.001, RW},
    {"dithtable_dithamp1", "Y1", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp2", "Y2", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp3", "Y3", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp4", "Y4", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp5", "Y5", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp6", "Y6", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp7", "Y7", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp8", "Y8", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp9", "Y9", 'W', RE, 3, -0.001, 1.001, RW},
    {"dithtable_dithamp10", "Ya", 'W', RE, 3, -0.001, 1.001, RW},
    {"iststrom", "C0", 0, RE, 0, 0, 0, RO},
    {"istspannung", "V0", 0, RE, 0, 0, 0, RO},
    {"status", "S0", 0, HX, 0, 0, 0, RO},
    {"status_kompatibility_mode", "S1", 0, HX, 0, 0, 0, RO},
    {"status_stromaktiv", "S3", 0, RE, 0, 0, 0, RO},
    {"supportdithertabelle", "DT", 0, GZ, 0, 0, 0, RO},
};
// clang-format on

// clang-format off
const ServiceZeile kService[] = {
    {"key1", "S0", 'W', false, 0, 0},
    {"key2", "S1", 'W', false, 0, 0},
    {"key3", "S2", 'W', false, 0, 0},
    {"key4", "S3", 'W', false, 0, 0},
    {"key_enter", "S0", 'E', true, 0, 100},
};
// clang-format on

} // namespace

const ParameterZeile* ParameterSuchen(const char* name, int zugriff) {
    if (!name) return nullptr;
    for (const ParameterZeile& z : kParameter)
        if ((z.zugriff & zugriff) == zugriff && std::strcmp(z.name, name) == 0) return &z;
    return nullptr;
}

const ParameterZeile* ParameterTabelle(int* anzahl) {
    if (anzahl) *anzahl = static_cast<int>(sizeof(kParameter) / sizeof(kParameter[0]));
    return kParameter;
}

const ServiceZeile* ServiceBefehlSuchen(const char* name) {
    if (!name) return nullptr;
    for (const ServiceZeile& z : kService)
        if (std::strcmp(z.name, name) == 0) return &z;
    return nullptr;
}

const ServiceZeile* ServiceTabelle(int* anzahl) {
    if (anzahl) *anzahl = static_cast<int>(sizeof(kService) / sizeof(kService[0]));
    return kService;
}
