// Each device command: the frames it puts on the line, what it prints, and how it fails.

#include "tests/cli/cli_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>

namespace {

using Rahmen = std::vector<std::string>;

struct Fall {
    QStringList args;
    Rahmen rahmen;
    std::string aus;
};

class Geraetebefehle : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        sim.setValue('1', "strom1", 0.75);
        sim.setStatusWord('1', 0x2A09);
        sim.setValue('1', "zeit3", 250.0);
    }
};

TEST_F(Geraetebefehle, PutTheirFramesOnTheLineAndPrintTheAnswers) {
    // In this order: the device functions change the status word and program 7 the parameters.
    const Fall faelle[] = {
        {{"id"}, {"#1IDR\r"}, "ZEM-VKR3AX2bV2.01\n"},
        {{"get", "strom1", "status", "zeit3"},
         {"#1C1R\r", "#1S0R\r", "#1T3R\r"},
         "strom1=0.75\nstatus=0x2A09\nzeit3=250\n"},
        {{"get", "--json", "strom1", "status"},
         {"#1C1R\r", "#1S0R\r"},
         "{\"strom1\": 0.75, \"status\": \"0x2A09\"}\n"},
        {{"status"},
         {"#1C0R\r", "#1V0R\r", "#1S0R\r", "#1S3R\r", "#1S1R\r"},
         "iststrom=0\nistspannung=0\nstatus=0x2A09\nstatus_text=Innentemperatur zu hoch\n"
         "status_text=Kalibrierung ungültig\nstatus_text=Programm aktiv\n"
         "status_text=Prozess wurde abgeschlossen\nstatus_text=Prozess wurde abgebrochen\n"
         "status_stromaktiv=1\nstatus_kompatibility_mode=0\n"},
        {{"status", "--json", "--lang", "en"},
         {"#1C0R\r", "#1V0R\r", "#1S0R\r", "#1S3R\r", "#1S1R\r"},
         "{\"iststrom\": 0, \"istspannung\": 0, \"status\": \"0x2A09\", \"status_texte\": [\"Inside "
         "temperature "
         "too high\", \"Invalid calibration\", \"Programm aktiv\", \"Process has ended\", \"Process has been "
         "canceld\"], \"status_stromaktiv\": 1, \"status_kompatibility_mode\": 0}\n"},
        {{"load-program", "7"}, {"#1PNS7\r"}, ""},
        {{"store-program", "16"}, {"#1PNP16\r"}, ""},
        {{"start"}, {"#1DF1\r"}, ""},
        {{"stop"}, {"#1DF2\r"}, ""},
        {{"clear-errors"}, {"#1DF3\r"}, ""},
        {{"calibrate"}, {"#1DF4\r"}, ""},
        {{"switch-current"}, {"#1DF5\r"}, ""},
        {{"set", "strom1", "6"}, {"#1C1W6.000\r"}, ""},
        {{"set", "stromkurve", "12"}, {"#1WFW12\r"}, ""},
        {{"--address", "&", "set", "zeit3", "0"}, {"#&T3W0\r"}, ""},
    };
    for (const Fall& f : faelle) {
        sim.clearFrames();
        const Lauf l = Starten(f.args);
        const std::string was = f.args.join(' ').toStdString();
        EXPECT_EQ(l.exitCode, 0) << was << ": " << l.fehler;
        EXPECT_EQ(l.aus, f.aus) << was;
        EXPECT_EQ(l.fehler, "") << was;
        // A broadcast is not acknowledged: the tool may be gone before the simulator has read it.
        sim.waitForFrames(f.rahmen.size(), 2000);
        EXPECT_EQ(sim.frames(), f.rahmen) << was;
    }
    EXPECT_EQ(sim.value('1', "strom1"), 6.0);
    EXPECT_EQ(sim.value('1', "zeit3"), 0.0); // the broadcast reached it
    EXPECT_EQ(sim.programValue('1', 16, "strom1"), sim.programValue('1', 7, "strom1"));
}

