// The main panel as a keyboard user works it: values kept exactly through commits, Tab in the
// order of the screen, Enter and Escape on the popups and panels, where the COM panel opens.
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "app/vkr3xsteuerung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "platform/ui_testaccess.h"
#include "tests/support/programm_fixture.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

class Bedienung : public ProgrammTest {
  protected:
    void Aktivieren(int panel = 0) {
        QWidget* fenster = PanelWidget(panel ? panel : gPanelHandle);
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
    }
    // Types into a numeric field as a user does, without confirming.
    static void Tippen(int control, const char* text) {
        QWidget* feld = ControlWidget(gPanelHandle, control);
        feld->setFocus();
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, text);
    }
    static int Sichtbar(int panel) {
        int v = -1;
        GetPanelAttribute(panel, ATTR_PANEL_VISIBLE, &v);
        return v;
    }
    static void AllesZeigen() {
        for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
            if (p.resourceId == MAINPANEL)
                for (const ControlDefinition& c : p.controls)
                    if (!c.visible) SetCtrlAttribute(gPanelHandle, c.id, ATTR_VISIBLE, 1);
    }
};

struct FeinerWert {
    double Parametersatz::*feld;
    int control;
    double wert; // finer than the control shows
};

// A record value finer than its control (from a file or a device) survives a store of the whole
// panel caused by a commit of another control; what the user types is taken as shown.
TEST_F(Bedienung, ValuesFinerThanTheirControlSurviveACommitOfAnotherControl) {
    const FeinerWert werte[] = {
        {&Parametersatz::strom1, MAINPANEL_STROM1, 0.1234},            // 3 decimals
        {&Parametersatz::ditherstrom, MAINPANEL_DITHER_STROM, 0.1234}, // 3 decimals
        {&Parametersatz::rfwv_current_step_value, MAINPANEL_RFWV_STEP_VALUE, 0.0005 + 0.1},
        {&Parametersatz::spannung, MAINPANEL_SPANNUNG, 12.34},                   // 1 decimal
        {&Parametersatz::ditherfrequenz, MAINPANEL_DITHER_FREQUENZ, 50.05},      // 1 decimal
        {&Parametersatz::rfwv_auto_ac_gain, MAINPANEL_RFWV_AUTO_AC_GAIN, 20.04}, // 1 decimal
        {&Parametersatz::zeit1, MAINPANEL_ZEIT1, 1000.4},                        // no decimals
        {&Parametersatz::reglerkp, MAINPANEL_REGLER_KP, 99.6},                   // no decimals
        {&Parametersatz::rfwv_enable_time, MAINPANEL_RFWV_ENABEL_TIME, 1.4},     // no decimals
    };
    for (const FeinerWert& w : werte)
        gPar[0].*w.feld = w.wert;
    ParameterAusStrukturInGui();
    Tippen(MAINPANEL_ZEIT3, "123");
    QTest::keyClick(ControlWidget(gPanelHandle, MAINPANEL_ZEIT3), Qt::Key_Return);
    ASSERT_DOUBLE_EQ(gPar[0].zeit3, 123.0); // the commit stored the panel
    for (const FeinerWert& w : werte)
        EXPECT_EQ(gPar[0].*w.feld, w.wert) << "control " << w.control;

    Tippen(MAINPANEL_STROM1, "0.1237"); // typed finer than shown: taken as shown
    QTest::keyClick(ControlWidget(gPanelHandle, MAINPANEL_STROM1), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(gPar[0].strom1, 0.124);
    Tippen(MAINPANEL_ZEIT1, "1000"); // the shown text typed again is taken too
    QTest::keyClick(ControlWidget(gPanelHandle, MAINPANEL_ZEIT1), Qt::Key_Return);
    EXPECT_EQ(gPar[0].zeit1, 1000.0);
}

TEST_F(Bedienung, EscapeDropsATypedValueBeforeItIsCommitted) {
    Aktivieren();
    gPar[0].strom1 = 0.1234;
    ParameterAusStrukturInGui();
    Tippen(MAINPANEL_STROM1, "2.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ControlWidget(gPanelHandle, MAINPANEL_STROM2)->setFocus(); // leaving the field commits nothing
    QCoreApplication::processEvents();
    EXPECT_EQ(gPar[0].strom1, 0.1234);
    EXPECT_EQ(Wert(MAINPANEL_STROM1), 0.1234);
    EXPECT_EQ(qobject_cast<QAbstractSpinBox*>(ControlWidget(gPanelHandle, MAINPANEL_STROM1))->text(),
              "0.123");
}

TEST_F(Bedienung, TabFollowsTheScreenGroupByGroup) {
    const int erwartet[] = {
        // Programmverwaltung
        MAINPANEL_PARAMETERSATZAUSWAHL,
        MAINPANEL_VKR3LESEN,
        MAINPANEL_VKR3SCHREIBEN,
        MAINPANEL_EINZUSTELLENDESPROG,
        MAINPANEL_PROGRAMMLADEN,
        MAINPANEL_PROGRAMMSPEICHERN,
        // VKR-3 steuern
        MAINPANEL_VKR3START,
        MAINPANEL_VKR3STOPP,
        MAINPANEL_VKR3FEHLERLOESCHEN,
        MAINPANEL_VKR3KALIBRIEREN,
        MAINPANEL_VKR3DEVSETUP,
        MAINPANEL_AN_VKR3AX2_ANPASEN,
        // error line
        MAINPANEL_COMPICTURERING,
        MAINPANEL_FEHLERNUMMER,
        MAINPANEL_FEHLERSTRING,
        // STK9
        MAINPANEL_VKR3STROMINCREMENT,
        MAINPANEL_VKR3STROMDECREMENT,
        MAINPANEL_VKR3STROMUMSCHALTEN,
        MAINPANEL_STROM_STEP,
        // Parameter: left column top to bottom, then the right
        MAINPANEL_STROMKURVE,
        MAINPANEL_STROM1,
        MAINPANEL_STROM2,
        MAINPANEL_ZEIT1,
        MAINPANEL_ZEIT2,
        MAINPANEL_ZEIT3,
        MAINPANEL_ZEIT4,
        MAINPANEL_FREQUENZ,
        MAINPANEL_SPANNUNG,
        MAINPANEL_ZYKLEN,
        MAINPANEL_ENDSTUFEREGELN,
        MAINPANEL_REGLER_GAIN,
        MAINPANEL_REGLER_KI,
        MAINPANEL_REGLER_KP,
        MAINPANEL_DITHER_TYP,
        MAINPANEL_DITHER_FREQUENZ,
        MAINPANEL_DITHER_STROM,
        // Erhöhte Freilaufspannung: values, then switches
        MAINPANEL_RFWV_VALUE,
        MAINPANEL_RFWV_ENABEL_TIME,
        MAINPANEL_RFWV_STEP_VALUE,
        MAINPANEL_RFWV_AUTO_AC_GAIN,
        MAINPANEL_RFWV_AUTO_AC_FiltFREQ,
        MAINPANEL_RFWV_ALWAYS_ON,
        MAINPANEL_RFWV_AUTOMATIC,
        MAINPANEL_RFWV_CURRENT_STEP,
        MAINPANEL_RFVW_JUMP_TO_ZERO,
        // Istwerte, Status (the dimmed compatibility indicator is skipped), dither table
        MAINPANEL_STROMIST,
        MAINPANEL_ABFRAGEN,
        MAINPANEL_SPANNUNGIST,
        MAINPANEL_DAUERNDABFRAGEN,
        MAINPANEL_STATUSINFO,
        MAINPANEL_CHECKBOX_USE_DITHTBL,
        MAINPANEL_DITHER_TABLE,
        // and round again
        MAINPANEL_PARAMETERSATZAUSWAHL,
    };
    AllesZeigen();
    Aktivieren();
    ControlWidget(gPanelHandle, erwartet[0])->setFocus(Qt::TabFocusReason);
    std::vector<int> gefunden;
    for (size_t i = 1; i < std::size(erwartet); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        int id = -1;
        for (int c = MAINPANEL_PARAMETERSATZAUSWAHL; c <= MAINPANEL_DITHER_TABLE; ++c)
            if (ControlWidget(gPanelHandle, c) == QApplication::focusWidget()) id = c;
        gefunden.push_back(id);
    }
    EXPECT_EQ(gefunden, std::vector<int>(std::begin(erwartet) + 1, std::end(erwartet)));
}

TEST_F(Bedienung, EnterAndEscapeCloseTheInfoPanelAndEscapeTheComPanel) {
    Aktivieren();
    const int leiste = GetPanelMenuBar(gPanelHandle);
    for (const Qt::Key taste : {Qt::Key_Return, Qt::Key_Escape}) {
        Aktivieren(); // the menu is used from the main window
        MenuItemAction(leiste, MENUBAR_HILFE_INFO)->trigger();
        QWidget* ok = ControlWidget(gInfopanelHandle, INFOPANEL_OK);
        for (int i = 0; i < 100 && QApplication::focusWidget() != ok; ++i) // activation takes a moment
            QTest::qWait(10);
        ASSERT_EQ(QApplication::focusWidget(), ok);
        // Opens centred over the main window.
        const QPoint abstand = PanelWidget(gInfopanelHandle)->frameGeometry().center() -
                               PanelWidget(gPanelHandle)->frameGeometry().center();
        EXPECT_LE(abstand.manhattanLength(), 2);
        QTest::keyClick(QApplication::focusWidget(), taste);
        EXPECT_EQ(Sichtbar(gInfopanelHandle), 0) << "key " << taste;
    }

    Aktivieren();
    QWidget* vorher = ControlWidget(gPanelHandle, MAINPANEL_ZEIT2);
    vorher->setFocus();
    MenuItemAction(leiste, MENUBAR_EINSTELLUNGEN_COM)->trigger();
    ASSERT_EQ(Sichtbar(gCompanelHandle), 1);
    ASSERT_EQ(QApplication::focusWidget(), ControlWidget(gCompanelHandle, COMPANEL_PORT));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(Sichtbar(gCompanelHandle), 0);
    EXPECT_EQ(QApplication::focusWidget(), vorher);
    QTest::keyClick(vorher, Qt::Key_Escape); // no effect on the main panel
    EXPECT_EQ(Sichtbar(gPanelHandle), 1);
}

// F10 opens the first menu of the menu bar, as on most desktops.
TEST_F(Bedienung, F10OpensTheMenuBar) {
    Aktivieren();
    ControlWidget(gPanelHandle, MAINPANEL_STROM1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QAction* datei = MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_MENU);
    for (int i = 0; i < 100 && !datei->menu()->isVisible(); ++i) // the menu opens on its own time
        QTest::qWait(10);
    EXPECT_TRUE(datei->menu()->isVisible());
    datei->menu()->close();
}

// The COM panel opens over the raised free-wheeling voltage group and the dither table only: every
// other control, every button among them, can still be used while it is open; dragged by its title
// bar it stays inside the main panel.
TEST_F(Bedienung, ComPanelCoversNoButtonAndMovesInsideTheMainPanel) {
    AllesZeigen();
    DisplayPanel(gCompanelHandle);
    QWidget* com = PanelWidget(gCompanelHandle);
    QWidget* flaeche = com->parentWidget();
    EXPECT_TRUE(QRect(QPoint(0, 0), flaeche->size()).contains(com->geometry()));
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        if (p.resourceId != MAINPANEL) continue;
        for (const ControlDefinition& c : p.controls) {
            const bool bedienbar = c.kind != ControlKind::TextMessage && c.kind != ControlKind::Decoration &&
                                   c.kind != ControlKind::Picture && c.kind != ControlKind::Timer;
            const bool freilauf = std::string_view(c.constant).starts_with("MAINPANEL_RF");
            if (!bedienbar || freilauf || c.id == MAINPANEL_DITHER_TABLE) continue;
            QRect belegt = ControlWidget(gPanelHandle, c.id)->geometry();
            if (c.labelPlacement == LabelPlacement::Left) belegt.setLeft(belegt.left() - c.labelWidth - 4);
            EXPECT_FALSE(com->geometry().intersects(belegt)) << c.constant;
        }
    }
    QWidget* titel = com->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(titel, nullptr);
    const QPoint start = com->pos();
    QTest::mousePress(titel, Qt::LeftButton, {}, QPoint(120, 45));
    QTest::mouseMove(titel, QPoint(20, 5));
    EXPECT_EQ(com->pos(), start - QPoint(100, 40));
    QTest::mouseMove(titel, QPoint(-5000, -5000));
    QTest::mouseRelease(titel, Qt::LeftButton, {}, QPoint(-5000, -5000));
    EXPECT_EQ(com->pos(), QPoint(0, 0)) << "stopped at the main panel's edge";
}

} // namespace
