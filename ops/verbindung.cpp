#include "ops/verbindung.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "errors/fehlerkatalog.h"
#include "ops/com.h"
#include "ops/portanzeige.h"
#include "platform/ui.h"

#include <cstdio>
#include <cstring>
#include <string>

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

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

// What a screen reader says when the error line changes: the lamp's label, the number and the
// message of a failure ("Fehler 122201: Serielle Schnittstelle ist nicht geöffnet"), or the
// catalogue's text for no error.
void FehlerAnsagen(int code, const std::string& meldung) {
    std::string ansage;
    if (code == 0) {
        const FehlerkatalogZeile* keiner = FehlerkatalogZeileSuchen(0);
        ansage = Englisch() ? keiner->englisch : keiner->deutsch;
    } else {
        GetCtrlAttribute(gPanelHandle, MAINPANEL_FEHLERLED, ATTR_LABEL_TEXT, &ansage);
        ansage += " " + std::to_string(-code) + ": " + meldung;
    }
    AnnounceText(gPanelHandle, ansage.c_str());
}

// What the scan found at one address, for screen readers: the identity text, or why not.
std::string Fundtext(int ergebnis, bool passend, const char* kennung) {
    if (ergebnis != 0) return Englisch() ? "no answer" : "keine Antwort";
    if (passend) return kennung;
    return (Englisch() ? "other device: " : "anderes Gerät: ") + std::string(kennung);
}

void ScantextSetzen(int baudrate) {
    char text[64];
    std::snprintf(text, sizeof text,
                  Englisch() ? "Looking for device with %d Baud ..." : "Suche Gerät mit %d Baud ...",
                  baudrate);
    SetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, text);
}

// One address of the scan. The LED is drawn before the request goes out and again with its
// outcome, so the user watches the scan move along while it blocks the panels. The LED's spoken
// description tells the outcome; an address where something answered is added to the summary.
void AdresseProben(char adresse, std::string* zusammenfassung) {
    const int led = AdressLed(adresse);
    ScantextSetzen(gCom.baudrate);
    SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_GELB);
    SetCtrlVal(gCompanelHandle, led, 1);
    ProcessDrawEvents();

    char kennung[ZEMVKR3X_ID_BYTES] = "";
    const int r = ZEMVKR3X_IDLesen(gCom.portOffen, adresse, kennung);
    const bool passend = r == 0 && std::strncmp(kennung, KENNUNG_VKR3AX2, std::strlen(KENNUNG_VKR3AX2)) == 0;
    if (r != 0) {
        SetCtrlVal(gCompanelHandle, led, 0);
    } else if (passend) {
        SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_GRUEN);
        gCom.adresse = adresse;
        SetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, kennung);
    } else {
        SetCtrlAttribute(gCompanelHandle, led, ATTR_ON_COLOR, FARBE_ROT);
    }
    const std::string fund = Fundtext(r, passend, kennung);
    SetCtrlAttribute(gCompanelHandle, led, ATTR_SPOKEN_DESCRIPTION, fund.c_str());
    if (r == 0) {
        std::string name;
        GetCtrlAttribute(gCompanelHandle, led, ATTR_SPOKEN_NAME, &name);
        *zusammenfassung += (zusammenfassung->empty() ? "" : "; ") + name + ": " + fund;
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
    int fehlerGezeigt = 0;
    GetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, &fehlerGezeigt);
    if (code == 0) {
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, 0);
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERSTRING, "");
        SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERNUMMER, 0);
        // Heard once when a failure is cleared, not after every success (nor every timer tick).
        if (fehlerGezeigt) FehlerAnsagen(0, "");
        return;
    }
    ComGrundVormerken(code);
    const std::string meldung = ZEM_Fehlermeldung(code);
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, 1);
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERSTRING, meldung.c_str());
    SetCtrlVal(gPanelHandle, MAINPANEL_FEHLERNUMMER, -code);
    FehlerAnsagen(code, meldung);
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

    // What answered is heard when the scan ends, and stays the scan button's description.
    std::string zusammenfassung;
    for (char adresse = '1'; adresse <= '8'; ++adresse)
        AdresseProben(adresse, &zusammenfassung);

    SetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, "");
    if (zusammenfassung.empty()) zusammenfassung = Englisch() ? "no device found" : "kein Gerät gefunden";
    SetCtrlAttribute(gCompanelHandle, COMPANEL_SCAN, ATTR_SPOKEN_DESCRIPTION, zusammenfassung.c_str());
    AnnounceText(gCompanelHandle, zusammenfassung.c_str());
    return 0;
}
