// Comparing sets with a simulated regulator, verifying a write and backing up before one: what
// differs, what the regulator refuses, where reading ends, and the backup files.
#include "ops/satzvergleich.h"
#include "ops/sicherung.h"
#include "storage/programmdatei.h"
#include "storage/sicherungsdateien.h"
#include "tests/device/simulator_leitung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <string>
#include <vector>

namespace {

using vkr3xsim::FaultKind;

constexpr size_t RAHMEN_ARBEITSPARAMETER = 14 + 1 + 3 + 29; // a set read without loading
constexpr size_t RAHMEN_PROGRAMM = 1 + RAHMEN_ARBEITSPARAMETER;

const Transferfeld& Feld(const std::string& name) {
    for (const Transferfeld& f : Transferfelder())
        if (name == f.name) return f;
    ADD_FAILURE() << name;
    return Transferfelder()[0];
}

void Setzen(Parametersatz* satz, const std::string& name, double wert) {
    const Transferfeld& f = Feld(name);
    char* ziel = reinterpret_cast<char*>(satz) + f.offset;
    if (f.ganzzahl) {
        const int32_t v = static_cast<int32_t>(wert);
        std::memcpy(ziel, &v, sizeof v);
    } else {
        std::memcpy(ziel, &wert, sizeof wert);
    }
}

double Wert(const Parametersatz& satz, const Transferfeld& f) {
    const char* quelle = reinterpret_cast<const char*>(&satz) + f.offset;
    if (f.ganzzahl) {
        int32_t v;
        std::memcpy(&v, quelle, sizeof v);
        return v;
    }
    double v;
    std::memcpy(&v, quelle, sizeof v);
    return v;
}

// A version-b regulator at 1 and a version-a regulator at 2 on one line.
class Geraetevergleich : public SimulatorLeitung {
  protected:
    void SetUp() override {
        sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
        SimulatorLeitung::SetUp();
        for (Parametersatz& s : panel)
            ParametersatzVorgabe(&s);
    }
    // The panel's sets become what the regulator holds, as taking them over would make them:
    // reading loaded every program, so the regulator now works with program 16.
    void PanelVomGeraet(char adresse) {
        ASSERT_EQ(GeraetVergleichen(LEITUNG_PORT, adresse, panel, SAETZE_ALLE, nullptr, nullptr, &v), 0);
        std::memcpy(panel, v.geraet, sizeof panel);
        panel[0] = panel[16];
        sim.clearFrames();
    }
    int Vergleichen(char adresse, Satzmaske saetze = SAETZE_ALLE, Vergleichsmelder melder = nullptr,
                    void* kontext = nullptr) {
        return GeraetVergleichen(LEITUNG_PORT, adresse, panel, saetze, melder, kontext, &v);
    }

    Parametersatz panel[PARAMETERSAETZE];
    Vergleich v;
};

TEST_F(Geraetevergleich, ListsExactlyTheFieldsThatDifferWithTheirMeaningInTheCurveAtOneReadOfEachSet) {
    PanelVomGeraet('1');
    // Program 3 runs the regulated rectangle (curve 4), program 11 the curve generator (12),
    // both without output-stage regulation.
    for (int n : {3, 11}) {
        panel[n].stromkurve = n == 3 ? 4 : 12;
        panel[n].endstuferegeln = 0;
        sim.setProgramValue('1', n, "stromkurve", panel[n].stromkurve);
        sim.setProgramValue('1', n, "endstuferegeln", 0);
    }
    const struct {
        int satz;
        const char* name;
        double panel, geraet;
        const char *panelText, *geraetText;
        Kurvenbezug kurve;
    } unterschiede[] = {
        {3, "strom1", 0.5, 0.75, "0.500", "0.750", Kurvenbezug::NichtBenoetigt},
        {3, "strom2", 1.0, 2.25, "1.000", "2.250", Kurvenbezug::Benoetigt},
        {3, "ditherfrequenz", 100.0, 120.5, "100.0", "120.5", Kurvenbezug::NichtBenoetigt}, // no regulation
        {11, "zeit3", 100, 4321, "100", "4321", Kurvenbezug::NichtBenoetigt},
        {11, "reglergain", 50, 42, "50", "42", Kurvenbezug::Benoetigt}, // 12 needs it regulated or not
        {11, "dithertyp", 1, 3, "1", "3", Kurvenbezug::Benoetigt},
        {11, "rfwv_value", 5.0, 33.3, "5.0", "33.3", Kurvenbezug::OhneMarke},
    };
    for (const auto& u : unterschiede) {
        Setzen(&panel[u.satz], u.name, u.panel);
        sim.setProgramValue('1', u.satz, u.name, u.geraet);
    }

    ASSERT_EQ(Vergleichen('1'), 0);
    EXPECT_EQ(sim.frames().size(), RAHMEN_ARBEITSPARAMETER + 16 * RAHMEN_PROGRAMM)
        << "one read, nothing more";
    EXPECT_EQ(AbweichendeSaetze(v), SatzBit(3) | SatzBit(11));
    std::vector<Feldunterschied> gefunden;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        EXPECT_EQ(v.satz[n].status, n == 3 || n == 11 ? Satzstatus::Abweichend : Satzstatus::Gleich) << n;
        gefunden.insert(gefunden.end(), v.satz[n].felder.begin(), v.satz[n].felder.end());
    }
    ASSERT_EQ(gefunden.size(), std::size(unterschiede));
    for (size_t i = 0; i < gefunden.size(); ++i) {
        const auto& u = unterschiede[i];
        EXPECT_EQ(gefunden[i].name, u.name);
        EXPECT_EQ(gefunden[i].panelwert, u.panelText) << u.name;
        EXPECT_EQ(gefunden[i].geraetewert, u.geraetText) << u.name;
        EXPECT_EQ(gefunden[i].kurve, u.kurve) << u.name;
        EXPECT_FALSE(gefunden[i].nichtUnterstuetzt) << u.name;
    }
}

