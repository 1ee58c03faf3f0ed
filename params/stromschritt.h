#pragma once
// Current stepping in curve 9: the current the regulator reported active (status_stromaktiv of
// the selected set) goes up or down by the set's strom_step, and both currents are written to
// the regulator at once. Nothing changes when neither current is reported active.

// A step stops at the limits of the current controls (0.001 A and 6.0 A), so the panel always
// shows what the set holds. The set is shown, then written; the write's result is returned.
int StromIncrement();
int StromDecrement();

// Writes "strom1", then "strom2" of the selected set; "strom2" is not sent when "strom1" fails.
// 0 or the failing write's code.
int StroemeSchreiben();
