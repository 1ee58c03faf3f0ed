#pragma once
// The COM panel's list of the serial devices the system has, and binding the chosen COM number
// to one of them. While the panel is shown, its timer looks for adapters plugged in or out.

// Fills the list anew and starts (an != 0) or stops the timer that keeps it up to date; called
// when the COM panel is shown or hidden.
void GeraetelisteBeobachten(int an);

// Brings the list up to date with the devices present and the bindings; a list that has not
// changed is left as it is, so the selection and a screen reader's place in it stay.
void GeraetelisteAktualisieren();

// The selected device's binding on the bind ring, dimmed while no device is selected.
void BindungAnzeigen();

// Binds the COM number chosen on the bind ring to the selected device, or removes its binding
// ("nicht gebunden"). When the port open or wished for is bound anew, it is opened again on
// its new device and the result shown in the error fields.
void BindungUebernehmen();
