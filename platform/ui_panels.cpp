// Panel registry and lifecycle, the event loop, panel and system attributes, test access.
#include "platform/ui.h"
#include "platform/ui_runtime.h"
#include "platform/ui_testaccess.h"
#include "platform/ui_widgets.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QPointer>

namespace vkrui {
namespace {

struct Registry {
    std::map<int, std::unique_ptr<PanelRec>> panels;
    std::map<int, std::unique_ptr<MenuBarRec>> menuBars;
    int nextPanel = 1;
    int nextMenuBar = 1;
    QPointer<QEventLoop> loop;
    int systemTaskbarButtons = 1; // attribute 1420, kept but without effect here
};

Registry& State() {
    static Registry registry;
    return registry;
}

bool IsTopLevel(const PanelRec& rec) {
    return rec.parent == 0;
}

// Forgets the panel, its child panels and its menu bar; the widgets go with the window.
void Forget(int handle) {
    Registry& state = State();
    std::vector<int> children;
    for (const auto& [h, rec] : state.panels)
        if (rec->parent == handle) children.push_back(h);
    for (int child : children)
        Forget(child);
    for (auto it = state.menuBars.begin(); it != state.menuBars.end();)
        it = it->second->panel == handle ? state.menuBars.erase(it) : std::next(it);
    state.panels.erase(handle);
}

// The first control in the panel's Tab order that can take the focus.
void FocusFirstControl(PanelRec& rec) {
    auto takes = [&rec](const ControlRec& c) {
        return c.widget && (c.widget->focusPolicy() & Qt::TabFocus) && c.widget->isVisibleTo(rec.window) &&
               c.widget->isEnabled();
    };
    if (const auto found = rec.controls.find(rec.def->defaultButton);
        found != rec.controls.end() && takes(found->second))
        return found->second.widget->setFocus(Qt::TabFocusReason);
    for (const int id : rec.def->tabOrder)
        if (const auto found = rec.controls.find(id); found != rec.controls.end() && takes(found->second))
            return found->second.widget->setFocus(Qt::TabFocusReason);
    for (const ControlDefinition& def : rec.def->controls)
        if (takes(rec.controls[def.id])) return rec.controls[def.id].widget->setFocus(Qt::TabFocusReason);
}

// A popup opens centred over the window the user works in: the active one, else the first
// top-level panel on the screen.
void CentreOverMainWindow(PanelRec& popup) {
    QWidget* over = QApplication::activeWindow();
    if (!over || over == popup.window || !over->isVisible()) {
        over = nullptr;
        for (const auto& [handle, rec] : State().panels)
            if (!over && rec.get() != &popup && IsTopLevel(*rec) && rec->window->isVisible())
                over = rec->window;
    }
    if (!over) return;
    const QRect frame = popup.window->frameGeometry();
    popup.window->move(over->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
}

} // namespace

bool HaveApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

PanelRec* FindPanel(int handle) {
    const auto found = State().panels.find(handle);
    return found == State().panels.end() ? nullptr : found->second.get();
}

ControlRec* FindControl(int panel, int control, int* error) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) {
        *error = UIE_BAD_PANEL;
        return nullptr;
    }
    const auto found = rec->controls.find(control);
    if (found == rec->controls.end()) {
        *error = UIE_BAD_CONTROL;
        return nullptr;
    }
    return &found->second;
}

MenuBarRec* FindMenuBar(int handle) {
    const auto found = State().menuBars.find(handle);
    return found == State().menuBars.end() ? nullptr : found->second.get();
}

int RegisterMenuBar(std::unique_ptr<MenuBarRec> bar) {
    const int handle = State().nextMenuBar++;
    bar->handle = handle;
    State().menuBars[handle] = std::move(bar);
    return handle;
}

} // namespace vkrui

using namespace vkrui;

int LoadPanel(int parentPanel, const char* definitionFile, int panelResourceId) {
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    PanelRec* parent = nullptr;
    if (parentPanel != 0 && !(parent = FindPanel(parentPanel))) return UIE_BAD_PANEL;
    const DefinitionFile* file = FindDefinitionFile(definitionFile);
    if (!file) return UIE_BAD_RESOURCE;
    const PanelDefinition* def = nullptr;
    for (const PanelDefinition& candidate : file->panels)
        if (candidate.resourceId == panelResourceId) def = &candidate;
    if (!def) return UIE_BAD_RESOURCE;

    auto rec = std::make_unique<PanelRec>();
    rec->handle = State().nextPanel++;
    rec->parent = parentPanel;
    rec->file = file;
    rec->def = def;
    rec->english = file->language && file->language() == 2;
    PanelRec& panel = *rec;
    State().panels[panel.handle] = std::move(rec);
    BuildPanel(panel, parent);
    if (def->menuBarId != 0 && !parent) {
        for (const MenuBarDefinition& bar : file->menuBars)
            if (bar.resourceId == def->menuBarId)
                panel.menuBar = BuildMenuBar(bar, panel.handle, static_cast<QMainWindow*>(panel.window));
    }
    return panel.handle;
}

