#include "ops/istwerte.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "params/parametersatz.h"
#include "platform/ui.h"

#include <string>

namespace {

constexpr int KEIN_PORT_OFFEN_STATUS = -122205;

// Bits of the status word that are shown, in ascending order: LED and popup texts.
struct Statusbit {
    int maske;
    int led;
    const char* deutsch;
    const char* englisch;
};

const Statusbit kStatusbits[] = {
    {0x0001, MAINPANEL_STATUS0, "Innentemperatur zu hoch\n", "Inside temperature too high\n"},
    {0x0002, MAINPANEL_STATUS1, "Parameter zerstört\n", "Parameters destroyed\n"},
    {0x0008, MAINPANEL_STATUS3, "Kalibrierung ungültig\n", "Invalid calibration\n"},
    {0x0010, MAINPANEL_STATUS4, "Prüfspannung außerhalb der Toleranz\n", "Voltage out of tolerance\n"},
    {0x0100, MAINPANEL_STATUS8, "Prozess wurde gestartet\n", "Process has been started\n"},
    {0x0200, MAINPANEL_STATUS9, "Programm aktiv\n", "Programm aktiv\n"},
    {0x0800, MAINPANEL_STATUS11, "Prozess wurde abgeschlossen\n", "Process has ended\n"},
    {0x2000, MAINPANEL_STATUS13, "Prozess wurde abgebrochen\n", "Process has been canceld\n"},
};

// The LEDs are set starting with bit 8, the order the panel has always used.
const int kLedReihenfolge[] = {4, 5, 6, 7, 0, 1, 2, 3};

int ReellLesen(const char* name, double* wert) {
    return ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name, wert, nullptr, nullptr);
}
int GanzzahlLesen(const char* name, int* wert) {
    return ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name, nullptr, wert, nullptr);
}

} // namespace

int IstwerteAbfragen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    double wert = 0.0;
    int r = ReellLesen("iststrom", &wert);
    if (r != 0) return r;
    SetCtrlVal(gPanelHandle, MAINPANEL_STROMIST, wert);
    r = ReellLesen("istspannung", &wert);
    if (r != 0) return r;
    SetCtrlVal(gPanelHandle, MAINPANEL_SPANNUNGIST, wert);
    return StatusAbfragen();
}

int StatusAbfragen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN_STATUS;
    int status = 0;
    int r = GanzzahlLesen("status", &status);
    if (r != 0) return r;

    double stromaktiv = 0.0;
    if (ReellLesen("status_stromaktiv", &stromaktiv) == 0) {
        gPar[gParIndex].status_stromaktiv = stromaktiv;
        SetCtrlVal(gPanelHandle, MAINPANEL_STATUS11_2, stromaktiv == 2.0 ? 1 : 0);
        SetCtrlVal(gPanelHandle, MAINPANEL_STATUS13_2, stromaktiv == 1.0 ? 1 : 0);
    }

    int kompatibel = 0;
    r = GanzzahlLesen("status_kompatibility_mode", &kompatibel);
    if (r != 0) return r;
    SetCtrlVal(gPanelHandle, MAINPANEL_CHECKBOX_KOMP_MODE, kompatibel != 0 ? 1 : 0);
    SetCtrlAttribute(gPanelHandle, MAINPANEL_CHECKBOX_KOMP_MODE, ATTR_DIMMED, 0);

    for (int i : kLedReihenfolge)
        SetCtrlVal(gPanelHandle, kStatusbits[i].led, (status & kStatusbits[i].maske) != 0 ? 1 : 0);
    return 0;
}

void StatusinfoPopup() {
    const bool englisch = gSprache == SPRACHE_ENGLISCH;
    std::string text;
    for (const Statusbit& bit : kStatusbits) {
        int an = 0;
        GetCtrlVal(gPanelHandle, bit.led, &an);
        if (an != 0) text += englisch ? bit.englisch : bit.deutsch;
    }
    MessagePopup(englisch ? "Process status" : "Prozesstatus", text.c_str());
}
