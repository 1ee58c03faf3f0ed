#pragma once
// Access to the widgets behind panel handles and control ids, for tests that drive the panels
// as a user would (QTest key and mouse events). Product code does not include this header.

class QWidget;
class QAction;

QWidget* PanelWidget(int panel);
QWidget* ControlWidget(int panel, int control); // the input widget of the control
QAction* MenuItemAction(int menuBar, int menuItem);
