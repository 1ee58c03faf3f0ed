#pragma once
// User-interface run-time: panels, controls, menus, popups and timers, addressed by panel
// handle and control id as the rest of the program expects. This header is free of Qt; the
// implementation lives in platform/ and is the only code that knows widget classes.
//
// All functions return 0 (or a handle, or a popup result) on success and a negative
// UIE_ code on failure, unless stated otherwise.

#include <string>

// ---- Error codes of the run-time ---------------------------------------------------------
constexpr int UIE_OK = 0;
constexpr int UIE_NOT_INITIALIZED = -1;
constexpr int UIE_BAD_PANEL = -4;       // no panel with this handle
constexpr int UIE_BAD_CONTROL = -5;     // no control with this id on the panel
constexpr int UIE_BAD_RESOURCE = -6;    // no panel with this resource id in the definition
constexpr int UIE_BAD_ATTRIBUTE = -7;   // attribute not applicable to this control
constexpr int UIE_BAD_VALUE_TYPE = -8;  // value type does not fit the control
constexpr int UIE_BAD_INDEX = -9;       // list index or table cell out of range
constexpr int UIE_BAD_MENU = -10;       // no menu bar or menu item with this id
constexpr int UIE_ITEM_NOT_FOUND = -11; // no list item with this value; the selection stays

// ---- Events delivered to callbacks -------------------------------------------------------
constexpr int EVENT_COMMIT = 1;
constexpr int EVENT_LEFT_CLICK = 3;
constexpr int EVENT_KEYPRESS = 7;
constexpr int EVENT_CLOSE = 11;
constexpr int EVENT_TIMER_TICK = 15;

// Key codes carried in the first event-data integer of EVENT_KEYPRESS
constexpr int VAL_ENTER_VKEY = 1280;
constexpr int VAL_SPACE_KEY = 32;

using CtrlCallbackPtr = int (*)(int panel, int control, int event, void* callbackData, int eventData1,
                                int eventData2);
using PanelCallbackPtr = int (*)(int panel, int event, void* callbackData, int eventData1, int eventData2);
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void* callbackData, int panel);

// Callbacks are named in the panel definition; the application hands the run-time one table that
// maps those names to functions before it loads panels. A name missing from the table leaves its
// control without a callback.
struct CallbackEntry {
    const char* name;
    CtrlCallbackPtr control;
    PanelCallbackPtr panel;
    MenuCallbackPtr menu;
};
void SetCallbackTable(const CallbackEntry* table, int count);

// ---- Run-time and panels -----------------------------------------------------------------
// Creates the application. When no window system can be used (no display, a platform plugin
// that fails) it writes one line saying why to standard error and returns UIE_NOT_INITIALIZED,
// or, where Qt itself gives up while starting, ends the process with status 255; never an abort.
int InitUserInterface(int argc, char* argv[]);
// parentPanel 0 loads a top-level panel; otherwise the panel becomes a child of parentPanel.
// Returns the new panel handle (> 0) or a negative code.
int LoadPanel(int parentPanel, const char* definitionFile, int panelResourceId);
int DisplayPanel(int panel);
int HidePanel(int panel);
int DiscardPanel(int panel);
int InstallPopup(int panel); // shows the panel modal; returns at once
int RemovePopup(int panel);  // hides a panel shown by InstallPopup
int RunUserInterface();      // runs the event loop until QuitUserInterface; returns its code
int QuitUserInterface(int returnCode);
// Handles pending events once (used where the program must show progress between exchanges).
void ProcessDrawEvents();
// Called each time the program has handled an event, once the outermost callback has returned
// (a dropped timer tick does not count): where a view that many callbacks change is renewed.
void SetAfterEventHook(void (*hook)());
// A function ProcessDrawEvents calls first, so that a window of the program that follows the
// work can take what happened so far before it is drawn. One at a time; null removes it.
void SetDrawHook(void (*hook)());

// ---- Control values ----------------------------------------------------------------------
// Setting a value from the program never calls the control's callback. Numeric controls keep
// their value within minimum and maximum; a value set by the program is held exactly and only
// shown rounded to the control's decimals, a value the user enters is taken as shown. Rings
// select the item with the given value.
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, char value); // rings whose values are characters
int SetCtrlVal(int panel, int control, const char* text);
int GetCtrlVal(int panel, int control, int* value);
int GetCtrlVal(int panel, int control, double* value);
int GetCtrlVal(int panel, int control, char* value); // one character, for character rings
int GetCtrlVal(int panel, int control, std::string* text);

// ---- Attributes --------------------------------------------------------------------------
enum CtrlAttribute {
    ATTR_VISIBLE = 1, // int 0/1
    ATTR_DIMMED,      // int 0/1
    ATTR_LABEL_TEXT,  // text; for tables with SetTableColumnAttribute the column title
    ATTR_MIN_VALUE,   // double
    ATTR_MAX_VALUE,   // double
    ATTR_ON_COLOR,    // int, 0xRRGGBB (LEDs)
    ATTR_ENABLED,     // int 0/1 (timer)
    ATTR_INTERVAL,    // double, seconds (timer)
    ATTR_CTRL_MODE,   // read-only: 1 when the user can change the value
    // Texts for screen readers only, never shown: the name they call the control by instead
    // of its label, and what they say after name and value (on focus and on "where am I"; a
    // change is not spoken by itself, see AnnounceText). Not for rings, whose description is
    // their item.
    ATTR_SPOKEN_NAME,
    ATTR_SPOKEN_DESCRIPTION,
};
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, const char* value);
int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int GetCtrlAttribute(int panel, int control, int attribute, double* value);
int GetCtrlAttribute(int panel, int control, int attribute, std::string* value);

