// Ports a user can recognise: the chosen port's device on the COM panel, the reason a port does
// not open in the error field, an adapter unplugged while the continuous query runs, and the
// serial devices of the system with the COM numbers bound to them.
#include "app/callbacks_geraet.h"
#include "app/start.h"
#include "ops/com.h"
#include "ops/portbindung.h"
#include "platform/popup_hook.h"
#include "platform/rs232.h"
#include "tests/ops/geraetepanel_fixture.h"
#include "tests/support/als_niemand.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>

#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using vkr3xsim::DeviceKind;
using vkr3xsim::FaultKind;

constexpr const char* OEFFNUNGSFEHLER = "Fehler beim öffnen der seriellen Schnittstelle";

// Stable names come from a folder of the test's own, where links to pseudo-terminals stand in
// for adapters.
class Portanzeige : public Geraetepanel {
  protected:
    void SetUp() override {
        ASSERT_TRUE(stabileNamen.isValid());
        qputenv("VKR3X_SERIAL_BY_ID", QFile::encodeName(stabileNamen.path()));
        Geraetepanel::SetUp();
    }
    void TearDown() override {
        Geraetepanel::TearDown();
        for (int port = 1; port <= RS232_PORTS; ++port)
            ComBindungSetzen(port, nullptr);
        qunsetenv("VKR3X_SERIAL_BY_ID");
        qunsetenv("VKR3X_USB_SERIAL_SYS");
    }

    // The stable name of an adapter that leads to the device file; "" when it cannot be made.
    std::string Einstecken(const std::string& datei) {
        const QString link = stabileNamen.filePath("usb-Hersteller_Adapter_A1B2-if00-port0");
        QFile::remove(link);
        return QFile::link(QString::fromStdString(datei), link) ? link.toStdString() : std::string();
    }
    void Ausstecken() { QFile::remove(stabileNamen.filePath("usb-Hersteller_Adapter_A1B2-if00-port0")); }

    static void ComPanelOeffnen() {
        QAction* menue = MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_EINSTELLUNGEN_COM);
        ASSERT_NE(menue, nullptr);
        menue->trigger();
    }

    QTemporaryDir stabileNamen;
};

constexpr const char* ADAPTER = "usb-Hersteller_Adapter_A1B2-if00-port0";

TEST_F(Portanzeige, APortThatDoesNotOpenSaysWhyAndHowToMendIt) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    ASSERT_EQ(chmod(QFile::encodeName(ordner.path()).constData(), 0755), 0);
    const std::string geraet = (ordner.path() + "/ttyUSB7").toStdString();
    QFile datei(QString::fromStdString(geraet));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();
    // Handing the file to root:dialout and acting as another user takes root.
    const bool root = geteuid() == 0;
    const group* dialout = getgrnam("dialout");
    if (root) {
        ASSERT_NE(dialout, nullptr);
        ASSERT_EQ(chown(geraet.c_str(), 0, dialout->gr_gid), 0);
    }
    ASSERT_EQ(chmod(geraet.c_str(), 0660), 0);

    const struct {
        const char* name;
        std::string pfad;
        bool ohneRechte;
        std::string grund;  // what follows the catalogue message
        std::string geraet; // the COM panel's device field
    } faelle[] = {
        {"missing device", "/nonexistent/vkr3x-port", false,
         ": /nonexistent/vkr3x-port existiert nicht. Adapter einstecken oder anderen Port wählen.",
         "/nonexistent/vkr3x-port (existiert nicht)"},
        {"no permission", geraet, true,
         ": keine Berechtigung für " + geraet +
             " (Gruppe dialout). Der Gruppe beitreten mit \"sudo usermod -aG dialout $USER\", dann neu "
             "anmelden.",
         geraet},
    };
    DisplayPanel(gCompanelHandle);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.ohneRechte && !root) continue;
        qputenv("VKR3X_COM3", QByteArray::fromStdString(f.pfad));
        Waehlen(COMPANEL_PORT, -1); // no port to close while the user lacks the rights to
        {
            std::optional<AlsNiemand> niemand;
            if (f.ohneRechte) niemand.emplace();
            Waehlen(COMPANEL_PORT, 3);
        }
        EXPECT_EQ(gCom.portOffen, -1);
        EXPECT_EQ(ComWert(COMPANEL_PORT), -1) << "shown as not open";
        const Fehlerfelder fehler = Fehler();
        EXPECT_EQ(fehler.nummer, 100003);
        EXPECT_EQ(fehler.text, OEFFNUNGSFEHLER + f.grund);
        EXPECT_EQ(ComText(COMPANEL_GERAET), f.geraet);
        Waehlen(COMPANEL_PORT, 1);
        EXPECT_EQ(Fehler().text, "") << "the reason is not carried to the next message";
    }
}

