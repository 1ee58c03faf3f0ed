#include "params/parametersterne.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "params/parametersatz.h"
#include "platform/ui.h"

namespace {

// Column order of the marker table.
constexpr int kSterne[16] = {
    MAINPANEL_STERN_STROM1,         MAINPANEL_STERN_STROM2,     MAINPANEL_STERN_ZEIT1,
    MAINPANEL_STERN_ZEIT2,          MAINPANEL_STERN_ZEIT3,      MAINPANEL_STERN_ZEIT4,
    MAINPANEL_STERN_FREQUENZ,       MAINPANEL_STERN_SPANNUNG,   MAINPANEL_STERN_ZYKLEN,
    MAINPANEL_STERN_REGLER_KP,      MAINPANEL_STERN_REGLER_KI,  MAINPANEL_STERN_REGLER_GAIN,
    MAINPANEL_STERN_ENDSTUFEREGELN, MAINPANEL_STERN_DITHER_TYP, MAINPANEL_STERN_DITHER_FREQUENZ,
    MAINPANEL_STERN_DITHER_STROM,
};

// clang-format off
// Which parameters each current curve uses (1 = marker visible), curves 1 to 12.
//   STROM1 STROM2 ZEIT1 ZEIT2 ZEIT3 ZEIT4 FREQ SPANN ZYKL KP KI GAIN ENDST DTYP DFREQ DSTROM
constexpr bool kSterntabelle[12][16] = {
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0},  // 1 externer Stellwert
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0},  // 2 feste Spannung
    {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1},  // 3 Rechteck ungeregelt
    {0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 4 Rechteck geregelt
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1},  // 5 Dreieck ungeregelt
    {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 6 Dreieck geregelt
    {1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 7 Strom 1/2, ext. umschaltbar
    {1, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 8 Strom 1 geregelt
    {1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 9 Strom 1/2, manuell einstellbar
    {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 10 Dreieck, Freq. einstellbar
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 11 externer Sollwert geregelt
    {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 12 Kurvengenerator
};
// clang-format on

constexpr int kStk9Gruppe[] = {
    MAINPANEL_VKR3STROMINCREMENT, MAINPANEL_VKR3STROMDECREMENT, MAINPANEL_VKR3STROMUMSCHALTEN,
    MAINPANEL_TEXTMSG_19,         MAINPANEL_STATUS11_2,         MAINPANEL_STATUS13_2,
    MAINPANEL_DECORATION_7,       MAINPANEL_STROM_STEP,
};

// Without output-stage regulation the gain and the dither are not used, except by the curve
// generator.
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
    if (kurve >= 1 && kurve <= 12)
        for (int spalte = 0; spalte < 16; ++spalte)
            Sichtbar(kSterne[spalte], kSterntabelle[kurve - 1][spalte]);

    for (int control : kStk9Gruppe)
        Sichtbar(control, kurve == 9);

    if (geregelt == 0 && kurve != 12) {
        Sichtbar(MAINPANEL_STERN_REGLER_GAIN, false);
        for (int control : kNurGeregelt)
            Sichtbar(control, false);
    } else {
        for (int control : kNurGeregelt)
            Sichtbar(control, true);
    }
}
