#include "params/versionsanpassung.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/geraeteangaben.h"
#include "platform/ui.h"

#include <string>

namespace {

constexpr int NAK_BEIM_LESEN = -402099;

const int kFreilaufGruppe[] = {
    MAINPANEL_DECORATION_RFWV,   MAINPANEL_TEXTMSG_RFWV,      MAINPANEL_RFWV_ALWAYS_ON,
    MAINPANEL_RFWV_AUTOMATIC,    MAINPANEL_RFWV_AUTO_AC_GAIN, MAINPANEL_RFWV_AUTO_AC_FiltFREQ,
    MAINPANEL_RFVW_JUMP_TO_ZERO, MAINPANEL_RFWV_CURRENT_STEP, MAINPANEL_RFWV_STEP_VALUE,
    MAINPANEL_RFWV_ENABEL_TIME,  MAINPANEL_RFWV_VALUE,
};

const int kDithertabelleGruppe[] = {MAINPANEL_CHECKBOX_SUP_DITH_TBL, MAINPANEL_CHECKBOX_USE_DITHTBL,
                                    MAINPANEL_DITHER_TABLE};

template <size_t N> void Sichtbarkeit(const int (&gruppe)[N], int sichtbar) {
    for (int control : gruppe)
        SetCtrlAttribute(gPanelHandle, control, ATTR_VISIBLE, sichtbar);
}

} // namespace

int Vkr3SuppurtDithertabelleLesen() {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN_KENNUNG;
    int unterstuetzt = 0;
    const int r = ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, "supportdithertabelle", nullptr,
                                          &unterstuetzt, nullptr);
    if (r == NAK_BEIM_LESEN) {
        Sichtbarkeit(kDithertabelleGruppe, 0);
        return 0;
    }
    if (r != 0) return r;
    Sichtbarkeit(kDithertabelleGruppe, unterstuetzt != 0 ? 1 : 0);
    return 0;
}

void VersionAusKennungAnzeigen() {
    std::string kennung;
    GetCtrlVal(gCompanelHandle, COMPANEL_IDSTRING, &kennung);
    const Reglerversion version = VersionAusKennung(kennung.c_str());
    if (version == Reglerversion::A) {
        SetCtrlVal(gPanelHandle, MAINPANEL_TEXTMSG_VERSION, "Version: VKR3AX2a");
        Sichtbarkeit(kFreilaufGruppe, 0);
    } else if (version == Reglerversion::B) {
        SetCtrlVal(gPanelHandle, MAINPANEL_TEXTMSG_VERSION, "Version: VKR3AX2b");
        Sichtbarkeit(kFreilaufGruppe, 1);
    } else {
        SetCtrlVal(gPanelHandle, MAINPANEL_TEXTMSG_VERSION, "Version: ERROR");
    }
}
