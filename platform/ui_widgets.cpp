#include "platform/ui_widgets.h"

#include "platform/ui.h"
#include "platform/ui_accessible.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

namespace vkrui {

// ---- NumericBox -------------------------------------------------------------------------------

NumericBox::NumericBox(QWidget* parent) : QDoubleSpinBox(parent) {
    // Decimal point everywhere, as in the program files and on the device line.
    setLocale(QLocale::c());
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { edited_ = true; });
    // Connected before any other receiver, so the held value is current when a commit is
    // delivered. Program values arrive with signals blocked and never pass here.
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double shown) { exact_ = shown; });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (edited_) exact_ = value(); // a typed entry equal to the shown value is taken as well
    });
}

void NumericBox::SetExact(double v) {
    exact_ = std::clamp(v, minimum(), maximum());
    const QSignalBlocker quiet(this);
    setValue(exact_);
}

void NumericBox::KeepWithinLimits() {
    const double within = std::clamp(exact_, minimum(), maximum());
    if (within != exact_) SetExact(within);
}

void NumericBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && edited_) {
        edited_ = false;
        lineEdit()->setText(textFromValue(value()));
        selectAll();
        event->accept();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}

static QString NormalisedNumber(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t;
}

QValidator::State NumericBox::validate(QString& text, int&) const {
    static const QRegularExpression partial(QStringLiteral(R"(^[+-]?\d*\.?\d*([eE][+-]?\d*)?$)"));
    const QString t = NormalisedNumber(text);
    if (!partial.match(t).hasMatch()) return QValidator::Invalid;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v) ? QValidator::Acceptable : QValidator::Intermediate;
}

double NumericBox::valueFromText(const QString& text) const {
    bool ok = false;
    const double v = QLocale::c().toDouble(NormalisedNumber(text), &ok);
    if (!ok) return value();
    // Taken as the field will show it: rounded to its decimals, then limited.
    const double shown = QLocale::c().toDouble(QLocale::c().toString(v, 'f', decimals()));
    return std::clamp(shown, minimum(), maximum());
}

bool NumericBox::TakeEdited() {
    const bool was = edited_;
    edited_ = false;
    return was;
}

// ---- DisplayLine ------------------------------------------------------------------------------

void DisplayLine::focusInEvent(QFocusEvent* event) {
    QFocusEvent plain(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&plain);
}

// ---- LatchButton ------------------------------------------------------------------------------

void LatchButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (isChecked()) {
        option.state |= QStyle::State_Sunken | QStyle::State_On;
        option.palette.setColor(QPalette::Button, palette().color(QPalette::Highlight).lighter(160));
    }
    painter.drawControl(QStyle::CE_PushButton, option);
}

// ---- LedLamp ------------------------------------------------------------------------------------

LedLamp::LedLamp(QWidget* parent) : QWidget(parent) {}

void LedLamp::SetOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent lit(this, changed);
    QAccessible::updateAccessibility(&lit);
}

void LedLamp::SetStateWords(const QString& on, const QString& off) {
    onWord_ = on;
    offWord_ = off;
}

void LedLamp::SetOnColor(int rgb) {
    onColor_ = rgb & 0xFFFFFF;
    update();
}

void LedLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = std::max(4, std::min(width(), height()) - 2);
    const QRectF lamp((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    const QColor on = QColor::fromRgb(static_cast<QRgb>(onColor_));
    const QColor face = on_ ? on : on.darker(500);
    QRadialGradient glow(lamp.center() - QPointF(d / 6.0, d / 6.0), d / 1.6);
    glow.setColorAt(0.0, on_ ? face.lighter(170) : face.lighter(140));
    glow.setColorAt(1.0, face);
    p.setBrush(glow);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawEllipse(lamp);
    if (!isEnabled()) p.fillRect(rect(), QColor(255, 255, 255, 110));
}

// ---- ComPictureRing -------------------------------------------------------------------------------

ComPictureRing::ComPictureRing(QWidget* parent, EventSink sink) : QWidget(parent), sink_(std::move(sink)) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ComPictureRing::SetPort(int port) {
    if (port_ == port) return;
    port_ = port;
    update();
    setAccessibleDescription(StateWord());
}

void ComPictureRing::SetStateWords(const QString& open, const QString& closed) {
    openWord_ = open;
    closedWord_ = closed;
    setAccessibleDescription(StateWord());
}

void ComPictureRing::Press() {
    sink_(EVENT_LEFT_CLICK, 0, 0);
    Announce(this, StateWord()); // what the press left open, after anything the program said
}

QString ComPictureRing::StateWord() const {
    if (port_ <= 0) return closedWord_;
    return QStringLiteral("COM %1 %2").arg(port_).arg(openWord_).trimmed();
}

// A nine-pin D-sub shell seen from the front, sized to the given rectangle.
static QPainterPath ConnectorShell(const QRectF& r) {
    const double slant = r.width() * 0.12;
    QPainterPath shell;
    shell.moveTo(r.topLeft());
    shell.lineTo(r.topRight());
    shell.lineTo(r.right() - slant, r.bottom());
    shell.lineTo(r.left() + slant, r.bottom());
    shell.closeSubpath();
    return shell;
}

static void DrawPins(QPainter& p, const QRectF& r, const QColor& colour) {
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    const double pin = std::max(2.0, r.height() * 0.14);
    for (int row = 0; row < 2; ++row) {
        const int count = row == 0 ? 5 : 4;
        const double y = r.top() + r.height() * (row == 0 ? 0.32 : 0.68);
        const double span = r.width() * (row == 0 ? 0.64 : 0.48);
        const double x0 = r.center().x() - span / 2;
        for (int i = 0; i < count; ++i)
            p.drawEllipse(QPointF(x0 + span * i / (count - 1), y), pin / 2, pin / 2);
    }
}

void ComPictureRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool open = port_ > 0;
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    const QRectF plug(area.left(), area.top(), area.width(), area.height() * 0.62);
    const QColor metal = open ? QColor(70, 110, 170) : QColor(160, 160, 160);
    p.setPen(QPen(metal.darker(150), 1.5));
    p.setBrush(metal.lighter(open ? 160 : 120));
    p.drawPath(ConnectorShell(plug));
    DrawPins(p, plug, open ? QColor(250, 210, 80) : QColor(120, 120, 120));
    p.setPen(open ? palette().color(QPalette::WindowText) : QColor(130, 130, 130));
    const QRectF caption(area.left(), plug.bottom(), area.width(), area.bottom() - plug.bottom() + 2);
    QFont small = font();
    small.setPixelSize(std::max(7, static_cast<int>(caption.height())));
    p.setFont(small);
    p.drawText(caption, Qt::AlignCenter,
               open ? QStringLiteral("COM %1").arg(port_) : QStringLiteral("COM -"));
    if (!open) {
        p.setPen(QPen(QColor(190, 40, 40), 2.5));
        p.drawLine(plug.topLeft(), plug.bottomRight());
        p.drawLine(plug.bottomLeft(), plug.topRight());
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void ComPictureRing::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    sink_(EVENT_LEFT_CLICK, at.y(), at.x());
}

void ComPictureRing::keyPressEvent(QKeyEvent* event) {
    const int key = KeyCodeOf(*event);
    sink_(EVENT_KEYPRESS, key, 0);
    // The keys that toggle the connection tell what they left open.
    if (key == VAL_ENTER_VKEY || key == VAL_SPACE_KEY) Announce(this, StateWord());
}

int KeyCodeOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return VAL_ENTER_VKEY;
    const QString text = event.text();
    if (!text.isEmpty() && text.at(0).isPrint()) return text.at(0).unicode();
    return event.key();
}

// ---- LogoPicture --------------------------------------------------------------------------------

LogoPicture::LogoPicture(QWidget* parent) : QWidget(parent) {}

void LogoPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(width(), height()) - 4.0;
    const QRectF badge((width() - s) / 2, (height() - s) / 2, s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 74, 135));
    p.drawRoundedRect(badge, s * 0.18, s * 0.18);
    // Coil windings across the middle.
    p.setPen(QPen(QColor(230, 180, 60), std::max(1.5, s * 0.05)));
    p.setBrush(Qt::NoBrush);
    const double coilTop = badge.top() + s * 0.2;
    for (int i = 0; i < 5; ++i) {
        const double x = badge.left() + s * (0.2 + 0.12 * i);
        p.drawEllipse(QRectF(x, coilTop, s * 0.12, s * 0.3));
    }
    // One period of the current wave beneath.
    QPainterPath wave;
    const double y0 = badge.top() + s * 0.72;
    for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0;
        const QPointF pt(badge.left() + s * (0.15 + 0.7 * t),
                         y0 - s * 0.12 * std::sin(2 * std::numbers::pi * t));
        i == 0 ? wave.moveTo(pt) : wave.lineTo(pt);
    }
    p.setPen(QPen(Qt::white, std::max(1.5, s * 0.045)));
    p.drawPath(wave);
}

// ---- PanelWindow and ChildPanelFrame -----------------------------------------------------------

PanelWindow::PanelWindow(std::function<bool()> onClose, PanelKeyHandler onKey)
    : onClose_(std::move(onClose)), onKey_(std::move(onKey)) {}

void PanelWindow::closeEvent(QCloseEvent* event) {
    if (onClose_ && !onClose_()) {
        event->ignore();
        return;
    }
    event->accept();
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
    if (onKey_ && onKey_(event->key())) return event->accept();
    QMainWindow::keyPressEvent(event);
}

ChildPanelFrame::ChildPanelFrame(QWidget* parent, QSize canvasSize, PanelKeyHandler onKey)
    : QFrame(parent), onKey_(std::move(onKey)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    titleBar_ = new QLabel(this);
    titleBar_->setAutoFillBackground(true);
    titleBar_->setContentsMargins(6, 2, 6, 2);
    titleBar_->setCursor(Qt::SizeAllCursor);
    titleBar_->installEventFilter(this);
    QPalette bar = titleBar_->palette();
    bar.setColor(QPalette::Window, bar.color(QPalette::Highlight));
    bar.setColor(QPalette::WindowText, bar.color(QPalette::HighlightedText));
    titleBar_->setPalette(bar);
    QFont bold = titleBar_->font();
    bold.setBold(true);
    titleBar_->setFont(bold);
    canvas_ = new QWidget(this);
    canvas_->setFixedSize(canvasSize);
    layout->addWidget(titleBar_);
    layout->addWidget(canvas_);
    adjustSize();
}

QWidget* ChildPanelFrame::TitleBar() const {
    return titleBar_;
}

void ChildPanelFrame::SetTitle(const QString& title) {
    titleBar_->setText(title);
    setAccessibleName(title);
}

void ChildPanelFrame::MoveWithin(QPoint pos) {
    const QWidget* room = parentWidget();
    if (room) {
        pos.setX(std::clamp(pos.x(), 0, std::max(0, room->width() - width())));
        pos.setY(std::clamp(pos.y(), 0, std::max(0, room->height() - height())));
    }
    move(pos);
}

bool ChildPanelFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != titleBar_) return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton) break;
        dragging_ = true;
        grab_ = titleBar_->mapTo(this, press->position().toPoint());
        raise();
        return true;
    }
    case QEvent::MouseMove:
        if (!dragging_ || !parentWidget()) break;
        MoveWithin(
            parentWidget()->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()) -
            grab_);
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void ChildPanelFrame::keyPressEvent(QKeyEvent* event) {
    if (onKey_ && onKey_(event->key())) return event->accept();
    QFrame::keyPressEvent(event);
}

} // namespace vkrui