TEST_F(Geraetevergleich, FieldsAVersionARegulatorRefusesAreShownButNotCounted) {
    PanelVomGeraet('2');
    panel[2].rfwv_value = 33.0;
    panel[5].dithtable_pwmcurr[0] = 1.5;
    ASSERT_EQ(Vergleichen('2'), 0);
    EXPECT_EQ(AbweichendeSaetze(v), 0u);
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        EXPECT_EQ(v.satz[n].status, Satzstatus::Gleich) << n;
        EXPECT_EQ(v.satz[n].felder.size(), n == 2 || n == 5 ? 1u : 0u) << n;
    }
    const Feldunterschied& rfwv = v.satz[2].felder.at(0);
    EXPECT_EQ(rfwv.name, "rfwv_value");
    EXPECT_EQ(rfwv.panelwert, "33.0");
    EXPECT_TRUE(rfwv.nichtUnterstuetzt);
    EXPECT_EQ(v.satz[5].felder.at(0).name, "dithtable_pwmcurr1");
    EXPECT_TRUE(v.satz[5].felder.at(0).nichtUnterstuetzt);
}

// Values differ only where the line would carry different texts.
TEST_F(Geraetevergleich, ValuesAreComparedAsTheyAreWritten) {
    const struct {
        const char* name;
        double panel, geraet;
        bool verschieden;
    } faelle[] = {
        {"strom1", 0.1234, 0.123, false},   {"strom1", 0.1236, 0.123, true},
        {"zeit1", 999.6, 1000, false},      {"zeit1", 999.4, 1000, true},
        {"ditherstrom", -0.0004, 0, false}, {"spannung", 12.04, 12.0, false},
    };
    PanelVomGeraet('1');
    for (const auto& f : faelle) {
        Setzen(&panel[1], f.name, f.panel);
        sim.setProgramValue('1', 1, f.name, f.geraet);
        ASSERT_EQ(Vergleichen('1', SatzBit(1)), 0);
        EXPECT_EQ(v.satz[1].status, f.verschieden ? Satzstatus::Abweichend : Satzstatus::Gleich)
            << f.name << " " << f.panel;
        Setzen(&panel[1], f.name, f.geraet);
    }
}

bool NachVierSaetzenAbbrechen(int, void* kontext) {
    return ++*static_cast<int*>(kontext) == 4;
}

TEST_F(Geraetevergleich, ReadingEndsWhereTheRegulatorFallsSilentOrTheUserStops) {
    PanelVomGeraet('1');
    const struct {
        bool stumm;
        int ersterUngelesen;
        int code;
    } faelle[] = {{true, 6, -403053}, {false, 5, VERGLEICH_ABGEBROCHEN}};
    for (const auto& f : faelle) {
        sim.clearFaults();
        if (f.stumm) sim.addFault({'1', "PNS6", FaultKind::Silence});
        int meldungen = 0;
        EXPECT_EQ(
            Vergleichen('1', SAETZE_PROGRAMME, f.stumm ? nullptr : NachVierSaetzenAbbrechen, &meldungen),
            f.code);
        EXPECT_EQ(v.code, f.code);
        for (int n = 1; n < PARAMETERSAETZE; ++n) {
            EXPECT_EQ(v.satz[n].status, n < f.ersterUngelesen ? Satzstatus::Gleich : Satzstatus::NichtGelesen)
                << n;
            EXPECT_EQ(v.satz[n].code, n == f.ersterUngelesen ? f.code : 0) << n;
        }
    }
}

