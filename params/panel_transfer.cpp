#include "params/panel_transfer.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "platform/ui.h"

namespace {

// Numeric controls that carry a double field of the record one to one, in display order.
struct NumerischesFeld {
    int control;
    double Parametersatz::*feld;
};

constexpr NumerischesFeld kGrundwerte[] = {
    {MAINPANEL_STROM1, &Parametersatz::strom1},      {MAINPANEL_STROM2, &Parametersatz::strom2},
    {MAINPANEL_ZEIT1, &Parametersatz::zeit1},        {MAINPANEL_ZEIT2, &Parametersatz::zeit2},
    {MAINPANEL_ZEIT3, &Parametersatz::zeit3},        {MAINPANEL_ZEIT4, &Parametersatz::zeit4},
    {MAINPANEL_FREQUENZ, &Parametersatz::frequenz},  {MAINPANEL_SPANNUNG, &Parametersatz::spannung},
    {MAINPANEL_ZYKLEN, &Parametersatz::zyklen},      {MAINPANEL_REGLER_KP, &Parametersatz::reglerkp},
    {MAINPANEL_REGLER_KI, &Parametersatz::reglerki}, {MAINPANEL_REGLER_GAIN, &Parametersatz::reglergain},
};

struct RingFeld {
    int control;
    int32_t Parametersatz::*feld;
};

constexpr RingFeld kRfwvRinge[] = {
    {MAINPANEL_RFWV_CURRENT_STEP, &Parametersatz::rfwv_current_step_on},
    {MAINPANEL_RFVW_JUMP_TO_ZERO, &Parametersatz::rfwv_jump_to_0_on},
    {MAINPANEL_RFWV_AUTOMATIC, &Parametersatz::rfwv_automatic_mode},
    {MAINPANEL_RFWV_ALWAYS_ON, &Parametersatz::rfwv_always_on},
};

constexpr NumerischesFeld kRfwvWerte[] = {
    {MAINPANEL_RFWV_ENABEL_TIME, &Parametersatz::rfwv_enable_time},
    {MAINPANEL_RFWV_STEP_VALUE, &Parametersatz::rfwv_current_step_value},
    {MAINPANEL_RFWV_AUTO_AC_FiltFREQ, &Parametersatz::rfwv_auto_ac_filter_freq},
    {MAINPANEL_RFWV_AUTO_AC_GAIN, &Parametersatz::rfwv_auto_ac_gain},
    {MAINPANEL_RFWV_VALUE, &Parametersatz::rfwv_value},
};

constexpr int kDitherZeilen = 10;

// Kp may reach 500 % only while the output stage is not regulated.
void KpMaximumSetzen(int endstuferegeln) {
    SetCtrlAttribute(gPanelHandle, MAINPANEL_REGLER_KP, ATTR_MAX_VALUE, endstuferegeln == 0 ? 500.0 : 100.0);
}

// A dither current of exactly -0.001 means the amplitude comes from the dither table: the box
// is ticked and the current control dimmed, keeping whatever value it showed.
void DitherRegelAnwenden(double ditherstrom) {
    const bool tabelle = ditherstrom == DITHERSTROM_TABELLE;
    SetCtrlVal(gPanelHandle, MAINPANEL_CHECKBOX_USE_DITHTBL, tabelle ? 1 : 0);
    SetCtrlAttribute(gPanelHandle, MAINPANEL_DITHER_STROM, ATTR_DIMMED, tabelle ? 1 : 0);
    if (!tabelle) SetCtrlVal(gPanelHandle, MAINPANEL_DITHER_STROM, ditherstrom);
}

} // namespace

