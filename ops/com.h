#pragma once
// COM settings: which port is open, which one the user wants, the device address and the
// baud rate. Every device operation talks through gCom.portOffen to gCom.adresse.

struct ComEinstellungen {
    int portOffen; // COM port open now, -1 when none
    int port;      // port the user wants open, 1..8 or -1
    int lport;     // port that was open before the last close, -1 when none yet
    char adresse;  // '1'..'8', or '&' for all regulators (broadcast)
    int baudrate;  // 1200 .. 115200
};

extern ComEinstellungen gCom;
// Baud rate the open port was opened with; 0 before the first open.
extern int gLetzteBaudrate;

constexpr double COM_TIMEOUT_SEKUNDEN = 1.0;

// Results of operations that need an open port and find none.
constexpr int KEIN_PORT_OFFEN = -122201;         // scan, device functions, program transfer
constexpr int KEIN_PORT_OFFEN_KENNUNG = -122202; // identity, service mode, dither-table query

// gCom to its defaults: no port open, port and last port none, address '1', 9600 baud.
void ComStrukturInitialisieren();

// Makes the open port agree with gCom.port and gCom.baudrate: nothing when they already agree;
// otherwise the open port is closed (and remembered in lport) and, unless port is -1, the wished
// port is opened with the 1.0-second time-out. 0, or the code of ZEMVKR3X_Open, after which no
// port is open.
int ComPortOeffnen();
