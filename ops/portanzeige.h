#pragma once
// What the user needs to recognise a port and to mend a failed connection: the chosen port's
// device and adapter on the COM panel, and the reason for a failed open or a lost adapter,
// appended to the error field's catalogue message.

// Shows on the COM panel the device, adapter, stable name and latency timer of the open port, or
// of the port the user chose when none is open; empty fields when no port is chosen. A timer
// above 1 ms is shown with the command that lowers it.
void PortdetailsAnzeigen();

// True while a port is open whose adapter is gone: the next result shown closes it and says why.
bool ComAdapterGetrennt();

// Called with every result shown in the error fields, before the message is composed. When the
// open port's adapter is gone (unplugged, line hung up), closes the port (it stays the one the
// port picture reopens), shows it as not open and makes the message say why. When code is the
// failed open, makes the message say why the port does not open. Nothing for code 0.
void ComGrundVormerken(int code);