TEST_F(Geraetebefehle, StatusWithoutActiveCurrentReportsItAsNotAvailable) {
    sim.setStromaktivSupported('1', false);
    const Lauf l = Starten({"status"});
    EXPECT_EQ(l.exitCode, 0) << l.fehler;
    EXPECT_NE(l.aus.find("status_stromaktiv=3\nstatus_kompatibility_mode=0\n"), std::string::npos) << l.aus;
}

struct Fehlerfall {
    QStringList args;
    bool mitLeitung;
    std::string match; // frames answered with NAK; "" none
    std::string meldung;
    bool nichtsGesendet;
};

TEST_F(Geraetebefehle, FailuresPrintTheMessageAndNumberAndExitWithTwo) {
    const Fehlerfall faelle[] = {
        // no device
        {{"id"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122202)", true},
        {{"scan"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"get", "strom1"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"set", "strom1", "1"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"load-program", "3"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"store-program", "3"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"start"}, false, "", "Serielle Schnittstelle ist nicht geöffnet (122201)", true},
        {{"status", "--lang", "en"}, false, "", "COM-port not open (122201)", true},
        {{"--device", "/nonexistent/tty", "id"},
         false,
         "",
         "Fehler beim öffnen der seriellen Schnittstelle (100003)",
         true},
        {{"--baud", "300", "id"}, true, "", "Unzulässige Baudrate (125001)", true},
        // refused by the regulator
        {{"id"}, true, "IDR", "(402010)", false},
        {{"get", "strom1"}, true, "C1R", "(402099)", false},
        {{"set", "strom1", "1"}, true, "C1W", "(402051)", false},
        {{"load-program", "3"}, true, "PNS", "(402051)", false},
        {{"stop"}, true, "DF2", "(402021)", false},
        {{"status"}, true, "S1R", "(402099)", false},
        // out of range or unknown: nothing is sent
        {{"set", "strom1", "6.0002"}, true, "", "Parameter außerhalb der Grenzwerte (500034)", true},
        {{"set", "dithertyp", "4"}, true, "", "(500034)", true},
        {{"load-program", "17"}, true, "", "(500034)", true},
        {{"set", "Strom1", "1"}, true, "", "(401046)", true},
        {{"set", "iststrom", "1"}, true, "", "(401046)", true},
        {{"get", "Strom1"}, true, "", "(401095)", true},
        // usage
        {{"set", "strom1", "viel"}, true, "", "'viel' is not a value for strom1", true},
        {{"set", "stromkurve", "1.5"}, true, "", "'1.5' is not a value for stromkurve", true},
        {{"get"}, true, "", "get takes NAME...", true},
        {{"frobnicate"}, true, "", "unknown command 'frobnicate'", true},
    };
    for (const Fehlerfall& f : faelle) {
        sim.clearFaults();
        sim.clearFrames();
        if (!f.match.empty()) sim.addFault({'1', f.match, vkr3xsim::FaultKind::Nak, -1, 0, 0});
        const Lauf l = Starten(f.args, f.mitLeitung);
        const std::string was = f.args.join(' ').toStdString();
        EXPECT_EQ(l.exitCode, 2) << was;
        EXPECT_EQ(l.aus, "") << was;
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << was << ": " << l.fehler;
        if (f.nichtsGesendet) {
            EXPECT_EQ(sim.frames(), Rahmen{}) << was;
        }
    }
}

TEST_F(Geraetebefehle, MessagesFollowTheSettingsFileUnlessLangIsGiven) {
    QFile ini(verzeichnis.filePath("vkr3ax2Steuerung.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[VKR3AX2]\nsprache = 2\n");
    ini.close();
    EXPECT_NE(Starten({"start"}, false).fehler.find("COM-port not open (122201)"), std::string::npos);
    EXPECT_NE(Starten({"start", "--lang", "de"}, false).fehler.find("ist nicht geöffnet (122201)"),
              std::string::npos);
}

TEST_F(Geraetebefehle, APortBoundInTheSettingsFileOpensItsDeviceAndPortsListsIt) {
    QFile ini(verzeichnis.filePath("vkr3ax2Steuerung.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[COMBINDUNG]\r\ncom2 = \"" + pfad.toUtf8() + "\"\r\n");
    ini.close();
    const Lauf ports = Starten({"ports"}, false);
    EXPECT_EQ(ports.exitCode, 0);
    const std::string datei = QFileInfo(pfad).canonicalFilePath().toStdString();
    EXPECT_NE(ports.aus.find("  COM 2  bound       " + pfad.toStdString() + "\n"), std::string::npos)
        << ports.aus;
    EXPECT_NE(ports.aus.find(datei + "\n                    bound to COM 2\n"), std::string::npos)
        << ports.aus;

    const Lauf id = Starten({"id", "--port", "2", "--timeout", "0.1"}, false);
    EXPECT_EQ(id.exitCode, 0) << id.fehler;
    EXPECT_EQ(id.aus, "ZEM-VKR3AX2bV2.01\n");
}

TEST_F(Geraetebefehle, StatusWatchQueriesUntilInterrupted) {
    QProcess p;
    p.setWorkingDirectory(verzeichnis.path());
    p.start(VKR3X_EXE, {"status", "--watch", "--json", "--device", pfad});
    QByteArray aus;
    while (aus.count("status_kompatibility_mode") < 3 && p.waitForReadyRead(5000))
        aus += p.readAllStandardOutput();
    ASSERT_GE(aus.count("status_kompatibility_mode"), 3) << aus.toStdString();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
}

// --trace writes the exchanges as the line monitor's CSV; the failing one with its code.
TEST_F(Geraetebefehle, TraceWritesEveryExchangeOfTheCommand) {
    sim.addFault({0, "C2R", vkr3xsim::FaultKind::Nak, 1});
    const Lauf l = Starten({"get", "strom1", "strom2", "--lang", "en", "--trace", "spur.csv"});
    EXPECT_EQ(l.exitCode, 2);
    QFile datei(verzeichnis.filePath("spur.csv"));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QList<QByteArray> zeilen = datei.readAll().split('\n');
    ASSERT_EQ(zeilen.size(), 4) << "header, two exchanges, the empty rest";
    EXPECT_EQ(zeilen[0], "time,address,sent,received,sent_hex,received_hex,meaning,outcome,code");
    EXPECT_TRUE(zeilen[1].endsWith(",1,#1C1R<CR>,<ACK>#1C1R0.750<CR>,23 31 43 31 52 0D,"
                                   "06 23 31 43 31 52 30 2E 37 35 30 0D,strom1 read,Answer 0.750,0"))
        << zeilen[1].toStdString();
    EXPECT_TRUE(zeilen[2].endsWith(",1,#1C2R<CR>,<NAK>,23 31 43 32 52 0D,15,strom2 read,"
                                   "NAK: -402099 Errormessage (NAK) received from device,-402099"))
        << zeilen[2].toStdString();

    const Lauf kaputt = Starten({"id", "--trace", verzeichnis.filePath("fehlt/spur.csv")});
    EXPECT_EQ(kaputt.exitCode, 2);
    EXPECT_NE(kaputt.fehler.find("trace file"), std::string::npos) << kaputt.fehler;
}

// Careless scripts: an empty device or port variable, a time-out that is no number of seconds.
// Each is refused before the line is touched, even with another device configured for COM 1.
TEST_F(Geraetebefehle, EmptyDevicesAndTimeOutsThatAreNoTimeAreRefusedBeforeAnythingOpens) {
    const struct {
        QStringList args;
        const char* com1; // VKR3X_COM1, null: the line
        std::string meldung;
    } faelle[] = {
        {{"set", "strom1", "1", "--device", ""}, nullptr, "--device is empty"},
        {{"id", "--device", " "}, nullptr, "--device is empty"},
        {{"id", "--port", "1"}, "", "VKR3X_COM1 is set but empty"},
        {{"id", "--port", "1"}, "  ", "VKR3X_COM1 is set but empty"},
        {{"id", "--port", "1", "--timeout", "nan"}, nullptr, "--timeout takes"},
        {{"id", "--port", "1", "--timeout", "-1"}, nullptr, "--timeout takes"},
        {{"id", "--port", "1", "--timeout", "0"}, nullptr, "--timeout takes"},
        {{"id", "--port", "1", "--timeout", "inf"}, nullptr, "--timeout takes"},
    };
    for (const auto& f : faelle) {
        umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("VKR3X_COM1", f.com1 ? f.com1 : pfad);
        sim.clearFrames();
        const Lauf l = Starten(f.args, false);
        const std::string was = f.args.join(' ').toStdString();
        EXPECT_EQ(l.exitCode, 2) << was;
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << was << ": " << l.fehler;
        EXPECT_EQ(sim.frames(), Rahmen{}) << was;
    }
}

// Output that cannot be written (a full disk) is a failure like any other, with its reason.
TEST_F(Geraetebefehle, OutputThatCannotBeWrittenExitsWithTwo) {
    QFile vkr(verzeichnis.filePath("a.vkr")), arbeit(verzeichnis.filePath("b.vkr"));
    ASSERT_EQ(Starten({"read", "--all", "-o", vkr.fileName()}).exitCode, 0);
    ASSERT_EQ(Starten({"read", "--program", "0", "-o", arbeit.fileName()}).exitCode, 0);
    ASSERT_EQ(Starten({"diff", vkr.fileName(), arbeit.fileName()}, false).exitCode, 1);
    ausgabe = "/dev/full";
    const QStringList faelle[] = {{"get", "strom1"},
                                  {"status"},
                                  {"id"},
                                  {"scan", "--json"},
                                  {"show", vkr.fileName()},
                                  {"diff", vkr.fileName(), arbeit.fileName()},
                                  {"export", vkr.fileName()}};
    for (const QStringList& args : faelle) {
        const bool geraet = args[0] != "show" && args[0] != "diff" && args[0] != "export";
        const Lauf l = Starten(args, geraet);
        EXPECT_EQ(l.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(l.fehler.find("(3013"), std::string::npos) << l.fehler;
        EXPECT_NE(l.fehler.find("No space left on device"), std::string::npos)
            << args.join(' ').toStdString() << ": " << l.fehler;
    }
}

class Adressabfrage : public CliTest {
  protected:
    void GeraeteAnschliessen() override {
        sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
        sim.addDevice('5', vkr3xsim::DeviceKind::Foreign);
    }
};

TEST_F(Adressabfrage, AsksEveryAddressAndShowsAnswerOrSilence) {
    sim.setIdentity('5', "OTHER-DEVICE");
    const Lauf l = Starten({"scan"});
    EXPECT_EQ(l.exitCode, 0) << l.fehler;
    EXPECT_EQ(l.aus, "1 -\n2 ZEM-VKR3AX2aV1.07\n3 -\n4 -\n5 OTHER-DEVICE\n6 -\n7 -\n8 -\n");
    EXPECT_EQ(sim.frames(), (Rahmen{"#1IDR\r", "#2IDR\r", "#3IDR\r", "#4IDR\r", "#5IDR\r", "#6IDR\r",
                                    "#7IDR\r", "#8IDR\r"}));
    const Lauf j = Starten({"scan", "--json"});
    EXPECT_NE(j.aus.find("{\"address\": \"2\", \"identity\": \"ZEM-VKR3AX2aV1.07\"}, {\"address\": \"3\", "
                         "\"identity\": null}"),
              std::string::npos)
        << j.aus;

    // Whatever a device calls itself, the JSON stays valid and carries its bytes as Latin-1.
    for (const std::string kennung : {"A\"B\\C", "\x01\x7F\x1Fx", "\xE4\xFF\x80", "{\"a\":1}"}) {
        sim.setIdentity('5', kennung);
        const Lauf h = Starten({"scan", "--json"});
        QJsonParseError fehler;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(h.aus), &fehler);
        ASSERT_EQ(fehler.error, QJsonParseError::NoError) << h.aus;
        EXPECT_EQ(doc.array()[4].toObject().value("identity").toString(),
                  QString::fromLatin1(kennung.data(), static_cast<qsizetype>(kennung.size())))
            << h.aus;
    }
}

} // namespace
