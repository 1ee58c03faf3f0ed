// Builds the widgets of a panel from its declarative definition and wires every user action
// to the callback of its control. All connections of controls to events are made here.
#include "platform/ui_runtime.h"
#include "platform/ui_table.h"
#include "platform/ui_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace vkrui {
namespace {

constexpr int kLabelGap = 4;
constexpr int kPanelMargin = 10;
constexpr int kCaptionEdgeGap = 8; // space a caption leaves before the frame's right edge

bool HasSeparateLabel(const ControlDefinition& def) {
    switch (def.kind) {
    case ControlKind::Numeric:
    case ControlKind::Ring:
    case ControlKind::String:
    case ControlKind::Led:
    case ControlKind::PictureRing:
    case ControlKind::Table:
        return def.labelPlacement != LabelPlacement::None;
    case ControlKind::Checkbox:
        return def.labelPlacement == LabelPlacement::Left || def.labelPlacement == LabelPlacement::Above;
    default:
        return false;
    }
}

QWidget* MakeButton(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* button = new QPushButton(Mnemonicless(Utf8(def.text)), canvas);
    button->setAutoDefault(false);
    if (def.kind == ControlKind::ToggleButton) {
        button->setCheckable(true);
        button->setChecked(def.defaultValue != 0.0);
    }
    QObject::connect(button, &QPushButton::clicked, button,
                     [panel, id] { DeliverControlEvent(panel, id, EVENT_COMMIT); });
    return button;
}

QWidget* MakeCheckbox(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* box = new QCheckBox(canvas);
    if (!HasSeparateLabel(def) && def.labelPlacement != LabelPlacement::None)
        box->setText(Mnemonicless(Utf8(def.text)));
    box->setChecked(def.defaultValue != 0.0);
    QObject::connect(box, &QCheckBox::clicked, box,
                     [panel, id] { DeliverControlEvent(panel, id, EVENT_COMMIT); });
    return box;
}

QWidget* MakeNumeric(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* box = new NumericBox(canvas);
    box->setDecimals(def.type == ValueType::Int ? 0 : def.decimals);
    box->setRange(FiniteLimit(def.minimum), FiniteLimit(def.maximum));
    box->setSingleStep(def.step > 0 ? def.step : 1.0);
    box->setValue(def.defaultValue);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (def.readOnly) {
        box->setReadOnly(true);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setFocusPolicy(Qt::NoFocus);
    }
    // One commit per change: a step, or Enter / leaving the field after typing. Program values
    // arrive with the box's signals blocked.
    QObject::connect(box, &QDoubleSpinBox::valueChanged, box, [box, panel, id] {
        box->ClearEdited();
        DeliverControlEvent(panel, id, EVENT_COMMIT);
    });
    QObject::connect(box, &QAbstractSpinBox::editingFinished, box, [box, panel, id] {
        if (box->TakeEdited()) DeliverControlEvent(panel, id, EVENT_COMMIT);
    });
    return box;
}

QWidget* MakeRing(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* ring = new QComboBox(canvas);
    for (const ListItem& item : def.items)
        ring->addItem(Utf8(item.label), item.value);
    const int selected = ring->findData(static_cast<int>(std::lround(def.defaultValue)));
    ring->setCurrentIndex(selected >= 0 ? selected : 0);
    QObject::connect(ring, &QComboBox::currentIndexChanged, ring,
                     [panel, id] { DeliverControlEvent(panel, id, EVENT_COMMIT); });
    return ring;
}

QWidget* MakeString(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* edit = new QLineEdit(Utf8(def.defaultText), canvas);
    edit->setReadOnly(def.readOnly);
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, panel, id] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        DeliverControlEvent(panel, id, EVENT_COMMIT);
    });
    return edit;
}

QWidget* MakePictureRing(ControlRec& rec, QWidget* canvas, int panel, int id) {
    for (const ListItem& item : rec.def->items)
        rec.pictures.push_back({Utf8(item.label), item.value});
    auto* ring = new ComPictureRing(canvas, [panel, id](int event, int data1, int data2) {
        DeliverControlEvent(panel, id, event, data1, data2);
    });
    const int start = static_cast<int>(std::lround(rec.def->defaultValue));
    ring->SetPort(start != 0 || rec.pictures.empty() ? start : rec.pictures.front().value);
    return ring;
}

