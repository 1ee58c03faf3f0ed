// Menu bars built from their definition, and the menu functions of platform/ui.h.
//
// Definition shape: entries with parent 0 are the menus of the bar; other entries belong to the
// menu or submenu named by parent. A submenu entry (submenu = true) carries the items that name it
// as parent; it opens from the item it names as parent (e.g. "Sprache" -> its submenu), or, when
// its parent is a menu of the bar, from the plain item just before it in that menu, or else from
// an entry of its own name.
#include "platform/ui_runtime.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <set>

namespace vkrui {
namespace {

using Items = std::span<const MenuItemDefinition>;

const MenuItemDefinition* EntryById(Items items, int id) {
    for (const MenuItemDefinition& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

bool IsPlainItem(const MenuItemDefinition& item) {
    return item.parent != 0 && !item.separator && !item.submenu;
}

// The item each submenu opens from; items found here become menus themselves.
std::map<int, int> SubmenuOpeners(Items items) {
    std::map<int, int> openers; // submenu id -> opener id (0: the submenu shows its own name)
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemDefinition& sub = items[i];
        if (!sub.submenu) continue;
        const MenuItemDefinition* parent = EntryById(items, sub.parent);
        int opener = 0;
        if (parent && IsPlainItem(*parent)) {
            opener = parent->id;
        } else if (i > 0 && IsPlainItem(items[i - 1]) && items[i - 1].parent == sub.parent &&
                   !items[i - 1].callback) {
            opener = items[i - 1].id;
        }
        openers[sub.id] = opener;
    }
    return openers;
}

class MenuBuilder {
  public:
    MenuBuilder(Items items, MenuBarRec& rec) : items_(items), rec_(rec), openers_(SubmenuOpeners(items)) {
        for (const auto& [sub, opener] : openers_)
            if (opener) openerIds_.insert(opener);
        // A plain item that others name as parent carries a menu as well.
        for (const MenuItemDefinition& item : items_)
            if (const MenuItemDefinition* parent = EntryById(items_, item.parent);
                parent && IsPlainItem(*parent))
                openerIds_.insert(parent->id);
    }

    void Build() {
        for (const MenuItemDefinition& item : items_)
            Add(item);
    }

  private:
    void Add(const MenuItemDefinition& item) {
        const QString name = Mnemonicless(Utf8(item.name));
        if (item.parent == 0) {
            menus_[item.id] = rec_.bar->addMenu(name);
            rec_.actions[item.id] = menus_[item.id]->menuAction();
            return;
        }
        QMenu* container = MenuFor(item.parent);
        if (!container) return;
        if (item.submenu) {
            const int opener = openers_[item.id];
            QMenu* menu = opener && menus_.count(opener) ? menus_[opener] : container->addMenu(name);
            menus_[item.id] = menu;
            rec_.actions[item.id] = menu->menuAction();
        } else if (item.separator) {
            rec_.actions[item.id] = container->addSeparator();
        } else if (openerIds_.count(item.id)) {
            menus_[item.id] = container->addMenu(name);
            rec_.actions[item.id] = menus_[item.id]->menuAction();
        } else {
            AddCommand(*container, item, name);
        }
    }

    void AddCommand(QMenu& container, const MenuItemDefinition& item, const QString& name) {
        QAction* action = container.addAction(name);
        action->setCheckable(item.checkable);
        action->setChecked(item.checkable && item.checked);
        rec_.actions[item.id] = action;
        rec_.callbacks[item.id] = MenuCallbackNamed(item.callback);
        const int id = item.id;
        const int handle = rec_.handle;
        QObject::connect(action, &QAction::triggered, action,
                         [handle, id] { DeliverMenuCommand(handle, id); });
    }

    QMenu* MenuFor(int id) {
        const auto found = menus_.find(id);
        return found == menus_.end() ? nullptr : found->second;
    }

    Items items_;
    MenuBarRec& rec_;
    std::map<int, int> openers_;
    std::set<int> openerIds_;
    std::map<int, QMenu*> menus_;
};

} // namespace

int BuildMenuBar(const MenuBarDefinition& def, int panel, QMainWindow* window) {
    auto rec = std::make_unique<MenuBarRec>();
    rec->panel = panel;
    rec->bar = window->menuBar();
    rec->bar->setAccessibleName(Utf8(def.constant));
    MenuBarRec& bar = *rec;
    const int handle = RegisterMenuBar(std::move(rec));
    MenuBuilder(def.items, bar).Build();
    // The menus carry no mnemonics (the definition's texts are taken as they are): F10 opens the
    // first menu from the keyboard, as on most desktops; the arrow keys go on from there.
    QMenuBar* leiste = bar.bar;
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F10), window), &QShortcut::activated, leiste,
                     [leiste] {
                         const QList<QAction*> menus = leiste->actions();
                         if (!menus.isEmpty()) leiste->setActiveAction(menus.first());
                     });
    return handle;
}

} // namespace vkrui

using namespace vkrui;

int GetPanelMenuBar(int panel) {
    const PanelRec* rec = FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    return rec->menuBar > 0 ? rec->menuBar : UIE_BAD_MENU;
}

static QAction* ItemAction(int menuBar, int menuItem) {
    const MenuBarRec* bar = FindMenuBar(menuBar);
    if (!bar) return nullptr;
    const auto found = bar->actions.find(menuItem);
    return found == bar->actions.end() ? nullptr : found->second;
}

int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, const char* value) {
    QAction* action = ItemAction(menuBar, menuItem);
    if (!action) return UIE_BAD_MENU;
    if (attribute != ATTR_MENU_NAME) return UIE_BAD_ATTRIBUTE;
    action->setText(Mnemonicless(Utf8(value)));
    return UIE_OK;
}

int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string* value) {
    QAction* action = ItemAction(menuBar, menuItem);
    if (!action) return UIE_BAD_MENU;
    if (attribute != ATTR_MENU_NAME) return UIE_BAD_ATTRIBUTE;
    if (!value) return UIE_BAD_VALUE_TYPE;
    *value = action->text().replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
    return UIE_OK;
}

int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, int value) {
    QAction* action = ItemAction(menuBar, menuItem);
    if (!action) return UIE_BAD_MENU;
    if (attribute != ATTR_CHECKED || !action->isCheckable()) return UIE_BAD_ATTRIBUTE;
    action->setChecked(value != 0);
    return UIE_OK;
}

int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, int* value) {
    QAction* action = ItemAction(menuBar, menuItem);
    if (!action) return UIE_BAD_MENU;
    if (attribute != ATTR_CHECKED || !action->isCheckable()) return UIE_BAD_ATTRIBUTE;
    if (!value) return UIE_BAD_VALUE_TYPE;
    *value = action->isChecked() ? 1 : 0;
    return UIE_OK;
}
