#pragma once
// List boxes: rows of label/value items shown in columns, one row selected. A label holds the
// texts of its columns separated by tabs.

#include "platform/panel_definition.h"

#include <QString>

class QWidget;

namespace vkrui {

struct ControlRec;

// Creates the list; a row the user selects calls the control's callback with EVENT_COMMIT.
QWidget* MakeListBox(const ControlDefinition& def, QWidget* canvas, int panel, int id);

// The operations of rings, for list boxes. Indices are checked by the caller.
int ListCount(const ControlRec& rec);
QString ListLabel(const ControlRec& rec, int index);
int ListValue(const ControlRec& rec, int index);
int ListCurrentIndex(const ControlRec& rec); // -1 when no row is selected
// Selects the row with this value; UIE_ITEM_NOT_FOUND leaves the selection as it is.
int ListSelectValue(ControlRec& rec, int value);
void ListReplace(ControlRec& rec, int index, const QString& label, int value);
// index -1 or the count appends.
void ListInsert(ControlRec& rec, int index, const QString& label, int value);
void ListClear(ControlRec& rec);

} // namespace vkrui
