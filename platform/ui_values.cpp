// Control values and ring lists. Every change made here is made with the widget's signals
// blocked: a value set by the program never reaches a callback.
#include "platform/ui.h"
#include "platform/ui_liste.h"
#include "platform/ui_accessible.h"
#include "platform/ui_runtime.h"
#include "platform/ui_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

using namespace vkrui;

namespace {

int SelectRingValue(ControlRec& rec, int value) {
    if (auto* ring = qobject_cast<QComboBox*>(rec.widget)) {
        const int index = ring->findData(value);
        if (index < 0) return UIE_ITEM_NOT_FOUND;
        const QSignalBlocker quiet(ring);
        ring->setCurrentIndex(index);
        ShowRingItem(ring);
        return UIE_OK;
    }
    auto* pictures = static_cast<ComPictureRing*>(rec.widget);
    const bool listed = std::any_of(rec.pictures.begin(), rec.pictures.end(),
                                    [value](const RingItem& item) { return item.value == value; });
    // Every port number gets its drawn connector, also those without an item of their own.
    const bool portNumber = rec.def->picture == PictureKind::ComPort && value > 0;
    if (!listed && !portNumber) return UIE_ITEM_NOT_FOUND;
    pictures->SetPort(value);
    return UIE_OK;
}

bool IsRing(const ControlRec& rec) {
    return rec.def->kind == ControlKind::Ring || rec.def->kind == ControlKind::PictureRing;
}

bool IsList(const ControlRec& rec) {
    return rec.def->kind == ControlKind::ListBox;
}

int SetNumber(ControlRec& rec, double value) {
    const QSignalBlocker quiet(rec.widget);
    switch (rec.def->kind) {
    case ControlKind::Numeric: {
        auto* box = static_cast<NumericBox*>(rec.widget);
        box->ClearEdited();
        box->SetExact(rec.def->type == ValueType::Int ? std::round(value) : value);
        return UIE_OK;
    }
    case ControlKind::Ring:
    case ControlKind::PictureRing:
        return SelectRingValue(rec, static_cast<int>(std::lround(value)));
    case ControlKind::ListBox:
        return ListSelectValue(rec, static_cast<int>(std::lround(value)));
    case ControlKind::ToggleButton:
    case ControlKind::Checkbox:
        static_cast<QAbstractButton*>(rec.widget)->setChecked(value != 0.0);
        return UIE_OK;
    case ControlKind::Led:
        static_cast<LedLamp*>(rec.widget)->SetOn(value != 0.0);
        return UIE_OK;
    default:
        return UIE_BAD_VALUE_TYPE;
    }
}

int GetNumber(const ControlRec& rec, double* value) {
    switch (rec.def->kind) {
    case ControlKind::Numeric:
        *value = static_cast<NumericBox*>(rec.widget)->Exact();
        return UIE_OK;
    case ControlKind::Ring: {
        auto* ring = static_cast<QComboBox*>(rec.widget);
        if (ring->currentIndex() < 0) return UIE_BAD_INDEX;
        *value = ring->currentData().toInt();
        return UIE_OK;
    }
    case ControlKind::PictureRing:
        *value = static_cast<ComPictureRing*>(rec.widget)->Port();
        return UIE_OK;
    case ControlKind::ListBox: {
        const int index = ListCurrentIndex(rec);
        if (index < 0) return UIE_BAD_INDEX;
        *value = ListValue(rec, index);
        return UIE_OK;
    }
    case ControlKind::ToggleButton:
    case ControlKind::Checkbox:
        *value = static_cast<QAbstractButton*>(rec.widget)->isChecked() ? 1 : 0;
        return UIE_OK;
    case ControlKind::Led:
        *value = static_cast<LedLamp*>(rec.widget)->IsOn() ? 1 : 0;
        return UIE_OK;
    default:
        return UIE_BAD_VALUE_TYPE;
    }
}

ControlRec* Valued(int panel, int control, int* error) {
    ControlRec* rec = FindControl(panel, control, error);
    if (rec && !rec->widget) {
        *error = UIE_BAD_VALUE_TYPE;
        return nullptr;
    }
    return rec;
}

} // namespace

int SetCtrlVal(int panel, int control, int value) {
    return SetCtrlVal(panel, control, static_cast<double>(value));
}