enum PanelAttribute {
    ATTR_TITLE = 100,   // text
    ATTR_PANEL_VISIBLE, // read-only int
    ATTR_HAS_TASKBAR_BUTTON = 618,
};
int SetPanelAttribute(int panel, int attribute, int value);
int SetPanelAttribute(int panel, int attribute, const char* value);
int GetPanelAttribute(int panel, int attribute, int* value);
int GetPanelAttribute(int panel, int attribute, std::string* value);

constexpr int ATTR_SYSTEM_SHOW_TASKBAR_BUTTONS = 1420;
int SetSystemAttribute(int attribute, int value);

// ---- Screen readers ----------------------------------------------------------------------
// Has screen readers speak text now, wherever the keyboard focus is: the panel shows a
// notification with this text, which it does not draw. Each call is spoken, the same text
// again included; an empty text says nothing.
int AnnounceText(int panel, const char* text);

// ---- Rings and list boxes ----------------------------------------------------------------
// A list box's label holds the texts of its columns separated by tabs; its value is the value of
// the selected row (UIE_BAD_INDEX while none is selected).
int ReplaceListItem(int panel, int control, int index, const char* label, int value);
int ReplaceListItem(int panel, int control, int index, const char* label, char value);
int GetNumListItems(int panel, int control, int* count);
int GetLabelFromIndex(int panel, int control, int index, std::string* label);
int GetValueFromIndex(int panel, int control, int index, int* value);
int GetValueFromIndex(int panel, int control, int index, char* value);
int GetCtrlIndex(int panel, int control, int* index); // -1 for a list box without selection
// List boxes only: index -1 appends. Rows put in by the program never call the callback.
int InsertListItem(int panel, int control, int index, const char* label, int value);
int ClearListCtrl(int panel, int control);

// ---- Tables (cells addressed as column, row, both from 1) --------------------------------
struct Point {
    int x; // column
    int y; // row
};
Point MakePoint(int x, int y);
int SetTableCellVal(int panel, int control, Point cell, double value);
int GetTableCellVal(int panel, int control, Point cell, double* value);
int SetTableColumnAttribute(int panel, int control, int column, int attribute, const char* value);
int GetTableColumnAttribute(int panel, int control, int column, int attribute, std::string* value);

// ---- Menus -------------------------------------------------------------------------------
constexpr int ATTR_MENU_NAME = 200; // text
constexpr int ATTR_CHECKED = 201;   // int 0/1: the check mark of a checkable item
int GetPanelMenuBar(int panel);     // menu bar handle, or a negative code
int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, const char* value);
int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, int value);
int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string* value);
int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, int* value);

// ---- Modal popups (answered by the test hook when it is active, see popup_hook.h) --------
int MessagePopup(const char* title, const char* message);
// Three buttons; button enterButton (1 to 3) has the focus and Enter chooses it, Escape and the
// close box choose button 3. Returns 1, 2 or 3.
int GenericMessagePopup(const char* title, const char* message, const char* button1, const char* button2,
                        const char* button3, int enterButton = 2);

constexpr int VAL_SAVE_BUTTON = 1;
constexpr int VAL_LOAD_BUTTON = 2;
constexpr int VAL_NO_FILE_SELECTED = 0;
constexpr int VAL_EXISTING_FILE_SELECTED = 1;
constexpr int VAL_NEW_FILE_SELECTED = 2;
int FileSelectPopup(const char* defaultDirectory, const char* defaultFileSpec, const char* fileTypeList,
                    const char* title, int buttonLabel, int restrictDirectory, int restrictExtension,
                    int allowCancel, int allowMakeDirectory, std::string* pathName);

// A modal form of one-line text fields under a message, each field starting with the text in
// *value and announced by its label. OK (Enter) takes the texts into the values and returns 1;
// Cancel (Escape, the close box) leaves them and returns 0.
struct FormField {
    const char* label;
    std::string* value;
};
int FormPopup(const char* title, const char* message, const FormField* fields, int count,
              const char* okButton, const char* cancelButton);

// Hands a file to the desktop's viewer for its type (a PDF to the PDF viewer). 0, or -1 when no
// viewer took it. Nothing is started while the popup hook is active.
int OpenDocument(const char* path);

// Progress dialog: a modal window with a bar from 0 to 100 percent.
int CreateProgressDialog(const char* title, const char* indicatorLabel, int modal, int markerStyle,
                         const char* cancelButtonLabel);
// processEvents 1 lets the user reach the dialog's cancel button; program timers never tick
// while a progress dialog is updated. Returns 1 once a cancel was requested.
int UpdateProgressDialog(int dialog, int percent, int processEvents);
void DiscardProgressDialog(int dialog);