TEST_F(Portanzeige, TheComPanelShowsTheDeviceTheChosenPortOpens) {
    Verbinden();
    const std::string pts = qEnvironmentVariable("VKR3X_COM1").toStdString();
    EXPECT_EQ(ComText(COMPANEL_GERAET), pts);
    EXPECT_EQ(ComText(COMPANEL_ADAPTER), "dem System unbekannt") << "a pseudo-terminal has no adapter";
    EXPECT_EQ(ComText(COMPANEL_BYID), "");

    // A link in place of the device, as a stable name would be: both names are shown.
    QTemporaryDir ordner;
    const QString link = ordner.path() + "/usb-Maker_Adapter_A1B2-if00-port0";
    ASSERT_TRUE(QFile::link(QString::fromStdString(pts), link));
    qputenv("VKR3X_COM1", link.toUtf8());
    Waehlen(COMPANEL_PORT, -1);
    Waehlen(COMPANEL_PORT, 1);
    ASSERT_EQ(gCom.portOffen, 1);
    EXPECT_EQ(ComText(COMPANEL_GERAET), link.toStdString() + " \u2192 " + pts);

    // A short name lies under /dev for every check, not in the working directory.
    qputenv("VKR3X_COM1", QByteArray::fromStdString(pts.substr(std::strlen("/dev/"))));
    Waehlen(COMPANEL_PORT, -1);
    Waehlen(COMPANEL_PORT, 1);
    ASSERT_EQ(gCom.portOffen, 1);
    EXPECT_EQ(ComText(COMPANEL_GERAET), pts);
    EXPECT_EQ(Rs232Getrennt(1), 0) << "still plugged in";

    // A USB adapter's latency timer, where its driver shows one.
    QTemporaryDir usb;
    qputenv("VKR3X_USB_SERIAL_SYS", QFile::encodeName(usb.path()));
    const QString timer =
        usb.path() + "/" + QFileInfo(QString::fromStdString(pts)).fileName() + "/latency_timer";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(timer).path()));
    const struct {
        const char* inhalt; // null: no timer
        std::string text;
    } latenzen[] = {
        {nullptr, ""},
        {"1\n", "1 ms"},
        {"16\n", "16 ms; auf 1 ms senken mit: echo 1 | sudo tee " + timer.toStdString()},
    };
    for (const auto& l : latenzen) {
        QFile::remove(timer);
        if (l.inhalt) {
            QFile f(timer);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(l.inhalt);
        }
        Waehlen(COMPANEL_PORT, -1);
        Waehlen(COMPANEL_PORT, 1);
        EXPECT_EQ(ComText(COMPANEL_LATENZ), l.text);
    }
    Waehlen(COMPANEL_PORT, -1);
    EXPECT_EQ(ComText(COMPANEL_GERAET), "") << "no port chosen";
    EXPECT_EQ(ComText(COMPANEL_LATENZ), "");
}

TEST_F(Portanzeige, TheDeviceListFollowsAdaptersPluggedInAndOut) {
    const std::string pts = sim.path();
    ComPanelOeffnen();
    EXPECT_EQ(Geraetezeile(ADAPTER), -1);
    ASSERT_FALSE(Einstecken(pts).empty());
    ASSERT_TRUE(QTest::qWaitFor([] { return Geraetezeile(ADAPTER) >= 0; }, 5000));
    std::string zeile;
    GetLabelFromIndex(gCompanelHandle, COMPANEL_GERAETELISTE, Geraetezeile(ADAPTER), &zeile);
    EXPECT_EQ(zeile, pts + "\t\t\t\t\t" + ADAPTER) << "no COM bound, no maker known";
    Ausstecken();
    EXPECT_TRUE(QTest::qWaitFor([] { return Geraetezeile(ADAPTER) == -1; }, 5000));
}

