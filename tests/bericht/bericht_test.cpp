// The commissioning record read back as a reader gets it: the text of the PDF.
#include "bericht/bericht.h"

#include "app/globals.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "tests/bericht/pdftext.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <regex>

namespace {

// Every set different: set n has curve n % 12 + 1, regulation n % 2, dither type n % 4, and
// values that carry n; set 5 takes its dither amplitude from the table.
void SaetzeFuellen() {
    ParameterStrukturInitialisieren();
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        Parametersatz& p = gPar[n];
        p.stromkurve = n % 12 + 1;
        p.strom1 = 0.1 + n * 0.011;
        p.strom2 = 0.5 + n * 0.021;
        p.zeit1 = 1000 + n;
        p.zeit3 = 800 + n;
        p.frequenz = 1000 + 10 * n;
        p.spannung = 12 + 0.5 * n;
        p.endstuferegeln = n % 2;
        p.dithertyp = n % 4;
        p.reglergain = 50 + n;
        p.ditherstrom = n == 5 ? DITHERSTROM_TABELLE : 0.05 + 0.005 * n;
        p.rfwv_value = 5 + 0.3 * n;
        p.rfwv_always_on = n % 2;
        p.dithtable_pwmcurr[1] = 0.1 + 0.001 * n;
    }
}

class BerichtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(verzeichnis.isValid());
        SaetzeFuellen();
        daten.saetze = gPar;
        daten.programmdatei = "ventil-a.vkr";
        daten.maschine = "Presse 7";
        daten.geraet.code = KEIN_PORT_OFFEN_KENNUNG;
        daten.zeit = 1'800'000'000;
    }
    std::string Text(const char* name = "bericht.pdf") {
        const QString pfad = verzeichnis.filePath(name);
        EXPECT_EQ(BerichtSchreiben(pfad.toUtf8().constData(), daten), 0);
        return PdfText(pfad);
    }
    QTemporaryDir verzeichnis;
    Berichtsdaten daten;
};

struct Erwartung {
    int sprache;
    const char* satz;
    std::vector<const char*> zeilen; // each a pattern the set's block must hold
};

TEST_F(BerichtTest, LabelsValuesUnitsAndRingTextsAsThePanelShowsThemInBothLanguages) {
    const Erwartung faelle[] = {
        {SPRACHE_DEUTSCH,
         "Programm 3",
         {R"(\* Stromkurve\s+4 - Rechteck geregelt)", R"(Strom 1\s+0\.133 A)", R"(Zeit 1\s+1003 ms)",
          R"(PWM-Frequenz\s+1030 Hz)", R"(Prüfspannung\s+13\.5 V)", R"(Endstufe regeln\s+ein)",
          R"(Regler Verstärkung\s+53 %)", R"(Dither Typ\s+Dreieck)", R"(Freilaufspannung\s+5\.9 V)",
          R"(Immer erhöht\s+ein)", R"(PWM-Strom\s+0\.000\s+0\.103)"}},
        {SPRACHE_DEUTSCH,
         "Programm 5",
         {R"(Dither Strom\s+Dithertabelle verwenden)", R"(Dither Typ\s+Sinus)"}},
        {SPRACHE_ENGLISCH,
         "Program 3",
         {R"(\* Current curve\s+4 - Rectangle regulated)", R"(Current 1\s+0\.133 A)", R"(Time 1\s+1003 ms)",
          R"(Frequency\s+1030 Hz)", R"(Voltage\s+13\.5 V)", R"(Regulate directly\s+on)",
          R"(Regulation Gain\s+53 %)", R"(Dither type\s+Dreieck)", R"(voltage\s+5\.9 V)",
          R"(always raised\s+on)", R"(pmw-curr\.\s+0\.000\s+0\.103)"}},
        {SPRACHE_ENGLISCH, "Program 5", {R"(Dither current\s+Use Dithertable)", R"(Dither type\s+Sinus)"}},
    };
    for (const Erwartung& f : faelle) {
        daten.sprache = f.sprache;
        const std::string block = Block(Text(), f.satz);
        ASSERT_FALSE(block.empty()) << f.satz;
        for (const char* muster : f.zeilen)
            EXPECT_TRUE(std::regex_search(block, std::regex(muster))) << f.satz << ": " << muster << "\n"
                                                                      << block;
    }
}

// Whether the label in the block carries the curve marker: the first non-blank before it is "*".
bool Markiert(const std::string& block, const std::string& label) {
    std::smatch m;
    if (!std::regex_search(block, m, std::regex("(\\S?)\\s*" + label + "\\s{2,}"))) {
        ADD_FAILURE() << label << " not found in\n" << block;
        return false;
    }
    return m[1] == "*";
}

