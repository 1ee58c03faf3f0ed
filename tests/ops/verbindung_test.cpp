// Connecting through the COM panel and the port picture, the address scan, the identity, the
// device buttons and the setup mode, driven on the real panels against a simulated line.
#include "app/callbacks_geraet.h"
#include "ops/geraetesetup.h"
#include "ops/verbindung.h"
#include "platform/rs232.h"
#include "tests/ops/geraetepanel_fixture.h"
#include "tests/support/schluesselwerte.h"

#include <QEvent>
#include <QObject>

#include <map>
#include <utility>

namespace {

using vkr3xsim::DeviceKind;
using vkr3xsim::FaultKind;

const char* const kNichtOffen = "Serielle Schnittstelle ist nicht geöffnet";

class Verbindung : public Geraetepanel {};

TEST_F(Verbindung, ComPanelOpensReopensAndClosesThePort) {
    ComFehlerSetzen(-403053); // an earlier failure that a success must clear
    Waehlen(COMPANEL_PORT, 1);
    EXPECT_EQ(gCom.portOffen, 1);
    EXPECT_EQ(GetComTime(1), COM_TIMEOUT_SEKUNDEN);
    EXPECT_EQ(GetComBaudRate(1), 9600);
    EXPECT_EQ(Fehler().led, 0);
    EXPECT_EQ(Fehler().text, "");
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_EQ(ComWert(COMPANEL_PORT), 1);
    EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), 1);

    Waehlen(COMPANEL_BAUDRATE, 115200); // reopens the open port at once
    EXPECT_EQ(gCom.portOffen, 1);
    EXPECT_EQ(GetComBaudRate(1), 115200);
    EXPECT_EQ(gLetzteBaudrate, 115200);

    Waehlen(COMPANEL_PORT, -1);
    EXPECT_EQ(gCom.portOffen, -1);
    EXPECT_EQ(gCom.lport, 1);
    EXPECT_EQ(GetComBaudRate(1), 0) << "closed";
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), -1);
}

TEST_F(Verbindung, PortThatCannotBeOpenedIsShownAndLeavesNoPortOpen) {
    Waehlen(COMPANEL_PORT, 1);
    Waehlen(COMPANEL_PORT, 3);
    EXPECT_EQ(gCom.portOffen, -1);
    EXPECT_EQ(gCom.lport, 1) << "the port closed on the way";
    EXPECT_EQ(GetComBaudRate(1), 0);
    EXPECT_EQ(ComWert(COMPANEL_PORT), -1) << "the ring shows the port really open";
    EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), -1);
    const Fehlerfelder f = Fehler();
    EXPECT_EQ(f.led, 1);
    EXPECT_EQ(f.nummer, 100003);
    EXPECT_EQ(f.text,
              "Fehler beim öffnen der seriellen Schnittstelle: /nonexistent/vkr3x-port existiert nicht. "
              "Adapter einstecken oder anderen Port wählen.");
}

TEST_F(Verbindung, PortPictureTogglesOnClickEnterAndSpaceOnly) {
    QWidget* bild = ControlWidget(gPanelHandle, MAINPANEL_COMPICTURERING);
    ASSERT_NE(bild, nullptr);
    QTest::mouseClick(bild, Qt::LeftButton); // nothing was ever open: stays closed, no error
    EXPECT_EQ(gCom.portOffen, -1);
    EXPECT_EQ(Fehler().led, 0);

    Waehlen(COMPANEL_PORT, 1);
    const struct {
        int schritt; // 0 click, else a key
        int offen;
    } folge[] = {{0, -1},
                 {Qt::Key_Return, 1},
                 {Qt::Key_Space, -1},
                 {Qt::Key_A, -1},
                 {Qt::Key_Tab, -1},
                 {Qt::Key_Enter, 1},
                 {0, -1},
                 {0, 1}};
    for (const auto& s : folge) {
        if (s.schritt == 0)
            QTest::mouseClick(bild, Qt::LeftButton);
        else
            QTest::keyClick(bild, static_cast<Qt::Key>(s.schritt));
        EXPECT_EQ(gCom.portOffen, s.offen) << "after " << s.schritt;
        EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), s.offen);
        EXPECT_EQ(ComWert(COMPANEL_PORT), s.offen);
    }
    EXPECT_EQ(GetComBaudRate(1), 9600) << "reopened at the chosen baud rate";
}

