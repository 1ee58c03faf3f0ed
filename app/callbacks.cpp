#include "app/callbacks.h"

#include "app/callbacks_ansicht.h"
#include "app/callbacks_extras.h"
#include "app/callbacks_bericht.h"
#include "app/callbacks_geraet.h"
#include "app/callbacks_verlauf.h"
#include "app/globals.h"
#include "app/sprache.h"
#include "errors/fehler.h"
#include "ops/geraeteliste.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"
#include "storage/dateimenue.h"

int Callback_Panel_Main(int, int event, void*, int, int) {
    // The settings are written by the start-up routine once the loop has ended.
    if (event == EVENT_CLOSE && AenderungenSichern()) QuitUserInterface(0);
    return 0;
}

int Callback_Ring_Parametersatz(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) ParametersatzUmschalten();
    return 0;
}

int Callback_Multi_Parameter(int, int, int event, void*, int, int) {
    // Whichever control changed, the whole panel is stored: the set always mirrors the panel.
    // Nothing is sent to the device here.
    if (event == EVENT_COMMIT) {
        ParameterAusGuiInStruktur();
        ParametersterneSetzen();
    }
    return 0;
}

int Callback_Button_CompanelSchliessen(int, int, int event, void*, int, int) {
    // Only hides the panel; the port stays as it is.
    if (event != EVENT_COMMIT) return 0;
    HidePanel(gCompanelHandle);
    GeraetelisteBeobachten(0);
    return 0;
}

int Callback_Button_InfoOk(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) RemovePopup(gInfopanelHandle);
    return 0;
}

void Callback_Menu_Neu(int, int, void*, int) {
    if (!AenderungenSichern()) return;
    ParameterStrukturInitialisieren();
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
    DateipfadZuruecksetzen();
}

void Callback_Menu_Oeffnen(int, int, void*, int) {
    if (!AenderungenSichern()) return;
    if (const int r = DateiOeffnen()) ZEM_Fehlerpopup(r);
    // Also after a failure or a cancel: the panel shows the sets as they are now.
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
}

void Callback_Menu_Speichern(int, int, void*, int) {
    if (const int r = DateiSpeichern(0)) ZEM_Fehlerpopup(r);
}

void Callback_Menu_SpeichernUnter(int, int, void*, int) {
    if (const int r = DateiSpeichern(1)) ZEM_Fehlerpopup(r);
}

void Callback_Menu_Beenden(int, int, void*, int) {
    if (AenderungenSichern()) QuitUserInterface(0);
}

void Callback_Menu_ComEinstellung(int, int, void*, int) {
    DisplayPanel(gCompanelHandle);
    GeraetelisteBeobachten(1);
}

void Callback_Menu_Info(int, int, void*, int) {
    InstallPopup(gInfopanelHandle);
}

namespace {

CallbackEntry Control(const char* name, CtrlCallbackPtr f) {
    return {name, f, nullptr, nullptr};
}
CallbackEntry Menu(const char* name, MenuCallbackPtr f) {
    return {name, nullptr, nullptr, f};
}

} // namespace

void CallbacksBinden() {
    // Every callback the program offers, by the name the panel definition uses. Controls whose
    // callback is not listed here do nothing yet.
    static const CallbackEntry kTabelle[] = {
        {"Callback_Panel_Main", nullptr, Callback_Panel_Main, nullptr},
        Control("Callback_Ring_Parametersatz", Callback_Ring_Parametersatz),
        Control("Callback_Multi_Parameter", Callback_Multi_Parameter),
        Control("Callback_Button_Vkr3Lesen", Callback_Button_Vkr3Lesen),
        Control("Callback_Button_Vkr3Schreiben", Callback_Button_Vkr3Schreiben),
        Control("Callback_Button_ProgrammLaden", Callback_Button_ProgrammLaden),
        Control("Callback_Button_ProgrammSpeichern", Callback_Button_ProgrammSpeichern),
        Control("Callback_Button_Vkr3Start", Callback_Button_Vkr3Start),
        Control("Callback_Button_Vkr3Stopp", Callback_Button_Vkr3Stopp),
        Control("Callback_Button_Vkr3FehlerLoeschen", Callback_Button_Vkr3FehlerLoeschen),
        Control("Callback_Button_Vkr3Kalibrieren", Callback_Button_Vkr3Kalibrieren),
        Control("Callback_Button_Vkr3DevSetup", Callback_Button_Vkr3DevSetup),
        Control("Callback_Ring_ComPicture", Callback_Ring_ComPicture),
        Control("Callback_Multi_ComEinstellungen", Callback_Multi_ComEinstellungen),
        Control("Callback_Button_Scan", Callback_Button_Scan),
        Control("Callback_Button_IdLesen", Callback_Button_IdLesen),
        Control("Callback_Liste_Geraete", Callback_Liste_Geraete),
        Control("Callback_Ring_Bindung", Callback_Ring_Bindung),
        Control("Callback_Timer_Geraeteliste", Callback_Timer_Geraeteliste),
        Control("Callback_Button_Abfragen", Callback_Button_Abfragen),
        Control("Callback_Toggle_DauerndAbfragen", Callback_Toggle_DauerndAbfragen),
        Control("Callback_Timer", Callback_Timer),
        Control("Callback_Button_StatusInfo", Callback_Button_StatusInfo),
        Control("Callback_Button_Vkr3StromIncrement", Callback_Button_Vkr3StromIncrement),
        Control("Callback_Button_Vkr3StromDecrement", Callback_Button_Vkr3StromDecrement),
        Control("Callback_Button_Vkr3StromUmschalten", Callback_Button_Vkr3StromUmschalten),
        Control("Callback_Button_An_VKR3AX2_anpassen", Callback_Button_An_VKR3AX2_anpassen),
        Control("Callback_Button_CompanelSchliessen", Callback_Button_CompanelSchliessen),
        Control("Callback_Button_InfoOk", Callback_Button_InfoOk),
        Menu("Callback_Menu_Neu", Callback_Menu_Neu),
        Menu("Callback_Menu_Oeffnen", Callback_Menu_Oeffnen),
        Menu("Callback_Menu_Speichern", Callback_Menu_Speichern),
        Menu("Callback_Menu_SpeichernUnter", Callback_Menu_SpeichernUnter),
        Menu("Callback_Menu_Beenden", Callback_Menu_Beenden),
        Menu("Callback_Menu_ComEinstellung", Callback_Menu_ComEinstellung),
        Menu("Callback_Menu_Sprache", Callback_Menu_Sprache),
        Menu("Callback_Menu_Info", Callback_Menu_Info),
        Menu("Callback_Menu_Verlauf", Callback_Menu_Verlauf),
        Menu("Callback_Menu_Kommunikation", Callback_Menu_Kommunikation),
        Menu("Callback_Menu_Vergleichen", Callback_Menu_Vergleichen),
        Menu("Callback_Menu_Pruefen", Callback_Menu_Pruefen),
        Menu("Callback_Menu_Sichern", Callback_Menu_Sichern),
        Menu("Callback_Menu_SicherungOeffnen", Callback_Menu_SicherungOeffnen),
        Menu("Callback_Menu_Bericht", Callback_Menu_Bericht),
    };
    SetCallbackTable(kTabelle, static_cast<int>(std::size(kTabelle)));
}
