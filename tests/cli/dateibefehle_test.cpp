// Program files without a regulator: export and import without loss, diff, show.

#include "tests/cli/cli_fixture.h"

#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <unistd.h>

namespace {

QByteArray Lesen(const std::string& pfad) {
    QFile f(QString::fromStdString(pfad));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Schreiben(const std::string& pfad, const QByteArray& bytes) {
    QFile f(QString::fromStdString(pfad));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The defaults, written by the program's own file code.
void VorgabedateiSchreiben(const std::string& pfad) {
    ParameterStrukturInitialisieren();
    ASSERT_EQ(ProgrammdateiSchreiben(pfad.c_str()), 0);
}

class Dateibefehle : public CliTest {};

TEST_F(Dateibefehle, ImportOfAnExportGivesBackTheSameBytes) {
    VorgabedateiSchreiben(Datei("vorgabe.vkr"));

    // Every byte after the header text random: padding, reserved words, reals that JSON cannot
    // carry as numbers (NaN, infinities, -0, subnormals) and a selection no set has.
    std::mt19937 zufall(12);
    QByteArray bytes = Lesen(Datei("vorgabe.vkr"));
    for (int i = std::strlen(PROGRAMMDATEI_KOPF) + 1; i < PROGRAMMDATEI_BYTES; ++i)
        if (i < PROGRAMMDATEI_VERSION_OFFSET || i >= PROGRAMMDATEI_VERSION_OFFSET + 4)
            bytes[i] = char(zufall());
    const double besondere[] = {std::nan(""),
                                -0.0,
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::denorm_min(),
                                0.1 + 0.2,
                                DITHERSTROM_TABELLE};
    for (int i = 0; i < 6; ++i)
        std::memcpy(bytes.data() + PROGRAMMDATEI_SAETZE_OFFSET + 8 + i * 376, &besondere[i], sizeof(double));
    Schreiben(Datei("bearbeitet.vkr"), bytes);

    for (const char* name : {"vorgabe", "bearbeitet"}) {
        const std::string vkr = Datei((std::string(name) + ".vkr").c_str());
        const Lauf ex = Starten({"export", QString::fromStdString(vkr)}, false);
        ASSERT_EQ(ex.exitCode, 0) << name << ex.fehler;
        Schreiben(Datei("export.json"), QByteArray::fromStdString(ex.aus));
        const Lauf im = Starten({"import", QString::fromStdString(Datei("export.json")), "-o",
                                 QString::fromStdString(Datei("zurueck.vkr"))},
                                false);
        ASSERT_EQ(im.exitCode, 0) << name << im.fehler;
        EXPECT_EQ(Lesen(Datei("zurueck.vkr")), Lesen(vkr)) << name;
    }
}

TEST_F(Dateibefehle, ImportRefusesJsonThatIsNotAnExport) {
    VorgabedateiSchreiben(Datei("a.vkr"));
    const std::string json = Starten({"export", QString::fromStdString(Datei("a.vkr"))}, false).aus;
    std::string ohneFeld = json;
    ohneFeld.erase(ohneFeld.find("\"zeit2\""), std::strlen("\"zeit2\": 1000,"));
    const struct {
        std::string text;
        std::string meldung;
    } faelle[] = {
        {"{ kein json", "(312302)"},
        {ohneFeld, "(312303)"},
        {std::string(json).replace(json.find("\"version\": 1"), 12, "\"version\": 2"), "version"},
        {std::string(json).replace(json.find("\"header_rest\": \"\""), 17, "\"header_rest\": \"zz\""),
         "header_rest"},
    };
    for (const auto& f : faelle) {
        Schreiben(Datei("x.json"), QByteArray::fromStdString(f.text));
        const Lauf l = Starten(
            {"import", QString::fromStdString(Datei("x.json")), "-o", QString::fromStdString(Datei("x.vkr"))},
            false);
        EXPECT_EQ(l.exitCode, 2);
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
        EXPECT_TRUE(Lesen(Datei("x.vkr")).isEmpty());
    }
    EXPECT_NE(Starten({"import", "fehlt.json", "-o", "x.vkr"}, false).fehler.find("(308301)"),
              std::string::npos);
}

// import -o writes as the program's Save does: what Save refuses (a folder, a write-protected
// file) is refused, and a name that is not UTF-8 is used byte for byte.
TEST_F(Dateibefehle, ImportWritesWhereSaveWouldAndUnderTheNameGiven) {
    VorgabedateiSchreiben(Datei("a.vkr"));
    Schreiben(Datei("a.json"), QByteArray::fromStdString(Starten({"export", "a.vkr"}, false).aus));
    ASSERT_TRUE(QDir(verzeichnis.path()).mkdir("ordner.vkr"));
    EXPECT_NE(Starten({"import", "a.json", "-o", "ordner.vkr"}, false).fehler.find("(301101)"),
              std::string::npos);
    if (::geteuid() != 0) { // the system lets root write anyway
        Schreiben(Datei("geschuetzt.vkr"), "alt");
        QFile(QString::fromStdString(Datei("geschuetzt.vkr"))).setPermissions(QFile::ReadOwner);
        EXPECT_NE(Starten({"import", "a.json", "-o", "geschuetzt.vkr"}, false).fehler.find("(301101)"),
                  std::string::npos);
        EXPECT_EQ(Lesen(Datei("geschuetzt.vkr")), "alt");
    }
    // Latin-1 bytes in the name, as an old script or file system gives them.
    QProcess p;
    p.setWorkingDirectory(verzeichnis.path());
    p.start("/bin/sh", {"-c",
                        "\"$0\" import a.json -o \"$(printf 'b\\344.vkr')\" && \"$0\" show \"$(printf "
                        "'b\\344.vkr')\" >/dev/null",
                        VKR3X_EXE});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::ifstream latin1(verzeichnis.path().toStdString() + "/b\xE4.vkr", std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(latin1)), std::istreambuf_iterator<char>());
    EXPECT_EQ(QByteArray::fromStdString(inhalt), Lesen(Datei("a.vkr")));
}

TEST_F(Dateibefehle, DiffListsTheFieldsThatDifferSetBySet) {
    ParameterStrukturInitialisieren();
    ASSERT_EQ(ProgrammdateiSchreiben(Datei("a.vkr").c_str()), 0);
    gPar[3].strom1 = 0.75;
    gPar[3].zeit1 = 250.0;
    gPar[16].dithertyp = 2;
    ASSERT_EQ(ProgrammdateiSchreiben(Datei("b.vkr").c_str()), 0);

    const Lauf l = Starten(
        {"diff", QString::fromStdString(Datei("a.vkr")), QString::fromStdString(Datei("b.vkr"))}, false);
    EXPECT_EQ(l.exitCode, 1);
    EXPECT_EQ(l.aus, "set 3:\n  strom1: 0.1 -> 0.75\n  zeit1: 1000 -> 250\nset 16:\n  dithertyp: 0 -> 2\n");
    const Lauf gleich = Starten(
        {"diff", QString::fromStdString(Datei("a.vkr")), QString::fromStdString(Datei("a.vkr"))}, false);
    EXPECT_EQ(gleich.exitCode, 0);
    EXPECT_EQ(gleich.aus, "");
}

TEST_F(Dateibefehle, ShowMarksTheSelectedSetAndRefusesBrokenFiles) {
    ParameterStrukturInitialisieren();
    gParIndex = 3;
    gPar[3].strom1 = 2.5;
    ASSERT_EQ(ProgrammdateiSchreiben(Datei("a.vkr").c_str()), 0);
    const Lauf l = Starten({"show", QString::fromStdString(Datei("a.vkr"))}, false);
    EXPECT_EQ(l.exitCode, 0);
    EXPECT_NE(l.aus.find("selected set 3 (program 3)"), std::string::npos);
    EXPECT_NE(l.aus.find("P3*"), std::string::npos);
    EXPECT_NE(l.aus.find("strom1                         0.1     0.1     0.1     2.5"), std::string::npos)
        << l.aus;

    Schreiben(Datei("kurz.vkr"), Lesen(Datei("a.vkr")).left(PROGRAMMDATEI_BYTES - 1));
    const struct {
        const char* datei;
        const char* meldung;
    } faelle[] = {{"fehlt.vkr", "(308104)"}, {"kurz.vkr", "Fehler beim Lesen der Datei (304105)"}};
    for (const auto& f : faelle)
        for (const char* befehl : {"show", "export"}) {
            const Lauf k = Starten({befehl, QString::fromStdString(Datei(f.datei))}, false);
            EXPECT_EQ(k.exitCode, 2) << befehl << f.datei;
            EXPECT_NE(k.fehler.find(f.meldung), std::string::npos) << k.fehler;
        }
}

} // namespace
