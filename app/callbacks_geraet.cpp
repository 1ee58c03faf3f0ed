#include "app/callbacks_geraet.h"

#include "app/callbacks_extras.h"
#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "ops/com.h"
#include "ops/geraetefunktionen.h"
#include "ops/geraeteliste.h"
#include "ops/geraetesetup.h"
#include "ops/istwerte.h"
#include "ops/portanzeige.h"
#include "ops/programmtransfer.h"
#include "ops/verbindung.h"
#include "params/panel_transfer.h"
#include "params/stromschritt.h"
#include "params/versionsanpassung.h"
#include "platform/ui.h"

namespace {

// Mode number the device-setup button enters.
constexpr int SETUP_MODUS = 2;

// A button that runs one device operation on its commit and shows the result.
int Zeigen(int event, int (*operation)()) {
    if (event == EVENT_COMMIT) ComFehlerSetzen(operation());
    return 0;
}

// Shows the query's result; when the query succeeded, a failure of the action that came with it
// (a current write, the switch command) is shown instead, so no failure passes as success.
void AbfrageUndAktionZeigen(int abfrage, int aktion) {
    ComFehlerSetzen(abfrage != 0 ? abfrage : aktion);
}

// After a first result was shown and a second operation ran: the second one's failure is shown
// when the first succeeded. A failed first result stays as shown, with the reason its showing
// appended (an adapter that is gone); it is shown again only when the adapter was found gone
// since, so that the port closes and the reason comes with it.
void ZweitesErgebnisZeigen(int erstes, int zweites) {
    if (erstes == 0 ? zweites != 0 : ComAdapterGetrennt()) ComFehlerSetzen(erstes != 0 ? erstes : zweites);
}

int StromSchritt(int event, int (*schritt)()) {
    if (event != EVENT_COMMIT) return 0;
    ParameterAusGuiInStruktur(); // an edited step size counts at once
    const int abfrage = IstwerteAbfragen();
    ComFehlerSetzen(abfrage); // shown before the step is written
    ZweitesErgebnisZeigen(abfrage, schritt());
    return 0;
}

} // namespace

int Callback_Button_Vkr3Lesen(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3ProgrammeLesen);
}
int Callback_Button_Vkr3Schreiben(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) SchreibergebnisZeigen(Vkr3ProgrammeSchreiben());
    return 0;
}
int Callback_Button_ProgrammLaden(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3ProgrammLaden);
}
int Callback_Button_ProgrammSpeichern(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3ProgrammSpeichern);
}
int Callback_Button_Vkr3Start(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3Starten);
}
int Callback_Button_Vkr3Stopp(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3Stoppen);
}
int Callback_Button_Vkr3FehlerLoeschen(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3FehlerLoeschen);
}
int Callback_Button_Vkr3Kalibrieren(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3Kalibrieren);
}
int Callback_Button_IdLesen(int, int, int event, void*, int, int) {
    return Zeigen(event, IDLesen);
}

int Callback_Button_Vkr3DevSetup(int, int, int event, void*, int, int) {
    // A service tool: the outcome is deliberately not shown, the error fields stay as they were.
    if (event == EVENT_COMMIT) EnterDevSetupMode(SETUP_MODUS);
    return 0;
}

int Callback_Ring_ComPicture(int, int, int event, void*, int eventData1, int) {
    const bool taste =
        event == EVENT_KEYPRESS && (eventData1 == VAL_ENTER_VKEY || eventData1 == VAL_SPACE_KEY);
    if (event != EVENT_LEFT_CLICK && !taste) return 0;
    gCom.port = gCom.portOffen == -1 ? gCom.lport : -1;
    ComFehlerSetzen(ComPortOeffnen());
    // The picture is never a way to choose a port: it goes back to the port really open.
    ComEinstellungenAusStrukturInGui();
    return 0;
}

int Callback_Multi_ComEinstellungen(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ComEinstellungenAusGuiInStruktur();
    ComFehlerSetzen(ComPortOeffnen());
    ComEinstellungenAusStrukturInGui();
    return 0;
}

int Callback_Button_Scan(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ComFehlerSetzen(0);
    ComFehlerSetzen(Vkr3Scan());
    ComEinstellungenAusStrukturInGui();
    return 0;
}

int Callback_Liste_Geraete(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) BindungAnzeigen();
    return 0;
}

int Callback_Ring_Bindung(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) BindungUebernehmen();
    return 0;
}

int Callback_Timer_Geraeteliste(int, int, int event, void*, int, int) {
    if (event == EVENT_TIMER_TICK) GeraetelisteAktualisieren();
    return 0;
}

int Callback_Button_Abfragen(int, int, int event, void*, int, int) {
    return Zeigen(event, IstwerteAbfragen);
}

int Callback_Toggle_DauerndAbfragen(int panel, int control, int event, void*, int, int) {
    // The first query runs at the first tick, half a second later.
    if (event != EVENT_COMMIT) return 0;
    int an = 0;
    GetCtrlVal(panel, control, &an);
    SetCtrlAttribute(gPanelHandle, MAINPANEL_TIMER, ATTR_ENABLED, an != 0 ? 1 : 0);
    return 0;
}

int Callback_Timer(int, int, int event, void*, int, int) {
    if (event != EVENT_TIMER_TICK) return 0;
    const int r = IstwerteAbfragen();
    if (r != 0) {
        // Continuous query ends at the first failure.
        SetCtrlAttribute(gPanelHandle, MAINPANEL_TIMER, ATTR_ENABLED, 0);
        SetCtrlVal(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN, 0);
    }
    ComFehlerSetzen(r);
    return 0;
}

int Callback_Button_StatusInfo(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) StatusinfoPopup();
    return 0;
}

int Callback_Button_Vkr3StromIncrement(int, int, int event, void*, int, int) {
    return StromSchritt(event, StromIncrement);
}

int Callback_Button_Vkr3StromDecrement(int, int, int event, void*, int, int) {
    return StromSchritt(event, StromDecrement);
}

int Callback_Button_Vkr3StromUmschalten(int, int, int event, void*, int, int) {
    // The query after the switch lets the active-current lights follow it.
    if (event != EVENT_COMMIT) return 0;
    const int umschalten = Vkr3STK9Stromumschaltung();
    AbfrageUndAktionZeigen(IstwerteAbfragen(), umschalten);
    return 0;
}

int Callback_Button_An_VKR3AX2_anpassen(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int kennung = IDLesen();
    ComFehlerSetzen(kennung);
    const int tabelle = Vkr3SuppurtDithertabelleLesen();
    ZweitesErgebnisZeigen(kennung, tabelle);
    // Decided even after a failure: from the identity text the ID field still holds.
    VersionAusKennungAnzeigen();
    return 0;
}
