#include "ops/portbindung.h"

#include <filesystem>

namespace {

// Whether a bound name leads to the device: its stable name, its file, or any link to the file.
bool BindungTrifft(const std::string& bindung, const Rs232Geraet& g) {
    if (bindung.empty()) return false;
    if (bindung == g.byId || bindung == g.datei) return true;
    std::error_code fehler;
    const std::filesystem::path datei = std::filesystem::canonical(bindung, fehler);
    return !fehler && datei.string() == g.datei;
}

} // namespace

int ComBindungSetzen(int port, const char* geraet) {
    const std::string name = geraet ? geraet : "";
    const int r = Rs232BindungSetzen(port, name.c_str());
    if (r != 0 || name.empty()) return r;
    for (int anderer = 1; anderer <= RS232_PORTS; ++anderer)
        if (anderer != port && ComBindungLesen(anderer) == name) Rs232BindungSetzen(anderer, nullptr);
    return 0;
}

std::string ComBindungLesen(int port) {
    std::string name;
    Rs232BindungLesen(port, &name);
    return name;
}

std::string ComBindungsname(const Rs232Geraet& geraet) {
    return geraet.byId.empty() ? geraet.datei : geraet.byId;
}

std::vector<ComGeraet> ComGeraeteAuflisten() {
    std::vector<ComGeraet> liste;
    for (Rs232Geraet& g : Rs232GeraeteAuflisten())
        liste.push_back({std::move(g), true, -1});
    for (int port = 1; port <= RS232_PORTS; ++port) {
        const std::string bindung = ComBindungLesen(port);
        if (bindung.empty()) continue;
        bool gefunden = false;
        for (ComGeraet& e : liste)
            if (e.port == -1 && BindungTrifft(bindung, e.geraet)) {
                e.port = port;
                gefunden = true;
                break;
            }
        if (gefunden) continue;
        // Bound to a name the system does not list, such as a link to a pseudo-terminal, or to
        // an adapter that is not plugged in.
        ComGeraet e{{}, false, port};
        std::error_code fehler;
        const std::string datei = std::filesystem::canonical(bindung, fehler).string();
        e.vorhanden = !fehler;
        if (e.vorhanden) e.geraet.datei = datei;
        if (bindung != e.geraet.datei) e.geraet.byId = bindung;
        liste.push_back(std::move(e));
    }
    return liste;
}