TEST_F(Geraetevergleich, TheVerifyCatchesAValueTheRegulatorDidNotKeep) {
    Parametersatz geschrieben[PARAMETERSAETZE];
    for (Parametersatz& s : geschrieben)
        ParametersatzVorgabe(&s);
    geschrieben[4].strom1 = 1.25;
    for (const bool fehler : {false, true}) {
        sim.clearFaults();
        if (fehler) sim.addFault({'1', "C1W", FaultKind::StoreOther, 1, 0, 0, 0.777});
        ASSERT_EQ(ParametersatzSchreibenAn(LEITUNG_PORT, '1', 4, &geschrieben[4]), 0);
        EXPECT_EQ(GeschriebeneSaetzePruefen(LEITUNG_PORT, '1', geschrieben, SatzBit(4), nullptr, nullptr, &v),
                  fehler ? PRUEFUNG_ABWEICHUNG : 0);
        EXPECT_TRUE(v.nachSchreiben);
        ASSERT_EQ(v.satz[4].felder.size(), fehler ? 1u : 0u);
        if (!fehler) continue;
        EXPECT_EQ(v.satz[4].felder[0].name, "strom1");
        EXPECT_EQ(v.satz[4].felder[0].panelwert, "1.250");
        EXPECT_EQ(v.satz[4].felder[0].geraetewert, "0.777");
    }
}

Parametersatz Satz(const QByteArray& datei, int n) {
    Parametersatz s;
    std::memcpy(&s, datei.constData() + PROGRAMMDATEI_SAETZE_OFFSET + n * sizeof s, sizeof s);
    return s;
}

TEST_F(Geraetevergleich, ABackupHoldsWhatTheRegulatorHeldInTheSetsAboutToBeWritten) {
    QTemporaryDir ordner;
    const std::string pfad = ordner.filePath("sicherungen").toStdString();
    std::string datei;
    ASSERT_EQ(SicherungAnlegen(LEITUNG_PORT, '1', SatzBit(3) | SatzBit(11), pfad.c_str(), 0, 1700000000,
                               nullptr, nullptr, &datei),
              0);
    EXPECT_EQ(sim.frames().size(), 1 + 2 * RAHMEN_PROGRAMM) << "the identity and one read of each set";
    const QString name = QFileInfo(QString::fromStdString(datei)).fileName();
    EXPECT_TRUE(name.startsWith("ZEM-VKR3AX2bV2.01_adr1_")) << name.toStdString();
    EXPECT_TRUE(name.endsWith("_P3+11.vkr")) << name.toStdString();

    QFile f(QString::fromStdString(datei));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), PROGRAMMDATEI_BYTES);
    for (int n : {3, 11})
        for (const Transferfeld& feld : Transferfelder())
            EXPECT_EQ(Wert(Satz(bytes, n), feld), sim.programValue('1', n, feld.name))
                << n << " " << feld.name;
    Parametersatz vorgabe{};
    ParametersatzVorgabe(&vorgabe);
    const Parametersatz p5 = Satz(bytes, 5), p0 = Satz(bytes, 0), p11 = Satz(bytes, 11);
    EXPECT_EQ(std::memcmp(&p5, &vorgabe, sizeof vorgabe), 0) << "a set not read holds the defaults";
    EXPECT_EQ(std::memcmp(&p0, &p11, sizeof p0), 0) << "the regulator works with the last program read";
    int32_t auswahl = -1;
    std::memcpy(&auswahl, bytes.constData() + PROGRAMMDATEI_INDEX_OFFSET, sizeof auswahl);
    EXPECT_EQ(auswahl, 3);

    // Another backup in the same second gets a name of its own.
    std::string zweite;
    ASSERT_EQ(SicherungAnlegen(LEITUNG_PORT, '1', SatzBit(3) | SatzBit(11), pfad.c_str(), 0, 1700000000,
                               nullptr, nullptr, &zweite),
              0);
    EXPECT_TRUE(QString::fromStdString(zweite).endsWith("_P3+11_2.vkr")) << zweite;
}

TEST(Sicherungen, OnlyTheNewestHundredBackupsAreKept) {
    QTemporaryDir ordner;
    const std::string pfad = ordner.path().toStdString();
    const char* kennungen[] = {"ZEM-VKR3AX2bV2.01", "ZEM-VKR3AX2a V1.07"};
    constexpr int ANZAHL = 103;
    const std::time_t anfang = 1700000000;
    std::vector<std::string> namen;
    // Written out of order: the names' times decide, not the files' ages.
    for (int i = ANZAHL - 1; i >= 0; --i) {
        namen.insert(namen.begin(),
                     SicherungsName(kennungen[i % 2], '1' + i % 8, anfang + 60 * i, SAETZE_PROGRAMME));
        QFile(QString::fromStdString(SicherungsPfad(pfad.c_str(), namen.front()))).open(QIODevice::WriteOnly);
    }
    QFile(ordner.filePath("notizen.vkr")).open(QIODevice::WriteOnly);

    EXPECT_EQ(SicherungenAufraeumen(pfad.c_str(), SICHERUNGEN_BEHALTEN), ANZAHL - SICHERUNGEN_BEHALTEN);
    const QDir dir(ordner.path());
    EXPECT_EQ(dir.entryList(QDir::Files).size(), SICHERUNGEN_BEHALTEN + 1);
    EXPECT_TRUE(dir.exists("notizen.vkr"));
    for (int i = 0; i < ANZAHL; ++i)
        EXPECT_EQ(dir.exists(QString::fromStdString(namen[i])), i >= ANZAHL - SICHERUNGEN_BEHALTEN)
            << namen[i];
}

} // namespace
