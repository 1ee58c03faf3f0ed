// Builds the widgets of a panel from its declarative definition and wires every user action
// to the callback of its control. All connections of controls to events are made here.
#include "platform/ui_accessible.h"
#include "platform/ui_liste.h"
#include "platform/ui_runtime.h"
#include "platform/ui_table.h"
#include "platform/ui_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>

namespace vkrui {
namespace {

constexpr int kLabelGap = 4;
constexpr int kPanelMargin = 10;
constexpr int kCaptionEdgeGap = 8; // space a caption leaves before the frame's right edge

int LeadingBlanks(const QString& text) {
    int n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return n;
}

bool HasSeparateLabel(const ControlDefinition& def) {
    switch (def.kind) {
    case ControlKind::Numeric:
    case ControlKind::Ring:
    case ControlKind::String:
    case ControlKind::Led:
    case ControlKind::PictureRing:
    case ControlKind::Table:
    case ControlKind::ListBox:
        return def.labelPlacement != LabelPlacement::None;
    case ControlKind::Checkbox:
        return def.labelPlacement == LabelPlacement::Left || def.labelPlacement == LabelPlacement::Above;
    default:
        return false;
    }
}

// Check boxes and toggle buttons commit on every change of state the program did not make
// (program values arrive with signals blocked): a click, the space bar, or the toggle action of
// a screen reader, which changes the state without a click.
void CommitOnToggle(QAbstractButton* button, int panel, int id) {
    QObject::connect(button, &QAbstractButton::toggled, button,
                     [panel, id] { DeliverControlEvent(panel, id, EVENT_COMMIT); });
}

QWidget* MakeButton(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* button = def.kind == ControlKind::ToggleButton ? new LatchButton(canvas) : new QPushButton(canvas);
    button->setText(Mnemonicless(Utf8(def.text)));
    button->setAutoDefault(true); // Enter presses the button that has the focus
    if (def.kind == ControlKind::ToggleButton) {
        button->setCheckable(true);
        button->setChecked(def.defaultValue != 0.0);
        CommitOnToggle(button, panel, id);
        return button;
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
    if (def.readOnly) {
        // An indicator: shows what the program sets (with signals blocked); neither a click, a
        // key nor a screen reader's toggle action changes it.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        QObject::connect(box, &QCheckBox::toggled, box, [box](bool on) {
            const QSignalBlocker quiet(box);
            box->setChecked(!on);
        });
        return box;
    }
    CommitOnToggle(box, panel, id);
    return box;
}

QWidget* MakeNumeric(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* box = new NumericBox(canvas);
    box->setDecimals(def.type == ValueType::Int ? 0 : def.decimals);
    box->setRange(FiniteLimit(def.minimum), FiniteLimit(def.maximum));
    box->setSingleStep(def.step > 0 ? def.step : 1.0);
    box->SetExact(def.defaultValue);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (def.readOnly) {
        // Display only; still reached with Tab, so its value can be read out and copied.
        box->setReadOnly(true);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setFocusPolicy(Qt::StrongFocus);
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
    MarkAsRing(ring); // before the first change, which may make Qt create its interface
    for (const ListItem& item : def.items)
        ring->addItem(Utf8(item.label), item.value);
    const int selected = ring->findData(static_cast<int>(std::lround(def.defaultValue)));
    ring->setCurrentIndex(selected >= 0 ? selected : 0);
    ShowRingItem(ring);
    QObject::connect(ring, &QComboBox::currentIndexChanged, ring, [ring, panel, id] {
        ShowRingItem(ring); // heard before the callback's own outcome
        DeliverControlEvent(panel, id, EVENT_COMMIT);
    });
    return ring;
}

QWidget* MakeString(const ControlDefinition& def, QWidget* canvas, int panel, int id) {
    auto* edit = def.readOnly ? new DisplayLine(Utf8(def.defaultText), canvas)
                              : new QLineEdit(Utf8(def.defaultText), canvas);
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
    const PanelRec* owner = FindPanel(panel);
    if (owner && owner->file && owner->file->portClosed.german)
        ring->SetStateWords(Spoken(owner->file->portOpen, owner->english),
                            Spoken(owner->file->portClosed, owner->english));
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
        const PanelRec* owner = FindPanel(panel);
        if (owner && owner->file)
            led->SetStateWords(Spoken(owner->file->lampOn, owner->english),
                               Spoken(owner->file->lampOff, owner->english));
        return led;
    }
    case ControlKind::PictureRing:
        return MakePictureRing(rec, canvas, panel, id);
    case ControlKind::Table:
        return MakeTable(def, canvas, panel, id);
    case ControlKind::ListBox:
        return MakeListBox(def, canvas, panel, id);
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
        rec.label->setBuddy(w); // screen readers announce the control by this label
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
    const int handle = rec.handle;
    if (parent) {
        auto* frame = new ChildPanelFrame(parent->canvas, size,
                                          [handle](int key) { return DeliverPanelKey(handle, key); });
        frame->SetTitle(rec.title);
        frame->hide();
        rec.canvas = frame->Canvas();
        return frame;
    }
    auto* window = new PanelWindow([handle] { return DeliverCloseRequest(handle); },
                                   [handle](int key) { return DeliverPanelKey(handle, key); });
    window->setWindowTitle(rec.title);
    rec.canvas = new QWidget(window);
    window->setCentralWidget(rec.canvas);
    return window;
}

// A child frame opens where its definition places it, else in the middle of its parent panel.
void PlaceChild(ChildPanelFrame* frame, const PanelRec& rec, const PanelRec& parent) {
    const QSize room = parent.canvas->size();
    const int left = rec.def->left != CENTRED ? rec.def->left : (room.width() - frame->width()) / 2;
    const int top = rec.def->top != CENTRED ? rec.def->top : (room.height() - frame->height()) / 2;
    frame->MoveWithin({left, top});
}

// Tab follows the definition's order; controls it does not list follow in definition order.
void ApplyTabOrder(PanelRec& rec) {
    std::vector<QWidget*> chain;
    auto add = [&](const ControlRec& control) {
        QWidget* w = control.widget;
        if (w && (w->focusPolicy() & Qt::TabFocus) && std::find(chain.begin(), chain.end(), w) == chain.end())
            chain.push_back(w);
    };
    for (const int id : rec.def->tabOrder)
        if (const auto found = rec.controls.find(id); found != rec.controls.end()) add(found->second);
    for (const ControlDefinition& def : rec.def->controls)
        add(rec.controls[def.id]);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace

void BuildPanel(PanelRec& rec, PanelRec* parent) {
    InstallAccessibility();
    rec.title = Utf8(rec.def->title);
    rec.callback = PanelCallbackNamed(rec.def->callback);
    rec.window = MakeWindow(rec, parent);
    for (const ControlDefinition& def : rec.def->controls) {
        ControlRec& control = rec.controls[def.id];
        control.id = def.id;
        control.def = &def;
        control.callback = ControlCallbackNamed(def.callback);
        control.spokenName = Spoken(def.spokenName, rec.english);
        if (def.kind == ControlKind::Timer) {
            MakeTimer(control, rec.canvas, rec.handle);
            continue;
        }
        control.widget = MakeWidget(control, rec.canvas, rec.handle);
        ApplyGeometryAndLook(control);
    }
    MarkCaptions(rec);
    ApplyTabOrder(rec);
    const QSize size = CanvasSize(rec);
    if (auto* frame = dynamic_cast<ChildPanelFrame*>(rec.window)) {
        frame->Canvas()->setFixedSize(size);
        frame->adjustSize();
        PlaceChild(frame, rec, *parent);
    } else {
        rec.canvas->setMinimumSize(size);
        rec.window->resize(size);
    }
}

QString Spoken(const SpokenName& name, bool english) {
    return Utf8(english && name.english ? name.english : name.german);
}

void SetLabelText(ControlRec& rec, const QString& text) {
    rec.labelText = text;
    const ControlDefinition& def = *rec.def;
    if (!rec.widget) return;
    // Screen readers name a control by its label, without the blanks that align it, or by its
    // spoken name where the label says too little; a named text message tells its text as the
    // description (the scan line: "Scanstatus", then what the scan is doing).
    const QString trimmed = text.trimmed();
    const QString name = !rec.spokenName.isEmpty() ? rec.spokenName : trimmed;
    rec.widget->setAccessibleName(name.isEmpty() ? Utf8(def.constant) : name);
    if (def.kind == ControlKind::TextMessage && !rec.spokenName.isEmpty())
        rec.widget->setAccessibleDescription(trimmed);
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
        // The label ends just before its control, so a column of labels reads evenly along the
        // controls however many blanks a text begins with (the blanks stay part of the text;
        // where the reserved width is short of them, only blank space is cut off on the left).
        const QString text = rec.label->text();
        const int leading = rec.label->fontMetrics().horizontalAdvance(text.left(LeadingBlanks(text)));
        const int width = std::max(reserved, natural.width() - leading);
        rec.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rec.label->setGeometry(g.left() - kLabelGap - width, centredTop, width, natural.height());
        break;
    }
    }
}

} // namespace vkrui
