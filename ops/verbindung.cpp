#include "ops/verbindung.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/portanzeige.h"
#include "platform/ui.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int FARBE_GELB = 0xFFFF00;
constexpr int FARBE_GRUEN = 0x00FF00;
constexpr int FARBE_ROT = 0xFF0000;

// Identity texts of regulators this program is made for begin with this.
constexpr const char* KENNUNG_VKR3AX2 = "ZEM-VKR3AX2";

// COMPANEL_LED1 .. COMPANEL_LED8 are defined in descending order.
int AdressLed(char adresse) {
    return COMPANEL_LED1 - (adresse - '1');
}

void ScantextSetzen(int baudrate) {
    char text[64];
    std::snprintf(text, sizeof text,
                  gSprache == SPRACHE_ENGLISCH ? "Looking for device with %d Baud ..."
                                               : "Suche Gerät mit %d Baud ...",
                  baudrate);
    SetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, text);
}

// One address of the scan. The LED is drawn before the request goes out and again with its
// outcome, so the user watches the scan move along while it blocks the panels.
void AdresseProben(char adresse) {
    const int led = AdressLed(adresse);
    ScantextSetzen(gCom.baudrate);
    SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_GELB);
    SetCtrlVal(gCompanelHandle, led, 1);
    ProcessDrawEvents();

    char kennung[ZEMVKR3X_ID_BYTES];
    if (ZEMVKR3X_IDLesen(gCom.portOffen, adresse, kennung) != 0) {
        SetCtrlVal(gCompanelHandle, led, 0);
    } else if (std::strncmp(kennung, KENNUNG_VKR3AX2, std::strlen(KENNUNG_VKR3AX2)) == 0) {
        SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_GRUEN);
        gCom.adresse = adresse;
        SetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, kennung);
    } else {
        SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_ROT);
    }
    ProcessDrawEvents();
}

} // namespace

void ComEinstellungenAusGuiInStruktur() {
    GetCtrlVal(gCompanelHandle, COMPANEL_PORT, &gCom.port);
    GetCtrlVal(gCompanelHandle, COMPANEL_ADRESSE, &gCom.adresse);
    GetCtrlVal(gCompanelHandle, COMPANEL_BAUDRATE, &gCom.baudrate);
}

void ComEinstellungenAusStrukturInGui() {
    SetCtrlVal(gCompanelHandle, COMPANEL_PORT, gCom.portOffen);
    SetCtrlVal(gCompanelHandle, COMPANEL_ADRESSE, gCom.adresse);
    SetCtrlVal(gCompanelHandle, COMPANEL_BAUDRATE, gCom.baudrate);
    SetCtrlVal(gPanelHandle, MAINPANEL_COMPICTURERING, gCom.portOffen);
    PortdetailsAnzeigen();
}

void ComFehlerSetzen(int code) {
    if (code == 0) {
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, 0);
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERSTRING, "");
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERNUMMER, 0);
        return;
    }
    ComGrundVormerken(code);
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, 1);
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERSTRING, ZEM_Fehlermeldung(code));
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERNUMMER, -code);
}

int IDLesen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN_KENNUNG;
    SetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, "");
    char kennung[ZEMVKR3X_ID_BYTES];
    const int r = ZEMVKR3X_IDLesen(gCom.portOffen, gCom.adresse, kennung);
    if (r != 0) return r;
    SetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, kennung);
    return 0;
}

int Vkr3Scan() {
    // The scan uses the open port; it never opens one.
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    SetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, "");

    // Reopens only when the baud rate was changed since the port was opened.
    gCom.port = gCom.portOffen;
    const int r = ComPortOeffnen();
    if (r != 0) return r;

    for (char adresse = '1'; adresse <= '8'; ++adresse)
        AdresseProben(adresse);

    SetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, "");
    return 0;
}
