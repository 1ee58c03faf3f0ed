// The line monitor as the user opens it from the menu "Ansicht": rows of the exchanges the
// panels make, in the run's language, with hex view, pause, the failure filter and CSV save.
#include "device/mitschnitt.h"
#include "errors/fehler.h"
#include "fenster/monitorfenster.h"
#include "platform/popup_hook.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>

namespace {

using vkr3xsim::FaultKind;

class Monitor : public Geraetepanel {
  protected:
    void TearDown() override {
        MonitorFensterSchalten(MonitorSchalter::Pause, false);
        MonitorFensterSchalten(MonitorSchalter::NurFehler, false);
        MonitorFensterSchalten(MonitorSchalter::Hex, false);
        MonitorFensterSchliessen();
        Geraetepanel::TearDown();
    }
    static void MenueWaehlen() {
        QAction* punkt = MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_ANSICHT_KOMMUNIKATION);
        ASSERT_NE(punkt, nullptr);
        punkt->trigger();
    }
    static QPushButton* Knopf(const QString& text) {
        for (QWidget* w : QApplication::topLevelWidgets())
            for (QPushButton* k : w->findChildren<QPushButton*>())
                if (k->text() == text && k->window()->objectName() == "Monitorfenster") return k;
        return nullptr;
    }
    // One exchange: the start button sends "#1DF1".
    static void Starten() { Klicken(gPanelHandle, MAINPANEL_VKR3START); }
};

TEST_F(Monitor, ShowsTheExchangesOfThePanelsAndFollowsNewOnesWhileTheProgramRedraws) {
    Verbinden();
    MitschnittLeeren();
    sim.addFault({0, "DF1", FaultKind::Nak, 1});
    Starten();
    Starten();
    MenueWaehlen();
    ASSERT_EQ(MonitorFensterZeilen(), 2);
    const struct {
        int zeile, spalte;
        const char* text;
    } zellen[] = {
        {0, 1, "1"},
        {0, 2, "#1DF1<CR>"},
        {0, 3, "<NAK>"},
        {0, 4, "Gerätefunktion start"},
        {0, 5, "NAK: -402021 Fehlermeldung (NAK) vom Gerät erhalten"},
        {1, 3, "<ACK>"},
        {1, 5, "ACK"},
    };
    for (const auto& z : zellen)
        EXPECT_EQ(MonitorFensterZelle(z.zeile, z.spalte), z.text) << z.zeile << "/" << z.spalte;

    // Rows come in whenever the program lets the window repaint, as between the exchanges of
    // a transfer; a paused window holds still and catches up on resume.
    Starten();
    ProcessDrawEvents();
    EXPECT_EQ(MonitorFensterZeilen(), 3);
    MonitorFensterSchalten(MonitorSchalter::Pause, true);
    Starten();
    ProcessDrawEvents();
    EXPECT_EQ(MonitorFensterZeilen(), 3);
    MonitorFensterSchalten(MonitorSchalter::Pause, false);
    EXPECT_EQ(MonitorFensterZeilen(), 4);

    MonitorFensterSchalten(MonitorSchalter::Hex, true);
    EXPECT_EQ(MonitorFensterZelle(0, 2), "23 31 44 46 31 0D");
    EXPECT_EQ(MonitorFensterZelle(0, 3), "15");
    MonitorFensterSchalten(MonitorSchalter::NurFehler, true);
    EXPECT_EQ(MonitorFensterZeilen(), 1);

    // Saving takes the rows shown: with the filter on, the one failure.
    const QString pfad = arbeitsverzeichnis.filePath("monitor.csv");
    PopupHook_Queue({VAL_NEW_FILE_SELECTED, pfad.toStdString()});
    QPushButton* speichern = Knopf("Als CSV speichern …");
    ASSERT_NE(speichern, nullptr);
    speichern->click();
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QList<QByteArray> zeilen = datei.readAll().split('\n');
    ASSERT_EQ(zeilen.size(), 3) << "header, one row, the empty rest after the last line feed";
    EXPECT_TRUE(zeilen[1].contains(",#1DF1<CR>,<NAK>,23 31 44 46 31 0D,15,"));
    EXPECT_TRUE(zeilen[1].endsWith(",-402021"));

    QPushButton* leeren = Knopf("Leeren");
    ASSERT_NE(leeren, nullptr);
    leeren->click();
    EXPECT_EQ(MonitorFensterZeilen(), 0);
    EXPECT_GT(MitschnittErste(), MitschnittLetzte());
}

class MonitorEnglisch : public Monitor {
  protected:
    int Sprache() const override { return SPRACHE_ENGLISCH; }
    // The error module takes its language from a settings file, which this run has not.
    void SetUp() override {
        Monitor::SetUp();
        ZEM_Fehlersprache(SPRACHE_ENGLISCH);
    }
    void TearDown() override {
        ZEM_Fehlersprache(SPRACHE_DEUTSCH);
        Monitor::TearDown();
    }
};

TEST_F(MonitorEnglisch, TextsAreEnglishAndAFailedSaveIsShown) {
    Verbinden();
    MitschnittLeeren();
    sim.addFault({0, "DF1", FaultKind::Silence, 1});
    Starten();
    MenueWaehlen();
    ASSERT_EQ(MonitorFensterZeilen(), 1);
    EXPECT_EQ(MonitorFensterZelle(0, 4), "Device function start");
    EXPECT_EQ(MonitorFensterZelle(0, 5), "Time-out: -403023 No answer from device");

    PopupHook_ClearRecords();
    PopupHook_Queue({VAL_NEW_FILE_SELECTED, arbeitsverzeichnis.filePath("fehlt/x.csv").toStdString()});
    QPushButton* speichern = Knopf("Save as CSV …");
    ASSERT_NE(speichern, nullptr);
    speichern->click();
    const auto& popups = PopupHook_Records();
    ASSERT_EQ(popups.size(), 2u) << "the file dialog, then the error";
    EXPECT_EQ(popups[1].title, "Error #308601");
}

} // namespace