TEST_F(Portanzeige, ABindingHoldsAfterARestartAndOpensTheAdapterPluggedBackIn) {
    const std::string link = Einstecken(sim.path());
    ASSERT_FALSE(link.empty());
    ComPanelOeffnen();
    ASSERT_GE(Geraetezeile(ADAPTER), 0);
    GeraetWaehlen(Geraetezeile(ADAPTER));
    EXPECT_EQ(ComWert(COMPANEL_BINDUNG), -1) << "not bound yet";
    Waehlen(COMPANEL_BINDUNG, 2);
    EXPECT_EQ(ComBindungLesen(2), link);

    // Restarted: the binding comes from the settings file.
    ProgrammBeenden();
    ComBindungSetzen(2, nullptr);
    QFile datei("vkr3ax2Steuerung.ini");
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        datei.readAll().contains(QByteArray::fromStdString("[COMBINDUNG]\r\ncom2 = \"" + link + "\"\r\n")));
    char name[] = "vkr3xsteuerung";
    char* argv[] = {name, nullptr};
    ASSERT_EQ(ProgrammStarten(1, argv), 0);
    EXPECT_EQ(ComBindungLesen(2), link);
    ComPanelOeffnen();
    ASSERT_EQ(Geraetezeile(sim.path() + "\tCOM 2\t"), Geraetezeile(ADAPTER)) << "shown bound";
    GeraetWaehlen(Geraetezeile(ADAPTER));
    EXPECT_EQ(ComWert(COMPANEL_BINDUNG), 2);
    Waehlen(COMPANEL_PORT, 2);
    ASSERT_EQ(gCom.portOffen, 2);
    EXPECT_EQ(ComText(COMPANEL_GERAET), link + " \u2192 " + sim.path());
    Klicken(gCompanelHandle, COMPANEL_IDLESEN);
    EXPECT_EQ(Fehler().nummer, 0);

    // Unplugged: the line hangs up and the stable name is gone; the binding stays listed.
    sim.addFault({0, "", FaultKind::HangUp, 1});
    Ausstecken();
    Klicken(gCompanelHandle, COMPANEL_IDLESEN);
    EXPECT_EQ(gCom.portOffen, -1);
    ASSERT_TRUE(QTest::qWaitFor([] { return Geraetezeile("nicht angeschlossen\tCOM 2\t") >= 0; }, 5000));

    // Plugged back in, another device file behind the same stable name: choosing COM 2 is enough.
    vkr3xsim::Simulator zurueck;
    zurueck.addDevice('1', DeviceKind::VersionB);
    const std::string neu = zurueck.open();
    ASSERT_FALSE(neu.empty());
    zurueck.start();
    ASSERT_EQ(Einstecken(neu), link);
    Waehlen(COMPANEL_PORT, 2);
    ASSERT_EQ(gCom.portOffen, 2);
    Klicken(gCompanelHandle, COMPANEL_IDLESEN);
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_EQ(zurueck.frames(), std::vector<std::string>{"#1IDR\r"});
    ZEMVKR3X_Close(2);
    gCom.portOffen = -1;
    zurueck.stop();
}

TEST_F(Portanzeige, AStepWithTheAdapterGoneKeepsTheReason) {
    Verbinden();
    sim.addFault({0, "", FaultKind::HangUp, 1}); // the adapter goes with the first request
    // The query before the step finds the adapter gone and closes the port; the step's write
    // then finds no port.
    Callback_Button_Vkr3StromIncrement(gPanelHandle, MAINPANEL_VKR3STROMINCREMENT, EVENT_COMMIT, nullptr, 0,
                                       0);
    EXPECT_EQ(gCom.portOffen, -1);
    EXPECT_NE(Fehler().text.find(" getrennt, der Port wurde geschlossen."), std::string::npos)
        << Fehler().text;
}

TEST_F(Portanzeige, AnUnpluggedAdapterClosesThePortOnceAndChoosingItAgainWorks) {
    Verbinden();
    DisplayPanel(gCompanelHandle);
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sim.frames().size() >= 5; }, 3000))
        << "a first query went through";
    sim.addFault({0, "", FaultKind::HangUp, 1}); // the pseudo-terminal closes: the adapter is gone
    ASSERT_TRUE(QTest::qWaitFor([] { return Ganzzahl(MAINPANEL_DAUERNDABFRAGEN) == 0; }, 3000));

    EXPECT_EQ(gCom.portOffen, -1);
    EXPECT_EQ(gCom.lport, 1);
    EXPECT_EQ(ComWert(COMPANEL_PORT), -1);
    EXPECT_EQ(Ganzzahl(MAINPANEL_COMPICTURERING), -1);
    const std::string pfad = qEnvironmentVariable("VKR3X_COM1").toStdString();
    const Fehlerfelder fehler = Fehler();
    EXPECT_EQ(fehler.led, 1);
    EXPECT_NE(
        fehler.text.find(": Adapter " + pfad +
                         " getrennt, der Port wurde geschlossen. Einstecken und den Port wieder wählen."),
        std::string::npos)
        << fehler.text;
    EXPECT_TRUE(PopupHook_Records().empty()) << "said in the error field, no popup";
    QTest::qWait(700); // a tick that would fall due finds the timer off: the message stays the one
    EXPECT_EQ(Fehler().text, fehler.text);

    vkr3xsim::Simulator zurueck; // plugged back in: a new device file
    zurueck.addDevice('1', DeviceKind::VersionB);
    const std::string neu = zurueck.open();
    ASSERT_FALSE(neu.empty());
    zurueck.start();
    qputenv("VKR3X_COM1", QByteArray::fromStdString(neu));
    Waehlen(COMPANEL_PORT, 1);
    EXPECT_EQ(gCom.portOffen, 1);
    EXPECT_EQ(Fehler().nummer, 0);
    Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
    EXPECT_EQ(Fehler().nummer, 0);
    ZEMVKR3X_Close(1);
    gCom.portOffen = -1;
    zurueck.stop();
}

} // namespace
