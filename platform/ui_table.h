#pragma once
// Table controls: a grid of doubles, cells addressed (column, row) from 1.

#include "platform/panel_definition.h"

class QWidget;

namespace vkrui {

// Creates the table widget; a committed cell edit by the user calls the control's callback with
// EVENT_COMMIT and the row and column of the cell as event data.
QWidget* MakeTable(const ControlDefinition& def, QWidget* canvas, int panel, int id);

} // namespace vkrui
