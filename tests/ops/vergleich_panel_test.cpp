// The menu "Extras" on the panels against the simulator: comparing, writing the differing
// programs, verifying a write, restoring a backup and taking the regulator's sets over.
#include "app/vkr3xsteuerung.h"
#include "fenster/vergleichsfenster.h"
#include "ops/satzvergleich.h"
#include "params/parametersatz.h"
#include "platform/popup_hook.h"
#include "storage/sicherungsdateien.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace {

using vkr3xsim::FaultKind;

constexpr int AKTUELL = 1, ALLE = 2;

class Extras : public Geraetepanel {
  protected:
    void TearDown() override {
        VergleichsfensterSchliessen();
        Geraetepanel::TearDown();
    }
    static void Menue(int punkt) {
        PopupHook_ClearRecords();
        MenuItemAction(GetPanelMenuBar(gPanelHandle), punkt)->trigger();
    }
    static void Druecken(int knopf, int antwort) {
        PopupHook_ClearRecords();
        PopupHook_Queue({antwort, ""});
        Klicken(gPanelHandle, knopf);
    }
    std::vector<std::string> Programmbefehle() const {
        std::vector<std::string> treffer;
        for (const std::string& r : sim.frames())
            if (r.rfind("#1PN", 0) == 0) treffer.push_back(r);
        return treffer;
    }
    // Row of the window: the set's cells, or with feld >= 0 a field's.
    static std::vector<std::string> Zeile(int satz, int feld = -1) {
        std::vector<std::string> zellen;
        for (int s = 0; s < VERGLEICH_SPALTEN; ++s)
            zellen.push_back(VergleichsfensterZelle(satz, feld, s));
        return zellen;
    }
    static QStringList Sicherungen() {
        return QDir(QString::fromStdString(SicherungsordnerStandard()))
            .entryList({"*.vkr"}, QDir::Files, QDir::Name);
    }
};

std::vector<std::string> Laden(std::initializer_list<int> programme, const char* op = "S") {
    std::vector<std::string> rahmen;
    for (int n : programme)
        rahmen.push_back("#1PN" + std::string(op) + std::to_string(n) + "\r");
    return rahmen;
}

TEST_F(Extras, ComparesWritesTheDifferingProgramsAndRestoresTheirBackup) {
    Verbinden();
    sim.setProgramValue('1', 11, "reglerkp", 30);
    Druecken(MAINPANEL_VKR3LESEN, ALLE); // the panel holds what the regulator holds
    gPar[3].strom1 = 2.5;                // program 3 runs curve 4, which does not use current 1
    gPar[11].reglerkp = 77;              // program 11 runs curve 12, which uses Kp

    sim.clearFrames();
    Menue(MENUBAR_EXTRAS_VERGLEICHEN);
    EXPECT_EQ(Fehler().nummer, 0);
    ASSERT_EQ(PopupHook_Records().size(), 1u);
    EXPECT_EQ(PopupHook_Records()[0].message, "Vergleich mit dem Gerät");
    EXPECT_EQ(PopupHook_Records()[0].buttons, std::vector<std::string>{"abbrechen"});
    ASSERT_TRUE(VergleichsfensterSichtbar());
    ASSERT_EQ(VergleichsfensterSaetze(), 2) << "only the sets that differ";
    EXPECT_EQ(Zeile(0), (std::vector<std::string>{"Programm 3", "abweichend: 1 Feld", "", "", ""}));
    EXPECT_EQ(Zeile(0, 0), (std::vector<std::string>{"Strom 1 [A]", "abweichend", "2.500", "1.375", "nein"}));
    EXPECT_FALSE(VergleichsfensterFett(0, 0));
    EXPECT_EQ(Zeile(1, 0), (std::vector<std::string>{"Regler KP [%]", "abweichend", "77", "30", "ja"}));
    EXPECT_TRUE(VergleichsfensterFett(1, 0)) << "a field the curve needs stands out";
    EXPECT_NE(VergleichsfensterZusammenfassung().find("15 von 17 Sätzen gleich, 2 abweichend"),
              std::string::npos)
        << VergleichsfensterZusammenfassung();
    VergleichsfensterWaehlen(Vergleichswahl::NurAbweichungen, false);
    EXPECT_EQ(VergleichsfensterSaetze(), 17);
    EXPECT_EQ(Zeile(0), (std::vector<std::string>{"Arbeitsparameter", "gleich", "", "", ""}));
    EXPECT_EQ(gExtras.vergleichNurAbweichungen, 0) << "kept for the settings file";

    // Backup of the two, the two written, then every set compared again.
    sim.clearFrames();
    VergleichsfensterDruecken(Vergleichsknopf::Schreiben);
    std::vector<std::string> erwartet = Laden({3, 11});
    for (const std::string& r : Laden({3, 11}, "P"))
        erwartet.push_back(r);
    for (const std::string& r : Laden({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}))
        erwartet.push_back(r);
    EXPECT_EQ(Programmbefehle(), erwartet);
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 3, "strom1"), 2.5);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 11, "reglerkp"), 77);
    EXPECT_EQ(AbweichendeSaetze(*LetzterVergleich()), 0u);
    EXPECT_FALSE(VergleichsfensterKnopfAktiv(Vergleichsknopf::Schreiben));
    const QStringList sicherungen = Sicherungen();
    ASSERT_EQ(sicherungen.size(), 1);
    EXPECT_TRUE(sicherungen[0].endsWith("_P3+11.vkr")) << sicherungen[0].toStdString();

    // Restoring: open the backup, write the programs it holds.
    PopupHook_Queue(
        {VAL_EXISTING_FILE_SELECTED,
         QDir(QString::fromStdString(SicherungsordnerStandard())).filePath(sicherungen[0]).toStdString()});
    Menue(MENUBAR_EXTRAS_SICHERUNG_OEFFNEN);
    ASSERT_EQ(gParIndex, 3) << "the backup opens at its first program";
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 1.375);
    for (int n : {3, 11}) {
        SetCtrlVal(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, n);
        ParametersatzUmschalten();
        Druecken(MAINPANEL_VKR3SCHREIBEN, AKTUELL);
        EXPECT_EQ(Fehler().nummer, 0) << n;
    }
    EXPECT_DOUBLE_EQ(sim.programValue('1', 3, "strom1"), 1.375);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 11, "reglerkp"), 30);
    EXPECT_EQ(Sicherungen().size(), 3) << "each write backed up what it replaced";
}

