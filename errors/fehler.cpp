// Error reporting: the popups that show a composed message.

#include "errors/fehler.h"

#include "errors/fehler_intern.h"
#include "platform/ui.h"

#include <string>

namespace {

// The error number shown in titles: the magnitude -code of a failure code (no overflow for
// the most negative int).
std::string FehlerNummer(int code) {
    return std::to_string(-static_cast<long long>(code));
}

bool IstStilleKlasse(int code) {
    return code / 1000 == -6;
}

} // namespace

void ZEM_Fehlerpopup(int code) {
    if (IstStilleKlasse(code)) return;
    const std::string titel = (FehlerspracheAktuell() == 2 ? "Error #" : "Fehler #") + FehlerNummer(code);
    const char* meldung = ZEM_Fehlermeldung(code);
    MessagePopup(titel.c_str(), meldung);
}

void ZEM_Fehlerpopup2(int code, const char* titel) {
    if (IstStilleKlasse(code)) return;
    std::string kopf = titel ? titel : "";
    kopf += " #" + FehlerNummer(code);
    kopf.resize(Utf8PrefixZeichen(kopf, FEHLERPOPUP2_TITEL_MAX_ZEICHEN));
    const char* meldung = ZEM_Fehlermeldung(code);
    MessagePopup(kopf.c_str(), meldung);
}
