#include "ops/geraeteangaben.h"

#include "ops/com.h"
#include "platform/rs232.h"

#include <cstring>

namespace {

constexpr int NAK_BEIM_LESEN = -402099;

} // namespace

Reglerversion VersionAusKennung(const char* kennung) {
    if (std::strstr(kennung, "VKR3AX2a")) return Reglerversion::A;
    if (std::strstr(kennung, "VKR3AX2b")) return Reglerversion::B;
    return Reglerversion::Unbekannt;
}

int GeraeteangabenLesen(int port, char adresse, Geraeteangaben* g) {
    *g = Geraeteangaben{};
    if (port == -1) return g->code = KEIN_PORT_OFFEN_KENNUNG;
    if (const int r = ZEMVKR3X_IDLesen(port, adresse, g->kennung)) {
        g->kennung[0] = '\0';
        return g->code = r;
    }
    g->version = VersionAusKennung(g->kennung);
    int unterstuetzt = 0;
    const int r =
        ZEMVKR3X_ParameterLesen(port, adresse, "supportdithertabelle", nullptr, &unterstuetzt, nullptr);
    if (r == NAK_BEIM_LESEN)
        g->dithertabelle = 0;
    else if (r == 0)
        g->dithertabelle = unterstuetzt != 0 ? 1 : 0;
    return g->code = r == NAK_BEIM_LESEN ? 0 : r;
}

std::string AnschlussText(int port) {
    std::string text = "COM " + std::to_string(port);
    Rs232Portinfo info;
    if (Rs232PortinfoLesen(port, &info) == 0 && !info.geraet.empty()) text += " (" + info.geraet + ")";
    return text;
}
