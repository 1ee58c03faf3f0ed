#include "ops/geraeteliste.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "ops/com.h"
#include "ops/portanzeige.h"
#include "ops/portbindung.h"
#include "ops/verbindung.h"
#include "platform/ui.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The devices in the list's order; a row's value is its index here.
std::vector<ComGeraet> gGeraete;
std::vector<std::string> gZeilen;
bool gNeuFuellen = true; // the list shows nothing of gZeilen yet

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

std::string Dateiname(const std::string& pfad) {
    const size_t schraegstrich = pfad.find_last_of('/');
    return schraegstrich == std::string::npos ? pfad : pfad.substr(schraegstrich + 1);
}

// Columns: device file, COM, description, maker, serial number, stable name. The first is never
// empty: a screen reader names the row by it.
std::string Zeile(const ComGeraet& e) {
    const Rs232Geraet& g = e.geraet;
    std::string zeile = e.vorhanden ? g.datei : (Englisch() ? "not plugged in" : "nicht angeschlossen");
    zeile += '\t';
    if (e.port > 0) zeile += "COM " + std::to_string(e.port);
    for (const std::string* text : {&g.beschreibung, &g.hersteller, &g.seriennummer})
        zeile += '\t' + *text;
    zeile += '\t' + Dateiname(g.byId);
    return zeile;
}

// What stays the same of a device while the list changes around it.
std::string Kennung(const ComGeraet& e) {
    return e.vorhanden ? e.geraet.datei : "\x01" + e.geraet.byId;
}

const ComGeraet* Gewaehlt() {
    int index = -1;
    if (GetCtrlVal(gCompanelHandle, COMPANEL_GERAETELISTE, &index) != 0) return nullptr;
    return index >= 0 && index < static_cast<int>(gGeraete.size()) ? &gGeraete[index] : nullptr;
}

// After a change the same device stays selected; else the one bound to the chosen port, else
// the first.
int Auswahl(const std::string& vorher) {
    const int port = gCom.portOffen != -1 ? gCom.portOffen : gCom.port;
    int auswahl = gGeraete.empty() ? -1 : 0;
    for (size_t i = 0; i < gGeraete.size(); ++i) {
        if (!vorher.empty() && Kennung(gGeraete[i]) == vorher) return static_cast<int>(i);
        if (port > 0 && gGeraete[i].port == port) auswahl = static_cast<int>(i);
    }
    return auswahl;
}

// Opens the wished port anew, on the device its binding names now.
int PortNeuOeffnen() {
    const int port = gCom.port;
    gCom.port = -1;
    ComPortOeffnen();
    gCom.port = port;
    return ComPortOeffnen();
}

} // namespace

void GeraetelisteBeobachten(int an) {
    // Shown anew, the list is filled anew: the panel may have been loaded since.
    if (an) {
        gNeuFuellen = true;
        GeraetelisteAktualisieren();
    }
    SetCtrlAttribute(gCompanelHandle, COMPANEL_GERAETETIMER, ATTR_ENABLED, an ? 1 : 0);
}

void GeraetelisteAktualisieren() {
    std::vector<ComGeraet> geraete = ComGeraeteAuflisten();
    std::vector<std::string> zeilen;
    for (const ComGeraet& e : geraete)
        zeilen.push_back(Zeile(e));
    if (zeilen == gZeilen && !gNeuFuellen) return;
    // The same devices: only the rows that changed are rewritten, so the selection and a screen
    // reader's place stay where they are.
    const bool dieselben =
        !gNeuFuellen && geraete.size() == gGeraete.size() &&
        std::equal(geraete.begin(), geraete.end(), gGeraete.begin(),
                   [](const ComGeraet& a, const ComGeraet& b) { return Kennung(a) == Kennung(b); });
    gNeuFuellen = false;
    if (dieselben) {
        for (size_t i = 0; i < zeilen.size(); ++i)
            if (zeilen[i] != gZeilen[i])
                ReplaceListItem(gCompanelHandle, COMPANEL_GERAETELISTE, static_cast<int>(i),
                                zeilen[i].c_str(), static_cast<int>(i));
        gGeraete = std::move(geraete);
        gZeilen = std::move(zeilen);
        BindungAnzeigen();
        PortdetailsAnzeigen();
        return;
    }

    const ComGeraet* vorher = Gewaehlt();
    const std::string kennung = vorher ? Kennung(*vorher) : std::string();
    gGeraete = std::move(geraete);
    gZeilen = std::move(zeilen);
    ClearListCtrl(gCompanelHandle, COMPANEL_GERAETELISTE);
    for (size_t i = 0; i < gZeilen.size(); ++i)
        InsertListItem(gCompanelHandle, COMPANEL_GERAETELISTE, -1, gZeilen[i].c_str(), static_cast<int>(i));
    const int auswahl = Auswahl(kennung);
    if (auswahl >= 0) SetCtrlVal(gCompanelHandle, COMPANEL_GERAETELISTE, auswahl);
    BindungAnzeigen();
    // A device plugged in or out may be the chosen port's.
    PortdetailsAnzeigen();
}

void BindungAnzeigen() {
    const ComGeraet* g = Gewaehlt();
    SetCtrlVal(gCompanelHandle, COMPANEL_BINDUNG, g ? g->port : -1);
    SetCtrlAttribute(gCompanelHandle, COMPANEL_BINDUNG, ATTR_DIMMED, g ? 0 : 1);
}

void BindungUebernehmen() {
    const ComGeraet* g = Gewaehlt();
    int port = -1;
    GetCtrlVal(gCompanelHandle, COMPANEL_BINDUNG, &port);
    if (!g || port == g->port) return;
    const int vorher = g->port;
    if (port == -1)
        ComBindungSetzen(vorher, nullptr);
    else
        ComBindungSetzen(port, g->vorhanden ? ComBindungsname(g->geraet).c_str() : g->geraet.byId.c_str());

    // The connection follows the device: the port open (or wished for) on it moves to the new
    // number, and a port bound to another device opens that one. Without a binding a port keeps
    // what it has open until it is opened again.
    if (port != -1 && gCom.port != -1 && (gCom.port == port || gCom.port == vorher)) {
        int r = 0;
        if (gCom.port == port) {
            r = PortNeuOeffnen();
        } else {
            gCom.port = port;
            r = ComPortOeffnen();
        }
        ComFehlerSetzen(r);
        ComEinstellungenAusStrukturInGui();
    }
    GeraetelisteAktualisieren();
    PortdetailsAnzeigen();
}
