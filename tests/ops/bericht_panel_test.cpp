// Extras/Bericht on the panels against the simulator: the regulator as it answers when the record
// is made, and the differences of the last comparison against the sets as they are then.
#include "app/vkr3xsteuerung.h"
#include "fenster/vergleichsfenster.h"
#include "params/parametersatz.h"
#include "platform/popup_hook.h"
#include "tests/bericht/pdftext.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <QAction>

#include <regex>

namespace {

class BerichtPanel : public Geraetepanel {
  protected:
    void TearDown() override {
        VergleichsfensterSchliessen();
        Geraetepanel::TearDown();
    }
    static void Menue(int punkt) { MenuItemAction(GetPanelMenuBar(gPanelHandle), punkt)->trigger(); }
    std::string Bericht(const char* name) {
        const QString pfad = arbeitsverzeichnis.filePath(name);
        PopupHook_ClearRecords();
        PopupHook_Queue({1, "", {"Presse 7"}});
        PopupHook_Queue({VAL_NEW_FILE_SELECTED, pfad.toStdString()});
        Menue(MENUBAR_EXTRAS_BERICHT);
        return PdfText(pfad);
    }
};

void Enthaelt(const std::string& text, std::initializer_list<const char*> muster) {
    for (const char* m : muster)
        EXPECT_TRUE(std::regex_search(text, std::regex(m))) << m << "\n" << text;
}

TEST_F(BerichtPanel, TheRegulatorAndTheDifferencesOfTheLastComparisonAreInTheRecord) {
    Verbinden();
    sim.setProgramValue('1', 11, "reglerkp", 30);
    PopupHook_Queue({2, ""}); // read all programs: the panel holds what the regulator holds
    Klicken(gPanelHandle, MAINPANEL_VKR3LESEN);
    gPar[3].strom1 = 2.5;
    gPar[11].reglerkp = 77;
    Menue(MENUBAR_EXTRAS_VERGLEICHEN);

    const std::string text = Bericht("vergleich.pdf");
    EXPECT_EQ(Fehler().nummer, 0);
    Enthaelt(text,
             {R"(Regler\s+ZEM-VKR3AX2b)", R"(Version\s+VKR3AX2b)", R"(Verbindung\s+COM 1 \(.+\), Adresse 1)",
              R"(Vergleich\s+mit dem Gerät an Adresse 1 um .*: 15 gleich, 2 abweichend, 0 nicht gelesen)"});
    Enthaelt(Block(text, "Programm 3"),
             {R"(Programm 3\s+Gerät: abweichend, 1 Feld)", R"(Strom 1\s+2\.500 A.*\n.*Gerät: 1\.375)"});
    Enthaelt(Block(text, "Programm 11"), {R"(Regler KP\s+77 %.*\n.*Gerät: 30)"});

    // Put back to the regulator's value, program 3 is no difference any more.
    gPar[3].strom1 = 1.375;
    const std::string danach = Bericht("danach.pdf");
    Enthaelt(Block(danach, "Programm 3"), {R"(Programm 3\s+Gerät: gleich)"});
    Enthaelt(danach, {R"(16 gleich, 1 abweichend)"});
}

} // namespace
