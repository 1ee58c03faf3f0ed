// A regulator line that fails while the user works on the panels: the line hung up in the
// middle of a set read, a set write, a scan and the continuous query, a line flooded with
// noise, and answers trickling in just within and just beyond the time-out. Each ends with its
// code within the time-outs and leaves the program running; a hung-up line counts as an adapter
// gone, so the port is closed and shown closed. The next operation works once a regulator
// answers again.
#include "app/callbacks_geraet.h"
#include "ops/com.h"
#include "platform/popup_hook.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

namespace {

using vkr3xsim::DeviceKind;
using vkr3xsim::FaultKind;
using vkr3xsim::FaultRule;

constexpr int AKTUELL = 1; // the transfer question's button for the selected set only

class Leitungsfehler : public Geraetepanel {
  protected:
    void GeraeteAnschliessen() override {
        sim.addDevice('1', DeviceKind::VersionB);
        sim.addDevice('2', DeviceKind::VersionB);
    }
    // COM 1 with the program's own time-out of one second per awaited byte.
    void SetUp() override {
        Geraetepanel::SetUp();
        DisplayPanel(gCompanelHandle);
        Verbinden();
        ASSERT_EQ(ZEMVKR3X_Timeout(1, COM_TIMEOUT_SEKUNDEN), 0);
    }
    void TearDown() override {
        Geraetepanel::TearDown();
        if (zurueck) zurueck->stop();
    }

    // A regulator on a new line under COM 1, and the port closed and opened again through the
    // port picture, as the user does once the device is back.
    void RegulatorZurueck() {
        zurueck = std::make_unique<vkr3xsim::Simulator>();
        zurueck->addDevice('1', DeviceKind::VersionB);
        const std::string pfad = zurueck->open();
        ASSERT_FALSE(pfad.empty());
        zurueck->start();
        qputenv("VKR3X_COM1", QByteArray::fromStdString(pfad));
        if (gCom.portOffen != -1) Klicken(gPanelHandle, MAINPANEL_COMPICTURERING);
        ASSERT_EQ(gCom.portOffen, -1);
        Klicken(gPanelHandle, MAINPANEL_COMPICTURERING);
        ASSERT_EQ(gCom.portOffen, 1);
        ASSERT_EQ(Fehler().nummer, 0);
    }

    static void Druecken(int knopf) {
        PopupHook_Queue({AKTUELL, ""});
        Klicken(gPanelHandle, knopf);
    }
    static void Scannen() {
        gCom.adresse = '1';
        Klicken(gCompanelHandle, COMPANEL_SCAN);
    }
    // Switches the continuous query on and waits for the tick that switches it off again, or
    // for two ticks.
    static void DauerndAbfragen() {
        Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
        if (!QTest::qWaitFor([] { return Ganzzahl(MAINPANEL_DAUERNDABFRAGEN) == 0; }, 1200))
            Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    }

