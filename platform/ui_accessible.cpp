// What screen readers learn about the run-time's controls. Qt's own interfaces serve most
// controls (a latching button is Qt's checkable push button: a check box that says "checked"
// or "not checked", also when it changes); these need their own:
//   - rings: Qt names a combo box after its current item on Linux; a ring is named after its
//     label, and its item is its value and its description. Orca reads neither the value nor a
//     selected child of a Qt combo box, but it speaks the description with the name and on
//     "where am I". A change of it Orca does not speak (Qt 6.4 sends the description change in
//     a form Orca 43 cannot read), so the focused ring announces its new item;
//   - lamps: a read-only check box whose checked state and value say whether it is lit;
//   - the port picture ring: a button whose value and description are the port it shows, and
//     which can be pressed;
//   - the announcer of a window (Announce, AnnounceText): a notification that appears with the
//     text. Orca speaks a notification when it is shown, wherever the focus is.
#include "platform/ui_accessible.h"

#include "platform/ui.h"
#include "platform/ui_runtime.h"
#include "platform/ui_widgets.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

namespace vkrui {
namespace {

constexpr const char* kRingMark = "vkrRing";
constexpr const char* kAnnouncerName = "vkrAnnouncer";

QString NameOf(const QWidget* widget) {
    return widget->accessibleName();
}

class RingAccessible : public QAccessibleWidget {
  public:
    explicit RingAccessible(QComboBox* ring) : QAccessibleWidget(ring, QAccessible::ComboBox) {}
    QComboBox* Ring() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget());
        if (t == QAccessible::Value) return Ring()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Ring()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Ring()->view() ? 0 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Ring()->view()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        Ring()->view()->isVisible() ? Ring()->hidePopup() : Ring()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

class LampAccessible : public QAccessibleWidget {
  public:
    // Linux knows no lamp role (Qt's indicator arrives as "unknown"): a read-only check box says
    // "checked" or "not checked" in every screen reader.
    explicit LampAccessible(LedLamp* lamp) : QAccessibleWidget(lamp, QAccessible::CheckBox) {}
    const LedLamp* Lamp() const { return static_cast<const LedLamp*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget());
        if (t == QAccessible::Value) return Lamp()->StateWord();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Lamp()->IsOn();
        s.readOnly = true;
        return s;
    }
};

class PictureRingAccessible : public QAccessibleWidget {
  public:
    explicit PictureRingAccessible(ComPictureRing* ring) : QAccessibleWidget(ring, QAccessible::Button) {}
    ComPictureRing* Ring() const { return static_cast<ComPictureRing*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget());
        if (t == QAccessible::Value) return Ring()->StateWord();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && Ring()->isEnabled()) Ring()->Press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// Shown but never drawn, and never in the way of the mouse or the keyboard. The texts queued
// while the program handles one user action are spoken as one notification, in order, once the
// action is done: a second notification would cut the first one off (an error by the state
// shown after it, say).
class Announcer : public QWidget {
  public:
    explicit Announcer(QWidget* parent) : QWidget(parent) {
        setObjectName(kAnnouncerName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        lower();
        hide();
    }
    void Queue(const QString& text) {
        if (queued_.isEmpty()) QTimer::singleShot(0, this, [this] { Speak(); });
        if (queued_.isEmpty() || queued_.back() != text) queued_.push_back(text);
    }

  protected:
    void paintEvent(QPaintEvent*) override {}

  private:
    // Shown anew every time, the same text again included: a screen reader speaks a
    // notification when it appears, not when its name changes.
    void Speak() {
        QString all;
        for (const QString& text : queued_) {
            if (!all.isEmpty())
                all += all.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ");
            all += text;
        }
        queued_.clear();
        hide();
        setAccessibleName(all);
        show();
    }

    QStringList queued_;
};

class AnnouncerAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (key == QLatin1String("QComboBox") && widget->property(kRingMark).toBool())
        return new RingAccessible(static_cast<QComboBox*>(widget));
    if (key != QLatin1String("QWidget")) return nullptr; // the drawn controls have no class of their own
    if (auto* lamp = dynamic_cast<LedLamp*>(widget)) return new LampAccessible(lamp);
    if (auto* ring = dynamic_cast<ComPictureRing*>(widget)) return new PictureRingAccessible(ring);
    if (auto* announcer = dynamic_cast<Announcer*>(widget)) return new AnnouncerAccessible(announcer);
    return nullptr;
}

} // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

void MarkAsRing(QWidget* ring) {
    ring->setProperty(kRingMark, true);
}

void ShowRingItem(QComboBox* ring) {
    const QString item = ring->currentText();
    if (ring->accessibleDescription() == item) return;
    ring->setAccessibleDescription(item);
    // Orca 43 speaks no change of a Qt combo box (it drops the name change as redundant and
    // fails on the description change of Qt 6.4), so the focused ring says its new item.
    if (ring->hasFocus()) Announce(ring, item);
}

void Announce(QWidget* within, const QString& text) {
    if (!within || text.isEmpty()) return;
    QWidget* window = within->window();
    // Looked up by name: Announcer has no meta-object of its own for findChild to tell it by.
    auto* announcer =
        static_cast<Announcer*>(window->findChild<QWidget*>(kAnnouncerName, Qt::FindDirectChildrenOnly));
    if (!announcer) announcer = new Announcer(window);
    announcer->Queue(text);
}

} // namespace vkrui

int AnnounceText(int panel, const char* text) {
    const vkrui::PanelRec* rec = vkrui::FindPanel(panel);
    if (!rec) return UIE_BAD_PANEL;
    vkrui::Announce(rec->window, vkrui::Utf8(text));
    return UIE_OK;
}
