// The main panel as the editor of the selected parameter set.
#include <QAbstractSpinBox>
#include <QTest>
#include <cstring>

#include "app/callbacks.h"
#include "app/vkr3xsteuerung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "platform/ui_testaccess.h"
#include "tests/support/programm_fixture.h"

namespace {

class PanelTransfer : public ProgrammTest {
  protected:
    // A value entered by the user: the control takes it, then the commit reaches the callback.
    static void Eingeben(int control, double wert) {
        SetCtrlVal(gPanelHandle, control, wert);
        Callback_Multi_Parameter(gPanelHandle, control, EVENT_COMMIT, nullptr, 0, 0);
    }
    static void Eingeben(int control, int wert) {
        SetCtrlVal(gPanelHandle, control, wert);
        Callback_Multi_Parameter(gPanelHandle, control, EVENT_COMMIT, nullptr, 0, 0);
    }
    static void Auswaehlen(int satz) {
        SetCtrlVal(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, satz);
        Callback_Ring_Parametersatz(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, EVENT_COMMIT, nullptr, 0,
                                    0);
    }
    static int Gedimmt(int control) {
        int v = -1;
        GetCtrlAttribute(gPanelHandle, control, ATTR_DIMMED, &v);
        return v;
    }
    static double KpMaximum() {
        double v = -1;
        GetCtrlAttribute(gPanelHandle, MAINPANEL_REGLER_KP, ATTR_MAX_VALUE, &v);
        return v;
    }

    // A set in which every field differs from the defaults and fits the panel's ranges and
    // decimals.
    static Parametersatz Besonders() {
        Parametersatz p = gPar[0];
        p.stromkurve = 9;
        p.strom1 = 1.234;
        p.strom2 = 2.345;
        p.zeit1 = 11;
        p.zeit2 = 22;
        p.zeit3 = 0;
        p.zeit4 = 44;
        p.frequenz = 2500;
        p.spannung = 23.4;
        p.zyklen = 7;
        p.reglerkp = 321;
        p.reglerki = 55;
        p.endstuferegeln = 0;
        p.strom_step = 0.123;
        p.ditherstrom = 0.2;
        p.dithertyp = 3;
        p.ditherfrequenz = 123.4;
        p.reglergain = 66;
        p.rfwv_always_on = 1;
        p.rfwv_automatic_mode = 1;
        p.rfwv_auto_ac_gain = 12.3;
        p.rfwv_auto_ac_filter_freq = 111;
        p.rfwv_jump_to_0_on = 1;
        p.rfwv_current_step_on = 1;
        p.rfwv_current_step_value = 0.456;
        p.rfwv_enable_time = 250;
        p.rfwv_value = 33.3;
        for (int n = 0; n < 10; ++n) {
            p.dithtable_pwmcurr[n] = 0.5 * (n + 1);
            p.dithtable_dithamp[n] = 0.01 * (n + 3);
        }
        return p;
    }
};

TEST_F(PanelTransfer, StartShowsTheDefaultWorkingSet) {
    EXPECT_EQ(Ganzzahl(MAINPANEL_PARAMETERSATZAUSWAHL), 0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_STROMKURVE), 1);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 0.1);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM2), 0.5);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_ZEIT1), 1000.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_FREQUENZ), 1000.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_SPANNUNG), 12.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_ZYKLEN), 1.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_REGLER_KP), 20.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_REGLER_KI), 10.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_REGLER_GAIN), 50.0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_DITHER_TYP), 0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_DITHER_FREQUENZ), 100.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_DITHER_STROM), 0.1);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM_STEP), 0.01);
    EXPECT_EQ(Sichtbar(MAINPANEL_STROM_STEP), 0);
}

TEST_F(PanelTransfer, PanelToRecordToPanelKeepsEveryField) {
    const Parametersatz soll = Besonders();
    gParIndex = 5;
    gPar[5] = soll;
    ParameterAusStrukturInGui();
    gPar[5] = gPar[0]; // defaults everywhere
    gPar[5].status_stromaktiv = soll.status_stromaktiv;
    gPar[5].reserviert = soll.reserviert;
    ParameterAusGuiInStruktur();
    EXPECT_EQ(std::memcmp(&gPar[5], &soll, sizeof soll), 0);
    EXPECT_EQ(gParIndex, 5);

    const Parametersatz gelesen = gPar[5];
    ParameterAusStrukturInGui();
    ParameterAusGuiInStruktur();
    EXPECT_EQ(std::memcmp(&gPar[5], &gelesen, sizeof gelesen), 0);
}

