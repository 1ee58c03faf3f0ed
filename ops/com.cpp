#include "ops/com.h"

ComEinstellungen gCom = {-1, -1, -1, '1', 9600};

void ComStrukturInitialisieren() {
    gCom.portOffen = -1;
    gCom.port = -1;
    gCom.lport = -1;
    gCom.adresse = '1';
    gCom.baudrate = 9600;
}
