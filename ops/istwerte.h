#pragma once
// What the regulator does now: actual current and voltage, the status word on the status LEDs,
// the active current and the compatibility mode. All reads go to gCom.adresse on the open port.

// Reads "iststrom" and "istspannung" into their displays, then runs StatusAbfragen.
// 0, -122201 when no port is open, or the code of the first failing read; the values read
// before a failure stay shown.
int IstwerteAbfragen();

// Reads "status", "status_stromaktiv" (into the selected set and its two lights; a failure is
// passed over, since older regulators do not know it) and "status_kompatibility_mode", then
// sets the compatibility box and the status LEDs. 0, -122205 when no port is open, or the code of
// a failing read; the status LEDs change only when every read that matters succeeded.
int StatusAbfragen();

// Explains the lit status LEDs, one line each, in a message popup in the run's language. It
// shows the last status read, not the regulator's present one.
void StatusinfoPopup();

// Names each status LED for screen readers by what it means: its popup text in the run's
// language. Once, after the panels are loaded.
void StatuslampenBenennen();
