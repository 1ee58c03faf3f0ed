#pragma once
// The user's view of the connection: the COM panel and the port picture on the main panel show
// gCom, the main panel's error fields show the result of every device operation, and the
// identity and the address scan report on the COM panel.

// gCom.port, gCom.adresse and gCom.baudrate from the COM panel's rings.
void ComEinstellungenAusGuiInStruktur();
// The port ring and the port picture show the port really open (not the wish), the address and
// baud-rate rings show gCom.
void ComEinstellungenAusStrukturInGui();

// 0 clears the error lamp, text and number; any other code lights the lamp and shows the
// message of the code and the code as a positive number. Screen readers hear every failure
// ("Fehler 122201: ...") and the return to no error, wherever the focus is.
void ComFehlerSetzen(int code);

// Reads the identity of the regulator at gCom.adresse into the COM panel's ID field, which is
// emptied first and stays empty on failure. 0, -122202 when no port is open, or the code of the
// identity request.
int IDLesen();

// Probes addresses 1 to 8 on the open port, showing each address's outcome on its LED as it
// goes: yellow while probed, green for a regulator of this kind (gCom.adresse then becomes that
// address; the highest one wins), red for another device, off when nothing answers. For screen
// readers each LED's description tells what answered; the summary is heard at the end and
// stays the scan button's description.
// 0, -122201 when no port is open, or the code of reopening the port at the chosen baud rate.
int Vkr3Scan();
