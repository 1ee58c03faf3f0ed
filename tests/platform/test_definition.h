#pragma once
// A small user-interface definition for the run-time tests: one panel with every control kind
// and a menu bar, a child panel and a popup panel. Callbacks record what they receive.

#include "platform/panel_definition.h"
#include "platform/ui.h"

#include <functional>
#include <vector>

constexpr const char* kTestUir = "testpanels.uir";

constexpr int TESTPANEL = 1;
constexpr int CHILDPANEL = 2;
constexpr int POPUPPANEL = 3;
constexpr int TESTMENUBAR = 1;

enum TestControl {
    TEST_BUTTON = 2,
    TEST_TOGGLE,
    TEST_CHECKBOX,
    TEST_DITHER,   // double 0 .. 0.3, 3 decimals
    TEST_ZEIT,     // double 1 .. 65534, no decimals
    TEST_PROGRAMM, // int 1 .. 16
    TEST_ISTWERT,  // display only, unlimited
    TEST_RING,
    TEST_ADRESSE, // character ring
    TEST_FEHLERTEXT,
    TEST_MELDUNG,
    TEST_LED,
    TEST_COMBILD,
    TEST_TABELLE,
    TEST_TIMER,
    TEST_RAHMEN,
    TEST_UEBERSCHRIFT,
    TEST_LOGO,
    TEST_VERSTECKT,
    TEST_EINGABE, // editable string
};

enum ChildControl { CHILD_PORT = 2, CHILD_SCHLIESSEN };
enum PopupControl { POPUP_OK = 2 };

enum TestMenu {
    TESTMENU_DATEI = 2,
    TESTMENU_DATEI_NEU,
    TESTMENU_DATEI_TRENNER,
    TESTMENU_DATEI_ENDE,
    TESTMENU_OPTIONEN,
    TESTMENU_OPTIONEN_SPRACHE,
    TESTMENU_OPTIONEN_SPRACHE_SUBMENU,
    TESTMENU_OPTIONEN_SPRACHE_DE,
    TESTMENU_OPTIONEN_SPRACHE_EN,
};

struct ControlEvent {
    int panel, control, event, data1, data2;
};
struct MenuEvent {
    int menuBar, item, panel;
};
struct PanelEvent {
    int panel, event;
};

// Everything the recording callbacks received since the last ClearTestEvents().
extern std::vector<ControlEvent> gControlEvents;
extern std::vector<MenuEvent> gMenuEvents;
extern std::vector<PanelEvent> gPanelEvents;
void ClearTestEvents();
// Run by the control callback after it recorded its event, while it still runs; none when empty.
extern std::function<void(int control, int event)> gInCallback;
int CountEvents(int control, int event);

// Registers the definition and the callback table; safe to call repeatedly.
void InstallTestDefinition();