TEST_F(BerichtTest, CurveMarkersFollowTheMarkerTableAndTheRegulationRule) {
    struct Marke {
        const char* label;
        bool kurve4Geregelt;   // set 3
        bool kurve7Ungeregelt; // set 6: gain and dither not used without regulation
    };
    const Marke marken[] = {
        {"Strom 1", false, true},        {"Strom 2", true, true},      {"Zeit 1", true, false},
        {"Zeit 2", true, false},         {"Zeit 3", false, false},     {"Zeit 4", false, false},
        {"PWM-Frequenz", true, true},    {"Prüfspannung", true, true}, {"Prüfzyklen", true, false},
        {"Regler KP", true, true},       {"Regler KI", true, true},    {"Regler Verstärkung", true, false},
        {"Endstufe regeln", true, true}, {"Dither Typ", true, false},  {"Dither Frequenz", true, false},
        {"Dither Strom", true, false},
    };
    const std::string text = Text();
    const std::string satz3 = Block(text, "Programm 3"), satz6 = Block(text, "Programm 6");
    for (const Marke& m : marken) {
        EXPECT_EQ(Markiert(satz3, m.label), m.kurve4Geregelt) << "curve 4: " << m.label;
        EXPECT_EQ(Markiert(satz6, m.label), m.kurve7Ungeregelt) << "curve 7: " << m.label;
    }
}

TEST_F(BerichtTest, ComparisonDifferencesAreShownWithTheRegulatorsValues) {
    const std::string ohne = Text("ohne.pdf");
    EXPECT_EQ(ohne.find("Gerät"), std::string::npos);

    // Set 9 equals set 8 here, but the regulator differs in it: it is printed whole.
    gPar[9] = gPar[8];
    daten.vergleich.gemacht = true;
    daten.vergleich.adresse = '2';
    for (Vergleichsstand& s : daten.vergleich.stand)
        s = Vergleichsstand::Gleich;
    daten.vergleich.stand[9] = Vergleichsstand::Abweichend;
    daten.vergleich.stand[16] = Vergleichsstand::NichtGelesen;
    daten.vergleich.abweichungen = {
        {9, "strom1", "0.25"}, {9, "dithertyp", "1"}, {9, "dithtable_pwmcurr2", "0.5"}};
    const std::string text = Text("mit.pdf");
    const std::string satz9 = Block(text, "Programm 9");
    for (const char* muster :
         {R"(Programm 9\s+Gerät: abweichend, 3 Felder)", R"(Strom 1\s+0\.188 A.*\n.*Gerät: 0\.250)",
          R"(Dither Typ\s+aus\s*\n.*Gerät: Sinus)", R"(Gerät\s+0\.500)"})
        EXPECT_TRUE(std::regex_search(satz9, std::regex(muster))) << muster << "\n" << satz9;
    EXPECT_TRUE(std::regex_search(Block(text, "Programm 8"), std::regex(R"(Programm 8\s+Gerät: gleich)")));
    EXPECT_NE(Block(text, "Programm 16").find("Gerät: nicht gelesen"), std::string::npos);
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex(
            R"(Vergleich\s+mit dem Gerät an Adresse 2 um .*: 15 gleich, 1 abweichend, 1 nicht gelesen)")));
}

TEST_F(BerichtTest, EqualSetsAreNamedOnceAndTheFileIsSmallWithItsFontsEmbedded) {
    for (int n = 4; n < PARAMETERSAETZE; ++n)
        gPar[n] = gPar[3];
    daten.geaendert = true;
    const std::string text = Text();
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex(R"(Programmdatei\s+ventil-a\.vkr – die Sätze sind seit dem letzten Speichern geändert)")));
    EXPECT_TRUE(std::regex_search(Block(text, "Programm 4"), std::regex(R"(Programm 4\s+wie Programm 3)")));
    EXPECT_NE(Block(text, "Programm 16").find("wie Programm 3"), std::string::npos);
    EXPECT_EQ(Block(text, "Programm 16").find("Strom 1"), std::string::npos);

    // All seventeen sets different: well under half a megabyte, every font in the file.
    SaetzeFuellen();
    const QString pfad = verzeichnis.filePath("alle.pdf");
    ASSERT_EQ(BerichtSchreiben(pfad.toUtf8().constData(), daten), 0);
    EXPECT_LT(QFileInfo(pfad).size(), 500 * 1024);
    const std::string schriften = Ausgabe("pdffonts", {pfad});
    std::istringstream zeilen(schriften);
    std::string zeile;
    int gefunden = 0;
    for (int i = 0; std::getline(zeilen, zeile); ++i)
        if (i >= 2) { // after the two heading lines: name, type, encoding, emb, ...
            ++gefunden;
            EXPECT_NE(zeile.find(" yes "), std::string::npos) << zeile;
        }
    EXPECT_GT(gefunden, 0) << schriften;
}

TEST_F(BerichtTest, ATargetThatCannotBeWrittenFailsWithItsReasonAndLeavesNoFile) {
    const QString pfad = verzeichnis.filePath("fehlt/bericht.pdf");
    EXPECT_EQ(BerichtSchreiben(pfad.toUtf8().constData(), daten), BERICHT_OEFFNEN);
    EXPECT_NE(std::string(ZEM_Fehlermeldung(BERICHT_OEFFNEN)).find("fehlt/bericht.pdf"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(pfad));
}

} // namespace
