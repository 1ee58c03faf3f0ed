#pragma once
// Accessible interfaces of the run-time's controls (ui_accessible.cpp).

class QComboBox;
class QString;
class QWidget;

namespace vkrui {

// Makes the run-time's own interfaces known to Qt; safe to call repeatedly.
void InstallAccessibility();
// Rings are marked when built; only marked combo boxes get the run-time's interface, so those of
// popups keep Qt's.
void MarkAsRing(QWidget* ring);
// Tells screen readers the ring's item; after every change of the item or of its text.
void ShowRingItem(QComboBox* ring);
// Has screen readers speak text now, through the notification of within's window.
void Announce(QWidget* within, const QString& text);

} // namespace vkrui