// Records the value each address LED had whenever it was painted during a scan.
class LedMaler : public QObject {
  public:
    explicit LedMaler(std::map<QObject*, char> leds) : leds_(std::move(leds)) {
        for (const auto& [w, a] : leds_)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* w, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            int an = 0;
            GetCtrlVal(gCompanelHandle, COMPANEL_LED1 - (leds_[w] - '1'), &an);
            if (an) lit[leds_[w]] = true;
        }
        return false;
    }
    std::map<char, bool> lit;

  private:
    std::map<QObject*, char> leds_;
};

class Scan : public Geraetepanel {
  protected:
    void GeraeteAnschliessen() override {
        sim.addDevice('2', DeviceKind::VersionB);
        sim.addDevice('4', DeviceKind::Foreign);
        sim.addDevice('5', DeviceKind::VersionA);
    }
    static int Led(char adresse) { return ComWert(COMPANEL_LED1 - (adresse - '1')); }
    static int LedFarbe(char adresse) {
        int farbe = -1;
        GetCtrlAttribute(gCompanelHandle, COMPANEL_LED1 - (adresse - '1'), ATTR_ON_COLOR, &farbe);
        return farbe;
    }
};

TEST_F(Scan, FindsTheHighestRegulatorAndMarksEveryAddress) {
    DisplayPanel(gCompanelHandle);
    Verbinden();
    std::map<QObject*, char> leds;
    for (char a = '1'; a <= '8'; ++a)
        leds[ControlWidget(gCompanelHandle, COMPANEL_LED1 - (a - '1'))] = a;
    LedMaler maler(leds);
    ComFehlerSetzen(-403053);

    Klicken(gCompanelHandle, COMPANEL_SCAN);

    EXPECT_EQ(gCom.adresse, '5');
    EXPECT_EQ(ComText(COMPANEL_IDSTRING), "ZEM-VKR3AX2aV1.07") << "spaces removed";
    EXPECT_EQ(ComText(COMPANEL_SCANTEXT), "");
    EXPECT_EQ(Fehler().nummer, 0);
    char adresse = 0;
    GetCtrlVal(gCompanelHandle, COMPANEL_ADRESSE, &adresse);
    EXPECT_EQ(adresse, '5') << "the address ring follows the scan";

    const std::map<char, int> erwartet = {{'2', 0x00FF00}, {'4', 0xFF0000}, {'5', 0x00FF00}};
    for (char a = '1'; a <= '8'; ++a) {
        const auto e = erwartet.find(a);
        EXPECT_EQ(Led(a), e == erwartet.end() ? 0 : 1) << a;
        if (e != erwartet.end()) {
            EXPECT_EQ(LedFarbe(a), e->second) << a;
        }
        EXPECT_TRUE(maler.lit[a]) << "LED " << a << " was drawn lit while it was probed";
    }
    // What a screen reader hears of it: each LED's finding, and the summary on the scan button.
    const std::map<char, std::string> fund = {
        {'2', "ZEM-VKR3AX2bV2.01"}, {'4', "anderes Gerät: ACME-PSU12V3"}, {'5', "ZEM-VKR3AX2aV1.07"}};
    for (char a = '1'; a <= '8'; ++a) {
        std::string beschreibung;
        GetCtrlAttribute(gCompanelHandle, COMPANEL_LED1 - (a - '1'), ATTR_SPOKEN_DESCRIPTION, &beschreibung);
        EXPECT_EQ(beschreibung, fund.count(a) ? fund.at(a) : "keine Antwort") << a;
    }
    std::string summe;
    GetCtrlAttribute(gCompanelHandle, COMPANEL_SCAN, ATTR_SPOKEN_DESCRIPTION, &summe);
    EXPECT_EQ(summe, "Adresse 2: ZEM-VKR3AX2bV2.01; Adresse 4: anderes Gerät: ACME-PSU12V3; "
                     "Adresse 5: ZEM-VKR3AX2aV1.07");
    std::vector<std::string> rahmen;
    for (char a = '1'; a <= '8'; ++a)
        rahmen.push_back(std::string("#") + a + "IDR\r");
    EXPECT_EQ(sim.frames(), rahmen);
}

