#pragma once
// Internal state of the user-interface run-time, shared by the files that implement
// platform/ui.h. Everything is keyed by handle and id, never by widget pointer held elsewhere:
// a callback may discard the panel that raised it, so every event looks its target up anew.

#include "platform/panel_definition.h"
#include "platform/popup_hook.h"
#include "platform/ui.h"

#include <QPointer>
#include <QString>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMainWindow;
class QMenuBar;
class QTimer;
class QWidget;

namespace vkrui {

struct RingItem {
    QString label;
    int value;
};

struct ControlRec {
    int id = 0;
    const ControlDefinition* def = nullptr;
    QWidget* widget = nullptr; // input or display widget; none for timers
    QLabel* label = nullptr;   // separate label beside the widget, if any
    QTimer* timer = nullptr;   // timers only
    CtrlCallbackPtr callback = nullptr;
    QString labelText;              // label, caption or message text as last set
    QString spokenName;             // the definition's spoken name in the run's language, if any
    std::vector<RingItem> pictures; // picture rings: the items of the ring
    int captionRoom = 0;            // frame captions: the widest they may grow, to the frame's edge
};

struct PanelRec {
    int handle = 0;
    int parent = 0;
    const DefinitionFile* file = nullptr;
    const PanelDefinition* def = nullptr;
    bool english = false;      // the run's language, as the definition file tells it
    QWidget* window = nullptr; // top-level window, or the embedded frame of a child panel
    QWidget* canvas = nullptr; // the widget the controls sit on
    PanelCallbackPtr callback = nullptr;
    std::map<int, ControlRec> controls;
    int menuBar = 0;
    int taskbarButton = 0; // attribute 618, kept but without effect here
    bool popup = false;    // shown by InstallPopup
    QString title;
    QPointer<QWidget> focusBefore; // child panels: where the focus was when the panel was shown
};

struct MenuBarRec {
    int handle = 0;
    int panel = 0;
    QMenuBar* bar = nullptr;
    std::map<int, QAction*> actions; // every item id; menus are represented by their menuAction
    std::map<int, MenuCallbackPtr> callbacks;
};

// ---- Registry (ui_panels.cpp) -------------------------------------------------------------
bool HaveApplication();
PanelRec* FindPanel(int handle);
// Returns the control or nullptr with *error set to UIE_BAD_PANEL or UIE_BAD_CONTROL.
ControlRec* FindControl(int panel, int control, int* error);
MenuBarRec* FindMenuBar(int handle);
int RegisterMenuBar(std::unique_ptr<MenuBarRec> bar);

// ---- Callbacks and definitions (ui_callbacks.cpp) -------------------------------------------
const DefinitionFile* FindDefinitionFile(const char* name);
CtrlCallbackPtr ControlCallbackNamed(const char* name);
PanelCallbackPtr PanelCallbackNamed(const char* name);
MenuCallbackPtr MenuCallbackNamed(const char* name);
void DeliverControlEvent(int panel, int control, int event, int data1 = 0, int data2 = 0);
void DeliverTimerTick(int panel, int control);
// The close box of a top-level panel: the panel callback decides; without one the panel hides.
// Returns true when the window may close itself.
bool DeliverCloseRequest(int panel);
// Enter or Escape that no control of the panel used: commits the panel's default or cancel
// button through its callback. True when the key was acted on.
bool DeliverPanelKey(int panel, int key);
void DeliverMenuCommand(int menuBar, int item);

// ---- Construction (ui_builder.cpp, ui_menus.cpp) ------------------------------------------
// Creates the window (or embedded frame) and all controls of the panel described by rec.def.
void BuildPanel(PanelRec& rec, PanelRec* parent);
// Builds the menu bar into window and registers it; returns its handle or a negative code.
int BuildMenuBar(const MenuBarDefinition& def, int panel, QMainWindow* window);
// Places the separate label of a control after its text or its widget geometry changed.
void LayoutLabel(ControlRec& rec);
void SetLabelText(ControlRec& rec, const QString& text);
// The text of the run's language.
QString Spoken(const SpokenName& name, bool english);

// ---- Popup hook (popup_hook.cpp) ------------------------------------------------------------
// Records the popup and returns the next scripted reply, or defaultResult with an empty path.
// A form's scripted texts go to texts when given.
int HookAnswer(PopupRecord record, int defaultResult, std::string* path,
               std::vector<std::string>* texts = nullptr);
// A progress dialog is recorded at creation; its percentages are added under the returned token.
int HookProgressBegin(PopupRecord record);
// True when the script cancels the dialog at this step.
bool HookProgressStep(int token, int percent);

// ---- Texts ----------------------------------------------------------------------------------
// Qt widgets need finite limits; an unlimited side gets a stand-in far beyond any value shown.
constexpr double kUnlimitedStandIn = 1e300;
inline double FiniteLimit(double limit) {
    return std::isfinite(limit) ? limit : (limit < 0 ? -kUnlimitedStandIn : kUnlimitedStandIn);
}

inline QString Utf8(const char* text) {
    return QString::fromUtf8(text ? text : "");
}
inline QString Mnemonicless(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace vkrui
