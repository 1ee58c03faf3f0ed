// "ports": the serial devices of the system and which device each COM number opens, through the
// same bindings and mapping as the program (settings file of the working directory).

#include "cli/befehlszeile.h"

#include "ops/portbindung.h"
#include "platform/rs232.h"

#include <cstdio>
#include <string>

namespace {

std::string Adaptertext(const Rs232Geraet& g) {
    std::string text;
    for (const std::string* teil : {&g.beschreibung, &g.hersteller}) {
        if (teil->empty()) continue;
        if (!text.empty()) text += ", ";
        text += *teil;
    }
    if (!g.seriennummer.empty())
        text += (text.empty() ? "" : ", ") + std::string("serial no. ") + g.seriennummer;
    return text;
}

std::string Spalte(const std::string& text) {
    char spalte[64];
    std::snprintf(spalte, sizeof spalte, "%-16s  ", text.c_str());
    return text.size() < 16 ? std::string(spalte) : text + "  ";
}

// One device a line, with its stable name and its COM number on lines of their own.
void GeraeteZeigen() {
    std::printf("Serial devices:\n");
    const std::vector<ComGeraet> geraete = ComGeraeteAuflisten();
    if (geraete.empty()) std::printf("  none\n");
    for (const ComGeraet& e : geraete) {
        const Rs232Geraet& g = e.geraet;
        if (!e.vorhanden) {
            std::printf("  %-16s  %s\n", "not plugged in", g.byId.c_str());
        } else {
            std::string text = Adaptertext(g);
            if (g.latenzMs >= 0)
                text += (text.empty() ? "" : "; ") + std::string("latency timer ") +
                        std::to_string(g.latenzMs) + " ms";
            std::printf("  %s\n", text.empty() ? g.datei.c_str() : (Spalte(g.datei) + text).c_str());
            if (!g.byId.empty()) std::printf("  %-16s  stable name %s\n", "", g.byId.c_str());
        }
        if (e.port > 0) std::printf("  %-16s  bound to COM %d\n", "", e.port);
    }
}

// What each COM number opens, where that name comes from, and the device file it leads to.
void PortsZeigen() {
    static const char* const kHerkunft[] = {"default", "VKR3X_COM", "bound"};
    std::printf("Ports:\n");
    for (int port = 1; port <= RS232_PORTS; ++port) {
        Rs232Portinfo info;
        Rs232PortinfoLesen(port, &info);
        std::string herkunft = kHerkunft[info.herkunft];
        if (info.herkunft == RS232_HERKUNFT_UMGEBUNG) herkunft += std::to_string(port);
        std::string ziel;
        if (info.datei.empty())
            ziel = " (missing)";
        else if (info.datei != info.geraet)
            ziel = " -> " + info.datei;
        std::printf("  COM %d  %-11s %s%s\n", port, herkunft.c_str(), info.geraet.c_str(), ziel.c_str());
    }
}

} // namespace

int PortsBefehl(const QCommandLineParser&, const QStringList&) {
    GeraeteZeigen();
    PortsZeigen();
    return EXIT_ERFOLG;
}