void ParameterAusStrukturInGui() {
    const int h = gPanelHandle;
    const Parametersatz& p = gPar[gParIndex];

    SetCtrlVal(h, MAINPANEL_PARAMETERSATZAUSWAHL, gParIndex);
    SetCtrlVal(h, MAINPANEL_STROMKURVE, static_cast<int>(p.stromkurve));
    // The Kp limit of the set shown before must not cut this set's Kp while it is shown, so
    // the limit belonging to this set is in place before the value arrives.
    KpMaximumSetzen(p.endstuferegeln);
    for (const NumerischesFeld& f : kGrundwerte)
        SetCtrlVal(h, f.control, p.*f.feld);
    SetCtrlVal(h, MAINPANEL_ENDSTUFEREGELN, static_cast<int>(p.endstuferegeln));
    KpMaximumSetzen(p.endstuferegeln);
    SetCtrlVal(h, MAINPANEL_STROM_STEP, p.strom_step);

    SetCtrlVal(h, MAINPANEL_STATUS11_2, p.status_stromaktiv == 2.0 ? 1 : 0);
    SetCtrlVal(h, MAINPANEL_STATUS13_2, p.status_stromaktiv == 1.0 ? 1 : 0);

    SetCtrlVal(h, MAINPANEL_DITHER_TYP, static_cast<int>(p.dithertyp));
    SetCtrlVal(h, MAINPANEL_DITHER_FREQUENZ, p.ditherfrequenz);
    DitherRegelAnwenden(p.ditherstrom);

    for (const RingFeld& f : kRfwvRinge)
        SetCtrlVal(h, f.control, static_cast<int>(p.*f.feld));
    for (const NumerischesFeld& f : kRfwvWerte)
        SetCtrlVal(h, f.control, p.*f.feld);

    for (int zeile = 1; zeile <= kDitherZeilen; ++zeile)
        SetTableCellVal(h, MAINPANEL_DITHER_TABLE, MakePoint(1, zeile), p.dithtable_pwmcurr[zeile - 1]);
    for (int zeile = 1; zeile <= kDitherZeilen; ++zeile)
        SetTableCellVal(h, MAINPANEL_DITHER_TABLE, MakePoint(2, zeile), p.dithtable_dithamp[zeile - 1]);
}

void ParameterAusGuiInStruktur() {
    const int h = gPanelHandle;
    Parametersatz& p = gPar[gParIndex];
    int ganz = 0;

    GetCtrlVal(h, MAINPANEL_STROMKURVE, &ganz);
    p.stromkurve = ganz;
    for (const NumerischesFeld& f : kGrundwerte)
        GetCtrlVal(h, f.control, &(p.*f.feld));
    GetCtrlVal(h, MAINPANEL_ENDSTUFEREGELN, &ganz);
    p.endstuferegeln = ganz;
    GetCtrlVal(h, MAINPANEL_STROM_STEP, &p.strom_step);
    GetCtrlVal(h, MAINPANEL_DITHER_TYP, &ganz);
    p.dithertyp = ganz;
    GetCtrlVal(h, MAINPANEL_DITHER_FREQUENZ, &p.ditherfrequenz);

    int tabelle = 0;
    GetCtrlVal(h, MAINPANEL_CHECKBOX_USE_DITHTBL, &tabelle);
    if (tabelle)
        p.ditherstrom = DITHERSTROM_TABELLE;
    else
        GetCtrlVal(h, MAINPANEL_DITHER_STROM, &p.ditherstrom);
    DitherRegelAnwenden(p.ditherstrom);

    for (const RingFeld& f : kRfwvRinge) {
        GetCtrlVal(h, f.control, &ganz);
        p.*f.feld = ganz;
    }
    for (const NumerischesFeld& f : kRfwvWerte)
        GetCtrlVal(h, f.control, &(p.*f.feld));

    KpMaximumSetzen(p.endstuferegeln);
    // Switching regulation on can lower the Kp limit below the value just stored; the control
    // then holds the limited value, and the set takes it too so that panel and set agree.
    GetCtrlVal(h, MAINPANEL_REGLER_KP, &p.reglerkp);

    for (int zeile = 1; zeile <= kDitherZeilen; ++zeile)
        GetTableCellVal(h, MAINPANEL_DITHER_TABLE, MakePoint(1, zeile), &p.dithtable_pwmcurr[zeile - 1]);
    for (int zeile = 1; zeile <= kDitherZeilen; ++zeile)
        GetTableCellVal(h, MAINPANEL_DITHER_TABLE, MakePoint(2, zeile), &p.dithtable_dithamp[zeile - 1]);
}
