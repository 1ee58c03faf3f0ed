// Ports a user can recognise: the chosen port's device on the COM panel, the reason a port does
// not open in the error field, and an adapter unplugged while the continuous query runs.
#include "app/callbacks_geraet.h"
#include "ops/com.h"
#include "platform/popup_hook.h"
#include "platform/rs232.h"
#include "tests/ops/geraetepanel_fixture.h"
#include "tests/support/als_niemand.h"

#include <QFile>
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

class Portanzeige : public Geraetepanel {};

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
    Waehlen(COMPANEL_PORT, -1);
    EXPECT_EQ(ComText(COMPANEL_GERAET), "") << "no port chosen";
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
