#pragma once
// COM numbers bound to serial devices, so that a number keeps opening the same adapter whatever
// name the system gives it today and whichever USB socket it is plugged into. A port opens the
// device named by VKR3X_COM<n> when that is set, else the device bound to it, else the default
// device of its number.

#include "platform/rs232.h"

#include <string>
#include <vector>

// Binds port (1..8) to a device name, the name ComBindungsname gives; null or "" removes the
// binding. A device is bound to one port at most: a port bound to the same device before loses
// its binding. 0, or a negative code for a port number outside 1..8 or a name the settings file
// cannot hold.
int ComBindungSetzen(int port, const char* geraet);
// The name port is bound to, "" when none.
std::string ComBindungLesen(int port);

// The name to bind a device by: its stable name, which stays the same in any USB socket, else
// its device file.
std::string ComBindungsname(const Rs232Geraet& geraet);

struct ComGeraet {
    Rs232Geraet geraet; // for a bound device the system does not list: the bound name as byId
    bool vorhanden;     // the system has it now
    int port;           // the port bound to it, -1 when none
};
// The serial devices of the system, then the bound devices it does not list (not plugged in, or
// not a serial device it knows, such as a pseudo-terminal), in port order.
std::vector<ComGeraet> ComGeraeteAuflisten();
