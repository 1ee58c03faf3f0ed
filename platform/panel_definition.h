#pragma once
// Declarative form of a user-interface definition file: its panels, their controls and the
// menu bar. The data lives in ui/; the run-time (platform/ui.h) builds widgets from it when a
// panel is loaded. Definitions are written with designated initialisers, so every field below
// has a default and new fields are appended at the end of their struct.

#include <limits>
#include <span>

enum class ControlKind {
    CommandButton, // no value; commit on click
    ToggleButton,  // int 0/1
    Numeric,       // int or double with range, step and decimals
    Ring,          // list of label/value items; value is the selected item's value
    String,        // text field (editable or display only)
    TextMessage,   // static text; its text is its value
    Led,           // int, non-zero = on
    Checkbox,      // int 0/1
    PictureRing,   // list of pictures with int values
    Table,         // grid of doubles
    Timer,         // invisible; ticks while enabled
    Decoration,    // frame, no value, no events
    Picture,       // static picture, no value, no events
    ListBox,       // rows of label/value items in columns; value is the selected row's value
};

enum class ValueType { None, Int, Double, Char, String };

enum class LabelPlacement { Left, Above, Right, Inside, None };

// Pictures are drawn by the run-time itself; the definition only names which one.
enum class PictureKind { None, ComPort, Logo };

// A text given in both languages of the program; the run-time picks the one of the run.
struct SpokenName {
    const char* german = nullptr;
    const char* english = nullptr;
};

struct ListItem {
    const char* label;
    int value; // for character rings the character code
};

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr double UNBEGRENZT = std::numeric_limits<double>::infinity();

struct ControlDefinition {
    int id = 0;
    const char* constant = ""; // e.g. "MAINPANEL_STROM1"; also the accessible name when unlabelled
    ControlKind kind = ControlKind::TextMessage;
    const char* text = "";          // label, button caption, or the text of a text message
    const char* callback = nullptr; // callback name, resolved through SetCallbackTable
    ValueType type = ValueType::None;
    double defaultValue = 0.0;
    double minimum = -UNBEGRENZT;
    double maximum = UNBEGRENZT;
    double step = 1.0;
    int decimals = 0;
    bool visible = true; // visibility at load
    bool dimmed = false;
    bool readOnly = false; // display only (indicator)
    std::span<const ListItem> items = {};
    Geometry geometry = {};
    LabelPlacement labelPlacement = LabelPlacement::Left;
    int labelWidth = 0;     // width reserved for a left label; 0 = natural width
    int onColor = 0x00FF00; // LEDs, 0xRRGGBB
    double interval = 0.0;  // timers, seconds
    bool enabled = false;   // timers
    int rows = 0;           // tables
    int columns = 0;        // tables
    // Tables and list boxes
    std::span<const char* const> columnTitles = {};
    PictureKind picture = PictureKind::None;
    const char* defaultText = ""; // string controls
    int fontPointSize = 0;        // 0 = the panel's font
    bool bold = false;
    // Name announced by screen readers where the label says too little or nothing (LEDs, error
    // fields); without one the label text is the name. Never shown on the panel.
    SpokenName spokenName = {};
};

struct MenuItemDefinition {
    int id = 0;
    const char* constant = "";
    const char* name = "";
    const char* callback = nullptr;
    int parent = 0; // id of the menu or submenu it belongs to; 0 = a menu of the bar
    bool separator = false;
    bool submenu = false;   // this entry is the submenu that carries the items naming it as parent
    bool checkable = false; // a command that carries a check mark, toggled by choosing it
    bool checked = false;   // its mark when the menu bar is built
};

constexpr int CENTRED = -1; // child panel position: in the middle of the parent

struct PanelDefinition {
    int resourceId = 0;
    const char* constant = "";
    const char* title = "";
    int width = 0;
    int height = 0;
    const char* callback = nullptr;
    std::span<const ControlDefinition> controls = {};
    int menuBarId = 0; // 0 = no menu bar
    // Keyboard: Tab visits these controls in this order, then any other focusable control in
    // definition order. Enter anywhere on the panel commits defaultButton, Escape commits
    // cancelButton (0 = none), each through the control's own callback.
    std::span<const int> tabOrder = {};
    int defaultButton = 0;
    int cancelButton = 0;
    // Where a child panel opens inside its parent (canvas pixels, top-left of its frame). The
    // frame always lies wholly inside: a position beyond the parent's size puts it against the
    // right or bottom edge.
    int left = CENTRED;
    int top = CENTRED;
};

struct MenuBarDefinition {
    int resourceId = 0;
    const char* constant = "";
    std::span<const MenuItemDefinition> items = {};
};

struct DefinitionFile {
    const char* name = ""; // e.g. "vkr3xSteuerung.uir"
    std::span<const PanelDefinition> panels = {};
    std::span<const MenuBarDefinition> menuBars = {};
    // Language of the run when panels are loaded: 2 English, anything else German. Picks the
    // spoken names; none = German.
    int (*language)() = nullptr;
    // How a lamp's state is announced.
    SpokenName lampOn = {};
    SpokenName lampOff = {};
    // How the port picture's state is announced: "COM 1" and portOpen, or portClosed.
    SpokenName portOpen = {};
    SpokenName portClosed = {};
};

// Makes a definition file known to LoadPanel under its name.
void RegisterDefinitionFile(const DefinitionFile* file);