TEST_F(Scan, WithoutOpenPortReportsItAndLeavesTheLeds) {
    SetCtrlVal(gCompanelHandle, COMPANEL_LED2, 1);
    Klicken(gCompanelHandle, COMPANEL_SCAN);
    EXPECT_EQ(Fehler().nummer, 122201);
    EXPECT_EQ(Fehler().text, kNichtOffen);
    EXPECT_EQ(Led('2'), 1);
    EXPECT_TRUE(sim.frames().empty());
}

TEST_F(Verbindung, IdentityFollowsTheAddressRing) {
    Verbinden();
    Klicken(gCompanelHandle, COMPANEL_IDLESEN);
    EXPECT_EQ(ComText(COMPANEL_IDSTRING), "ZEM-VKR3AX2bV2.01");
    EXPECT_EQ(Fehler().nummer, 0);

    Waehlen(COMPANEL_ADRESSE, '&');
    EXPECT_EQ(gCom.adresse, '&');
    Klicken(gCompanelHandle, COMPANEL_IDLESEN);
    EXPECT_EQ(Fehler().nummer, 400006);
    EXPECT_EQ(ComText(COMPANEL_IDSTRING), "") << "emptied before the request";
}

TEST_F(Verbindung, DeviceButtonsSendTheirFunctionOrReportNoPort) {
    const struct {
        int knopf;
        const char* rahmen;
    } knoepfe[] = {{MAINPANEL_VKR3START, "#1DF1\r"},
                   {MAINPANEL_VKR3STOPP, "#1DF2\r"},
                   {MAINPANEL_VKR3FEHLERLOESCHEN, "#1DF3\r"},
                   {MAINPANEL_VKR3KALIBRIEREN, "#1DF4\r"}};
    for (const auto& k : knoepfe) {
        Klicken(gPanelHandle, k.knopf);
        EXPECT_EQ(Fehler().nummer, 122201) << k.rahmen;
        EXPECT_EQ(Fehler().text, kNichtOffen);
    }
    EXPECT_TRUE(sim.frames().empty()) << "nothing is sent without a port";

    Verbinden();
    for (const auto& k : knoepfe) {
        ComFehlerSetzen(-403053);
        Klicken(gPanelHandle, k.knopf);
        EXPECT_EQ(Fehler().nummer, 0) << k.rahmen;
        ASSERT_FALSE(sim.frames().empty());
        EXPECT_EQ(sim.frames().back(), k.rahmen);
    }
}

TEST_F(Verbindung, SetupModeSendsTheKnownKeysOfTheSeed) {
    EXPECT_EQ(EnterDevSetupMode(2), -122202);
    Verbinden();
    for (const Schluesselwert& w : SCHLUESSELWERTE) {
        sim.setSeed('1', w.seed);
        sim.clearFrames();
        EXPECT_EQ(EnterDevSetupMode(2), 0) << w.seed;
        std::vector<std::string> erwartet = {"#qS0R\r"};
        for (int i = 0; i < 4; ++i)
            erwartet.push_back("#qS" + std::to_string(i) + "W" + std::to_string(w.keys[i]) + "\r");
        erwartet.push_back("#qS0E2\r");
        EXPECT_EQ(sim.frames(), erwartet) << w.seed;
    }
    EXPECT_TRUE(sim.serviceModeEntered('1'));
}

TEST_F(Verbindung, SetupButtonStopsAtTheFirstSilentKeyAndLeavesTheErrorFields) {
    Verbinden();
    sim.addFault({0, "S1W", FaultKind::Silence, -1});
    EXPECT_EQ(EnterDevSetupMode(2), -403053);
    EXPECT_EQ(sim.frames().size(), 3u) << "seed, key1, key2; nothing after the silent key";
    EXPECT_FALSE(sim.serviceModeEntered('1'));

    ComFehlerSetzen(-100003);
    sim.clearFrames();
    Callback_Button_Vkr3DevSetup(gPanelHandle, MAINPANEL_VKR3DEVSETUP, EVENT_COMMIT, nullptr, 0, 0);
    EXPECT_EQ(sim.frames().size(), 3u);
    EXPECT_EQ(Fehler().nummer, 100003) << "the setup button shows nothing";
}

} // namespace
