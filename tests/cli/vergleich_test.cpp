// compare, write --verify and write --backup against the simulated regulator: exit statuses,
// the lines naming set and field, the JSON and the backup file.

#include "tests/cli/cli_fixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using vkr3xsim::FaultKind;

class Vergleich : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        // The file holds what the regulator holds: all programs, and program 16 as the working
        // parameters, since reading them made the regulator load it.
        ASSERT_EQ(Starten({"read", "--all", "-o", "geraet.vkr"}).exitCode, 0);
    }
};

TEST_F(Vergleich, CompareExitsByWhatItFoundAndNamesEachDifferingField) {
    const struct {
        const char* fall;
        int exitCode;
        std::string aus;
    } faelle[] = {
        {"equal", 0, ""},
        {"program 3 changed", 1, "program 3  strom1: file 1.375, device 2.000\n"},
        {"silent from program 6", 2,
         "program 3  strom1: file 1.375, device 2.000\n"
         "program 6  not read: Keine Antwort vom Gerät (403053)\n"},
    };
    for (const auto& f : faelle) {
        if (f.exitCode >= 1) sim.setProgramValue('1', 3, "strom1", 2.0);
        if (f.exitCode == 2) sim.addFault({'1', "PNS6", FaultKind::Silence});
        const Lauf l = Starten({"compare", "geraet.vkr", "--lang", "de"});
        EXPECT_EQ(l.exitCode, f.exitCode) << f.fall << l.fehler;
        EXPECT_EQ(l.aus, f.aus) << f.fall;
    }
    const Lauf json = Starten({"compare", "geraet.vkr", "--json"});
    const QJsonObject wurzel = QJsonDocument::fromJson(QByteArray::fromStdString(json.aus)).object();
    EXPECT_FALSE(wurzel["equal"].toBool());
    const QJsonArray saetze = wurzel["sets"].toArray();
    ASSERT_EQ(saetze.size(), 17);
    for (int n : {6, 16})
        EXPECT_EQ(saetze[n].toObject()["status"].toString(), "not read");
    EXPECT_EQ(saetze[6].toObject()["code"].toInt(), -403053) << "reading ended there";
    EXPECT_FALSE(saetze[16].toObject().contains("code"));
    const QJsonObject feld = saetze[3].toObject()["fields"].toArray()[0].toObject();
    EXPECT_EQ(feld["name"].toString(), "strom1");
    EXPECT_EQ(feld["device"].toString(), "2.000");
    EXPECT_FALSE(feld["unsupported"].toBool());
}

TEST_F(Vergleich, WriteBacksUpWhatItReplacesAndItsVerifyNamesWhatTheRegulatorDidNotKeep) {
    sim.setProgramValue('1', 4, "strom1", 3.0);
    sim.addFault({'1', "C1W", FaultKind::StoreOther, 1, 0, 0, 0.777});
    const Lauf l =
        Starten({"write", "geraet.vkr", "--program", "4", "--verify", "--backup", "sicher", "--lang", "en"});
    EXPECT_EQ(l.exitCode, 1) << l.fehler;
    EXPECT_NE(l.aus.find("program 4  strom1: written 1.500, device 0.777 (needed in the curve)\n"),
              std::string::npos)
        << l.aus;
    EXPECT_NE(l.fehler.find("Data not correct (505702)"), std::string::npos) << l.fehler;
    const QStringList sicherungen = QDir(verzeichnis.filePath("sicher")).entryList({"*_adr1_*_P4.vkr"});
    ASSERT_EQ(sicherungen.size(), 1);
    EXPECT_EQ(l.aus.rfind("backup ", 0), 0u) << l.aus;

    // Written again without the fault the verify passes; the backup holds what was there.
    const Lauf wieder = Starten({"write", "geraet.vkr", "--program", "4", "--verify"});
    EXPECT_EQ(wieder.exitCode, 0) << wieder.fehler;
    const QString sicherung = verzeichnis.filePath("sicher/" + sicherungen[0]);
    const Lauf zurueck = Starten({"write", sicherung, "--program", "4", "--verify"});
    EXPECT_EQ(zurueck.exitCode, 0) << zurueck.fehler;
    EXPECT_DOUBLE_EQ(sim.programValue('1', 4, "strom1"), 3.0);
}

} // namespace
