// The station against four simulated regulators on three lines (two at addresses 1 and 3 on
// one line): what each line carries, what the regulators then hold, the operator's lines and
// the report, a target failing while the others finish, and a run stopped by Ctrl+C.

#include "tests/cli/cli_fixture.h"

#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <csignal>

namespace {

using vkr3xsim::DeviceKind;
using vkr3xsim::FaultKind;
using Rahmen = std::vector<std::string>;

class Station : public CliTest {
  protected:
    // Line A: two regulators; lines B and C one each, C an older version a.
    void GeraeteAnschliessen() override {
        sim.addDevice('1', DeviceKind::VersionB);
        sim.addDevice('3', DeviceKind::VersionB);
        b.addDevice('1', DeviceKind::VersionB);
        c.addDevice('2', DeviceKind::VersionA);
    }
    void SetUp() override {
        CliTest::SetUp();
        for (auto [s, p] : {std::pair{&b, &pfadB}, std::pair{&c, &pfadC}}) {
            *p = QString::fromStdString(s->open());
            ASSERT_FALSE(p->isEmpty());
            s->start();
        }
        // Every program distinct, so a program stored in the wrong place shows.
        ParameterStrukturInitialisieren();
        for (int n = 1; n < PARAMETERSAETZE; ++n) {
            gPar[n].strom1 = 0.1 * n;
            gPar[n].zeit1 = 100.0 + n;
        }
        ASSERT_EQ(ProgrammdateiSchreiben(Datei("linie.vkr").c_str()), 0);
    }
    void TearDown() override {
        b.stop();
        c.stop();
        CliTest::TearDown();
    }

    QStringList Ziele() const {
        return {"--target", pfad + ":1,3", "--target", pfadB, "--target", pfadC + ":2"};
    }

