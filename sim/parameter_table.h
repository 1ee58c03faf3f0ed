#pragma once
// The regulator's side of the parameter vocabulary: every two-character command code the
// regulator answers to, the name the program uses for it, how its value travels as text and
// whether it can be written. The table is walked by code (frames) and by name (test access).

#include <cstddef>
#include <string>

namespace vkr3xsim {

enum class ValueKind {
    Integer, // unsigned decimal digits, no leading zeros
    Real,    // decimal text with a fixed number of digits after the point, optionally negative
    Hex,     // hexadecimal, upper-case digits with leading zeros to a fixed count
};

enum class Family {
    Base,        // understood by every regulator of the X2 family
    Rfwv,        // raised freewheeling voltage (version b only)
    DitherTable, // ten-row dither amplitude table (version b only)
    Live,        // read-only values computed from the device state
};

struct ParameterRow {
    const char* name;
    char code[3];
    ValueKind kind;
    int decimals; // digits after the point of a Real (writes and answers); digits of a Hex
    Family family;
    double initial;  // factory value of a fresh regulator (writable rows only)
    double min, max; // accepted written values, widened by half a unit of the last digit
};

// Rows in a fixed order; writable rows come first, so their index is also their slot in a
// parameter set.
const ParameterRow* parameterRows();
size_t parameterRowCount();
size_t writableRowCount();

// -1 when the code or name is not in the table.
int rowIndexByCode(char c1, char c2);
int rowIndexByName(const std::string& name);

inline bool isWritable(const ParameterRow& row) {
    return row.family != Family::Live;
}

// Formats a value the way the regulator sends it in a read answer.
std::string formatValue(const ParameterRow& row, double value);

// Parses the value text of a write frame as strictly as the regulator does: an Integer is
// unsigned decimal digits without blanks or leading zeros; a Real is an optional minus, the
// whole part without leading zeros, and exactly the row's decimals after a point (no point for
// 0 decimals). The value must lie within min .. max widened by half a unit of the last digit.
// False for any other text and for read-only rows.
bool parseValue(const ParameterRow& row, const std::string& text, double& value);

// Unsigned decimal digits without blanks or leading zeros, at most nine of them.
bool parseUnsigned(const std::string& text, long& value);

} // namespace vkr3xsim
