#include "tests/platform/test_definition.h"

#include <algorithm>

std::vector<ControlEvent> gControlEvents;
std::vector<MenuEvent> gMenuEvents;
std::vector<PanelEvent> gPanelEvents;
std::function<void(int control, int event)> gInCallback;

void ClearTestEvents() {
    gControlEvents.clear();
    gMenuEvents.clear();
    gPanelEvents.clear();
}

int CountEvents(int control, int event) {
    return static_cast<int>(
        std::count_if(gControlEvents.begin(), gControlEvents.end(),
                      [=](const ControlEvent& e) { return e.control == control && e.event == event; }));
}

namespace {

int RecordControl(int panel, int control, int event, void*, int data1, int data2) {
    gControlEvents.push_back({panel, control, event, data1, data2});
    if (gInCallback) gInCallback(control, event);
    return 0;
}

int RecordPanel(int panel, int event, void*, int, int) {
    gPanelEvents.push_back({panel, event});
    return 0;
}

void RecordMenu(int menuBar, int item, void*, int panel) {
    gMenuEvents.push_back({menuBar, item, panel});
}

constexpr CallbackEntry kCallbacks[] = {
    {"OnControl", RecordControl, nullptr, nullptr},
    {"OnPanel", nullptr, RecordPanel, nullptr},
    {"OnMenu", nullptr, nullptr, RecordMenu},
};

constexpr ListItem kRingItems[] = {{"aus", 0}, {"ein", 1}, {"Sinus", 2}};
constexpr ListItem kAdressen[] = {{"1", '1'}, {"2", '2'}, {"3", '3'}, {"alle", '&'}};
constexpr ListItem kPorts[] = {{"", -1}, {"", 1}, {"", 2}, {"", 3}, {"", 4}, {"", 5}, {"", 6}};
constexpr const char* kSpalten[] = {"PWM-Strom", "Dither Amplitude"};
constexpr ListItem kPortRing[] = {{"nicht geöffnet", -1}, {"COM 1", 1}, {"COM 2", 2}};

// clang-format off
constexpr ControlDefinition kTestControls[] = {
    {.id = TEST_BUTTON, .constant = "TEST_BUTTON", .kind = ControlKind::CommandButton, .text = "Ausführen",
     .callback = "OnControl", .geometry = {10, 10, 100, 26}},
    {.id = TEST_TOGGLE, .constant = "TEST_TOGGLE", .kind = ControlKind::ToggleButton, .text = "dauernd",
     .callback = "OnControl", .type = ValueType::Int, .geometry = {120, 10, 100, 26}},
    {.id = TEST_CHECKBOX, .constant = "TEST_CHECKBOX", .kind = ControlKind::Checkbox, .text = "Option",
     .callback = "OnControl", .type = ValueType::Int, .geometry = {230, 10, 120, 24},
     .labelPlacement = LabelPlacement::Right},
    {.id = TEST_DITHER, .constant = "TEST_DITHER", .kind = ControlKind::Numeric, .text = "  Dither Strom [A]",
     .callback = "OnControl", .type = ValueType::Double, .defaultValue = 0.1, .minimum = 0, .maximum = 0.3,
     .step = 0.001, .decimals = 3, .geometry = {150, 50, 90, 24}, .labelWidth = 130},
    {.id = TEST_ZEIT, .constant = "TEST_ZEIT", .kind = ControlKind::Numeric, .text = "Zeit 1 [ms]",
     .callback = "OnControl", .type = ValueType::Double, .defaultValue = 1000, .minimum = 1, .maximum = 65534,
     .geometry = {150, 80, 90, 24}},
    {.id = TEST_PROGRAMM, .constant = "TEST_PROGRAMM", .kind = ControlKind::Numeric, .text = "Programm",
     .callback = "OnControl", .type = ValueType::Int, .defaultValue = 1, .minimum = 1, .maximum = 16,
     .geometry = {150, 110, 90, 24}},
    {.id = TEST_ISTWERT, .constant = "TEST_ISTWERT", .kind = ControlKind::Numeric, .text = "Strom [A]",
     .type = ValueType::Double, .decimals = 3, .readOnly = true, .geometry = {150, 140, 90, 24}},
    {.id = TEST_RING, .constant = "TEST_RING", .kind = ControlKind::Ring, .text = "Dither Typ",
     .callback = "OnControl", .type = ValueType::Int, .items = kRingItems, .geometry = {150, 170, 120, 24}},
    {.id = TEST_ADRESSE, .constant = "TEST_ADRESSE", .kind = ControlKind::Ring, .text = "Adresse",
     .callback = "OnControl", .type = ValueType::Char, .defaultValue = '1', .items = kAdressen,
     .geometry = {150, 200, 120, 24}},
    {.id = TEST_FEHLERTEXT, .constant = "TEST_FEHLERTEXT", .kind = ControlKind::String,
     .type = ValueType::String, .readOnly = true, .geometry = {10, 230, 260, 24},
     .labelPlacement = LabelPlacement::None},
    {.id = TEST_MELDUNG, .constant = "TEST_MELDUNG", .kind = ControlKind::TextMessage,
     .text = "Suche Gerät ...", .geometry = {10, 260, 200, 20}},
    {.id = TEST_LED, .constant = "TEST_LED", .kind = ControlKind::Led, .text = "Fehler",
     .type = ValueType::Int, .geometry = {300, 50, 18, 18}, .labelPlacement = LabelPlacement::Right,
     .onColor = 0xFF0000},
    {.id = TEST_COMBILD, .constant = "TEST_COMBILD", .kind = ControlKind::PictureRing,
     .callback = "OnControl", .type = ValueType::Int, .defaultValue = -1, .items = kPorts,
     .geometry = {300, 80, 64, 48}, .labelPlacement = LabelPlacement::None, .picture = PictureKind::ComPort},
    {.id = TEST_TABELLE, .constant = "TEST_TABELLE", .kind = ControlKind::Table,
     .text = "Dither Amplitudentabelle", .callback = "OnControl", .type = ValueType::Double, .minimum = 0,
     .maximum = 10, .decimals = 3, .geometry = {400, 40, 260, 150}, .labelPlacement = LabelPlacement::Above,
     .rows = 3, .columns = 2, .columnTitles = kSpalten},
    {.id = TEST_TIMER, .constant = "TEST_TIMER", .kind = ControlKind::Timer, .callback = "OnControl",
     .interval = 0.02, .enabled = false},
    {.id = TEST_RAHMEN, .constant = "TEST_RAHMEN", .kind = ControlKind::Decoration,
     .geometry = {390, 220, 280, 100}},
    {.id = TEST_UEBERSCHRIFT, .constant = "TEST_UEBERSCHRIFT", .kind = ControlKind::TextMessage,
     .text = "Istwerte", .geometry = {400, 211, 200, 18}},
    {.id = TEST_LOGO, .constant = "TEST_LOGO", .kind = ControlKind::Picture, .geometry = {600, 240, 48, 48},
     .picture = PictureKind::Logo},
    {.id = TEST_VERSTECKT, .constant = "TEST_VERSTECKT", .kind = ControlKind::CommandButton,
     .text = "Geräte-Setup", .callback = "OnControl", .visible = false, .geometry = {10, 290, 100, 26}},
    {.id = TEST_EINGABE, .constant = "TEST_EINGABE", .kind = ControlKind::String, .text = "ID",
     .callback = "OnControl", .type = ValueType::String, .geometry = {150, 290, 150, 24}},
};

constexpr ControlDefinition kChildControls[] = {
    {.id = CHILD_PORT, .constant = "CHILD_PORT", .kind = ControlKind::Ring, .text = "Port",
     .callback = "OnControl", .type = ValueType::Int, .defaultValue = -1, .items = kPortRing,
     .geometry = {80, 10, 120, 24}},
    {.id = CHILD_SCHLIESSEN, .constant = "CHILD_SCHLIESSEN", .kind = ControlKind::CommandButton,
     .text = "Fenster schließen", .callback = "OnControl", .geometry = {80, 50, 120, 26}},
};

constexpr ControlDefinition kPopupControls[] = {
    {.id = POPUP_OK, .constant = "POPUP_OK", .kind = ControlKind::CommandButton, .text = "OK",
     .callback = "OnControl", .geometry = {20, 20, 80, 26}},
};

constexpr MenuItemDefinition kMenu[] = {
    {.id = TESTMENU_DATEI, .constant = "TESTMENU_DATEI", .name = "Datei"},
    {.id = TESTMENU_DATEI_NEU, .constant = "TESTMENU_DATEI_NEU", .name = "Neu", .callback = "OnMenu",
     .parent = TESTMENU_DATEI},
    {.id = TESTMENU_DATEI_TRENNER, .constant = "TESTMENU_DATEI_TRENNER", .parent = TESTMENU_DATEI,
     .separator = true},
    {.id = TESTMENU_DATEI_ENDE, .constant = "TESTMENU_DATEI_ENDE", .name = "Beenden", .callback = "OnMenu",
     .parent = TESTMENU_DATEI},
    {.id = TESTMENU_OPTIONEN, .constant = "TESTMENU_OPTIONEN", .name = "Einstellungen"},
    {.id = TESTMENU_OPTIONEN_SPRACHE, .constant = "TESTMENU_OPTIONEN_SPRACHE", .name = "Sprache",
     .parent = TESTMENU_OPTIONEN},
    {.id = TESTMENU_OPTIONEN_SPRACHE_SUBMENU, .constant = "TESTMENU_OPTIONEN_SPRACHE_SUBMENU",
     .parent = TESTMENU_OPTIONEN_SPRACHE, .submenu = true},
    {.id = TESTMENU_OPTIONEN_SPRACHE_DE, .constant = "TESTMENU_OPTIONEN_SPRACHE_DE", .name = "Deutsch",
     .callback = "OnMenu", .parent = TESTMENU_OPTIONEN_SPRACHE_SUBMENU},
    {.id = TESTMENU_OPTIONEN_SPRACHE_EN, .constant = "TESTMENU_OPTIONEN_SPRACHE_EN", .name = "English",
     .callback = "OnMenu", .parent = TESTMENU_OPTIONEN_SPRACHE_SUBMENU},
};

constexpr PanelDefinition kPanels[] = {
    {.resourceId = TESTPANEL, .constant = "TESTPANEL", .title = "Testpanel", .width = 700, .height = 340,
     .callback = "OnPanel", .controls = kTestControls, .menuBarId = TESTMENUBAR},
    {.resourceId = CHILDPANEL, .constant = "CHILDPANEL", .title = "COM Einstellung", .width = 260,
     .height = 90, .controls = kChildControls},
    {.resourceId = POPUPPANEL, .constant = "POPUPPANEL", .title = "Info", .width = 120, .height = 70,
     .controls = kPopupControls},
};

constexpr MenuBarDefinition kMenuBars[] = {
    {.resourceId = TESTMENUBAR, .constant = "TESTMENUBAR", .items = kMenu},
};
// clang-format on

constexpr DefinitionFile kFile = {.name = kTestUir, .panels = kPanels, .menuBars = kMenuBars};

} // namespace

void InstallTestDefinition() {
    RegisterDefinitionFile(&kFile);
    SetCallbackTable(kCallbacks, static_cast<int>(std::size(kCallbacks)));
}