TEST_F(Extras, AVerifyThatFindsADifferenceNamesItAndOpensTheWindow) {
    Verbinden();
    sim.addFault({'1', "C1W", FaultKind::StoreOther, 1, 0, 0, 0.777});
    gParIndex = 2;
    gPar[2].strom1 = 1.5;
    Druecken(MAINPANEL_VKR3SCHREIBEN, AKTUELL);

    EXPECT_EQ(Fehler().nummer, 505702);
    EXPECT_EQ(Fehler().text, "Die Daten sind fehlerhaft: Programm 2: Strom 1 [A]");
    ASSERT_TRUE(VergleichsfensterSichtbar());
    EXPECT_NE(VergleichsfensterZusammenfassung().find("Nach dem Schreiben geprüft"), std::string::npos);
    ASSERT_EQ(VergleichsfensterSaetze(), 1);
    EXPECT_EQ(Zeile(0, 0)[2], "1.500");
    EXPECT_EQ(Zeile(0, 0)[3], "0.777");

    // Writing it again from the window mends it.
    VergleichsfensterDruecken(Vergleichsknopf::Schreiben);
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 2, "strom1"), 1.5);
}

TEST_F(Extras, AWriteWhoseBackupCannotBeSavedSendsNothingAndSaysWhy) {
    Verbinden();
    QFile(arbeitsverzeichnis.filePath("keinordner")).open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", QFile::encodeName(arbeitsverzeichnis.filePath("keinordner")));
    Druecken(MAINPANEL_VKR3SCHREIBEN, ALLE);
    EXPECT_EQ(Fehler().nummer, 310711);
    EXPECT_EQ(Fehler().text, "Fehler beim erstellen des Verzeichnisses: " + SicherungsordnerStandard() +
                                 "; auf das Gerät wurde nichts geschrieben.");
    EXPECT_TRUE(sim.frames().empty());
}

TEST_F(Extras, ACancelledCompareKeepsWhatWasReadAndTakingItOverFillsThePanel) {
    Verbinden();
    Druecken(MAINPANEL_VKR3LESEN, ALLE);
    // Cancelled once half is read: after nine of seventeen sets (52 %).
    PopupHook_CancelProgressAt(50);
    Menue(MENUBAR_EXTRAS_VERGLEICHEN);
    EXPECT_EQ(Fehler().nummer, 4701);
    EXPECT_EQ(Fehler().text, "Abbruch durch Benutzer");
    ASSERT_EQ(VergleichsfensterSaetze(), 8) << "the sets read are equal, the others not read";
    EXPECT_EQ(Zeile(0)[0], "Programm 9");
    EXPECT_EQ(Zeile(0)[1], "nicht gelesen: Abbruch durch Benutzer (4701)");
    EXPECT_EQ(Zeile(7)[1], "nicht gelesen");

    // Compared in full, then the regulator's sets taken over after it changed.
    for (int n = 1; n <= 16; ++n)
        sim.setProgramValue('1', n, "strom1", 0.1 + 0.25 * n);
    gPar[16].strom_step = 0.25;
    VergleichsfensterDruecken(Vergleichsknopf::Erneut);
    ASSERT_EQ(Fehler().nummer, 0);
    // The cancelled compare left the regulator working with the last program it loaded.
    EXPECT_EQ(AbweichendeSaetze(*LetzterVergleich()), SAETZE_ALLE);
    VergleichsfensterDruecken(Vergleichsknopf::Uebernehmen);
    EXPECT_EQ(AbweichendeSaetze(*LetzterVergleich()), 0u);
    EXPECT_EQ(VergleichsfensterSaetze(), 0);
    for (int n = 1; n <= 16; ++n)
        EXPECT_DOUBLE_EQ(gPar[n].strom1, 0.1 + 0.25 * n) << n;
    EXPECT_DOUBLE_EQ(gPar[0].strom1, 4.1) << "the regulator works with program 16";
    EXPECT_DOUBLE_EQ(gPar[16].strom_step, 0.25) << "the program's own step stays";
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 4.1);
}

} // namespace
