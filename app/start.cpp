#include "app/start.h"

#include <cstring>

#include "app/callbacks.h"
#include "app/callbacks_extras.h"
#include "app/callbacks_verlauf.h"
#include "app/globals.h"
#include "app/sprache.h"
#include "app/vkr3xsteuerung.h"
#include "device/mitschnitt.h"
#include "fenster/monitorfenster.h"
#include "ops/com.h"
#include "ops/istwerte.h"
#include "ops/verbindung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"
#include "storage/dateimenue.h"
#include "storage/einstellungen.h"
#include "ui/vkr3xsteuerung_uir.h"

int ServiceSchalterGesetzt(int argc, char* argv[]) {
    // Case-sensitive and whole: any other text, or a second argument, is silently ignored.
    return argc == 2 && argv[1] && std::strcmp(argv[1], SERVICE_SCHALTER) == 0 ? 1 : 0;
}

void PanelsInitialisieren(const char* version, const char* datum) {
    SetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, "");
    SetCtrlVal(gInfopanelHandle, INFOPANEL_VERSION, version);
    SetCtrlVal(gInfopanelHandle, INFOPANEL_DATUM, datum);
    SetPanelAttribute(gPanelHandle, ATTR_HAS_TASKBAR_BUTTON, 1);
    SetPanelAttribute(gCompanelHandle, ATTR_HAS_TASKBAR_BUTTON, 1);
}

int ProgrammStarten(int argc, char* argv[]) {
    if (InitUserInterface(argc, argv) < 0) return -1;
    UirRegistrieren();
    CallbacksBinden();
    // Whatever a callback changed in the sets, the title's mark of unsaved changes follows.
    SetAfterEventHook(PaneltitelAktualisieren);
    // Every exchange is recorded from the start, so the line monitor also shows what happened
    // before it was opened.
    MitschnittEin(true);
    // While the program is busy on the line, every redraw lets the line monitor take the
    // exchanges made so far.
    SetDrawHook(MonitorFensterAktualisieren);

    gPasswortok = ServiceSchalterGesetzt(argc, argv);
    gExtras = Extraeinstellungen{}; // the settings file may switch them
    // The settings decide the language before the panels are labelled.
    IniLaden();

    if ((gPanelHandle = LoadPanel(0, UIR_DATEI, MAINPANEL)) < 0) return -1;
    if ((gCompanelHandle = LoadPanel(gPanelHandle, UIR_DATEI, COMPANEL)) < 0) return -1;
    if ((gInfopanelHandle = LoadPanel(0, UIR_DATEI, INFOPANEL)) < 0) return -1;

    if (gSprache == SPRACHE_ENGLISCH) EnglischeTexteSetzen();
    ExtrasMenueSetzen();
    StatuslampenBenennen();
    if (gPasswortok == 1) SetCtrlAttribute(gPanelHandle, MAINPANEL_VKR3DEVSETUP, ATTR_VISIBLE, 1);
    SetSystemAttribute(ATTR_SYSTEM_SHOW_TASKBAR_BUTTONS, 0);
    PaneltitelFestlegen(PROGRAMM_TITEL);
    DateipfadZuruecksetzen();

    ComStrukturInitialisieren();
    IniLaden(); // the stored port settings replace the defaults just set
    ParameterStrukturInitialisieren();
    DateistandMerken(); // the defaults are no change to save
    PanelsInitialisieren(PROGRAMM_VERSION, PROGRAMM_DATUM);
    // A stored port that is gone is no error at start: it is simply shown as not open.
    ComPortOeffnen();
    ComEinstellungenAusStrukturInGui();

    ParameterAusStrukturInGui();
    ParametersterneSetzen();
    DisplayPanel(gPanelHandle);
    return 0;
}

int ProgrammBeenden() {
    // The COM panel is a child of the main panel and goes with it; the serial port and the
    // info panel are released when the process ends. A settings file that cannot be written
    // does not keep the program from ending.
    IniSchreiben();
    VerlaufBeenden(); // closes a running recording; its lines are already in the file
    ExtrasBeenden();
    DiscardPanel(gPanelHandle);
    return 0;
}

int Vkr3xSteuerungMain(int argc, char* argv[]) {
    if (ProgrammStarten(argc, argv) < 0) return -1;
    RunUserInterface();
    return ProgrammBeenden();
}
