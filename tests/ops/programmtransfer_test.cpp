// Reading and writing parameter sets through the main panel's buttons: the question, the
// progress dialog, the frames on the line and what becomes of gPar and the panel.
#include "app/callbacks_geraet.h"
#include "ops/programmtransfer.h"
#include "ops/verbindung.h"
#include "params/parametersatz.h"
#include "platform/popup_hook.h"
#include "storage/dateimenue.h"
#include "storage/sicherungsdateien.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QDir>

#include <cstring>

namespace {

using vkr3xsim::FaultKind;

constexpr int AKTUELL = 1, ALLE = 2, ABBRECHEN = 3;
// Frames of one program read from a version-b regulator: load, 14 basic values, active current,
// 3 dither values, 29 raised-free-wheeling and dither-table values.
constexpr size_t RAHMEN_JE_PROGRAMM_LESEN = 1 + 14 + 1 + 3 + 29;

const std::vector<int> kSechzehntel = {6, 12, 18, 25, 31, 37, 43, 50, 56, 62, 68, 75, 81, 87, 93, 100};

class Programmtransfer : public Geraetepanel {
  protected:
    void SetUp() override {
        Geraetepanel::SetUp();
        for (int n = 0; n < PARAMETERSAETZE; ++n)
            gPar[n].strom_step = 0.001 * (n + 1); // the program's own, never transferred
    }
    // Presses a button with a scripted answer to its question.
    static void Druecken(int knopf, int antwort) {
        PopupHook_ClearRecords();
        PopupHook_Queue({antwort, ""});
        Klicken(gPanelHandle, knopf);
    }
    static std::vector<std::string> Mit(const std::vector<std::string>& rahmen, const char* kopf) {
        std::vector<std::string> treffer;
        for (const std::string& r : rahmen)
            if (r.rfind(kopf, 0) == 0) treffer.push_back(r);
        return treffer;
    }
    static bool Gleich(const Parametersatz& a, const Parametersatz& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

TEST_F(Programmtransfer, ReadAllKeepsEachStepAndMirrorsProgram16) {
    Verbinden();
    for (int n = 1; n <= 16; ++n)
        sim.setProgramValue('1', n, "strom1", 0.125 * n);
    DateistandMerken(); // as if just saved

    Druecken(MAINPANEL_VKR3LESEN, ALLE);

    EXPECT_EQ(Fehler().nummer, 0);
    const auto& fenster = PopupHook_Records();
    ASSERT_EQ(fenster.size(), 2u);
    EXPECT_EQ(fenster[0].kind, PopupKind::Generic);
    EXPECT_EQ(fenster[0].title, "von VKR lesen");
    EXPECT_EQ(fenster[0].message, "Nur aktuell ausgewähltes oder alle Programme lesen?");
    EXPECT_EQ(fenster[0].buttons, (std::vector<std::string>{"aktuelles", "alle", "abbrechen"}));
    EXPECT_EQ(fenster[1].kind, PopupKind::Progress);
    EXPECT_EQ(fenster[1].title, "Fortschritt");
    EXPECT_EQ(fenster[1].progress, kSechzehntel);

    std::vector<std::string> laden;
    for (int n = 1; n <= 16; ++n) {
        laden.push_back("#1PNS" + std::to_string(n) + "\r");
        EXPECT_DOUBLE_EQ(gPar[n].strom1, 0.125 * n) << n;
        EXPECT_DOUBLE_EQ(gPar[n].strom_step, 0.001 * (n + 1)) << n;
    }
    EXPECT_EQ(Mit(sim.frames(), "#1PN"), laden);
    EXPECT_EQ(sim.frames().size(), 16 * RAHMEN_JE_PROGRAMM_LESEN);

    Parametersatz erwartet = gPar[16];
    erwartet.strom_step = 0.001;
    EXPECT_TRUE(Gleich(gPar[0], erwartet)) << "working set = program 16 with its own step";
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 2.0) << "the panel shows the selected working set";
    std::string titel;
    GetPanelAttribute(gPanelHandle, ATTR_TITLE, &titel);
    EXPECT_EQ(titel, "VKR 3 A X2 Steuerung  [*Unbenannt]") << "what was read is a change to save";
}

TEST_F(Programmtransfer, ReadActualLoadsTheSelectedProgramOnly) {
    Verbinden();
    sim.setProgramValue('1', 3, "zeit1", 4321);
    gParIndex = 3;
    const Parametersatz vorher5 = gPar[5];

    Druecken(MAINPANEL_VKR3LESEN, AKTUELL);

    EXPECT_EQ(Mit(sim.frames(), "#1PN"), std::vector<std::string>{"#1PNS3\r"});
    EXPECT_DOUBLE_EQ(gPar[3].zeit1, 4321);
    EXPECT_DOUBLE_EQ(gPar[0].zeit1, 4321);
    EXPECT_DOUBLE_EQ(gPar[3].strom_step, 0.004);
    EXPECT_DOUBLE_EQ(gPar[0].strom_step, 0.001);
    EXPECT_TRUE(Gleich(gPar[5], vorher5));
    EXPECT_EQ(PopupHook_Records().back().progress, std::vector<int>{100});
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_ZEIT1), 4321) << "program 3 is shown";
}

