// Developer preview of the panel definitions: loads the three panels as the program does and
// shows them, so the layout can be looked at without a device or settings file.
//
//   uir-vorschau [--com] [--info] [--versteckte]
//     --com         also show the COM settings panel (a child of the main panel)
//     --info        also show the info panel (as the program does: a modal popup centred over
//                   the main window)
//     --versteckte  make every control that starts hidden visible (STK9 group, raised
//                   free-wheeling voltage group, dither table group, device-setup button)
#include <cstdio>
#include <cstring>
#include <iterator>
#include <span>

#include "app/vkr3xsteuerung.h"
#include "platform/ui.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

bool HatSchalter(std::span<char*> argumente, const char* schalter) {
    for (const char* a : argumente)
        if (std::strcmp(a, schalter) == 0) return true;
    return false;
}

int gCom = 0, gInfo = 0;

// Just enough wiring to move around the preview: closing quits, the close buttons and the two
// menu items show and hide the other panels.
int HauptfensterSchliessen(int, int event, void*, int, int) {
    if (event == EVENT_CLOSE) QuitUserInterface(0);
    return 0;
}
int FensterVerstecken(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(panel);
    return 0;
}
void ComZeigen(int, int, void*, int) {
    DisplayPanel(gCom);
}
void InfoZeigen(int, int, void*, int) {
    InstallPopup(gInfo);
}

constexpr CallbackEntry kVorschauCallbacks[] = {
    {"Callback_Panel_Main", nullptr, HauptfensterSchliessen, nullptr},
    {"Callback_Button_CompanelSchliessen", FensterVerstecken, nullptr, nullptr},
    {"Callback_Button_InfoOk", FensterVerstecken, nullptr, nullptr},
    {"Callback_Menu_ComEinstellung", nullptr, nullptr, ComZeigen},
    {"Callback_Menu_Info", nullptr, nullptr, InfoZeigen},
};

void VersteckteZeigen(int panel, int resourceId) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        if (p.resourceId != resourceId) continue;
        for (const ControlDefinition& c : p.controls)
            if (!c.visible) SetCtrlAttribute(panel, c.id, ATTR_VISIBLE, 1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (InitUserInterface(argc, argv) < 0) return -1;
    UirRegistrieren();
    SetCallbackTable(kVorschauCallbacks, static_cast<int>(std::size(kVorschauCallbacks)));
    const std::span<char*> argumente(argv + 1, argc > 1 ? argc - 1 : 0);

    const int haupt = LoadPanel(0, UIR_DATEI, MAINPANEL);
    gCom = LoadPanel(haupt, UIR_DATEI, COMPANEL);
    gInfo = LoadPanel(0, UIR_DATEI, INFOPANEL);
    if (haupt < 0 || gCom < 0 || gInfo < 0) {
        std::fprintf(stderr, "uir-vorschau: loading the panels failed (%d, %d, %d)\n", haupt, gCom, gInfo);
        return -1;
    }
    if (HatSchalter(argumente, "--versteckte")) VersteckteZeigen(haupt, MAINPANEL);

    DisplayPanel(haupt);
    if (HatSchalter(argumente, "--com")) DisplayPanel(gCom);
    if (HatSchalter(argumente, "--info")) InstallPopup(gInfo);
    return RunUserInterface();
}
