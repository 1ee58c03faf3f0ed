#include "ops/geraetefunktionen.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"

namespace {

int Geraetefunktion(const char* funktion) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    return ZEMVKR3X_DeviceFunction(gCom.portOffen, gCom.adresse, funktion);
}

} // namespace

int Vkr3Starten() {
    return Geraetefunktion("start");
}
int Vkr3Stoppen() {
    return Geraetefunktion("stopp");
}
int Vkr3FehlerLoeschen() {
    return Geraetefunktion("fehlerloeschen");
}
int Vkr3STK9Stromumschaltung() {
    return Geraetefunktion("stromumschaltung");
}
int Vkr3Kalibrieren() {
    return Geraetefunktion("kalibrieren");
}
