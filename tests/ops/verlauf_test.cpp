// The trend of the live values and its recording, fed by the queries the user runs on the panel:
// points and status-change markers in the chart, CSV lines as they are written, and recordings
// that cannot start or stop writing half-way.
#include "app/callbacks_verlauf.h"
#include "ops/aufzeichnung.h"
#include "platform/popup_hook.h"
#include "fenster/trend.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <regex>
#include <sys/resource.h>

namespace {

class Verlauf : public Geraetepanel {
  protected:
    void SetUp() override {
        Geraetepanel::SetUp();
        ASSERT_TRUE(ordner.isValid());
        Verbinden();
        QAction* punkt = MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_ANSICHT_VERLAUF);
        ASSERT_NE(punkt, nullptr);
        punkt->trigger(); // View/Trend, as the user opens it
        ASSERT_TRUE(TrendFensterVorhanden());
    }
    // The record button with the given file chosen in its dialog.
    static void AufzeichnenIn(const std::string& pfad) {
        PopupHook_Queue({VAL_NEW_FILE_SELECTED, pfad});
        VerlaufAufzeichnenUmschalten();
    }
    static std::vector<std::string> Zeilen(const std::string& pfad) {
        QFile f(QString::fromStdString(pfad));
        if (!f.open(QIODevice::ReadOnly)) return {};
        std::vector<std::string> zeilen;
        for (const QByteArray& z : f.readAll().split('\n'))
            if (!z.isEmpty()) zeilen.push_back(z.toStdString());
        return zeilen;
    }
    std::string Pfad(const char* name) const { return (ordner.path() + "/" + name).toStdString(); }
    QTemporaryDir ordner;
};

TEST_F(Verlauf, AContinuousQueryDrawsMarksAndRecordsEveryStatusChange) {
    const std::string csv = Pfad("verlauf.csv");
    AufzeichnenIn(csv);
    ASSERT_TRUE(AufzeichnungLaeuft());
    const int woerter[] = {0x0100, 0x0900, 0x0800};
    sim.setStatusWord('1', woerter[0]);
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    for (int i = 0; i < 3; ++i) {
        sim.setStatusWord('1', woerter[i]);
        const int bis = AufzeichnungZeilen() + 3; // the tick under way may still read the old word
        ASSERT_TRUE(QTest::qWaitFor([bis] { return AufzeichnungZeilen() >= bis; }, 4000)) << i;
    }
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    VerlaufAufzeichnenUmschalten(); // ends the recording
    ASSERT_FALSE(AufzeichnungLaeuft());
    EXPECT_EQ(Fehler().nummer, 0);

    const TrendInhalt inhalt = TrendInhaltLesen();
    const std::vector<std::string> marken = {"Prozess wurde gestartet", "Prozess wurde abgeschlossen",
                                             "Ende: Prozess wurde gestartet"};
    EXPECT_EQ(inhalt.marken, marken);
    EXPECT_EQ(inhalt.knopfText, "Aufzeichnen …");

    const std::vector<std::string> zeilen = Zeilen(csv);
    ASSERT_EQ(static_cast<int>(zeilen.size()), AufzeichnungZeilen() + 1);
    EXPECT_EQ(zeilen[0], "time,current_A,voltage_V,status,active_current,compatibility_mode");
    EXPECT_EQ(static_cast<int>(zeilen.size()) - 1, inhalt.punkte) << "one chart point per line";
    const std::regex form(
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,-?\d+\.\d{3},-?\d+\.\d,0x([0-9A-F]{4}),[12],[01])");
    std::vector<std::string> folge; // the status words in the order they were recorded
    for (size_t i = 1; i < zeilen.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(zeilen[i], m, form)) << zeilen[i];
        if (folge.empty() || folge.back() != m[1]) folge.push_back(m[1]);
    }
    EXPECT_EQ(folge, (std::vector<std::string>{"0100", "0900", "0800"}));
}