TEST_F(Programmtransfer, RefusedOptionalValuesComeOutAsDefaults) {
    sim.stop();
    // An a-version regulator refuses the raised free-wheeling voltage and the dither table.
    vkr3xsim::Simulator alt;
    alt.addDevice('1', vkr3xsim::DeviceKind::VersionA);
    qputenv("VKR3X_COM1", QByteArray::fromStdString(alt.open()));
    alt.start();
    Verbinden();
    gPar[2].rfwv_value = 33.0;
    gPar[2].dithtable_pwmcurr[4] = 1.5;

    Druecken(MAINPANEL_VKR3LESEN, ALLE);
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_DOUBLE_EQ(gPar[2].rfwv_value, 5.0);
    EXPECT_DOUBLE_EQ(gPar[2].dithtable_pwmcurr[4], 0.0);
    ZEMVKR3X_Close(1);
    gCom.portOffen = -1;
    alt.stop();
}

TEST_F(Programmtransfer, CancelAndNoPortSendNothing) {
    const struct {
        int knopf;
        bool verbunden;
        int antwort;
        int fehler;
        size_t fenster;
    } faelle[] = {
        {MAINPANEL_VKR3LESEN, true, ABBRECHEN, 0, 1},   {MAINPANEL_VKR3SCHREIBEN, true, ABBRECHEN, 0, 1},
        {MAINPANEL_VKR3LESEN, false, ALLE, 122201, 0},  {MAINPANEL_VKR3SCHREIBEN, false, ALLE, 122201, 0},
        {MAINPANEL_PROGRAMMLADEN, false, 0, 122201, 0}, {MAINPANEL_PROGRAMMSPEICHERN, false, 0, 122201, 0},
    };
    const Parametersatz vorher = gPar[0];
    for (const auto& f : faelle) {
        if (f.verbunden && gCom.portOffen == -1) Verbinden();
        if (!f.verbunden && gCom.portOffen != -1) Waehlen(COMPANEL_PORT, -1);
        ComFehlerSetzen(-403053);
        sim.clearFrames();
        Druecken(f.knopf, f.antwort);
        EXPECT_EQ(Fehler().nummer, f.fehler) << f.knopf;
        EXPECT_EQ(PopupHook_Records().size(), f.fenster) << f.knopf;
        EXPECT_TRUE(sim.frames().empty()) << f.knopf;
    }
    EXPECT_TRUE(Gleich(gPar[0], vorher));
}

