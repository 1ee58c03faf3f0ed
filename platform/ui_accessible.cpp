// What screen readers learn about the run-time's controls. Qt's own interfaces serve most
// controls; four need their own:
//   - rings: Qt names a combo box after its current item on Linux; a ring is named after its
//     label and its item is its value;
//   - toggle buttons: Qt reports a checkable push button as a check box; a latching button is
//     a button with a pressed/checked state (a toggle button to AT-SPI);
//   - lamps: an indicator whose checked state and value say whether it is lit;
//   - the port picture ring: a button whose value is the port shown, and which can be pressed.
#include "platform/ui_accessible.h"

#include "platform/ui_widgets.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QPushButton>

namespace vkrui {
namespace {

constexpr const char* kRingMark = "vkrRing";
constexpr const char* kToggleMark = "vkrToggle";

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

class ToggleAccessible : public QAccessibleWidget {
  public:
    explicit ToggleAccessible(QPushButton* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QPushButton* Button() const { return static_cast<QPushButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Button()->isChecked();
        s.pressed = Button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {toggleAction(), pressAction()}; }
    void doAction(const QString& action) override {
        // A click, so the control's callback sees exactly what a mouse click gives it.
        if ((action == toggleAction() || action == pressAction()) && Button()->isEnabled()) Button()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

class LampAccessible : public QAccessibleWidget {
  public:
    explicit LampAccessible(LedLamp* lamp) : QAccessibleWidget(lamp, QAccessible::Indicator) {}
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

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (key == QLatin1String("QComboBox") && widget->property(kRingMark).toBool())
        return new RingAccessible(static_cast<QComboBox*>(widget));
    if (key == QLatin1String("QPushButton") && widget->property(kToggleMark).toBool())
        return new ToggleAccessible(static_cast<QPushButton*>(widget));
    if (key != QLatin1String("QWidget")) return nullptr; // the drawn controls have no class of their own
    if (auto* lamp = dynamic_cast<LedLamp*>(widget)) return new LampAccessible(lamp);
    if (auto* ring = dynamic_cast<ComPictureRing*>(widget)) return new PictureRingAccessible(ring);
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

void MarkAsToggle(QWidget* button) {
    button->setProperty(kToggleMark, true);
}

} // namespace vkrui
