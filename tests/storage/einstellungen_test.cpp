// Settings file: what IniLaden takes over item by item, and what the program leaves at exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <string>

#include "app/globals.h"
#include "app/sprache.h"
#include "app/start.h"
#include "app/vkr3xsteuerung.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "platform/popup_hook.h"
#include "platform/ui.h"
#include "platform/ui_testaccess.h"
#include "sim/simulator.h"
#include "platform/ui_testaccess.h"
#include "storage/einstellungen.h"
#include "tests/bericht/pdftext.h"
#include "tests/storage/dateihilfen.h"

#include <QAction>

namespace {

// Runs the test in a fresh working directory, where the settings file lives.
class Einstellungen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        vorher = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override {
        QDir::setCurrent(vorher);
        ZEM_Fehlersprache(SPRACHE_DEUTSCH);
    }

    QTemporaryDir dir;
    QString vorher;
};

bool FehlertexteEnglisch() {
    return std::string(ZEM_Fehlermeldung(-301101)) == "Error writing to file";
}

struct Ladefall {
    const char* name;
    const char* datei; // null: no settings file
    int ergebnis;
    int port, lport;
    char adresse;
    int baudrate;
    int sprache, spracheNeu; // starting from an English run, both 2
};

TEST_F(Einstellungen, LoadingTakesOverOnlyAcceptedValues) {
    const Ladefall faelle[] = {
        {"no file", nullptr, -802208, -1, -1, '1', 9600, 2, 2},
        {"all items",
         "[VKR3AX2]\r\nport = 3\r\nlport = 8\r\nadresse = 38\r\nbaudrate = 2400\r\nsprache = 2\r\n", 0, 3, 8,
         '&', 2400, 2, 2},
        {"names in another case", "[vkr3ax2]\r\nPORT = 4\r\nLport = -1\r\nADRESSE = 56\r\n", 0, 4, -1, '8',
         9600, 1, 2},
        {"19200 baud kept", "[VKR3AX2]\r\nbaudrate = 19200\r\n", 0, -1, -1, '1', 19200, 1, 2},
        {"38400 baud kept", "[VKR3AX2]\r\nbaudrate = 38400\r\n", 0, -1, -1, '1', 38400, 1, 2},
        {"115200 baud kept", "[VKR3AX2]\r\nbaudrate = 115200\r\n", 0, -1, -1, '1', 115200, 1, 2},
        {"1200 baud kept", "[VKR3AX2]\r\nbaudrate = 1200\r\n", 0, -1, -1, '1', 1200, 1, 2},
        {"refused values",
         "[VKR3AX2]\r\nport = 9\r\nlport = 0\r\nadresse = 57\r\nbaudrate = 14400\r\nsprache = 3\r\n", 0, -1,
         -1, '1', 9600, 1, 2},
        {"refused values 2",
         "[VKR3AX2]\r\nport = -2\r\nlport = 9\r\nadresse = 48\r\nbaudrate = 0\r\nsprache = 1\r\n", 0, -1, -1,
         '1', 9600, 1, 2},
        {"not integers", "[VKR3AX2]\r\nport = 3 ; COM3\r\nadresse = '2'\r\nbaudrate = 9600.0\r\n", 0, -1, -1,
         '1', 9600, 1, 2},
        {"other section", "[VKR3AX1]\r\nport = 3\r\nsprache = 2\r\n", 0, -1, -1, '1', 9600, 1, 2},
    };
    for (const Ladefall& f : faelle) {
        QFile::remove(EINSTELLUNGEN_DATEI);
        if (f.datei) DateiSchreiben(EINSTELLUNGEN_DATEI, f.datei);
        ComStrukturInitialisieren();
        gSprache = gSpracheNeu = SPRACHE_ENGLISCH;
        ZEM_Fehlersprache(SPRACHE_ENGLISCH);

        EXPECT_EQ(IniLaden(), f.ergebnis) << f.name;
        EXPECT_EQ(gCom.port, f.port) << f.name;
        EXPECT_EQ(gCom.lport, f.lport) << f.name;
        EXPECT_EQ(gCom.adresse, f.adresse) << f.name;
        EXPECT_EQ(gCom.baudrate, f.baudrate) << f.name;
        EXPECT_EQ(gSprache, f.sprache) << f.name;
        EXPECT_EQ(gSpracheNeu, f.spracheNeu) << f.name;
        EXPECT_EQ(FehlertexteEnglisch(), f.sprache == SPRACHE_ENGLISCH) << f.name;
    }
}

TEST_F(Einstellungen, AnUnreadableFileChangesNothing) {
    ASSERT_TRUE(QDir().mkdir(EINSTELLUNGEN_DATEI));
    ComStrukturInitialisieren();
    gCom.baudrate = 4800;
    gSprache = SPRACHE_ENGLISCH;
    EXPECT_EQ(IniLaden(), -801209);
    EXPECT_EQ(gCom.baudrate, 4800);
    EXPECT_EQ(gSprache, SPRACHE_ENGLISCH);
    EXPECT_EQ(IniSchreiben(), -800210);
}

// One run of the program: start with the given settings file, act, end; the settings file the
// run left behind.
std::string Programmlauf(const std::string& einstellungen, const std::function<void()>& waehrend) {
    DateiSchreiben(EINSTELLUNGEN_DATEI, einstellungen);
    PopupHook_Activate();
    gSprache = gSpracheNeu = SPRACHE_DEUTSCH;
    char name[] = "vkr3xsteuerung";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(ProgrammStarten(1, argv), 0);
    waehrend();
    EXPECT_EQ(ProgrammBeenden(), 0);
    PopupHook_Deactivate();
    return DateiInhalt(EINSTELLUNGEN_DATEI);
}

