// The definition loaded by the run-time: the three panels build, start in the state the
// definition gives them, and user entries stay within the limits of their controls.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <string>

#include "app/vkr3xsteuerung.h"
#include "platform/ui.h"
#include "platform/ui_testaccess.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

class UirGeladen : public ::testing::Test {
  protected:
    void SetUp() override {
        UirRegistrieren();
        haupt_ = LoadPanel(0, UIR_DATEI, MAINPANEL);
        com_ = LoadPanel(haupt_, UIR_DATEI, COMPANEL);
        info_ = LoadPanel(0, UIR_DATEI, INFOPANEL);
        ASSERT_GT(haupt_, 0);
        ASSERT_GT(com_, 0);
        ASSERT_GT(info_, 0);
    }
    void TearDown() override {
        if (info_ > 0) DiscardPanel(info_);
        if (haupt_ > 0) DiscardPanel(haupt_);
    }

    // Types text into a numeric field as a user would and confirms it with Enter.
    double Eingeben(int control, const char* text) {
        auto* feld = qobject_cast<QAbstractSpinBox*>(ControlWidget(haupt_, control));
        EXPECT_NE(feld, nullptr);
        if (!feld) return 0;
        feld->setFocus();
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, text);
        QTest::keyClick(feld, Qt::Key_Return);
        double wert = -1;
        EXPECT_EQ(GetCtrlVal(haupt_, control, &wert), 0);
        return wert;
    }

    int haupt_ = 0, com_ = 0, info_ = 0;
};

TEST_F(UirGeladen, ThreePanelsLoadAndTheComPanelIsAChildOfTheMainPanel) {
    EXPECT_NE(haupt_, com_);
    EXPECT_NE(haupt_, info_);
    QWidget* haupt = PanelWidget(haupt_);
    QWidget* com = PanelWidget(com_);
    ASSERT_NE(haupt, nullptr);
    ASSERT_NE(com, nullptr);
    EXPECT_TRUE(haupt->isAncestorOf(com));
    EXPECT_FALSE(haupt->isAncestorOf(PanelWidget(info_)));
    EXPECT_GE(GetPanelMenuBar(haupt_), 0);
    EXPECT_LT(GetPanelMenuBar(info_), 0);
    EXPECT_EQ(LoadPanel(0, UIR_DATEI, 4), UIE_BAD_RESOURCE);
}

TEST_F(UirGeladen, NumericEntriesEndWithinTheLimitsOfTheirControl) {
    struct Fall {
        int control;
        const char* eingabe;
        double minimal, maximal;
    };
    const Fall faelle[] = {
        {MAINPANEL_DITHER_STROM, "7", 0.0, 0.3},  {MAINPANEL_ZEIT1, "0", 1.0, 65534.0},
        {MAINPANEL_ZEIT3, "0", 0.0, 0.0},         {MAINPANEL_EINZUSTELLENDESPROG, "17", 1.0, 16.0},
        {MAINPANEL_REGLER_KP, "600", 0.0, 500.0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingabe);
        const double wert = Eingeben(f.control, f.eingabe);
        EXPECT_GE(wert, f.minimal) << "control " << f.control;
        EXPECT_LE(wert, f.maximal) << "control " << f.control;
    }
}

TEST_F(UirGeladen, ActualValueDisplaysTakeAnyValue) {
    // Values with one decimal: the voltage display shows one, the current display three.
    for (double wert : {-1.0e6, 98765.4, 0.0}) {
        for (int control : {MAINPANEL_STROMIST, MAINPANEL_SPANNUNGIST}) {
            ASSERT_EQ(SetCtrlVal(haupt_, control, wert), 0);
            double gelesen = 0;
            ASSERT_EQ(GetCtrlVal(haupt_, control, &gelesen), 0);
            EXPECT_NEAR(gelesen, wert, 0.001) << control;
        }
    }
}

