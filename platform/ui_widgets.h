#pragma once
// Widgets the run-time draws or adapts itself: numeric entry, LED lamp, COM port picture ring,
// logo emblem, top-level panel window and the embedded frame of a child panel.

#include <QDoubleSpinBox>
#include <QFrame>
#include <QMainWindow>
#include <functional>

class QLabel;
class QKeyEvent;

namespace vkrui {

// Numeric entry. Any number the user types is taken and brought to the nearest limit (Qt's own
// spin box would refuse the keystrokes of an out-of-range number). The value is held rounded to
// the decimals shown, so what the program reads back is what the user sees.
class NumericBox : public QDoubleSpinBox {
  public:
    explicit NumericBox(QWidget* parent);
    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    // True once after the user typed into the field since the last commit.
    bool TakeEdited();
    void ClearEdited() { edited_ = false; }

  private:
    bool edited_ = false;
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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool on_ = false;
    int onColor_ = 0x00FF00;
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
    QSize sizeHint() const override { return {64, 48}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    EventSink sink_;
    int port_ = -1;
};

// Neutral emblem for static pictures: a coil with a current wave.
class LogoPicture : public QWidget {
  public:
    explicit LogoPicture(QWidget* parent);
    QSize sizeHint() const override { return {64, 64}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Top-level window of a panel. The close box does not close it: onClose decides, and returns
// true when the window may simply hide itself.
class PanelWindow : public QMainWindow {
  public:
    explicit PanelWindow(std::function<bool()> onClose);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::function<bool()> onClose_;
};

// A child panel: a raised frame with a title bar, embedded in its parent panel above the
// parent's own controls.
class ChildPanelFrame : public QFrame {
  public:
    ChildPanelFrame(QWidget* parent, QSize canvasSize);
    QWidget* Canvas() const { return canvas_; }
    void SetTitle(const QString& title);

  private:
    QLabel* titleBar_;
    QWidget* canvas_;
};

// Key code of EVENT_KEYPRESS: Enter 1280, printable characters their character code, any other
// key its Qt key code (never equal to the former).
int KeyCodeOf(const QKeyEvent& event);

} // namespace vkrui