int SetCtrlVal(int panel, int control, double value) {
    int error = UIE_OK;
    ControlRec* rec = Valued(panel, control, &error);
    return rec ? SetNumber(*rec, value) : error;
}

int SetCtrlVal(int panel, int control, char value) {
    int error = UIE_OK;
    ControlRec* rec = Valued(panel, control, &error);
    if (!rec) return error;
    if (!IsRing(*rec)) return UIE_BAD_VALUE_TYPE;
    return SetNumber(*rec, static_cast<unsigned char>(value));
}

int SetCtrlVal(int panel, int control, const char* text) {
    int error = UIE_OK;
    ControlRec* rec = Valued(panel, control, &error);
    if (!rec) return error;
    if (rec->def->kind == ControlKind::TextMessage) {
        SetLabelText(*rec, Utf8(text));
        return UIE_OK;
    }
    auto* edit = qobject_cast<QLineEdit*>(rec->widget);
    if (!edit) return UIE_BAD_VALUE_TYPE;
    const QSignalBlocker quiet(edit);
    edit->setText(Utf8(text));
    if (edit->isReadOnly()) {
        // A display shows the start of a text too long for it (where a message begins), and the
        // whole text when the pointer rests on it.
        edit->setCursorPosition(0);
        edit->setToolTip(edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 8
                             ? edit->text()
                             : QString());
    }
    return UIE_OK;
}

int GetCtrlVal(int panel, int control, double* value) {
    int error = UIE_OK;
    const ControlRec* rec = Valued(panel, control, &error);
    if (!rec) return error;
    if (!value) return UIE_BAD_VALUE_TYPE;
    return GetNumber(*rec, value);
}

int GetCtrlVal(int panel, int control, int* value) {
    double number = 0;
    const int result = GetCtrlVal(panel, control, value ? &number : nullptr);
    if (result == UIE_OK)
        *value = static_cast<int>(std::lround(std::clamp(number, -2147483648.0, 2147483647.0)));
    return result;
}

int GetCtrlVal(int panel, int control, char* value) {
    int error = UIE_OK;
    const ControlRec* rec = Valued(panel, control, &error);
    if (!rec) return error;
    if (!value || !IsRing(*rec)) return UIE_BAD_VALUE_TYPE;
    double number = 0;
    const int result = GetNumber(*rec, &number);
    if (result == UIE_OK) *value = static_cast<char>(std::lround(number));
    return result;
}

int GetCtrlVal(int panel, int control, std::string* text) {
    int error = UIE_OK;
    const ControlRec* rec = Valued(panel, control, &error);
    if (!rec) return error;
    if (!text) return UIE_BAD_VALUE_TYPE;
    if (rec->def->kind == ControlKind::TextMessage) {
        *text = rec->labelText.toStdString();
    } else if (auto* edit = qobject_cast<QLineEdit*>(rec->widget)) {
        *text = edit->text().toStdString();
    } else if (auto* ring = qobject_cast<QComboBox*>(rec->widget)) {
        *text = ring->currentText().toStdString();
    } else {
        return UIE_BAD_VALUE_TYPE;
    }
    return UIE_OK;
}

// ---- Ring lists -------------------------------------------------------------------------------

