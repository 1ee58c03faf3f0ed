#pragma once
// Widgets the run-time draws or adapts itself: numeric entry, LED lamp, COM port picture ring,
// logo emblem, top-level panel window and the embedded frame of a child panel.

#include <QDoubleSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <functional>

class QLabel;
class QKeyEvent;

namespace vkrui {

// Numeric entry. Any number the user types is taken and brought to the nearest limit (Qt's own
// spin box would refuse the keystrokes of an out-of-range number).
// A value set by the program is held exactly and only shown rounded to the decimals, so a record
// value finer than the control survives every store of the panel. A value the user enters (typed
// or stepped) is taken at the decimals shown: what the user sees is what is stored. Escape drops
// a typed entry that was not yet committed.
class NumericBox : public QDoubleSpinBox {
  public:
    explicit NumericBox(QWidget* parent);
    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    // The value as the program set it, or as the user last entered it; within the limits.
    double Exact() const { return exact_; }
    void SetExact(double value);
    // After a change of the limits: brings the held value within them.
    void KeepWithinLimits();
    // True once after the user typed into the field since the last commit.
    bool TakeEdited();
    void ClearEdited() { edited_ = false; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    double exact_ = 0.0;
    bool edited_ = false;
};

// Text display (a read-only string control). Reached with Tab like an entry, but without the
// entry's select-all: that selection reaches screen readers before the focus does, and Orca then
// says "unselected" instead of the display's name and text.
class DisplayLine : public QLineEdit {
  public:
    DisplayLine(const QString& text, QWidget* parent) : QLineEdit(text, parent) { setReadOnly(true); }

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

// Latching button: while on it is drawn pressed in and tinted, so on and off differ at a glance.
class LatchButton : public QPushButton {
  public:
    explicit LatchButton(QWidget* parent) : QPushButton(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Round lamp: the on-colour while on, a dark shade of it while off.
class LedLamp : public QWidget {
  public:
    explicit LedLamp(QWidget* parent);
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    void SetOnColor(int rgb);
    int OnColor() const { return onColor_; }
    QSize sizeHint() const override { return {16, 16}; }
    // The words a screen reader says for the two states, in the run's language.
    void SetStateWords(const QString& on, const QString& off);
    QString StateWord() const { return on_ ? onWord_ : offWord_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool on_ = false;
    int onColor_ = 0x00FF00;
    QString onWord_ = QStringLiteral("1");
    QString offWord_ = QStringLiteral("0");
};

// Picture ring showing a serial connector with the port number; -1 is the port not open
// (grey and crossed out). A left click and key presses are reported through the sink; the ring
// never changes its picture by itself.
class ComPictureRing : public QWidget {
  public:
    using EventSink = std::function<void(int event, int data1, int data2)>;
    ComPictureRing(QWidget* parent, EventSink sink);
    void SetPort(int port);
    int Port() const { return port_; }
    // A press through the accessibility interface: reported like a left click.
    void Press();
    // The words a screen reader says for an open port ("COM 1" and the open word) and for none.
    void SetStateWords(const QString& open, const QString& closed);
    // What the picture shows, in words; also the ring's accessible description, so a screen
    // reader says it with the name and again whenever it changes.
    QString StateWord() const;
    QSize sizeHint() const override { return {64, 48}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    EventSink sink_;
    int port_ = -1;
    QString openWord_;
    QString closedWord_ = QStringLiteral("COM -");
};

// Neutral emblem for static pictures: a coil with a current wave.
class LogoPicture : public QWidget {
  public:
    explicit LogoPicture(QWidget* parent);
    QSize sizeHint() const override { return {64, 64}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Keys that no control of a panel used (Enter, Escape) reach the panel's key handler, which
// returns true when it acted on the key.
using PanelKeyHandler = std::function<bool(int key)>;

// Top-level window of a panel. The close box does not close it: onClose decides, and returns
// true when the window may simply hide itself.
class PanelWindow : public QMainWindow {
  public:
    PanelWindow(std::function<bool()> onClose, PanelKeyHandler onKey);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<bool()> onClose_;
    PanelKeyHandler onKey_;
};

// A child panel: a raised frame with a title bar, embedded in its parent panel above the
// parent's own controls. Dragging the title bar moves the frame, always inside the parent.
class ChildPanelFrame : public QFrame {
  public:
    ChildPanelFrame(QWidget* parent, QSize canvasSize, PanelKeyHandler onKey);
    QWidget* Canvas() const { return canvas_; }
    QWidget* TitleBar() const;
    void SetTitle(const QString& title);
    // Moves the frame to pos, kept inside the parent.
    void MoveWithin(QPoint pos);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* titleBar_;
    QWidget* canvas_;
    PanelKeyHandler onKey_;
    QPoint grab_; // where the title bar was taken, in frame coordinates
    bool dragging_ = false;
};

// Key code of EVENT_KEYPRESS: Enter 1280, printable characters their character code, any other
// key its Qt key code (never equal to the former).
int KeyCodeOf(const QKeyEvent& event);

} // namespace vkrui