int DisplayPanel(int panel) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    const bool wasHidden = rec->window->isHidden();
    rec->window->show();
    rec->window->raise();
    if (IsTopLevel(*rec)) {
        // A window opens with the keyboard on its default button or its first control; a popup
        // every time it opens.
        if (rec->popup || !rec->window->focusWidget()) FocusFirstControl(*rec);
        rec->window->activateWindow();
    } else if (wasHidden) {
        // A child panel takes the keyboard when it opens and gives it back when it closes.
        QWidget* focus = QApplication::focusWidget();
        rec->focusBefore = focus && !rec->window->isAncestorOf(focus) ? focus : nullptr;
        FocusFirstControl(*rec);
    }
    return UIE_OK;
}

int HidePanel(int panel) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && rec->window->isAncestorOf(focus);
    rec->window->hide();
    if (!IsTopLevel(*rec) && hadFocus && rec->focusBefore && rec->focusBefore->isVisible())
        rec->focusBefore->setFocus(Qt::OtherFocusReason);
    if (rec->popup) {
        rec->popup = false;
        rec->window->setWindowModality(Qt::NonModal);
    }
    return UIE_OK;
}

int DiscardPanel(int panel) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    QWidget* window = rec->window;
    Forget(panel);
    // Deleted later: the discard may come from a callback of one of the panel's own widgets.
    window->hide();
    window->deleteLater();
    return UIE_OK;
}

int InstallPopup(int panel) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    if (!IsTopLevel(*rec)) return UIE_BAD_PANEL;
    rec->popup = true;
    rec->window->hide(); // modality only takes effect on showing
    rec->window->setWindowModality(Qt::ApplicationModal);
    CentreOverMainWindow(*rec);
    return DisplayPanel(panel);
}

int RemovePopup(int panel) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    return HidePanel(panel);
}

int RunUserInterface() {
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    QApplication::setQuitOnLastWindowClosed(false);
    QEventLoop loop;
    QPointer<QEventLoop> outer = State().loop;
    State().loop = &loop;
    const int code = loop.exec();
    State().loop = outer;
    return code;
}

int QuitUserInterface(int returnCode) {
    if (State().loop) State().loop->exit(returnCode);
    return UIE_OK;
}

static void (*gDrawHook)() = nullptr;

void SetDrawHook(void (*hook)()) {
    gDrawHook = hook;
}

void ProcessDrawEvents() {
    // Paint and window-system events only: no user input reaches the program in the middle of
    // the operation that asks for a redraw. A timer tick that falls due is dropped by the
    // dispatch, which lets no timer callback run while another callback runs.
    if (!HaveApplication()) return;
    // A window of the program that follows the work (the line monitor) takes what happened so
    // far, so that it shows it while it repaints.
    if (gDrawHook) gDrawHook();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

int SetPanelAttribute(int panel, int attribute, int value) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    if (attribute == ATTR_TITLE) return UIE_BAD_VALUE_TYPE;
    if (attribute != ATTR_HAS_TASKBAR_BUTTON) return UIE_BAD_ATTRIBUTE;
    rec->taskbarButton = value;
    return UIE_OK;
}

int SetPanelAttribute(int panel, int attribute, const char* value) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    if (attribute != ATTR_TITLE)
        return attribute == ATTR_HAS_TASKBAR_BUTTON ? UIE_BAD_VALUE_TYPE : UIE_BAD_ATTRIBUTE;
    rec->title = Utf8(value);
    if (auto* frame = dynamic_cast<ChildPanelFrame*>(rec->window))
        frame->SetTitle(rec->title);
    else
        rec->window->setWindowTitle(rec->title);
    return UIE_OK;
}

int GetPanelAttribute(int panel, int attribute, int* value) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    if (!value) return UIE_BAD_VALUE_TYPE;
    switch (attribute) {
    case ATTR_PANEL_VISIBLE:
        *value = IsTopLevel(*rec) ? rec->window->isVisible() : !rec->window->isHidden();
        return UIE_OK;
    case ATTR_HAS_TASKBAR_BUTTON:
        *value = rec->taskbarButton;
        return UIE_OK;
    case ATTR_TITLE:
        return UIE_BAD_VALUE_TYPE;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

int GetPanelAttribute(int panel, int attribute, std::string* value) {
    PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    if (attribute != ATTR_TITLE) return UIE_BAD_ATTRIBUTE;
    if (!value) return UIE_BAD_VALUE_TYPE;
    *value = rec->title.toStdString();
    return UIE_OK;
}

int SetSystemAttribute(int attribute, int value) {
    if (attribute != ATTR_SYSTEM_SHOW_TASKBAR_BUTTONS) return UIE_BAD_ATTRIBUTE;
    State().systemTaskbarButtons = value;
    return UIE_OK;
}

QWidget* PanelWidget(int panel) {
    const PanelRec* rec = FindPanel(panel);
    return rec ? rec->window : nullptr;
}

QWidget* ControlWidget(int panel, int control) {
    int error = 0;
    const ControlRec* rec = FindControl(panel, control, &error);
    return rec ? rec->widget : nullptr;
}

QAction* MenuItemAction(int menuBar, int menuItem) {
    const MenuBarRec* bar = FindMenuBar(menuBar);
    if (!bar) return nullptr;
    const auto found = bar->actions.find(menuItem);
    return found == bar->actions.end() ? nullptr : found->second;
}