namespace {

// Rings, picture rings and list boxes: the controls with a list of items.
ControlRec* RingOf(int panel, int control, int* error) {
    ControlRec* rec = FindControl(panel, control, error);
    if (rec && !IsRing(*rec) && !IsList(*rec)) {
        *error = UIE_BAD_VALUE_TYPE;
        return nullptr;
    }
    return rec;
}

int ItemCount(const ControlRec& rec) {
    if (IsList(rec)) return ListCount(rec);
    if (auto* ring = qobject_cast<QComboBox*>(rec.widget)) return ring->count();
    return static_cast<int>(rec.pictures.size());
}

int ReplaceItem(int panel, int control, int index, const char* label, int value) {
    int error = UIE_OK;
    ControlRec* rec = RingOf(panel, control, &error);
    if (!rec) return error;
    if (index < 0 || index >= ItemCount(*rec)) return UIE_BAD_INDEX;
    if (IsList(*rec)) {
        ListReplace(*rec, index, Utf8(label), value);
        return UIE_OK;
    }
    if (auto* ring = qobject_cast<QComboBox*>(rec->widget)) {
        const QSignalBlocker quiet(ring);
        ring->setItemText(index, Utf8(label));
        ring->setItemData(index, value);
        ShowRingItem(ring);
        return UIE_OK;
    }
    RingItem& item = rec->pictures[static_cast<size_t>(index)];
    auto* pictures = static_cast<ComPictureRing*>(rec->widget);
    if (pictures->Port() == item.value) pictures->SetPort(value);
    item = {Utf8(label), value};
    return UIE_OK;
}

int ItemValue(int panel, int control, int index, int* value) {
    int error = UIE_OK;
    const ControlRec* rec = RingOf(panel, control, &error);
    if (!rec) return error;
    if (index < 0 || index >= ItemCount(*rec)) return UIE_BAD_INDEX;
    if (!value) return UIE_BAD_VALUE_TYPE;
    if (IsList(*rec))
        *value = ListValue(*rec, index);
    else if (auto* ring = qobject_cast<QComboBox*>(rec->widget))
        *value = ring->itemData(index).toInt();
    else
        *value = rec->pictures[static_cast<size_t>(index)].value;
    return UIE_OK;
}

} // namespace

int ReplaceListItem(int panel, int control, int index, const char* label, int value) {
    return ReplaceItem(panel, control, index, label, value);
}

int ReplaceListItem(int panel, int control, int index, const char* label, char value) {
    return ReplaceItem(panel, control, index, label, static_cast<unsigned char>(value));
}

int GetNumListItems(int panel, int control, int* count) {
    int error = UIE_OK;
    const ControlRec* rec = RingOf(panel, control, &error);
    if (!rec) return error;
    if (!count) return UIE_BAD_VALUE_TYPE;
    *count = ItemCount(*rec);
    return UIE_OK;
}

int GetLabelFromIndex(int panel, int control, int index, std::string* label) {
    int error = UIE_OK;
    const ControlRec* rec = RingOf(panel, control, &error);
    if (!rec) return error;
    if (index < 0 || index >= ItemCount(*rec)) return UIE_BAD_INDEX;
    if (!label) return UIE_BAD_VALUE_TYPE;
    if (IsList(*rec))
        *label = ListLabel(*rec, index).toStdString();
    else if (auto* ring = qobject_cast<QComboBox*>(rec->widget))
        *label = ring->itemText(index).toStdString();
    else
        *label = rec->pictures[static_cast<size_t>(index)].label.toStdString();
    return UIE_OK;
}

int GetValueFromIndex(int panel, int control, int index, int* value) {
    return ItemValue(panel, control, index, value);
}

int GetValueFromIndex(int panel, int control, int index, char* value) {
    int number = 0;
    const int result = ItemValue(panel, control, index, value ? &number : nullptr);
    if (result == UIE_OK) *value = static_cast<char>(number);
    return result;
}

int GetCtrlIndex(int panel, int control, int* index) {
    int error = UIE_OK;
    const ControlRec* rec = RingOf(panel, control, &error);
    if (!rec) return error;
    if (!index) return UIE_BAD_VALUE_TYPE;
    if (IsList(*rec)) {
        *index = ListCurrentIndex(*rec);
        return UIE_OK;
    }
    if (auto* ring = qobject_cast<QComboBox*>(rec->widget)) {
        *index = ring->currentIndex();
        return UIE_OK;
    }
    const int port = static_cast<ComPictureRing*>(rec->widget)->Port();
    *index = -1;
    for (size_t i = 0; i < rec->pictures.size(); ++i)
        if (rec->pictures[i].value == port) *index = static_cast<int>(i);
    return UIE_OK;
}

int InsertListItem(int panel, int control, int index, const char* label, int value) {
    int error = UIE_OK;
    ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!IsList(*rec)) return UIE_BAD_VALUE_TYPE;
    if (index < -1 || index > ListCount(*rec)) return UIE_BAD_INDEX;
    ListInsert(*rec, index, Utf8(label), value);
    return UIE_OK;
}

int ClearListCtrl(int panel, int control) {
    int error = UIE_OK;
    ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!IsList(*rec)) return UIE_BAD_VALUE_TYPE;
    ListClear(*rec);
    return UIE_OK;
}
