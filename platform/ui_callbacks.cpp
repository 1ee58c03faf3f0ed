// Callback table, definition files and the delivery of events to the program's callbacks.
#include "platform/ui_runtime.h"

#include <QTimer>
#include <QWidget>
#include <cstring>
#include <string>

namespace vkrui {
namespace {

struct NamedCallback {
    std::string name;
    CtrlCallbackPtr control;
    PanelCallbackPtr panel;
    MenuCallbackPtr menu;
};

std::vector<NamedCallback>& CallbackTable() {
    static std::vector<NamedCallback> table;
    return table;
}

std::vector<const DefinitionFile*>& DefinitionFiles() {
    static std::vector<const DefinitionFile*> files;
    return files;
}

const NamedCallback* FindCallback(const char* name) {
    if (!name || !*name) return nullptr;
    for (const NamedCallback& entry : CallbackTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

// The file part of a path, so a definition can be loaded by name from any working directory.
QString BaseName(const char* path) {
    const QString p = Utf8(path);
    const qsizetype cut = std::max(p.lastIndexOf(QLatin1Char('/')), p.lastIndexOf(QLatin1Char('\\')));
    return p.mid(cut + 1);
}

} // namespace

const DefinitionFile* FindDefinitionFile(const char* name) {
    if (!name) return nullptr;
    for (const DefinitionFile* file : DefinitionFiles())
        if (std::strcmp(file->name, name) == 0) return file;
    const QString wanted = BaseName(name);
    for (const DefinitionFile* file : DefinitionFiles())
        if (BaseName(file->name).compare(wanted, Qt::CaseInsensitive) == 0) return file;
    return nullptr;
}

CtrlCallbackPtr ControlCallbackNamed(const char* name) {
    const NamedCallback* entry = FindCallback(name);
    return entry ? entry->control : nullptr;
}

PanelCallbackPtr PanelCallbackNamed(const char* name) {
    const NamedCallback* entry = FindCallback(name);
    return entry ? entry->panel : nullptr;
}

MenuCallbackPtr MenuCallbackNamed(const char* name) {
    const NamedCallback* entry = FindCallback(name);
    return entry ? entry->menu : nullptr;
}

namespace {

// Callbacks of the program that have not returned yet. Above one while a callback waits in a
// popup, a file dialog or a transfer whose event loop delivers further events.
int gRunning = 0;
void (*gAfterEvent)() = nullptr;

// Runs one callback of the program; once the outermost one has returned, the after-event hook
// brings what it changed to the screen.
template <class F> void Dispatch(F&& callback) {
    ++gRunning;
    callback();
    if (--gRunning == 0 && gAfterEvent) gAfterEvent();
}

} // namespace

void DeliverControlEvent(int panel, int control, int event, int data1, int data2) {
    int error = 0;
    const ControlRec* rec = FindControl(panel, control, &error);
    if (!rec || !rec->callback) return;
    const CtrlCallbackPtr callback = rec->callback;
    Dispatch([&] { callback(panel, control, event, nullptr, data1, data2); });
}

void DeliverTimerTick(int panel, int control) {
    int error = 0;
    const ControlRec* rec = FindControl(panel, control, &error);
    // A tick that falls due while any callback runs (also one waiting in a popup's or a
    // dialog's event loop) is dropped: a timer callback never overlaps another callback. The
    // guard is ours, since toolkits exclude timers from nested event loops only on some
    // platforms.
    if (!rec || !rec->callback || gRunning > 0) return;
    const CtrlCallbackPtr callback = rec->callback;
    Dispatch([&] { callback(panel, control, EVENT_TIMER_TICK, nullptr, 0, 0); });
}

bool DeliverCloseRequest(int panel) {
    const PanelRec* rec = FindPanel(panel);
    if (!rec) return true;
    if (!rec->callback) {
        HidePanel(panel); // also ends a popup's modality
        return false;
    }
    const PanelCallbackPtr callback = rec->callback;
    Dispatch([&] { callback(panel, EVENT_CLOSE, nullptr, 0, 0); });
    return false;
}

bool DeliverPanelKey(int panel, int key) {
    const PanelRec* rec = FindPanel(panel);
    if (!rec) return false;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const int button = enter ? rec->def->defaultButton : key == Qt::Key_Escape ? rec->def->cancelButton : 0;
    int error = 0;
    const ControlRec* target = button ? FindControl(panel, button, &error) : nullptr;
    // A button the user cannot press (hidden or dimmed) is not pressed by a key either.
    if (!target || !target->widget || !target->widget->isVisibleTo(rec->window) ||
        !target->widget->isEnabled())
        return false;
    DeliverControlEvent(panel, button, EVENT_COMMIT);
    return true;
}

void DeliverMenuCommand(int menuBar, int item) {
    const MenuBarRec* bar = FindMenuBar(menuBar);
    if (!bar) return;
    const auto found = bar->callbacks.find(item);
    if (found == bar->callbacks.end() || !found->second) return;
    const MenuCallbackPtr callback = found->second;
    const int panel = bar->panel;
    Dispatch([&] { callback(menuBar, item, nullptr, panel); });
}

} // namespace vkrui

void SetAfterEventHook(void (*hook)()) {
    vkrui::gAfterEvent = hook;
}

void SetCallbackTable(const CallbackEntry* table, int count) {
    auto& callbacks = vkrui::CallbackTable();
    callbacks.clear();
    for (int i = 0; table && i < count; ++i)
        callbacks.push_back(
            {table[i].name ? table[i].name : "", table[i].control, table[i].panel, table[i].menu});
}

void RegisterDefinitionFile(const DefinitionFile* file) {
    if (!file) return;
    auto& files = vkrui::DefinitionFiles();
    for (const DefinitionFile*& known : files)
        if (std::strcmp(known->name, file->name) == 0) {
            known = file;
            return;
        }
    files.push_back(file);
}
