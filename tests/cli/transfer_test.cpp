// read and write move the same sets with the same frames and copying rules as the panel's
// transfer, whose core they share: checked against that core run in this process on the same
// line.

#include "tests/cli/cli_fixture.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/programmsaetze.h"
#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <QFile>

#include <cstring>

namespace {

using Rahmen = std::vector<std::string>;

QByteArray Lesen(const std::string& pfad) {
    QFile f(QString::fromStdString(pfad));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Abbild() {
    const Programmabbild a = ProgrammabbildErstellen();
    return QByteArray(reinterpret_cast<const char*>(a.data()), a.size());
}

class Transfer : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        // Distinct steps show that every set keeps its own.
        ParameterStrukturInitialisieren();
        for (int n = 0; n < PARAMETERSAETZE; ++n)
            gPar[n].strom_step = 0.001 * (n + 1);
        gPar[5].strom1 = 4.5;
        gParIndex = 5;
        ASSERT_EQ(ProgrammdateiSchreiben(Datei("vorher.vkr").c_str()), 0);
    }
    void TearDown() override {
        if (gCom.portOffen != -1) ZEMVKR3X_Close(gCom.portOffen);
        gCom.portOffen = -1;
        qunsetenv("VKR3X_COM1");
        CliTest::TearDown();
    }

    // The shared core in this process on the same line, starting from the same file.
    void ImProzess(int (*op)(int, int, Fortschrittsmelder, void*), int erster, int letzter) {
        ASSERT_EQ(ProgrammdateiLesen(Datei("vorher.vkr").c_str()), 0);
        qputenv("VKR3X_COM1", pfad.toLocal8Bit());
        gCom.port = 1;
        gCom.adresse = '1';
        ASSERT_EQ(ComPortOeffnen(), 0);
        ASSERT_EQ(op(erster, letzter, nullptr, nullptr), 0);
    }
};

TEST_F(Transfer, ReadMatchesThePanelsTransfer) {
    const struct {
        QStringList auswahl;
        int erster, letzter;
        const char* ersterRahmen;
        size_t rahmen;
    } faelle[] = {
        {{"--all"}, 1, 16, "#1PNS1\r", 16 * 48},
        {{"--program", "0"}, 0, 0, "#1WFR\r", 47},
        {{"--program", "3"}, 3, 3, "#1PNS3\r", 48},
    };
    for (const auto& f : faelle) {
        QFile::remove(QString::fromStdString(Datei("gelesen.vkr")));
        QFile::copy(QString::fromStdString(Datei("vorher.vkr")),
                    QString::fromStdString(Datei("gelesen.vkr")));
        sim.clearFrames();
        const Lauf l =
            Starten(QStringList{"read", "-o", QString::fromStdString(Datei("gelesen.vkr"))} + f.auswahl);
        const std::string was = f.auswahl.join(' ').toStdString();
        ASSERT_EQ(l.exitCode, 0) << was << l.fehler;
        EXPECT_EQ(l.fehler, "") << was; // no progress bar when no one watches
        const Rahmen cli = sim.frames();
        ASSERT_EQ(cli.size(), f.rahmen) << was;
        EXPECT_EQ(cli.front(), f.ersterRahmen) << was;

        sim.clearFrames();
        ImProzess(ProgrammsaetzeLesen, f.erster, f.letzter);
        ZEMVKR3X_Close(gCom.portOffen);
        gCom.portOffen = -1;
        EXPECT_EQ(sim.frames(), cli) << was;
        EXPECT_EQ(Lesen(Datei("gelesen.vkr")), Abbild()) << was;
    }
    // After reading program 3 the file holds it twice, as program 3 and as the working set, each
    // with the step it had; the sets not read are as they were.
    ASSERT_EQ(ProgrammdateiLesen(Datei("gelesen.vkr").c_str()), 0);
    EXPECT_EQ(gPar[3].strom1, sim.programValue('1', 3, "strom1"));
    EXPECT_EQ(gPar[0].strom1, gPar[3].strom1);
    EXPECT_EQ(gPar[3].strom_step, 0.004);
    EXPECT_EQ(gPar[0].strom_step, 0.001);
    EXPECT_EQ(gPar[5].strom1, 4.5);
    EXPECT_EQ(gParIndex, 5);
}

TEST_F(Transfer, WriteMatchesThePanelsTransfer) {
    sim.clearFrames();
    const Lauf l = Starten({"write", QString::fromStdString(Datei("vorher.vkr")), "--all"});
    ASSERT_EQ(l.exitCode, 0) << l.fehler;
    const Rahmen cli = sim.frames();
    ASSERT_EQ(cli.size(), 16u * 47);
    EXPECT_EQ(cli.back(), "#1PNP16\r");
    EXPECT_EQ(sim.programValue('1', 5, "strom1"), 4.5);

    sim.clearFrames();
    ImProzess(ProgrammsaetzeSchreiben, 1, 16);
    EXPECT_EQ(sim.frames(), cli);
}

TEST_F(Transfer, FailuresAndUsageErrorsEndWithTheirMessages) {
    sim.addFault({'1', "PNS", vkr3xsim::FaultKind::Silence, -1, 0, 0});
    const std::string gelesen = Datei("gelesen.vkr");
    const struct {
        QStringList args;
        bool mitLeitung;
        const char* meldung;
    } faelle[] = {
        {{"read", "--all", "-o", QString::fromStdString(gelesen)}, true, "Keine Antwort vom Gerät (403053)"},
        {{"read", "--all", "-o", QString::fromStdString(gelesen)}, false, "(122201)"},
        {{"write", QString::fromStdString(Datei("vorher.vkr")), "--all"}, false, "(122201)"},
        {{"write", QString::fromStdString(Datei("fehlt.vkr")), "--all"}, true, "(308104)"},
        {{"read", "--program", "17", "-o", QString::fromStdString(gelesen)}, true, "--program takes 0..16"},
        {{"read", "--all"}, true, "read needs -o FILE.vkr"},
        {{"write", QString::fromStdString(Datei("vorher.vkr"))}, true, "give either --program N or --all"},
    };
    for (const auto& f : faelle) {
        const Lauf l = Starten(f.args, f.mitLeitung);
        EXPECT_EQ(l.exitCode, 2) << f.args.join(' ').toStdString();
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
    }
    // A failed read leaves no file behind.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(gelesen)));
}

} // namespace