    std::unique_ptr<vkr3xsim::Simulator> zurueck;
};

struct Abbruch {
    const char* name;
    FaultRule fehler;
    std::function<void()> bedienen;
    int code;     // shown on the error fields; 0 for the scan, whose outcome is its LEDs
    int oderCode; // the code the other possible moment of the hang-up gives, or the same
};

// Each case on a line of its own: a hang-up leaves the line gone.
TEST_F(Leitungsfehler, AHangUpEndsEveryOperationInItsCodeAndTheNextWorksOnceTheRegulatorIsBack) {
    const auto lesen = [] { Druecken(MAINPANEL_VKR3LESEN); };
    const auto schreiben = [] { Druecken(MAINPANEL_VKR3SCHREIBEN); };
    const Abbruch faelle[] = {
        {"set read", {0, "C2R", FaultKind::HangUpInLine, 1}, lesen, -404103, -404103},
        // The line goes while the frame is reported as leaving (write code) or while its
        // acknowledgement is awaited (no answer).
        {"set write", {0, "T1W", FaultKind::HangUp, 1}, schreiben, -403053, -101049},
        {"scan", {'2', "IDR", FaultKind::HangUpInLine, 1}, Scannen, 0, 0},
        {"continuous query", {0, "C0R", FaultKind::HangUpInLine, 1}, DauerndAbfragen, -404103, -404103},
    };
    for (const Abbruch& f : faelle) {
        SCOPED_TRACE(f.name);
        vkr3xsim::Simulator eigener;
        eigener.addDevice('1', DeviceKind::VersionB);
        eigener.addDevice('2', DeviceKind::VersionB);
        const std::string pfad = eigener.open();
        ASSERT_FALSE(pfad.empty());
        eigener.start();
        qputenv("VKR3X_COM1", QByteArray::fromStdString(pfad));
        Klicken(gPanelHandle, MAINPANEL_COMPICTURERING);
        Klicken(gPanelHandle, MAINPANEL_COMPICTURERING);
        ASSERT_EQ(gCom.portOffen, 1);
        eigener.addFault(f.fehler);

        QElapsedTimer uhr;
        uhr.start();
        f.bedienen();
        EXPECT_LT(uhr.elapsed(), 1500) << "at once, not after time-outs";
        const int code = -Fehler().nummer;
        EXPECT_TRUE(code == f.code || code == f.oderCode) << code;
        // The scan passes over silent addresses and reports nothing, so its port stays open.
        const int offen = std::string(f.name) == "scan" ? 1 : -1;
        EXPECT_EQ(gCom.portOffen, offen) << "a hung-up line closes the port";
        EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), offen);
        if (std::string(f.name) == "scan") {
            EXPECT_EQ(gCom.adresse, '1') << "the regulator that hung up is not taken";
        }

        RegulatorZurueck();
        ASSERT_EQ(ZEMVKR3X_Timeout(1, GERAETEPANEL_TIMEOUT), 0); // the scan's silent addresses
        f.bedienen();
        EXPECT_EQ(Fehler().nummer, 0) << "after the regulator is back";
        zurueck->stop();
        eigener.stop();
    }
}

struct Verzoegerung {
    const char* name;
    FaultRule fehler;
    int knopf;
    int code;
    int mindestensMs, hoechstensMs;
};

// A flood is cut off after the longest answer line; a trickle is read as long as every byte
// comes within the time-out, however long the line takes, and ends one time-out after the
// last byte that came in time.
TEST_F(Leitungsfehler, FloodsAndTricklesEndInTheirCodes) {
    sim.setIdentity('1', "X"); // a short line: each byte costs 0.9 s
    const Verzoegerung faelle[] = {
        {"flood in a set read",
         {0, "C1R", FaultKind::Flood, 1, 0, 4000},
         MAINPANEL_VKR3LESEN,
         -404104,
         0,
         1000},
        {"trickled acknowledgement",
         {0, "DF1", FaultKind::Trickle, 1, 900},
         MAINPANEL_VKR3START,
         0,
         900,
         1400},
        {"trickled identity", {0, "IDR", FaultKind::Trickle, 1, 900}, -COMPANEL_IDLESEN, 0, 4500, 5400},
        {"byte after the time-out",
         {0, "DF1", FaultKind::Trickle, 1, 1100},
         MAINPANEL_VKR3START,
         -403023,
         1000,
         1400},
    };
    for (const Verzoegerung& f : faelle) {
        SCOPED_TRACE(f.name);
        const auto bedienen = [&f] {
            if (f.knopf == MAINPANEL_VKR3LESEN)
                Druecken(f.knopf);
            else if (f.knopf < 0)
                Klicken(gCompanelHandle, -f.knopf);
            else
                Klicken(gPanelHandle, f.knopf);
        };
        sim.addFault(f.fehler);
        QElapsedTimer uhr;
        uhr.start();
        bedienen();
        const qint64 dauer = uhr.elapsed();
        EXPECT_GE(dauer, f.mindestensMs);
        EXPECT_LT(dauer, f.hoechstensMs);
        EXPECT_EQ(-Fehler().nummer, f.code);
        if (f.knopf == -COMPANEL_IDLESEN) {
            EXPECT_EQ(ComText(COMPANEL_IDSTRING), "X");
        }
        // Once the rest of the bent answer is on the line, the same operation works.
        ASSERT_TRUE(sim.waitForAnswersSent(3000));
        if (f.code != 0) {
            bedienen();
            EXPECT_EQ(Fehler().nummer, 0) << "afterwards";
        }
    }
}

} // namespace