TEST_F(PanelTransfer, ShowingNeverChangesAnyRecordAndStoringNeverChangesTheSelection) {
    gPar[3] = Besonders();
    gPar[3].ditherstrom = DITHERSTROM_TABELLE;
    gPar[3].status_stromaktiv = 2.0;
    Parametersatz vorher[PARAMETERSAETZE];
    std::memcpy(vorher, gPar, sizeof gPar);
    for (int satz : {3, 0, 16, 3}) {
        gParIndex = satz;
        ParameterAusStrukturInGui();
        EXPECT_EQ(std::memcmp(vorher, gPar, sizeof gPar), 0) << satz;
    }
    SetCtrlVal(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, 7); // the ring is shown, never read back
    ParameterAusGuiInStruktur();
    EXPECT_EQ(gParIndex, 3);
}

TEST_F(PanelTransfer, OneCommitStoresTheWholePanelIncludingStepAndDitherTable) {
    gPar[0].stromkurve = 9;
    ParameterAusStrukturInGui();
    SetCtrlVal(gPanelHandle, MAINPANEL_STROM_STEP, 0.05);
    SetTableCellVal(gPanelHandle, MAINPANEL_DITHER_TABLE, MakePoint(2, 10), 0.75);
    SetTableCellVal(gPanelHandle, MAINPANEL_DITHER_TABLE, MakePoint(1, 1), 4.5);
    Eingeben(MAINPANEL_STROM1, 1.5);
    EXPECT_DOUBLE_EQ(gPar[0].strom1, 1.5);
    EXPECT_DOUBLE_EQ(gPar[0].strom_step, 0.05);
    EXPECT_DOUBLE_EQ(gPar[0].dithtable_dithamp[9], 0.75);
    EXPECT_DOUBLE_EQ(gPar[0].dithtable_pwmcurr[0], 4.5);
}

TEST_F(PanelTransfer, UserEntryInASpinBoxIsStoredAtOnce) {
    QWidget* w = ControlWidget(gPanelHandle, MAINPANEL_ZEIT2);
    ASSERT_NE(w, nullptr);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, "1234");
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(gPar[0].zeit2, 1234.0);
}

TEST_F(PanelTransfer, DitherTableSetShownAfterPlainSetKeepsTheStaleCurrentDimmed) {
    gPar[1].ditherstrom = 0.25;
    gPar[2].ditherstrom = DITHERSTROM_TABELLE;
    Auswaehlen(1);
    Auswaehlen(2);
    EXPECT_EQ(Ganzzahl(MAINPANEL_CHECKBOX_USE_DITHTBL), 1);
    EXPECT_EQ(Gedimmt(MAINPANEL_DITHER_STROM), 1);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_DITHER_STROM), 0.25);

    // Clearing the box stores what the dimmed control still shows.
    Eingeben(MAINPANEL_CHECKBOX_USE_DITHTBL, 0);
    EXPECT_DOUBLE_EQ(gPar[2].ditherstrom, 0.25);
    EXPECT_EQ(Gedimmt(MAINPANEL_DITHER_STROM), 0);

    Auswaehlen(1);
    EXPECT_EQ(Ganzzahl(MAINPANEL_CHECKBOX_USE_DITHTBL), 0);
}

TEST_F(PanelTransfer, CheckingTheDitherTableBoxStoresTheMarkerValueAndDims) {
    Eingeben(MAINPANEL_DITHER_STROM, 0.2);
    Eingeben(MAINPANEL_CHECKBOX_USE_DITHTBL, 1);
    EXPECT_EQ(gPar[0].ditherstrom, DITHERSTROM_TABELLE);
    EXPECT_EQ(Gedimmt(MAINPANEL_DITHER_STROM), 1);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_DITHER_STROM), 0.2);
    Eingeben(MAINPANEL_CHECKBOX_USE_DITHTBL, 0);
    EXPECT_DOUBLE_EQ(gPar[0].ditherstrom, 0.2);
}

