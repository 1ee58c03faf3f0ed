// Error reporting without a user interface: the module's language, the message buffer and the
// pending user text. Command-line tools link this part alone.

#include "errors/fehler.h"

#include "errors/fehler_intern.h"
#include "errors/fehlerkatalog.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

int gFehlersprache = 1;
char gFehlertext[FEHLERTEXT_BYTES] = "";
std::string gFehleruserstring; // at most FEHLERUSERSTRING_MAX_ZEICHEN code points

bool IstFolgebyte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length in bytes of the longest prefix of s with at most maxBytes bytes that ends on a
// character boundary.
std::size_t Utf8PrefixBytes(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s.size();
    std::size_t n = maxBytes;
    while (n > 0 && IstFolgebyte(s[n]))
        --n;
    return n;
}

} // namespace

// A character starts at every byte that is not a UTF-8 continuation byte, so the cut never
// splits one.
std::size_t Utf8PrefixZeichen(std::string_view s, std::size_t maxZeichen) {
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IstFolgebyte(s[i])) continue;
        if (zeichen == maxZeichen) return i;
        ++zeichen;
    }
    return s.size();
}

int FehlerspracheAktuell() {
    return gFehlersprache;
}

const char* ZEM_Fehlermeldung(int code) {
    const int q = code / 1000; // C++ integer division truncates toward zero
    const FehlerkatalogZeile* zeile = (q <= 0) ? FehlerkatalogZeileSuchen(-q) : nullptr;
    const char* text;
    if (gFehlersprache == 2)
        text = zeile ? zeile->englisch : FEHLERKATALOG_FALLBACK_ENGLISCH;
    else
        text = zeile ? zeile->deutsch : FEHLERKATALOG_FALLBACK_DEUTSCH;

    std::string meldung = text;
    meldung += gFehleruserstring;
    gFehleruserstring.clear();

    const std::size_t n = Utf8PrefixBytes(meldung, FEHLERTEXT_BYTES - 1);
    std::memcpy(gFehlertext, meldung.data(), n);
    gFehlertext[n] = '\0';
    return gFehlertext;
}

void ZEM_Fehlersprache(int sprache) {
    gFehlersprache = sprache;
}

void ZEM_Fehleruserstring(const char* text) {
    const std::string_view s = text ? std::string_view(text) : std::string_view();
    gFehleruserstring.assign(s.substr(0, Utf8PrefixZeichen(s, FEHLERUSERSTRING_MAX_ZEICHEN)));
}
