#include "sim/parameter_table.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vkr3xsim {

namespace {

using enum ValueKind;
using enum Family;

// Ranges are the bounds of the command table as compared; a written value text must fall within
// them widened by half a unit of its last digit.
// clang-format off
constexpr ParameterRow kRows[] = {
    {"stromkurve",               "WF", Integer, 0, Base, 1, 1, 12},
    {"strom1",                   "C1", Real,    3, Base, 1.0, 0.0009, 6.0001},
    {"strom2",                   "C2", Real,    3, Base, 2.0, 0.0009, 6.0001},
    {"zeit1",                    "T1", Real,    0, Base, 1000, 0.9, 65535.1},
    {"zeit2",                    "T2", Real,    0, Base, 1000, 0.9, 65535.1},
    {"zeit3",                    "T3", Real,    0, Base, 0, -0.1, 65535.1},
    {"zeit4",                    "T4", Real,    0, Base, 0, -0.1, 65535.1},
    {"frequenz",                 "F1", Real,    0, Base, 1000, 24.9, 10000.1},
    {"spannung",                 "V1", Real,    1, Base, 24.0, 4.99, 55.01},
    {"zyklen",                   "L1", Real,    0, Base, 0, -0.01, 65535.1},
    {"regelgeschwindigkeit",     "A1", Real,    0, Base, 100, -0.1, 500.1},
    {"reglerkp",                 "A2", Real,    0, Base, 50, -0.1, 500.1},
    {"reglerki",                 "A3", Real,    0, Base, 20, -0.1, 100.1},
    {"reglergain",               "A5", Real,    0, Base, 50, -0.1, 100.1},
    {"endstuferegeln",           "M1", Integer, 0, Base, 1, 0, 1},
    {"dithertyp",                "D1", Integer, 0, Base, 0, -0.1, 3.1},
    {"ditherfrequenz",           "D2", Real,    1, Base, 100.0, 9.9, 300.1},
    {"ditherstrom",              "D3", Real,    3, Base, 0.1, -0.0011, 1.0001},
    {"rfwv_always_on",           "P4", Integer, 0, Rfwv, 0, 0, 1},
    {"rfwv_automatic_mode",      "P5", Integer, 0, Rfwv, 0, 0, 1},
    {"rfwv_auto_ac_gain",        "P6", Real,    2, Rfwv, 1.0, -0.01, 100.01},
    {"rfwv_auto_ac_filter_freq", "P7", Real,    0, Rfwv, 100, 9.99, 500.01},
    {"rfwv_jump_to_0_on",        "P8", Integer, 0, Rfwv, 0, 0, 1},
    {"rfwv_current_step_on",     "P9", Integer, 0, Rfwv, 0, 0, 1},
    {"rfwv_current_step_value",  "Pa", Real,    3, Rfwv, 0.5, 0.0009, 6.001},
    {"rfwv_enable_time",         "Pb", Real,    0, Rfwv, 10, 0.9, 1000.01},
    {"rfwv_value",               "Pc", Real,    1, Rfwv, 20.0, 1.99, 40.01},
    {"dithtable_pwmcurr1",       "X1", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr2",       "X2", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr3",       "X3", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr4",       "X4", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr5",       "X5", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr6",       "X6", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr7",       "X7", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr8",       "X8", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr9",       "X9", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_pwmcurr10",      "Xa", Real,    3, DitherTable, 0, -0.001, 6.001},
    {"dithtable_dithamp1",       "Y1", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp2",       "Y2", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp3",       "Y3", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp4",       "Y4", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp5",       "Y5", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp6",       "Y6", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp7",       "Y7", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp8",       "Y8", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp9",       "Y9", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"dithtable_dithamp10",      "Ya", Real,    3, DitherTable, 0, -0.001, 1.001},
    {"iststrom",                 "C0", Real,    3, Live, 0, 0, 0},
    {"istspannung",              "V0", Real,    3, Live, 0, 0, 0},
    {"status",                   "S0", Hex,     4, Live, 0, 0, 0},
    {"status_kompatibility_mode","S1", Hex,     2, Live, 0, 0, 0},
    {"status_stromaktiv",        "S3", Real,    3, Live, 0, 0, 0},
    {"supportdithertabelle",     "DT", Integer, 0, Live, 0, 0, 0},
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
        std::snprintf(text, sizeof text, "%0*lX", row.decimals,
                      static_cast<unsigned long>(std::lround(value)));
        break;
    case Real: {
        // to_chars, unlike printf, knows no locale: the line always carries a point.
        const std::to_chars_result r =
            std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, row.decimals);
        *r.ptr = '\0';
        break;
    }
    }
    return text;
}

bool parseUnsigned(const std::string& text, long& value) {
    if (text.empty() || text.size() > 9 || (text[0] == '0' && text.size() > 1)) return false;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

namespace {

// Optional minus, whole part without leading zeros, then exactly `decimals` digits after a
// point (none and no point for 0 decimals).
bool isRealText(const std::string& text, int decimals) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const size_t whole = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    const size_t wholeDigits = i - whole;
    if (wholeDigits == 0 || wholeDigits > 9 || (text[whole] == '0' && wholeDigits > 1)) return false;
    if (decimals == 0) return i == text.size();
    if (i >= text.size() || text[i] != '.') return false;
    const size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i == text.size() && i - fraction == static_cast<size_t>(decimals);
}

} // namespace

bool parseValue(const ParameterRow& row, const std::string& text, double& value) {
    if (!isWritable(row) || row.kind == Hex) return false;
    double v = 0;
    if (row.kind == Integer) {
        long n = 0;
        if (!parseUnsigned(text, n)) return false;
        v = static_cast<double>(n);
    } else {
        if (!isRealText(text, row.decimals)) return false;
        const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), v);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    }
    const double halfUnit = 0.5 * std::pow(10.0, -(row.kind == Real ? row.decimals : 0));
    if (v < row.min - halfUnit || v > row.max + halfUnit) return false;
    value = v;
    return true;
}

} // namespace vkr3xsim
