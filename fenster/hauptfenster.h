#pragma once
// The program's main window, for placing and parenting the windows of their own; null before
// the panels exist.

#include <QApplication>
#include <QMainWindow>

inline QWidget* Hauptfenster() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w)) return w;
    return nullptr;
}
