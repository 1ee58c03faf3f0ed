#pragma once
// Accessible interfaces of the run-time's controls (ui_accessible.cpp).

class QWidget;

namespace vkrui {

// Makes the run-time's own interfaces known to Qt; safe to call repeatedly.
void InstallAccessibility();
// Rings and toggle buttons are marked when built; only marked widgets get the run-time's
// interface, so combo boxes and buttons of popups keep Qt's.
void MarkAsRing(QWidget* ring);
void MarkAsToggle(QWidget* button);

} // namespace vkrui
