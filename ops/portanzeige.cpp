#include "ops/portanzeige.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/verbindung.h"
#include "platform/rs232.h"
#include "platform/ui.h"

#include <string>

namespace {

// The driver's code for a port that cannot be opened.
constexpr int PORT_NICHT_OEFFENBAR = -100003;

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

std::string GeraetText(const Rs232Portinfo& info) {
    if (info.datei.empty()) return info.geraet + (Englisch() ? " (does not exist)" : " (existiert nicht)");
    if (info.datei == info.geraet) return info.geraet;
    return info.geraet + " \u2192 " + info.datei;
}

std::string AdapterText(const Rs232Portinfo& info) {
    std::string text;
    for (const std::string* teil : {&info.beschreibung, &info.hersteller}) {
        if (teil->empty()) continue;
        if (!text.empty()) text += ", ";
        text += *teil;
    }
    if (!info.seriennummer.empty()) {
        if (!text.empty()) text += ", ";
        text += (Englisch() ? "serial no. " : "Seriennr. ") + info.seriennummer;
    }
    if (text.empty() && !info.datei.empty())
        text = Englisch() ? "not known to the system" : "dem System unbekannt";
    return text;
}

// A USB adapter's latency timer holds every answer back until it elapses; at 1 ms the line
// speed counts, above it the timer does. The command lowers it until the adapter is unplugged.
std::string LatenzText(const Rs232Portinfo& info) {
    if (info.latenzMs < 0) return "";
    const std::string ms = std::to_string(info.latenzMs) + " ms";
    if (info.latenzMs <= 1) return ms;
    const std::string befehl = "echo 1 | sudo tee " + info.latenzDatei;
    return Englisch() ? ms + "; lower it to 1 ms with: " + befehl : ms + "; auf 1 ms senken mit: " + befehl;
}

std::string OeffnungsgrundText(const Rs232Oeffnungsfehler& f) {
    const bool en = Englisch();
    const std::string& g = f.geraet;
    switch (f.grund) {
    case RS232_GRUND_FEHLT:
        return en ? ": " + g + " does not exist. Plug in the adapter or choose another port."
                  : ": " + g + " existiert nicht. Adapter einstecken oder anderen Port wählen.";
    case RS232_GRUND_RECHTE:
        if (f.gruppe.empty())
            return en ? ": no permission to open " + g + "." : ": keine Berechtigung für " + g + ".";
        return en ? ": no permission to open " + g + " (group " + f.gruppe +
                        "). Join the group with \"sudo usermod -aG " + f.gruppe +
                        " $USER\", then log in again."
                  : ": keine Berechtigung für " + g + " (Gruppe " + f.gruppe +
                        "). Der Gruppe beitreten mit \"sudo usermod -aG " + f.gruppe +
                        " $USER\", dann neu anmelden.";
    case RS232_GRUND_BELEGT:
        return en ? ": " + g + " is in use by another program."
                  : ": " + g + " wird von einem anderen Programm benutzt.";
    case RS232_GRUND_ANDERER:
        return ": " + g + " (" + f.systemtext + ")";
    default:
        return "";
    }
}

} // namespace

void PortdetailsAnzeigen() {
    const int port = gCom.portOffen != -1 ? gCom.portOffen : gCom.port;
    Rs232Portinfo info;
    if (port < 1 || Rs232PortinfoLesen(port, &info) != 0) {
        for (int feld : {COMPANEL_GERAET, COMPANEL_ADAPTER, COMPANEL_BYID, COMPANEL_LATENZ})
            SetCtrlVal(gCompanelHandle, feld, "");
        return;
    }
    SetCtrlVal(gCompanelHandle, COMPANEL_GERAET, GeraetText(info).c_str());
    SetCtrlVal(gCompanelHandle, COMPANEL_ADAPTER, AdapterText(info).c_str());
    SetCtrlVal(gCompanelHandle, COMPANEL_BYID, info.byId.c_str());
    SetCtrlVal(gCompanelHandle, COMPANEL_LATENZ, LatenzText(info).c_str());
}

bool ComAdapterGetrennt() {
    return gCom.portOffen != -1 && Rs232Getrennt(gCom.portOffen) == 1;
}

void ComGrundVormerken(int code) {
    if (code == 0) return;
    if (ComAdapterGetrennt()) {
        Rs232Portinfo info;
        Rs232PortinfoLesen(gCom.portOffen, &info);
        // lport keeps the port, so the port picture and the port ring open it again once it is back.
        gCom.lport = gCom.portOffen;
        gCom.port = -1;
        ZEMVKR3X_Close(gCom.portOffen);
        gCom.portOffen = -1;
        ComEinstellungenAusStrukturInGui();
        const std::string text =
            Englisch() ? ": the adapter " + info.geraet +
                             " is gone; the port was closed. Plug it in and choose the port again."
                       : ": Adapter " + info.geraet +
                             " getrennt, der Port wurde geschlossen. Einstecken und den Port wieder wählen.";
        ZEM_Fehleruserstring(text.c_str());
        return;
    }
    if (code == PORT_NICHT_OEFFENBAR && gCom.port >= 1) {
        Rs232Oeffnungsfehler f;
        if (Rs232OeffnungsfehlerLesen(gCom.port, &f) == 0 && f.grund != RS232_GRUND_KEINER)
            ZEM_Fehleruserstring(OeffnungsgrundText(f).c_str());
    }
}
