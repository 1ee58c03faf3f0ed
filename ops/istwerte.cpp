#include "ops/istwerte.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/istwertbeobachter.h"
#include "ops/statustexte.h"
#include "params/parametersatz.h"
#include "platform/ui.h"

#include <string>

namespace {

constexpr int KEIN_PORT_OFFEN_STATUS = -122205;

// The LED of each shown bit of the status word, in the order of kStatusbits.
const int kStatusLeds[STATUSBITS] = {
    MAINPANEL_STATUS0, MAINPANEL_STATUS1, MAINPANEL_STATUS3,  MAINPANEL_STATUS4,
    MAINPANEL_STATUS8, MAINPANEL_STATUS9, MAINPANEL_STATUS11, MAINPANEL_STATUS13,
};

// The LEDs are set starting with bit 8, the order the panel has always used.
const int kLedReihenfolge[] = {4, 5, 6, 7, 0, 1, 2, 3};

// The popup's text of bit table row i in the run's language, line break included.
const char* Statustext(int i) {
    return gSprache == SPRACHE_ENGLISCH ? kStatusbits[i].englisch : kStatusbits[i].deutsch;
}

bool LampeAn(int i) {
    int an = 0;
    GetCtrlVal(gPanelHandle, kStatusLeds[i], &an);
    return an != 0;
}

// The "?" button's spoken description lists the lit lamps, so a keyboard user hears them on the
// button (on Tab and on "where am I") without opening the popup.
void StatusinfoBeschreiben() {
    std::string liste;
    for (int i = 0; i < STATUSBITS; ++i) {
        if (!LampeAn(i)) continue;
        const std::string text = Statustext(i);
        liste += (liste.empty() ? "" : ", ") + text.substr(0, text.find('\n'));
    }
    SetCtrlAttribute(gPanelHandle, MAINPANEL_STATUSINFO, ATTR_SPOKEN_DESCRIPTION, liste.c_str());
}

int ReellLesen(const char* name, double* wert) {
    return ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name, wert, nullptr, nullptr);
}
int GanzzahlLesen(const char* name, int* wert) {
    return ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name, nullptr, wert, nullptr);
}

// StatusAbfragen, also handing back the status word, the active current as this query found it
// (STROMAKTIV_UNBEKANNT when not reported) and the compatibility flag it showed.
int StatusLesenUndZeigen(int* statuswort, double* stromaktiv, int* kompatibilitaet);

} // namespace

int IstwerteAbfragen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    Istwertprobe probe{};
    int r = ReellLesen("iststrom", &probe.strom);
    if (r != 0) return r;
    SetCtrlVal(gPanelHandle, MAINPANEL_STROMIST, probe.strom);
    r = ReellLesen("istspannung", &probe.spannung);
    if (r != 0) return r;
    SetCtrlVal(gPanelHandle, MAINPANEL_SPANNUNGIST, probe.spannung);
    r = StatusLesenUndZeigen(&probe.status, &probe.stromaktiv, &probe.kompatibel);
    if (r != 0) return r;
    IstwertprobeMelden(probe);
    return 0;
}

int StatusAbfragen() {
    int status = 0, kompatibel = 0;
    double stromaktiv = 0.0;
    return StatusLesenUndZeigen(&status, &stromaktiv, &kompatibel);
}

namespace {

int StatusLesenUndZeigen(int* statuswort, double* stromaktivGelesen, int* kompatibilitaet) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN_STATUS;
    int status = 0;
    int r = GanzzahlLesen("status", &status);
    if (r != 0) return r;

    double stromaktiv = STROMAKTIV_UNBEKANNT;
    if (ReellLesen("status_stromaktiv", &stromaktiv) != 0) {
        stromaktiv = STROMAKTIV_UNBEKANNT;
    } else {
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
        SetCtrlVal(gPanelHandle, kStatusLeds[i], (status & kStatusbits[i].maske) != 0 ? 1 : 0);
    StatusinfoBeschreiben();
    *statuswort = status;
    *stromaktivGelesen = stromaktiv;
    *kompatibilitaet = kompatibel;
    return 0;
}

} // namespace

void StatusinfoPopup() {
    std::string text;
    for (int i = 0; i < STATUSBITS; ++i)
        if (LampeAn(i)) text += Statustext(i);
    MessagePopup(gSprache == SPRACHE_ENGLISCH ? "Process status" : "Prozesstatus", text.c_str());
}

void StatuslampenBenennen() {
    for (int i = 0; i < STATUSBITS; ++i) {
        const std::string text = Statustext(i);
        SetCtrlAttribute(gPanelHandle, kStatusLeds[i], ATTR_SPOKEN_NAME,
                         text.substr(0, text.find('\n')).c_str());
    }
}
