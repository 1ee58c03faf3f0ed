// Control attributes. Like values, attributes set by the program never reach a callback.
#include "platform/ui.h"
#include "platform/ui_runtime.h"
#include "platform/ui_widgets.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>

using namespace vkrui;

namespace {

bool IsRingWidget(const ControlRec& rec) {
    return rec.def->kind == ControlKind::Ring;
}

bool IsNumericAttribute(int attribute) {
    return attribute == ATTR_MIN_VALUE || attribute == ATTR_MAX_VALUE || attribute == ATTR_INTERVAL;
}

bool IsKnown(int attribute) {
    return attribute >= ATTR_VISIBLE && attribute <= ATTR_SPOKEN_DESCRIPTION;
}

bool IsText(int attribute) {
    return attribute == ATTR_LABEL_TEXT || attribute == ATTR_SPOKEN_NAME ||
           attribute == ATTR_SPOKEN_DESCRIPTION;
}

int SetText(ControlRec& rec, int attribute, const QString& text) {
    if (!rec.widget) return UIE_BAD_ATTRIBUTE;
    switch (attribute) {
    case ATTR_SPOKEN_NAME:
        rec.spokenName = text;
        SetLabelText(rec, rec.labelText); // the name follows from label and spoken name
        return UIE_OK;
    case ATTR_SPOKEN_DESCRIPTION:
        if (IsRingWidget(rec)) return UIE_BAD_ATTRIBUTE;
        rec.widget->setAccessibleDescription(text);
        return UIE_OK;
    default:
        SetLabelText(rec, text);
        return UIE_OK;
    }
}

int GetText(const ControlRec& rec, int attribute, std::string* value) {
    if (!value || !rec.widget) return UIE_BAD_ATTRIBUTE;
    switch (attribute) {
    case ATTR_SPOKEN_NAME:
        *value = rec.widget->accessibleName().toStdString();
        return UIE_OK;
    case ATTR_SPOKEN_DESCRIPTION:
        *value = rec.widget->accessibleDescription().toStdString();
        return UIE_OK;
    default:
        *value = rec.labelText.toStdString();
        return UIE_OK;
    }
}

void SetShown(ControlRec& rec, bool shown) {
    if (rec.widget) rec.widget->setVisible(shown);
    if (rec.label) rec.label->setVisible(shown);
}

void SetDimmed(ControlRec& rec, bool dimmed) {
    if (rec.widget) rec.widget->setEnabled(!dimmed);
    if (rec.label) rec.label->setEnabled(!dimmed);
}

int SetIntAttribute(ControlRec& rec, int attribute, int value) {
    switch (attribute) {
    case ATTR_VISIBLE:
        if (!rec.widget) return UIE_BAD_ATTRIBUTE;
        SetShown(rec, value != 0);
        return UIE_OK;
    case ATTR_DIMMED:
        if (!rec.widget) return UIE_BAD_ATTRIBUTE;
        SetDimmed(rec, value != 0);
        return UIE_OK;
    case ATTR_ON_COLOR:
        if (rec.def->kind != ControlKind::Led) return UIE_BAD_ATTRIBUTE;
        static_cast<LedLamp*>(rec.widget)->SetOnColor(value);
        return UIE_OK;
    case ATTR_ENABLED:
        if (!rec.timer) return UIE_BAD_ATTRIBUTE;
        value != 0 ? rec.timer->start() : rec.timer->stop();
        return UIE_OK;
    default:
        return IsText(attribute) ? UIE_BAD_VALUE_TYPE : UIE_BAD_ATTRIBUTE;
    }
}

// New limits bring the current value within them at once.
int SetLimit(ControlRec& rec, int attribute, double value) {
    auto* box = dynamic_cast<NumericBox*>(rec.widget);
    if (!box) return UIE_BAD_ATTRIBUTE;
    const QSignalBlocker quiet(box);
    attribute == ATTR_MIN_VALUE ? box->setMinimum(value) : box->setMaximum(value);
    box->KeepWithinLimits();
    return UIE_OK;
}

int SetDoubleAttribute(ControlRec& rec, int attribute, double value) {
    if (attribute == ATTR_INTERVAL) {
        if (!rec.timer) return UIE_BAD_ATTRIBUTE;
        rec.timer->setInterval(std::max(1, static_cast<int>(std::lround(value * 1000.0))));
        return UIE_OK;
    }
    return SetLimit(rec, attribute, value);
}

int GetIntAttribute(const ControlRec& rec, int attribute, int* value) {
    switch (attribute) {
    case ATTR_VISIBLE:
        *value = rec.widget && !rec.widget->isHidden();
        return UIE_OK;
    case ATTR_DIMMED:
        if (!rec.widget) return UIE_BAD_ATTRIBUTE;
        *value = rec.widget->testAttribute(Qt::WA_Disabled);
        return UIE_OK;
    case ATTR_ON_COLOR:
        if (rec.def->kind != ControlKind::Led) return UIE_BAD_ATTRIBUTE;
        *value = static_cast<const LedLamp*>(rec.widget)->OnColor();
        return UIE_OK;
    case ATTR_ENABLED:
        if (!rec.timer) return UIE_BAD_ATTRIBUTE;
        *value = rec.timer->isActive();
        return UIE_OK;
    case ATTR_CTRL_MODE:
        *value = rec.widget && !rec.def->readOnly && rec.def->kind != ControlKind::TextMessage &&
                 rec.def->kind != ControlKind::Led && rec.def->kind != ControlKind::Decoration &&
                 rec.def->kind != ControlKind::Picture;
        return UIE_OK;
    default:
        return IsText(attribute) ? UIE_BAD_VALUE_TYPE : UIE_BAD_ATTRIBUTE;
    }
}

int GetDoubleAttribute(const ControlRec& rec, int attribute, double* value) {
    if (attribute == ATTR_INTERVAL) {
        if (!rec.timer) return UIE_BAD_ATTRIBUTE;
        *value = rec.timer->interval() / 1000.0;
        return UIE_OK;
    }
    const auto* box = dynamic_cast<const NumericBox*>(rec.widget);
    if (!box) return UIE_BAD_ATTRIBUTE;
    const double limit = attribute == ATTR_MIN_VALUE ? box->minimum() : box->maximum();
    const double definition = attribute == ATTR_MIN_VALUE ? rec.def->minimum : rec.def->maximum;
    // An unlimited side reads back as unlimited, not as the stand-in Qt needs.
    *value = !std::isfinite(definition) && std::fabs(limit) >= kUnlimitedStandIn ? definition : limit;
    return UIE_OK;
}

} // namespace

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    if (IsNumericAttribute(attribute))
        return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
    int error = UIE_OK;
    ControlRec* rec = FindControl(panel, control, &error);
    return rec ? SetIntAttribute(*rec, attribute, value) : error;
}

