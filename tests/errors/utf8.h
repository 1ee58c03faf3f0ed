#pragma once
// UTF-8 checks shared by the error tests.
#include <cstddef>
#include <string_view>

// Number of UTF-8 code points; -1 when s is not valid UTF-8.
inline int Utf8Zeichen(std::string_view s) {
    int zeichen = 0;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t laenge = c < 0x80           ? 1
                             : (c >> 5) == 0x6  ? 2
                             : (c >> 4) == 0xE  ? 3
                             : (c >> 3) == 0x1E ? 4
                                                : 0;
        if (laenge == 0 || i + laenge > s.size()) return -1;
        for (std::size_t k = 1; k < laenge; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return -1;
        i += laenge;
        ++zeichen;
    }
    return zeichen;
}