TEST_F(Verlauf, PauseHoldsTheViewAndTheSpanSetsItsWidth) {
    for (int span : TREND_SPANNEN) {
        TrendSpanneSetzen(span);
        Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
        const TrendInhalt a = TrendInhaltLesen();
        EXPECT_NEAR(a.sichtBisMs - a.sichtVonMs, span * 1000.0, 1.0);
    }
    TrendPauseSetzen(true);
    const TrendInhalt vorher = TrendInhaltLesen();
    QTest::qWait(20);
    Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
    const TrendInhalt pausiert = TrendInhaltLesen();
    EXPECT_EQ(pausiert.sichtBisMs, vorher.sichtBisMs) << "the view stands still";
    EXPECT_EQ(pausiert.punkte, vorher.punkte + 1) << "the points still arrive";
    TrendPauseSetzen(false);
    EXPECT_GT(TrendInhaltLesen().sichtBisMs, vorher.sichtBisMs) << "resumed at the newest point";
}

TEST_F(Verlauf, StatusChangesAreNamedInTheRunsLanguage) {
    const struct {
        int sprache, alt, neu;
        const char* text;
    } faelle[] = {
        {SPRACHE_DEUTSCH, 0x0000, 0x2001, "Innentemperatur zu hoch, Prozess wurde abgebrochen"},
        {SPRACHE_DEUTSCH, 0x0100, 0x0800, "Prozess wurde abgeschlossen; Ende: Prozess wurde gestartet"},
        {SPRACHE_ENGLISCH, 0x0008, 0x0010, "Voltage out of tolerance; ended: Invalid calibration"},
        {SPRACHE_DEUTSCH, 0x0100, 0x0104, ""}, // bit 2 is not shown anywhere
    };
    for (const auto& f : faelle) {
        gSprache = f.sprache;
        EXPECT_EQ(StatuswechselText(f.alt, f.neu), f.text) << std::hex << f.alt << " -> " << f.neu;
    }
    gSprache = SPRACHE_DEUTSCH;
}

TEST_F(Verlauf, ARecordingThatCannotWriteSaysSoAndKeepsEveryEarlierLine) {
    ASSERT_TRUE(QDir(ordner.path()).mkdir("ordner.csv"));
    const struct {
        const char* name;
        std::string pfad;
        int zeilenVorDemFehler; // -1: the file cannot even be created
    } faelle[] = {
        {"missing folder", Pfad("fehlt/verlauf.csv"), -1},
        {"a folder in place of the file", Pfad("ordner.csv"), -1},
        {"file size limit reached", Pfad("voll.csv"), 2},
    };
    std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        AufzeichnenIn(f.pfad);
        if (f.zeilenVorDemFehler < 0) {
            EXPECT_FALSE(AufzeichnungLaeuft());
            EXPECT_NE(TrendInhaltLesen().aufzeichnungText.find("Aufzeichnung nicht gestartet: " + f.pfad),
                      std::string::npos)
                << TrendInhaltLesen().aufzeichnungText;
            continue;
        }
        for (int i = 0; i < f.zeilenVorDemFehler; ++i)
            Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
        const qint64 groesse = QFileInfo(QString::fromStdString(f.pfad)).size();
        rlimit vorher{};
        getrlimit(RLIMIT_FSIZE, &vorher);
        rlimit grenze = vorher;
        grenze.rlim_cur = static_cast<rlim_t>(groesse + 10); // room for a part of the next line only
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &grenze), 0);
        Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
        setrlimit(RLIMIT_FSIZE, &vorher);

        EXPECT_FALSE(AufzeichnungLaeuft());
        const TrendInhalt inhalt = TrendInhaltLesen();
        EXPECT_NE(inhalt.aufzeichnungText.find("Aufzeichnung abgebrochen: " + f.pfad), std::string::npos);
        EXPECT_NE(inhalt.aufzeichnungText.find("Die 2 Zeilen davor sind gespeichert."), std::string::npos);
        EXPECT_EQ(inhalt.knopfText, "Aufzeichnen …");
        EXPECT_EQ(QFileInfo(QString::fromStdString(f.pfad)).size(), groesse) << "no half line left behind";
        EXPECT_EQ(Zeilen(f.pfad).size(), 3u);
        EXPECT_EQ(Fehler().nummer, 0) << "the query itself succeeded";
        Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
        EXPECT_EQ(Zeilen(f.pfad).size(), 3u) << "nothing is written once the recording stopped";
    }
    std::signal(SIGXFSZ, SIG_DFL);
}

} // namespace