TEST_F(UirGeladen, AddressRingYieldsCharactersAndAlleIsTheAmpersand) {
    char adresse = 0;
    ASSERT_EQ(GetCtrlVal(com_, COMPANEL_ADRESSE, &adresse), 0);
    EXPECT_EQ(adresse, '1');

    auto* ring = qobject_cast<QComboBox*>(ControlWidget(com_, COMPANEL_ADRESSE));
    ASSERT_NE(ring, nullptr);
    const int alle = ring->findText(QStringLiteral("alle"));
    ASSERT_GE(alle, 0);
    ring->setCurrentIndex(alle);
    ASSERT_EQ(GetCtrlVal(com_, COMPANEL_ADRESSE, &adresse), 0);
    EXPECT_EQ(adresse, '&');
}

TEST_F(UirGeladen, PanelsStartWithTheDefinitionsValues) {
    struct Start {
        int panel;
        int control;
        int wert;
    };
    const Start werte[] = {
        {MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, 0},
        {MAINPANEL, MAINPANEL_STROMKURVE, 1},
        {MAINPANEL, MAINPANEL_DITHER_TYP, 0},
        {MAINPANEL, MAINPANEL_DAUERNDABFRAGEN, 0},
        {MAINPANEL, MAINPANEL_COMPICTURERING, -1},
        {MAINPANEL, MAINPANEL_FEHLERLED, 0},
        {MAINPANEL, MAINPANEL_CHECKBOX_SUP_DITH_TBL, 1},
        {MAINPANEL, MAINPANEL_EINZUSTELLENDESPROG, 1},
        {COMPANEL, COMPANEL_PORT, -1},
        {COMPANEL, COMPANEL_BAUDRATE, 9600},
    };
    for (const Start& s : werte) {
        int wert = -99;
        ASSERT_EQ(GetCtrlVal(s.panel == MAINPANEL ? haupt_ : com_, s.control, &wert), 0) << s.control;
        EXPECT_EQ(wert, s.wert) << s.control;
    }

    int an = 1;
    ASSERT_EQ(GetCtrlAttribute(haupt_, MAINPANEL_TIMER, ATTR_ENABLED, &an), 0);
    EXPECT_EQ(an, 0);
    double intervall = 0;
    ASSERT_EQ(GetCtrlAttribute(haupt_, MAINPANEL_TIMER, ATTR_INTERVAL, &intervall), 0);
    EXPECT_DOUBLE_EQ(intervall, 0.5);

    for (int control :
         {MAINPANEL_VKR3DEVSETUP, MAINPANEL_STROM_STEP, MAINPANEL_DECORATION_RFWV, MAINPANEL_DITHER_TABLE}) {
        int sichtbar = 1;
        ASSERT_EQ(GetCtrlAttribute(haupt_, control, ATTR_VISIBLE, &sichtbar), 0);
        EXPECT_EQ(sichtbar, 0) << control;
    }

    std::string titel;
    ASSERT_EQ(GetTableColumnAttribute(haupt_, MAINPANEL_DITHER_TABLE, 2, ATTR_LABEL_TEXT, &titel), 0);
    EXPECT_EQ(titel, "Dither Amplitude");
}

TEST_F(UirGeladen, MenuBarCarriesTheGermanNames) {
    const int leiste = GetPanelMenuBar(haupt_);
    ASSERT_GE(leiste, 0);
    const std::pair<int, const char*> namen[] = {
        {MENUBAR_MENU, "Datei"},
        {MENUBAR_MENU_OEFFNEN, "Öffnen"},
        {MENUBAR_EINSTELLUNGEN_SPRACHE, "Sprache"},
        {MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN, "English"},
        {MENUBAR_HILFE_INFO, "Info"},
    };
    for (auto [id, name] : namen) {
        std::string gelesen;
        ASSERT_EQ(GetMenuBarAttribute(leiste, id, ATTR_MENU_NAME, &gelesen), 0) << id;
        EXPECT_EQ(gelesen, name);
    }
}

} // namespace
