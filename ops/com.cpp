#include "ops/com.h"

#include "device/zemvkr3x.h"

ComEinstellungen gCom = {-1, -1, -1, '1', 9600};
int gLetzteBaudrate = 0;

void ComStrukturInitialisieren() {
    gCom.portOffen = -1;
    gCom.port = -1;
    gCom.lport = -1;
    gCom.adresse = '1';
    gCom.baudrate = 9600;
}

int ComPortOeffnen() {
    if (gCom.port == gCom.portOffen && gCom.baudrate == gLetzteBaudrate) return 0;

    if (gCom.portOffen != -1) {
        gCom.lport = gCom.portOffen;
        ZEMVKR3X_Close(gCom.portOffen); // a port that will not close is not worth a message
        gCom.portOffen = -1;
    }
    if (gCom.port == -1) return 0;

    const int r = ZEMVKR3X_Open(gCom.port, gCom.baudrate);
    if (r != 0) return r;
    gCom.portOffen = gCom.port;
    gLetzteBaudrate = gCom.baudrate;
    ZEMVKR3X_Timeout(gCom.port, COM_TIMEOUT_SEKUNDEN);
    return 0;
}
