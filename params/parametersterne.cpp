#include "params/parametersterne.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "params/kurvenrelevanz.h"
#include "params/parametersatz.h"
#include "platform/ui.h"

namespace {

// The marker of each column of the marker table.
constexpr int kSterne[KURVENSPALTEN] = {
    MAINPANEL_STERN_STROM1,         MAINPANEL_STERN_STROM2,     MAINPANEL_STERN_ZEIT1,
    MAINPANEL_STERN_ZEIT2,          MAINPANEL_STERN_ZEIT3,      MAINPANEL_STERN_ZEIT4,
    MAINPANEL_STERN_FREQUENZ,       MAINPANEL_STERN_SPANNUNG,   MAINPANEL_STERN_ZYKLEN,
    MAINPANEL_STERN_REGLER_KP,      MAINPANEL_STERN_REGLER_KI,  MAINPANEL_STERN_REGLER_GAIN,
    MAINPANEL_STERN_ENDSTUFEREGELN, MAINPANEL_STERN_DITHER_TYP, MAINPANEL_STERN_DITHER_FREQUENZ,
    MAINPANEL_STERN_DITHER_STROM,
};

constexpr int kStk9Gruppe[] = {
    MAINPANEL_VKR3STROMINCREMENT, MAINPANEL_VKR3STROMDECREMENT, MAINPANEL_VKR3STROMUMSCHALTEN,
    MAINPANEL_TEXTMSG_19,         MAINPANEL_STATUS11_2,         MAINPANEL_STATUS13_2,
    MAINPANEL_DECORATION_7,       MAINPANEL_STROM_STEP,
};

// The dither markers the regulation rule shows again; the gain keeps what its row gave it.
constexpr int kNurGeregelt[] = {
    MAINPANEL_STERN_DITHER_FREQUENZ,
    MAINPANEL_STERN_DITHER_STROM,
    MAINPANEL_STERN_DITHER_TYP,
};

void Sichtbar(int control, bool sichtbar) {
    SetCtrlAttribute(gPanelHandle, control, ATTR_VISIBLE, sichtbar ? 1 : 0);
}

} // namespace

void ParametersterneSetzen() {
    const int kurve = gPar[gParIndex].stromkurve;
    const int geregelt = gPar[gParIndex].endstuferegeln;

    // A curve outside 1..12 can only come from a file or a device; its stars stay as they are.
    if (const bool* zeile = Kurvenzeile(kurve))
        for (int spalte = 0; spalte < KURVENSPALTEN; ++spalte)
            Sichtbar(kSterne[spalte], zeile[spalte]);

    for (int control : kStk9Gruppe)
        Sichtbar(control, kurve == 9);

    if (OhneRegelungVerborgen(kurve, geregelt)) {
        Sichtbar(MAINPANEL_STERN_REGLER_GAIN, false);
        for (int control : kNurGeregelt)
            Sichtbar(control, false);
    } else {
        for (int control : kNurGeregelt)
            Sichtbar(control, true);
    }
}