// The device tools' switches come back from their own section, as the menu shows and sets them.
TEST_F(Einstellungen, ExitWithoutAnOpenPortStoresNoPortTheNextLanguageAndTheToolSwitches) {
    const std::string danach = Programmlauf(
        "[VKR3AX2]\r\nport = -1\r\nlport = 3\r\nadresse = 50\r\nbaudrate = 38400\r\nsprache = 2\r\n"
        "[Extras]\r\nnachSchreibenPruefen = 0\r\nvergleichNurAbweichungen = 0\r\nvorSchreibenSichern = 7\r\n",
        [] {
            EXPECT_EQ(gSprache, SPRACHE_ENGLISCH);
            EXPECT_EQ(gCom.portOffen, -1);
            Callback_Menu_Sprache(GetPanelMenuBar(gPanelHandle), MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE,
                                  nullptr, gPanelHandle);
            const int leiste = GetPanelMenuBar(gPanelHandle);
            int pruefen = -1, sichern = -1;
            GetMenuBarAttribute(leiste, MENUBAR_EXTRAS_PRUEFEN, ATTR_CHECKED, &pruefen);
            GetMenuBarAttribute(leiste, MENUBAR_EXTRAS_SICHERN, ATTR_CHECKED, &sichern);
            EXPECT_EQ(pruefen, 0);
            EXPECT_EQ(sichern, 1) << "7 is no switch value: the default stays";
            MenuItemAction(leiste, MENUBAR_EXTRAS_SICHERN)->trigger();
        });
    EXPECT_EQ(
        danach,
        "[Extras]\r\nnachSchreibenPruefen = 0\r\nvergleichArbeitsparameter = 1\r\n"
        "vergleichNurAbweichungen = 0\r\nvorSchreibenSichern = 0\r\n\r\n"
        "[VKR3AX2]\r\nadresse = 50\r\nbaudrate = 38400\r\nlport = 3\r\nport = -1\r\nsprache = 1\r\n\r\n");
}

TEST_F(Einstellungen, ExitWithAnOpenPortStoresItToBeOpenedAgain) {
    vkr3xsim::Simulator sim;
    sim.addDevice('1', vkr3xsim::DeviceKind::VersionB);
    const std::string leitung = sim.open();
    ASSERT_FALSE(leitung.empty());
    sim.start();
    qputenv("VKR3X_COM1", QByteArray::fromStdString(leitung));

    const std::string danach =
        Programmlauf("[VKR3AX2]\r\nport = 1\r\nadresse = 49\r\nbaudrate = 115200\r\n", [] {
            EXPECT_EQ(gCom.portOffen, 1);
            EXPECT_EQ(gCom.baudrate, 115200);
        });
    EXPECT_EQ(
        danach,
        "[Extras]\r\nnachSchreibenPruefen = 1\r\nvergleichArbeitsparameter = 1\r\n"
        "vergleichNurAbweichungen = 1\r\nvorSchreibenSichern = 1\r\n\r\n"
        "[VKR3AX2]\r\nadresse = 49\r\nbaudrate = 115200\r\nlport = -1\r\nport = 1\r\nsprache = 1\r\n\r\n");

    ZEMVKR3X_Close(1);
    sim.stop();
    qunsetenv("VKR3X_COM1");
}

void BerichtMenue() {
    MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_EXTRAS_BERICHT)->trigger();
}

TEST_F(Einstellungen, TheReportDialogsTextsAreKeptInASectionOfTheirOwnForTheNextReport) {
    // Quotes, blanks at both ends, umlauts, a line end and more than one INI line's worth.
    const std::string bemerkung = "  \"Ventil A\" getauscht;\n" + std::string(100, 'x') + "  ";
    const std::string pdf = dir.filePath("anlage.pdf").toStdString();
    const std::string danach = Programmlauf("[VKR3AX2]\r\nsprache = 1\r\n", [&] {
        PopupHook_Queue({1, "", {"Presse 7 – Halle 3", "Jörg Müller", bemerkung}});
        PopupHook_Queue({VAL_NEW_FILE_SELECTED, pdf});
        BerichtMenue();
        const auto& r = PopupHook_Records();
        ASSERT_EQ(r.size(), 3u); // the form, the file dialog, the note that it is written
        EXPECT_EQ(r[0].kind, PopupKind::Form);
        EXPECT_EQ(r[0].fields.at(0), std::make_pair(std::string("Maschine"), std::string()));
        EXPECT_EQ(r[1].kind, PopupKind::FileSelect);
        EXPECT_EQ(r[2].message, "Bericht gespeichert:\n" + pdf);
    });
    EXPECT_NE(danach.find("[Bericht]\r\n"), std::string::npos) << danach;
    EXPECT_NE(PdfText(QString::fromStdString(pdf)).find("Jörg Müller"), std::string::npos);

    gBerichtstexte = {}; // the next run takes them from the file alone
    Programmlauf(danach, [&] {
        BerichtMenue(); // no reply: the form is cancelled and nothing else asked
        const auto& r = PopupHook_Records();
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].fields.at(0).second, "Presse 7 – Halle 3");
        EXPECT_EQ(r[0].fields.at(1).second, "Jörg Müller");
        EXPECT_EQ(r[0].fields.at(2).second, "  \"Ventil A\" getauscht; " + std::string(100, 'x') + "  ");
    });
}

} // namespace