    QJsonObject Bericht() const {
        QFile f(verzeichnis.filePath("bericht.json"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    // The frames of the regulator at address 1 on line B, as sent to adresse.
    static Rahmen MitAdresse(Rahmen rahmen, char adresse) {
        for (std::string& r : rahmen)
            r[1] = adresse;
        return rahmen;
    }

    vkr3xsim::Simulator b, c;
    QString pfadB, pfadC;
};

QStringList Schritte(const QJsonObject& ziel) {
    QStringList namen;
    for (const QJsonValue& s : ziel["steps"].toArray())
        namen << s.toObject()["step"].toString();
    return namen;
}

TEST_F(Station, EveryTargetIsWrittenVerifiedAndReported) {
    const Lauf l =
        Starten(QStringList{"station", "linie.vkr", "--programs", "1,7,16", "--load", "7", "--backup",
                            "sicherung", "--report", "bericht.json", "--timeout", "0.2"} +
                    Ziele(),
                false);
    ASSERT_EQ(l.exitCode, 0) << l.aus << l.fehler;

    // Identity, backup (identity and three program reads), three program writes, their verify,
    // the load: the same frames for every regulator, and on the shared line one regulator after
    // the other.
    const Rahmen einer = b.frames();
    ASSERT_EQ(einer.size(), 1u + (1 + 3 * 48) + 3 * 47 + 3 * 48 + 1);
    EXPECT_EQ(einer.front(), "#1IDR\r");
    EXPECT_EQ(einer.back(), "#1PNS7\r");
    Rahmen geteilt = einer;
    const Rahmen dritter = MitAdresse(einer, '3');
    geteilt.insert(geteilt.end(), dritter.begin(), dritter.end());
    EXPECT_EQ(sim.frames(), geteilt);
    EXPECT_EQ(c.frames(), MitAdresse(einer, '2'));

    for (auto [s, adresse] :
         {std::pair{&sim, '1'}, std::pair{&sim, '3'}, std::pair{&b, '1'}, std::pair{&c, '2'}}) {
        for (int n : {1, 7, 16})
            EXPECT_DOUBLE_EQ(s->programValue(adresse, n, "zeit1"), 100.0 + n) << adresse << n;
        EXPECT_DOUBLE_EQ(s->value(adresse, "strom1"), 0.7) << "program 7 loaded at " << adresse;
    }
    EXPECT_EQ(QDir(verzeichnis.filePath("sicherung")).entryList({"*.vkr"}).size(), 4);

    const QJsonObject bericht = Bericht();
    EXPECT_TRUE(bericht["ok"].toBool());
    EXPECT_EQ(bericht["programs"].toArray(), (QJsonArray{1, 7, 16}));
    const QJsonArray ziele = bericht["targets"].toArray();
    ASSERT_EQ(ziele.size(), 4);
    const std::pair<QString, QString> erwartet[] = {{pfad, "1"}, {pfad, "3"}, {pfadB, "1"}, {pfadC, "2"}};
    for (int i = 0; i < 4; ++i) {
        const QJsonObject z = ziele[i].toObject();
        EXPECT_EQ(z["target"].toString(), erwartet[i].first);
        EXPECT_EQ(z["address"].toString(), erwartet[i].second);
        EXPECT_TRUE(z["identity"].toString().startsWith(i == 3 ? "ZEM-VKR3AX2a" : "ZEM-VKR3AX2b"));
        EXPECT_TRUE(z["ok"].toBool());
        EXPECT_EQ(Schritte(z), (QStringList{"identity", "backup", "write", "verify", "load"}));
        EXPECT_FALSE(z.contains("differences"));
    }
    // One line per target and the summary.
    EXPECT_EQ(std::count(l.aus.begin(), l.aus.end(), '\n'), 5) << l.aus;
    EXPECT_NE(l.aus.find("station: 4 targets, 4 ok, 0 failed"), std::string::npos) << l.aus;
}

TEST_F(Station, AFailingTargetIsReportedWhileTheOthersFinish) {
    // B falls silent inside the write of program 2; C does not keep strom1; D does not exist.
    b.silenceAfterFrames(1 + 47 + 5);
    c.addFault({'2', "C1W", FaultKind::StoreOther, -1, 0, 0, 0.25});
    const Lauf l =
        Starten(QStringList{"station", "linie.vkr", "--programs", "1,2", "--report", "bericht.json", "--lang",
                            "en", "--timeout", "0.2", "--target", "/dev/vkr3x-fehlt"} +
                    Ziele(),
                false);
    EXPECT_EQ(l.exitCode, 2) << l.aus << l.fehler;

    const QJsonArray ziele = Bericht()["targets"].toArray();
    ASSERT_EQ(ziele.size(), 5);
    const struct {
        int ziel;
        bool ok;
        QStringList schritte;
        int code;          // of the last step
        QJsonArray fertig; // the programs the last step did
        const char* zeile; // in the operator's line
    } faelle[] = {
        {0, false, {"open"}, -100003, {}, "open: Error opening com-port: /dev/vkr3x-fehlt: "},
        {1, true, {"identity", "write", "verify"}, 0, {1, 2}, " ok "},
        {2, true, {"identity", "write", "verify"}, 0, {1, 2}, " ok "},
        {3, false, {"identity", "write"}, -403053, {1}, "write: No answer from device (403053); written: 1"},
        {4,
         false,
         {"identity", "write", "verify"},
         -505702,
         {},
         "verify: Data not correct (505702); program 1 "
         "strom1 written 0.100, device 0.250 (1 more"},
    };
    for (const auto& f : faelle) {
        const QJsonObject z = ziele[f.ziel].toObject();
        EXPECT_EQ(z["ok"].toBool(), f.ok) << f.ziel;
        EXPECT_EQ(Schritte(z), f.schritte) << f.ziel;
        const QJsonObject letzter = z["steps"].toArray().last().toObject();
        EXPECT_EQ(letzter["code"].toInt(), f.code) << f.ziel;
        if (letzter.contains("programs")) {
            EXPECT_EQ(letzter["programs"].toArray(), f.fertig) << f.ziel;
        }
        EXPECT_NE(l.aus.find(f.zeile), std::string::npos) << f.ziel << "\n" << l.aus;
    }
    // The verify names every field the regulator did not keep.
    const QJsonArray unterschiede = ziele[4].toObject()["differences"].toArray();
    ASSERT_EQ(unterschiede.size(), 2);
    QJsonObject zweiter = unterschiede[1].toObject();
    EXPECT_TRUE(zweiter.take("neededInCurve").isBool());
    EXPECT_EQ(zweiter,
              (QJsonObject{{"program", 2}, {"name", "strom1"}, {"written", "0.200"}, {"device", "0.250"}}));
}

TEST_F(Station, CtrlCStopsAfterTheCurrentExchangeAndReportsWhatWasDone) {
    for (auto* s : {&sim, &b})
        s->setBaudRate(2400); // slow enough to be stopped half way
    QProcess p;
    p.setWorkingDirectory(verzeichnis.path());
    p.start(VKR3X_EXE, {"station", "linie.vkr", "--report", "bericht.json", "--target", pfad + ":1,3",
                        "--target", pfadB, "--timeout", "0.5"});
    ASSERT_TRUE(b.waitForFrames(1 + 47 + 10, 60000));
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 130);
    const std::string aus = p.readAllStandardOutput().toStdString();
    EXPECT_NE(p.readAllStandardError().indexOf("stopping after the current exchange"), -1);

    const QJsonObject bericht = Bericht();
    EXPECT_TRUE(bericht["stopped"].toBool());
    EXPECT_FALSE(bericht["ok"].toBool());
    const QJsonArray ziele = bericht["targets"].toArray();
    ASSERT_EQ(ziele.size(), 3);
    for (const QJsonValue& v : ziele) {
        const QJsonObject z = v.toObject();
        EXPECT_FALSE(z["ok"].toBool());
        EXPECT_EQ(z["steps"].toArray().last().toObject()["code"].toInt(), -4051);
    }
    // What the report calls written is in the regulator; the next program was not stored.
    const QJsonObject schreiben = ziele[2].toObject()["steps"].toArray()[1].toObject();
    ASSERT_EQ(schreiben["step"].toString(), "write");
    const QJsonArray geschrieben = schreiben["programs"].toArray();
    ASSERT_FALSE(geschrieben.isEmpty());
    for (const QJsonValue& n : geschrieben)
        EXPECT_DOUBLE_EQ(b.programValue('1', n.toInt(), "zeit1"), 100.0 + n.toInt());
    const int naechstes = geschrieben.last().toInt() + 1;
    EXPECT_NE(b.programValue('1', naechstes, "zeit1"), 100.0 + naechstes);
    // The regulator waiting on the shared line was never asked.
    EXPECT_EQ(Schritte(ziele[1].toObject()), QStringList{"identity"});
    EXPECT_EQ(std::count(aus.begin(), aus.end(), '\n'), 4) << aus;
    EXPECT_NE(aus.find("STOPPED"), std::string::npos) << aus;
}

TEST_F(Station, UsageErrorsTouchNoLine) {
    QStringList neun;
    for (int i = 0; i < 9; ++i)
        neun << "--target" << QString("/dev/vkr3x-fehlt%1").arg(i);
    const struct {
        QStringList args;
        const char* meldung;
    } faelle[] = {
        {{}, "needs at least one --target"},
        {{"--target", "9"}, "COM numbers are 1..8"},
        {{"--target", ":1"}, "names no port"},
        {{"--target", pfad + ":1", "--target", pfad + ":3,1"}, "address 1 on "},
        {neun, "more than eight different ports"},
        {{"--target", pfad, "--programs", "0"}, "--programs takes"},
        {{"--target", pfad, "--load", "17"}, "--load takes"},
        {{"--target", pfad, "--address", "&"}, "--address takes 1..8"},
        {{"--target", pfad, "--report", "fehlt/bericht.json"}, "cannot write the report"},
    };
    for (const auto& f : faelle) {
        const Lauf l = Starten(QStringList{"station", "linie.vkr"} + f.args, false);
        EXPECT_EQ(l.exitCode, 2) << f.meldung;
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
    }
    EXPECT_TRUE(sim.frames().empty());
}

} // namespace