// A write backs up what the regulator held and verifies what it wrote, each a read of the same
// programs with a progress dialog of its own, as the two switches of the menu "Extras" say.
TEST_F(Programmtransfer, WriteAllStoresEveryProgramInOrderWithBackupAndVerifyAsSwitched) {
    Verbinden();
    for (int n = 1; n <= 16; ++n) {
        gPar[n].strom1 = 0.25 * n;
        gPar[n].stromkurve = 1 + n % 12;
    }
    std::vector<std::string> laden, speichern;
    for (int n = 1; n <= 16; ++n) {
        laden.push_back("#1PNS" + std::to_string(n) + "\r");
        speichern.push_back("#1PNP" + std::to_string(n) + "\r");
    }
    const auto folge = [](std::initializer_list<std::vector<std::string>> teile) {
        std::vector<std::string> alle;
        for (const auto& t : teile)
            alle.insert(alle.end(), t.begin(), t.end());
        return alle;
    };
    const struct {
        int sichern, pruefen;
        std::vector<std::string> fortschritte; // labels of the progress dialogs in order
        std::vector<std::string> programmbefehle;
    } faelle[] = {
        {1,
         1,
         {"Sicherung vor dem Schreiben", "", "Prüfung nach dem Schreiben"},
         folge({laden, speichern, laden})},
        {0, 1, {"", "Prüfung nach dem Schreiben"}, folge({speichern, laden})},
        {1, 0, {"Sicherung vor dem Schreiben", ""}, folge({laden, speichern})},
        {0, 0, {""}, speichern},
    };
    const QDir sicherungen(QString::fromStdString(SicherungsordnerStandard()));
    int dateien = 0;
    for (const auto& f : faelle) {
        gExtras.vorSchreibenSichern = f.sichern;
        gExtras.nachSchreibenPruefen = f.pruefen;
        sim.clearFrames();
        Druecken(MAINPANEL_VKR3SCHREIBEN, ALLE);

        EXPECT_EQ(Fehler().nummer, 0);
        const auto& fenster = PopupHook_Records();
        ASSERT_EQ(fenster.size(), 1 + f.fortschritte.size());
        EXPECT_EQ(fenster[0].title, "auf VKR schreiben");
        EXPECT_EQ(fenster[0].message, "Nur aktuell ausgewähltes oder alle Programme schreiben?");
        for (size_t i = 0; i < f.fortschritte.size(); ++i) {
            EXPECT_EQ(fenster[i + 1].kind, PopupKind::Progress);
            EXPECT_EQ(fenster[i + 1].title, "Fortschritt");
            EXPECT_EQ(fenster[i + 1].message, f.fortschritte[i]);
            EXPECT_EQ(fenster[i + 1].progress, kSechzehntel);
        }
        EXPECT_EQ(Mit(sim.frames(), "#1PN"), f.programmbefehle);
        dateien += f.sichern;
        EXPECT_EQ(sicherungen.entryList({"*_P1-16*.vkr"}).size(), dateien);
    }
    for (int n = 1; n <= 16; ++n) {
        EXPECT_DOUBLE_EQ(sim.programValue('1', n, "strom1"), 0.25 * n) << n;
        EXPECT_EQ(sim.programValue('1', n, "stromkurve"), 1 + n % 12) << n;
    }
    EXPECT_TRUE(Gleich(gPar[0], gPar[16])) << "strom_step included";
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 4.0);
}

TEST_F(Programmtransfer, RegulatorFallingSilentAfterProgram4StopsTheRead) {
    Verbinden();
    const Parametersatz vorher0 = gPar[0], vorher5 = gPar[5];
    const double gezeigt = Wert(MAINPANEL_STROM1);
    for (int n = 1; n <= 4; ++n)
        sim.setProgramValue('1', n, "strom2", 1.0 + n);
    sim.silenceAfterFrames(static_cast<int>(4 * RAHMEN_JE_PROGRAMM_LESEN));

    Druecken(MAINPANEL_VKR3LESEN, ALLE);

    EXPECT_EQ(Fehler().nummer, 403053);
    EXPECT_EQ(Fehler().text, "Keine Antwort vom Gerät");
    for (int n = 1; n <= 4; ++n)
        EXPECT_DOUBLE_EQ(gPar[n].strom2, 1.0 + n) << n;
    EXPECT_TRUE(Gleich(gPar[5], vorher5));
    EXPECT_TRUE(Gleich(gPar[0], vorher0));
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), gezeigt);
    EXPECT_EQ(PopupHook_Records().back().progress, (std::vector<int>{6, 12, 18, 25}));
}

TEST_F(Programmtransfer, LoadAndStoreSendTheProgramNumberOfThePanel) {
    Verbinden();
    SetCtrlVal(gPanelHandle, MAINPANEL_EINZUSTELLENDESPROG, 7);
    const Parametersatz vorher = gPar[0];
    Klicken(gPanelHandle, MAINPANEL_PROGRAMMLADEN);
    Klicken(gPanelHandle, MAINPANEL_PROGRAMMSPEICHERN);
    EXPECT_EQ(sim.frames(), (std::vector<std::string>{"#1PNS7\r", "#1PNP7\r"}));
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_TRUE(Gleich(gPar[0], vorher));
}

class ProgrammtransferEnglisch : public Programmtransfer {
  protected:
    int Sprache() const override { return SPRACHE_ENGLISCH; }
};

TEST_F(ProgrammtransferEnglisch, QuestionAndProgressSpeakEnglish) {
    Verbinden();
    Druecken(MAINPANEL_VKR3SCHREIBEN, AKTUELL);
    const auto& fenster = PopupHook_Records();
    ASSERT_EQ(fenster.size(), 4u);
    EXPECT_EQ(fenster[0].title, "Write to VKR");
    EXPECT_EQ(fenster[0].message, "Write all programs or actual program only?");
    EXPECT_EQ(fenster[0].buttons, (std::vector<std::string>{"Actual", "All", "Cancel"}));
    const char* schritte[] = {"Backup before writing", "", "Verify after writing"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fenster[i + 1].title, "Progress");
        EXPECT_EQ(fenster[i + 1].message, schritte[i]);
    }
    EXPECT_EQ(Mit(sim.frames(), "#1PN"), std::vector<std::string>{}) << "working set: nothing stored";
}

} // namespace