QWidget* MakeStatic(const ControlDefinition& def, QWidget* canvas) {
    switch (def.kind) {
    case ControlKind::TextMessage: {
        auto* text = new QLabel(Utf8(def.text), canvas);
        text->setTextFormat(Qt::PlainText);
        return text;
    }
    case ControlKind::Decoration: {
        // A frame without title; captions are separate text messages on its top edge.
        auto* frame = new QGroupBox(canvas);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::Picture:
        if (def.picture == PictureKind::Logo) return new LogoPicture(canvas);
        return new QWidget(canvas);
    default:
        return nullptr;
    }
}

QWidget* MakeWidget(ControlRec& rec, QWidget* canvas, int panel) {
    const ControlDefinition& def = *rec.def;
    const int id = rec.id;
    switch (def.kind) {
    case ControlKind::CommandButton:
    case ControlKind::ToggleButton:
        return MakeButton(def, canvas, panel, id);
    case ControlKind::Checkbox:
        return MakeCheckbox(def, canvas, panel, id);
    case ControlKind::Numeric:
        return MakeNumeric(def, canvas, panel, id);
    case ControlKind::Ring:
        return MakeRing(def, canvas, panel, id);
    case ControlKind::String:
        return MakeString(def, canvas, panel, id);
    case ControlKind::Led: {
        auto* led = new LedLamp(canvas);
        led->SetOnColor(def.onColor);
        led->SetOn(def.defaultValue != 0.0);
        return led;
    }
    case ControlKind::PictureRing:
        return MakePictureRing(rec, canvas, panel, id);
    case ControlKind::Table:
        return MakeTable(def, canvas, panel, id);
    default:
        return MakeStatic(def, canvas);
    }
}

void MakeTimer(ControlRec& rec, QWidget* canvas, int panel) {
    rec.timer = new QTimer(canvas);
    rec.timer->setInterval(std::max(1, static_cast<int>(std::lround(rec.def->interval * 1000.0))));
    const int id = rec.id;
    QObject::connect(rec.timer, &QTimer::timeout, rec.timer, [panel, id] { DeliverTimerTick(panel, id); });
    if (rec.def->enabled) rec.timer->start();
}

void ApplyGeometryAndLook(ControlRec& rec) {
    const ControlDefinition& def = *rec.def;
    QWidget* w = rec.widget;
    if (def.fontPointSize > 0 || def.bold) {
        QFont font = w->font();
        if (def.fontPointSize > 0) font.setPointSize(def.fontPointSize);
        font.setBold(def.bold);
        w->setFont(font);
    }
    const QSize natural = w->sizeHint();
    const Geometry& g = def.geometry;
    w->setGeometry(g.left, g.top, g.width > 0 ? g.width : natural.width(),
                   g.height > 0 ? g.height : natural.height());
    if (HasSeparateLabel(def)) {
        rec.label = new QLabel(w->parentWidget());
        rec.label->setTextFormat(Qt::PlainText);
        rec.label->setFont(w->font());
    }
    SetLabelText(rec, Utf8(def.text));
    w->setVisible(def.visible);
    w->setEnabled(!def.dimmed);
    if (rec.label) {
        rec.label->setVisible(def.visible);
        rec.label->setEnabled(!def.dimmed);
    }
}

void FitCaption(ControlRec& rec) {
    if (rec.captionRoom <= 0) return;
    rec.widget->resize(std::min(rec.captionRoom, rec.widget->sizeHint().width()), rec.widget->height());
}

// A text message whose box straddles the top edge of a frame is that frame's caption: it covers
// the frame line behind its text, like the title of a group box.
void MarkCaptions(PanelRec& panel) {
    for (auto& [id, frame] : panel.controls) {
        if (frame.def->kind != ControlKind::Decoration) continue;
        frame.widget->lower();
        const QRect edge = frame.widget->geometry();
        for (auto& [otherId, text] : panel.controls) {
            if (text.def->kind != ControlKind::TextMessage) continue;
            const QRect box = text.widget->geometry();
            if (box.top() > edge.top() || box.bottom() < edge.top()) continue;
            if (box.left() < edge.left() || box.left() > edge.right()) continue;
            text.widget->setAutoFillBackground(true);
            // The caption covers the frame line only behind its own text, and follows later
            // texts (another language) up to the frame's right edge.
            text.captionRoom = edge.right() - box.left() - kCaptionEdgeGap;
            FitCaption(text);
        }
    }
}

QSize CanvasSize(const PanelRec& rec) {
    QRect used;
    for (const auto& [id, control] : rec.controls) {
        if (control.widget) used |= control.widget->geometry();
        if (control.label) used |= control.label->geometry();
    }
    const int width = rec.def->width > 0 ? rec.def->width : used.right() + kPanelMargin;
    const int height = rec.def->height > 0 ? rec.def->height : used.bottom() + kPanelMargin;
    return {std::max(width, 40), std::max(height, 30)};
}

QWidget* MakeWindow(PanelRec& rec, PanelRec* parent) {
    const QSize size(std::max(rec.def->width, 40), std::max(rec.def->height, 30));
    if (parent) {
        auto* frame = new ChildPanelFrame(parent->canvas, size);
        frame->SetTitle(rec.title);
        frame->hide();
        rec.canvas = frame->Canvas();
        return frame;
    }
    const int handle = rec.handle;
    auto* window = new PanelWindow([handle] { return DeliverCloseRequest(handle); });
    window->setWindowTitle(rec.title);
    rec.canvas = new QWidget(window);
    window->setCentralWidget(rec.canvas);
    return window;
}

// Child frames sit in the middle of their parent panel.
void PlaceChild(QWidget* frame, const PanelRec& parent) {
    const QSize room = parent.canvas->size();
    frame->move(std::max(0, (room.width() - frame->width()) / 2),
                std::max(0, (room.height() - frame->height()) / 2));
}

} // namespace

