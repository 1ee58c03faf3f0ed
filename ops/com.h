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

constexpr double COM_TIMEOUT_SEKUNDEN = 1.0;

// gCom to its defaults: no port open, port and last port none, address '1', 9600 baud.
void ComStrukturInitialisieren();
