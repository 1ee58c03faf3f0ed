#include "app/callbacks_geraet.h"

#include "ops/com.h"
#include "ops/geraetefunktionen.h"
#include "ops/geraetesetup.h"
#include "ops/programmtransfer.h"
#include "ops/verbindung.h"
#include "platform/ui.h"

namespace {

// Mode number the device-setup button enters.
constexpr int SETUP_MODUS = 2;

// A button that runs one device operation on its commit and shows the result.
int Zeigen(int event, int (*operation)()) {
    if (event == EVENT_COMMIT) ComFehlerSetzen(operation());
    return 0;
}

} // namespace

int Callback_Button_Vkr3Lesen(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3ProgrammeLesen);
}
int Callback_Button_Vkr3Schreiben(int, int, int event, void*, int, int) {
    return Zeigen(event, Vkr3ProgrammeSchreiben);
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
