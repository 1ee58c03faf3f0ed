#pragma once
// The program's panels, started as the program starts them, with a simulated regulator line as
// COM 1 and a COM 3 that cannot be opened. Tests drive the panels as a user would and watch the
// frames that reach the simulator.

#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "platform/ui_testaccess.h"
#include "sim/simulator.h"
#include "tests/support/programm_fixture.h"

#include <QByteArray>
#include <QComboBox>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <string>
#include <vector>

// A short time-out once connected: every silent address or command costs one.
constexpr double GERAETEPANEL_TIMEOUT = 0.1;

struct Fehlerfelder {
    int led;
    std::string text;
    int nummer;
};

class Geraetepanel : public ProgrammTest {
  protected:
    // The regulators on the line; a version-b regulator at address 1 unless a test says otherwise.
    virtual void GeraeteAnschliessen() { sim.addDevice('1', vkr3xsim::DeviceKind::VersionB); }

    void SetUp() override {
        GeraeteAnschliessen();
        const std::string pfad = sim.open();
        ASSERT_FALSE(pfad.empty());
        sim.start();
        qputenv("VKR3X_COM1", QByteArray::fromStdString(pfad));
        qputenv("VKR3X_COM3", "/nonexistent/vkr3x-port");
        ProgrammTest::SetUp();
    }
    void TearDown() override {
        ProgrammTest::TearDown();
        if (gCom.portOffen != -1) ZEMVKR3X_Close(gCom.portOffen);
        gCom.portOffen = -1;
        sim.stop();
        qunsetenv("VKR3X_COM1");
        qunsetenv("VKR3X_COM3");
    }

    // Chooses a ring item of the COM panel by its value, as the user does with the list.
    static void Waehlen(int control, int wert) {
        auto* ring = qobject_cast<QComboBox*>(ControlWidget(gCompanelHandle, control));
        ASSERT_NE(ring, nullptr);
        const int index = ring->findData(wert);
        ASSERT_GE(index, 0) << "no item " << wert;
        ring->setCurrentIndex(index);
    }

    // COM 1 at the given baud rate through the COM panel, then the short time-out.
    void Verbinden(int baud = 115200) {
        Waehlen(COMPANEL_BAUDRATE, baud);
        Waehlen(COMPANEL_PORT, 1);
        ASSERT_EQ(gCom.portOffen, 1);
        ZEMVKR3X_Timeout(1, GERAETEPANEL_TIMEOUT);
        sim.clearFrames();
    }

    static void Klicken(int panel, int control) {
        QWidget* w = ControlWidget(panel, control);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
    }

    static Fehlerfelder Fehler() {
        Fehlerfelder f{-1, "?", -1};
        GetCtrlVal(gPanelHandle, MAINPANEL_FEHLERLED, &f.led);
        GetCtrlVal(gPanelHandle, MAINPANEL_FEHLERSTRING, &f.text);
        GetCtrlVal(gPanelHandle, MAINPANEL_FEHLERNUMMER, &f.nummer);
        return f;
    }
    static int ComWert(int control) {
        int v = -999;
        GetCtrlVal(gCompanelHandle, control, &v);
        return v;
    }
    static std::string ComText(int control) {
        std::string t = "?";
        GetCtrlVal(gCompanelHandle, control, &t);
        return t;
    }

    // The row of the COM panel's device list that mentions text, or -1.
    static int Geraetezeile(const std::string& text) {
        int anzahl = 0;
        GetNumListItems(gCompanelHandle, COMPANEL_GERAETELISTE, &anzahl);
        for (int i = 0; i < anzahl; ++i) {
            std::string zeile;
            GetLabelFromIndex(gCompanelHandle, COMPANEL_GERAETELISTE, i, &zeile);
            if (zeile.find(text) != std::string::npos) return i;
        }
        return -1;
    }
    // Selects a row of the device list, as the user does with a click.
    static void GeraetWaehlen(int zeile) {
        auto* liste = qobject_cast<QTreeWidget*>(ControlWidget(gCompanelHandle, COMPANEL_GERAETELISTE));
        ASSERT_NE(liste, nullptr);
        ASSERT_NE(liste->topLevelItem(zeile), nullptr);
        liste->setCurrentItem(liste->topLevelItem(zeile));
    }

    vkr3xsim::Simulator sim;
};