TEST_F(PanelTransfer, KpLimitFollowsRegulationAtTheSameCommit) {
    Eingeben(MAINPANEL_REGLER_KP, 450.0);
    EXPECT_DOUBLE_EQ(gPar[0].reglerkp, 450.0);
    EXPECT_DOUBLE_EQ(KpMaximum(), 500.0);

    Eingeben(MAINPANEL_ENDSTUFEREGELN, 1);
    EXPECT_EQ(gPar[0].endstuferegeln, 1);
    EXPECT_DOUBLE_EQ(KpMaximum(), 100.0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_REGLER_KP), 100.0);
    EXPECT_DOUBLE_EQ(gPar[0].reglerkp, Wert(MAINPANEL_REGLER_KP)); // panel and set agree

    Eingeben(MAINPANEL_ENDSTUFEREGELN, 0);
    EXPECT_DOUBLE_EQ(KpMaximum(), 500.0);
}

TEST_F(PanelTransfer, HighKpOfAnUnregulatedSetSurvivesBeingShownAfterARegulatedSet) {
    gPar[1].endstuferegeln = 1;
    gPar[1].reglerkp = 80;
    gPar[2].endstuferegeln = 0;
    gPar[2].reglerkp = 300;
    Auswaehlen(1);
    Auswaehlen(2);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_REGLER_KP), 300.0);
    Eingeben(MAINPANEL_ZYKLEN, 3.0);
    EXPECT_DOUBLE_EQ(gPar[2].reglerkp, 300.0);
}

TEST_F(PanelTransfer, ActiveCurrentLightsShowOnlyOneAndTwo) {
    const struct {
        double stromaktiv;
        int licht13_2;
        int licht11_2;
    } faelle[] = {{1.0, 1, 0}, {2.0, 0, 1}, {3.0, 0, 0}, {0.0, 0, 0}, {1.5, 0, 0}};
    for (const auto& f : faelle) {
        gPar[0].status_stromaktiv = f.stromaktiv;
        ParameterAusStrukturInGui();
        EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS13_2), f.licht13_2) << f.stromaktiv;
        EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS11_2), f.licht11_2) << f.stromaktiv;
    }
}

TEST_F(PanelTransfer, SwitchingSetsAndBackShowsEachSetsOwnValues) {
    Eingeben(MAINPANEL_STROMKURVE, 9);
    Eingeben(MAINPANEL_STROM_STEP, 0.2);
    Eingeben(MAINPANEL_STROM2, 3.5);
    Auswaehlen(4);
    EXPECT_EQ(gParIndex, 4);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM2), 0.5);
    EXPECT_EQ(Sichtbar(MAINPANEL_STROM_STEP), 0);
    Eingeben(MAINPANEL_STROMKURVE, 9);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM_STEP), 0.01);
    Auswaehlen(0);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM2), 3.5);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM_STEP), 0.2);
    EXPECT_EQ(Sichtbar(MAINPANEL_STROM_STEP), 1);
}

TEST_F(PanelTransfer, NewRestoresDefaultsButKeepsActiveCurrent) {
    gPar[7] = Besonders();
    gPar[7].status_stromaktiv = 2.0;
    gPar[0].status_stromaktiv = 1.0;
    Auswaehlen(7);
    PopupHook_Queue({2, ""}); // "Nein": the changed set is not saved
    Callback_Menu_Neu(GetPanelMenuBar(gPanelHandle), MENUBAR_MENU_NEU, nullptr, gPanelHandle);
    EXPECT_EQ(gParIndex, 0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_PARAMETERSATZAUSWAHL), 0);
    EXPECT_DOUBLE_EQ(gPar[7].status_stromaktiv, 2.0);
    EXPECT_DOUBLE_EQ(gPar[0].status_stromaktiv, 1.0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS13_2), 1);
    for (int satz = 0; satz < PARAMETERSAETZE; ++satz) {
        Parametersatz erwartet = gPar[0];
        erwartet.status_stromaktiv = gPar[satz].status_stromaktiv;
        EXPECT_EQ(std::memcmp(&gPar[satz], &erwartet, sizeof erwartet), 0) << satz;
    }
    EXPECT_EQ(gPar[16].stromkurve, 1);
    EXPECT_DOUBLE_EQ(gPar[16].reglerkp, 20.0);
    EXPECT_DOUBLE_EQ(gPar[16].ditherfrequenz, 100.0);
}

} // namespace
