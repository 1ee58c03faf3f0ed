#pragma once
// Checks of the fuzz targets. A failed check names itself on stderr and aborts, which libFuzzer
// records as a crash with its input and the replay runner reports as a failed test.

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_PRUEFEN(bedingung, ...)                                                                         \
    do {                                                                                                     \
        if (!(bedingung)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #bedingung);             \
            std::fprintf(stderr, __VA_ARGS__);                                                               \
            std::fprintf(stderr, "\n");                                                                      \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// Bytes as a C string literal with escapes, for the messages.
inline std::string Sichtbar(const char* text, int laenge) {
    std::string s;
    for (int i = 0; i < laenge; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            s += static_cast<char>(c);
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            s += esc;
        }
    }
    return s;
}
