#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"

void ParametersatzUmschalten() {
    // The set shown so far needs no saving: every committed edit is already in it.
    int index = 0;
    GetCtrlVal(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, &index);
    if (index < 0 || index >= PARAMETERSAETZE) return;
    gParIndex = index;
    ParameterAusStrukturInGui();
    ParametersterneSetzen();
}
