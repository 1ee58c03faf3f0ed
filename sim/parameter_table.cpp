#include "sim/parameter_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vkr3xsim {

namespace {

using enum ValueKind;
using enum Family;

// clang-format off
constexpr ParameterRow kRows[] = {
    {"stromkurve",               "WF", Integer, 0, Base, 1},
    {"strom1",                   "C1", Real,    3, Base, 1.0},
    {"strom2",                   "C2", Real,    3, Base, 2.0},
    {"zeit1",                    "T1", Real,    0, Base, 1000},
    {"zeit2",                    "T2", Real,    0, Base, 1000},
    {"zeit3",                    "T3", Real,    0, Base, 0},
    {"zeit4",                    "T4", Real,    0, Base, 0},
    {"frequenz",                 "F1", Real,    0, Base, 1000},
    {"spannung",                 "V1", Real,    1, Base, 24.0},
    {"zyklen",                   "L1", Real,    0, Base, 0},
    {"regelgeschwindigkeit",     "A1", Real,    0, Base, 100},
    {"reglerkp",                 "A2", Real,    0, Base, 50},
    {"reglerki",                 "A3", Real,    0, Base, 20},
    {"reglergain",               "A5", Real,    0, Base, 50},
    {"endstuferegeln",           "M1", Integer, 0, Base, 1},
    {"dithertyp",                "D1", Integer, 0, Base, 0},
    {"ditherfrequenz",           "D2", Real,    1, Base, 100.0},
    {"ditherstrom",              "D3", Real,    3, Base, 0.1},
    {"rfwv_always_on",           "P4", Integer, 0, Rfwv, 0},
    {"rfwv_automatic_mode",      "P5", Integer, 0, Rfwv, 0},
    {"rfwv_auto_ac_gain",        "P6", Real,    2, Rfwv, 1.0},
    {"rfwv_auto_ac_filter_freq", "P7", Real,    0, Rfwv, 100},
    {"rfwv_jump_to_0_on",        "P8", Integer, 0, Rfwv, 0},
    {"rfwv_current_step_on",     "P9", Integer, 0, Rfwv, 0},
    {"rfwv_current_step_value",  "Pa", Real,    3, Rfwv, 0.5},
    {"rfwv_enable_time",         "Pb", Real,    0, Rfwv, 10},
    {"rfwv_value",               "Pc", Real,    1, Rfwv, 20.0},
    {"dithtable_pwmcurr1",       "X1", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr2",       "X2", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr3",       "X3", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr4",       "X4", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr5",       "X5", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr6",       "X6", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr7",       "X7", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr8",       "X8", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr9",       "X9", Real,    3, DitherTable, 0},
    {"dithtable_pwmcurr10",      "Xa", Real,    3, DitherTable, 0},
    {"dithtable_dithamp1",       "Y1", Real,    3, DitherTable, 0},
    {"dithtable_dithamp2",       "Y2", Real,    3, DitherTable, 0},
    {"dithtable_dithamp3",       "Y3", Real,    3, DitherTable, 0},
    {"dithtable_dithamp4",       "Y4", Real,    3, DitherTable, 0},
    {"dithtable_dithamp5",       "Y5", Real,    3, DitherTable, 0},
    {"dithtable_dithamp6",       "Y6", Real,    3, DitherTable, 0},
    {"dithtable_dithamp7",       "Y7", Real,    3, DitherTable, 0},
    {"dithtable_dithamp8",       "Y8", Real,    3, DitherTable, 0},
    {"dithtable_dithamp9",       "Y9", Real,    3, DitherTable, 0},
    {"dithtable_dithamp10",      "Ya", Real,    3, DitherTable, 0},
    {"iststrom",                 "C0", Real,    3, Live, 0},
    {"istspannung",              "V0", Real,    3, Live, 0},
    {"status",                   "S0", Hex,     0, Live, 0},
    {"status_kompatibility_mode","S1", Hex,     0, Live, 0},
    {"status_stromaktiv",        "S3", Real,    3, Live, 0},
    {"supportdithertabelle",     "DT", Integer, 0, Live, 0},
};
// clang-format on

constexpr size_t kRowCount = sizeof(kRows) / sizeof(kRows[0]);

constexpr size_t countWritable() {
    size_t n = 0;
    while (n < kRowCount && kRows[n].family != Live)
        ++n;
    return n;
}
constexpr size_t kWritableCount = countWritable();

constexpr bool liveRowsLast() {
    for (size_t i = kWritableCount; i < kRowCount; ++i)
        if (kRows[i].family != Live) return false;
    return true;
}
static_assert(liveRowsLast(), "a parameter set holds the leading writable rows only");

} // namespace

const ParameterRow* parameterRows() {
    return kRows;
}
size_t parameterRowCount() {
    return kRowCount;
}
size_t writableRowCount() {
    return kWritableCount;
}

int rowIndexByCode(char c1, char c2) {
    for (size_t i = 0; i < kRowCount; ++i)
        if (kRows[i].code[0] == c1 && kRows[i].code[1] == c2) return static_cast<int>(i);
    return -1;
}

int rowIndexByName(const std::string& name) {
    for (size_t i = 0; i < kRowCount; ++i)
        if (name == kRows[i].name) return static_cast<int>(i);
    return -1;
}

std::string formatValue(const ParameterRow& row, double value) {
    char text[48];
    switch (row.kind) {
    case Integer:
        std::snprintf(text, sizeof text, "%ld", std::lround(value));
        break;
    case Hex:
        std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(std::lround(value)));
        break;
    case Real:
        std::snprintf(text, sizeof text, "%.*f", row.decimals, value);
        break;
    }
    return text;
}

bool parseValue(const ParameterRow& row, const std::string& text, double& value) {
    // strtol/strtod would skip leading blanks; the regulator takes digits only.
    if (text.empty() || text[0] == ' ') return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    if (row.kind == Real) {
        const double v = std::strtod(begin, &end);
        if (errno != 0 || !std::isfinite(v)) return false;
        value = v;
    } else {
        const long v = std::strtol(begin, &end, row.kind == Hex ? 16 : 10);
        if (errno != 0) return false;
        value = static_cast<double>(v);
    }
    return end == begin + text.size();
}

} // namespace vkr3xsim