void BuildPanel(PanelRec& rec, PanelRec* parent) {
    rec.title = Utf8(rec.def->title);
    rec.callback = PanelCallbackNamed(rec.def->callback);
    rec.window = MakeWindow(rec, parent);
    for (const ControlDefinition& def : rec.def->controls) {
        ControlRec& control = rec.controls[def.id];
        control.id = def.id;
        control.def = &def;
        control.callback = ControlCallbackNamed(def.callback);
        if (def.kind == ControlKind::Timer) {
            MakeTimer(control, rec.canvas, rec.handle);
            continue;
        }
        control.widget = MakeWidget(control, rec.canvas, rec.handle);
        ApplyGeometryAndLook(control);
    }
    MarkCaptions(rec);
    const QSize size = CanvasSize(rec);
    if (auto* frame = dynamic_cast<ChildPanelFrame*>(rec.window)) {
        frame->Canvas()->setFixedSize(size);
        frame->adjustSize();
        PlaceChild(frame, *parent);
    } else {
        rec.canvas->setMinimumSize(size);
        rec.window->resize(size);
    }
}

void SetLabelText(ControlRec& rec, const QString& text) {
    rec.labelText = text;
    const ControlDefinition& def = *rec.def;
    if (!rec.widget) return;
    const QString trimmed = text.trimmed();
    rec.widget->setAccessibleName(trimmed.isEmpty() ? Utf8(def.constant) : trimmed);
    if (auto* button = qobject_cast<QPushButton*>(rec.widget)) {
        button->setText(Mnemonicless(text));
    } else if (def.kind == ControlKind::TextMessage) {
        static_cast<QLabel*>(rec.widget)->setText(text);
        FitCaption(rec);
    } else if (auto* box = qobject_cast<QCheckBox*>(rec.widget); box && !rec.label) {
        if (def.labelPlacement != LabelPlacement::None) box->setText(Mnemonicless(text));
    } else if (rec.label) {
        rec.label->setText(text);
        LayoutLabel(rec);
    }
}

void LayoutLabel(ControlRec& rec) {
    if (!rec.label || !rec.widget) return;
    const QRect g = rec.widget->geometry();
    const QSize natural = rec.label->sizeHint();
    const int reserved = rec.def->labelWidth;
    const int centredTop = g.top() + (g.height() - natural.height()) / 2;
    switch (rec.def->labelPlacement) {
    case LabelPlacement::Above:
        rec.label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        rec.label->setGeometry(g.left(), g.top() - natural.height() - 1, std::max(natural.width(), g.width()),
                               natural.height());
        break;
    case LabelPlacement::Right:
        rec.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        rec.label->setGeometry(g.right() + 1 + kLabelGap, centredTop, std::max(reserved, natural.width()),
                               natural.height());
        break;
    default: {
        // A reserved width gives the labels of a column a common left edge; without one the
        // label ends just before the control.
        const int width = std::max(reserved, natural.width());
        rec.label->setAlignment((reserved > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        rec.label->setGeometry(g.left() - kLabelGap - width, centredTop, width, natural.height());
        break;
    }
    }
}

} // namespace vkrui