int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    if (!IsNumericAttribute(attribute))
        return SetCtrlAttribute(panel, control, attribute, static_cast<int>(std::lround(value)));
    int error = UIE_OK;
    ControlRec* rec = FindControl(panel, control, &error);
    return rec ? SetDoubleAttribute(*rec, attribute, value) : error;
}

int SetCtrlAttribute(int panel, int control, int attribute, const char* value) {
    int error = UIE_OK;
    ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!IsText(attribute)) return IsKnown(attribute) ? UIE_BAD_VALUE_TYPE : UIE_BAD_ATTRIBUTE;
    return SetText(*rec, attribute, Utf8(value));
}

int GetCtrlAttribute(int panel, int control, int attribute, int* value) {
    int error = UIE_OK;
    const ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!value) return UIE_BAD_VALUE_TYPE;
    if (IsNumericAttribute(attribute)) {
        double number = 0;
        const int result = GetDoubleAttribute(*rec, attribute, &number);
        if (result == UIE_OK)
            *value = static_cast<int>(std::lround(std::clamp(number, -2147483648.0, 2147483647.0)));
        return result;
    }
    return GetIntAttribute(*rec, attribute, value);
}

int GetCtrlAttribute(int panel, int control, int attribute, double* value) {
    int error = UIE_OK;
    const ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!value) return UIE_BAD_VALUE_TYPE;
    if (IsNumericAttribute(attribute)) return GetDoubleAttribute(*rec, attribute, value);
    int number = 0;
    const int result = GetIntAttribute(*rec, attribute, &number);
    if (result == UIE_OK) *value = number;
    return result;
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string* value) {
    int error = UIE_OK;
    const ControlRec* rec = FindControl(panel, control, &error);
    if (!rec) return error;
    if (!IsText(attribute)) return IsKnown(attribute) ? UIE_BAD_VALUE_TYPE : UIE_BAD_ATTRIBUTE;
    return GetText(*rec, attribute, value);
}
