#pragma once
// Adapting the main panel to the regulator's hardware version: the raised free-wheeling voltage
// group exists only on version b, the dither table only on regulators that report support.

// Asks the regulator for "supportdithertabelle" and shows or hides the dither-table group to
// match; a refusal (NAK) means no table. 0, -122202 when no port is open, or another failing
// read's code, after which the group is left as it was.
int Vkr3SuppurtDithertabelleLesen();

// Decides the version from the identity text in the COM panel's ID field: "VKR3AX2a" hides the
// raised free-wheeling voltage group, "VKR3AX2b" shows it, anything else shows "Version: ERROR"
// and leaves the group as it is.
void VersionAusKennungAnzeigen();
