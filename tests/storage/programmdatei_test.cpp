// Program files through the File menu: images, dialogs, failures and the title.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/callbacks.h"
#include "app/vkr3xsteuerung.h"
#include "params/parametersatz.h"
#include "errors/fehler.h"
#include "storage/dateimenue.h"
#include "storage/einstellungen.h"
#include "storage/programmdatei.h"
#include "tests/storage/dateigrenze.h"
#include "tests/storage/dateihilfen.h"
#include "tests/support/programm_fixture.h"

namespace {

void Oeffnen() {
    Callback_Menu_Oeffnen(0, MENUBAR_MENU_OEFFNEN, nullptr, gPanelHandle);
}
void Speichern() {
    Callback_Menu_Speichern(0, MENUBAR_MENU_SPEICHERN, nullptr, gPanelHandle);
}
void SpeichernUnter() {
    Callback_Menu_SpeichernUnter(0, MENUBAR_MENU_SPEICHERNUNTER, nullptr, gPanelHandle);
}
void Neu() {
    Callback_Menu_Neu(0, MENUBAR_MENU_NEU, nullptr, gPanelHandle);
}

std::string Titel() {
    std::string titel;
    GetPanelAttribute(gPanelHandle, ATTR_TITLE, &titel);
    return titel;
}

std::string Abbild() {
    return std::string(reinterpret_cast<const char*>(gPar), sizeof gPar);
}

// Every set different from the defaults and from each other, padding included.
void SaetzeVerstellen() {
    for (int k = 0; k < PARAMETERSAETZE; ++k) {
        Parametersatz& p = gPar[k];
        p.stromkurve = 1 + k % 12;
        p.luecke1 = 0x11110000 + k;
        p.luecke2 = 0x22220000 + k;
        p.luecke3 = -k - 1;
        p.strom1 = 0.25 * (k + 1);
        p.zeit4 = 17.0 * k;
        p.strom_step = 0.002 * (k + 1);
        p.status_stromaktiv = 1.0 + k % 3;
        p.dithtable_dithamp[9] = -0.5 * k;
    }
    gParIndex = 7;
    DateistandMerken(); // as a file holds them: New and Open have nothing to ask
}

void DateiWaehlen(int ergebnis, const std::string& pfad) {
    PopupHook_Queue({ergebnis, pfad});
}

class Programmdatei : public ProgrammTest {
  protected:
    std::string Pfad(const char* name) const { return arbeitsverzeichnis.filePath(name).toStdString(); }
    // Titles of the message popups shown so far.
    std::vector<std::string> Meldungen() const {
        std::vector<std::string> titel;
        for (const PopupRecord& r : PopupHook_Records())
            if (r.kind == PopupKind::Message) titel.push_back(r.title);
        return titel;
    }
    int Dateidialoge() const {
        int n = 0;
        for (const PopupRecord& r : PopupHook_Records())
            n += r.kind == PopupKind::FileSelect;
        return n;
    }
    // A valid file of the current sets with one change applied to its bytes.
    std::string GueltigeDatei(const std::function<void(std::string&)>& aendern) {
        const Programmabbild abbild = ProgrammabbildErstellen();
        std::string bytes(abbild.begin(), abbild.end());
        aendern(bytes);
        return bytes;
    }
};

TEST_F(Programmdatei, SavedSetsLoadBackBitForBit) {
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]");
    SaetzeVerstellen();
    const std::string gespeichert = Abbild();

    DateiWaehlen(VAL_NEW_FILE_SELECTED, Pfad("anlage.vkr"));
    SpeichernUnter();
    const std::string datei = DateiInhalt(Pfad("anlage.vkr"));
    ASSERT_EQ(datei.size(), 6440u);
    EXPECT_EQ(datei.substr(0, 40), std::string("ZEMVKR3X Programme") + std::string(14, '\0') +
                                       std::string("\x01\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(datei.substr(40, 6392), gespeichert);
    EXPECT_EQ(datei.substr(6432), std::string("\x07\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [anlage.vkr]");

    Neu();
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]");
    EXPECT_NE(Abbild(), gespeichert);
    EXPECT_EQ(gParIndex, 0);

    DateiWaehlen(VAL_EXISTING_FILE_SELECTED, Pfad("anlage.vkr"));
    Oeffnen();
    EXPECT_EQ(Abbild(), gespeichert);
    EXPECT_EQ(gParIndex, 7);
    EXPECT_EQ(Ganzzahl(MAINPANEL_PARAMETERSATZAUSWAHL), 7);
    EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), 2.0);
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [anlage.vkr]");
    EXPECT_TRUE(Meldungen().empty());

    // The dialogs as the File menu sets them up.
    const auto& dialoge = PopupHook_Records();
    ASSERT_EQ(dialoge.size(), 2u);
    EXPECT_EQ(dialoge[0].title, "Speichern");
    EXPECT_EQ(dialoge[0].message, "*.vkr");
    EXPECT_EQ(dialoge[0].buttons, std::vector<std::string>{"Save"});
    EXPECT_EQ(dialoge[1].title, "Öffnen");
    EXPECT_EQ(dialoge[1].buttons, std::vector<std::string>{"Load"});
}

TEST_F(Programmdatei, SaveAsksOnlyWhileUntitledAndSaveAsAlways) {
    DateiWaehlen(VAL_NEW_FILE_SELECTED, Pfad("a.vkr"));
    Speichern(); // untitled: asks
    EXPECT_EQ(Dateidialoge(), 1);
    const auto rechte = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(arbeitsverzeichnis.filePath("a.vkr"), rechte));
    gPar[3].strom2 = 4.5;
    Speichern(); // writes a.vkr at once
    EXPECT_EQ(Dateidialoge(), 1);
    EXPECT_EQ(QFile::permissions(arbeitsverzeichnis.filePath("a.vkr")) & 0x7077,
              rechte); // kept (no user bits)
    EXPECT_EQ(DateiInhalt(Pfad("a.vkr")).substr(40, 6392), Abbild());

    DateiWaehlen(VAL_NEW_FILE_SELECTED, Pfad("b.vkr"));
    SpeichernUnter();
    EXPECT_EQ(Dateidialoge(), 2);
    gPar[3].strom2 = 5.5;
    Speichern(); // now to b.vkr, without a dialog
    EXPECT_EQ(Dateidialoge(), 2);
    EXPECT_EQ(DateiInhalt(Pfad("b.vkr")).substr(40, 6392), Abbild());
    EXPECT_NE(DateiInhalt(Pfad("a.vkr")).substr(40, 6392), Abbild());
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [b.vkr]");
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(Programmdatei, CancellingEitherDialogChangesNothing) {
    SaetzeVerstellen();
    const std::string vorher = Abbild();
    SpeichernUnter(); // an empty script cancels
    Speichern();
    Oeffnen();
    EXPECT_EQ(Dateidialoge(), 3);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(Abbild(), vorher);
    EXPECT_EQ(gParIndex, 7);
    EXPECT_EQ(gDateipfad, "Unbenannt");
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]");
    EXPECT_EQ(Dateinamen(arbeitsverzeichnis.path()), QStringList{});
}

TEST_F(Programmdatei, FilesThatCannotBeLoadedChangeNothing) {
    SaetzeVerstellen();
    gParIndex = 3;
    const std::string gueltig = GueltigeDatei([](std::string&) {});
    const struct {
        const char* name;
        bool anlegen; // write inhalt to the file first
        std::string inhalt;
        int wahl;
        const char* meldung;
    } faelle[] = {
        {"kurz.vkr", true, gueltig.substr(0, 6439), VAL_EXISTING_FILE_SELECTED, "Fehler #304105"},
        {"leer.vkr", true, "", VAL_EXISTING_FILE_SELECTED, "Fehler #304105"},
        {"gross.vkr", true, GueltigeDatei([](std::string& b) { std::memcpy(&b[9], "PROGRAMME", 9); }),
         VAL_EXISTING_FILE_SELECTED, "Fehler #302106"},
        {"ohnenull.vkr", true, GueltigeDatei([](std::string& b) { b[18] = ' '; }), VAL_EXISTING_FILE_SELECTED,
         "Fehler #302106"},
        {"neu.vkr", false, "", VAL_NEW_FILE_SELECTED, "Fehler #308103"},
        {"verzeichnis.vkr", false, "", VAL_EXISTING_FILE_SELECTED, "Fehler #308104"},
        {"fehlt.vkr", false, "", VAL_EXISTING_FILE_SELECTED, "Fehler #308104"},
    };
    ASSERT_TRUE(QDir(arbeitsverzeichnis.path()).mkdir("verzeichnis.vkr"));
    Neu();
    const std::string vorher = Abbild();
    for (const auto& f : faelle) {
        if (f.anlegen) DateiSchreiben(Pfad(f.name), f.inhalt);
        PopupHook_ClearRecords();
        DateiWaehlen(f.wahl, Pfad(f.name));
        Oeffnen();
        EXPECT_EQ(Meldungen(), std::vector<std::string>{f.meldung}) << f.name;
        EXPECT_EQ(Abbild(), vorher) << f.name;
        EXPECT_EQ(gParIndex, 0) << f.name;
        EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]") << f.name;
    }
}

TEST_F(Programmdatei, AWrongVersionNamesTheExpectedAndTheFoundOne) {
    DateiSchreiben(Pfad("v2.vkr"), GueltigeDatei([](std::string& b) { b[32] = 2; }));
    DateiWaehlen(VAL_EXISTING_FILE_SELECTED, Pfad("v2.vkr"));
    Oeffnen();
    ASSERT_EQ(PopupHook_Records().size(), 2u);
    const PopupRecord& popup = PopupHook_Records()[1];
    EXPECT_EQ(popup.title, "Fehler #303107");
    EXPECT_EQ(popup.message, "Die Datei hat die falsche Versionsnummer\n\nerwartet:  1\ngefunden: 2");
}

TEST_F(Programmdatei, ALongerFileLoadsAndAnImpossibleSelectionShowsTheWorkingSet) {
    SaetzeVerstellen();
    const struct {
        const char* name;
        int32_t index;
        size_t anhang;
        int erwartet;
    } faelle[] = {{"lang.vkr", 5, 560, 5}, {"index17.vkr", 17, 0, 0}, {"index-1.vkr", -1, 0, 0}};
    for (const auto& f : faelle) {
        DateiSchreiben(Pfad(f.name), GueltigeDatei([&](std::string& b) {
                           std::memcpy(&b[PROGRAMMDATEI_INDEX_OFFSET], &f.index, 4);
                           b.append(f.anhang, '\x55');
                       }));
    }
    const std::string gespeichert = Abbild();
    for (const auto& f : faelle) {
        Neu();
        SetCtrlVal(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, 4);
        DateiWaehlen(VAL_EXISTING_FILE_SELECTED, Pfad(f.name));
        Oeffnen();
        EXPECT_EQ(Abbild(), gespeichert) << f.name;
        EXPECT_EQ(gParIndex, f.erwartet) << f.name;
        EXPECT_EQ(Ganzzahl(MAINPANEL_PARAMETERSATZAUSWAHL), f.erwartet) << f.name;
        EXPECT_EQ(Titel(), std::string("VKR 3 A X2 Steuerung  [") + f.name + "]");
    }
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(Programmdatei, AFailedSaveKeepsTheOldFileAndTheCurrentPath) {
    DateiWaehlen(VAL_NEW_FILE_SELECTED, Pfad("alt.vkr"));
    SpeichernUnter();
    const std::string alt = DateiInhalt(Pfad("alt.vkr"));
    ASSERT_EQ(alt.size(), 6440u);
    ASSERT_TRUE(QDir(arbeitsverzeichnis.path()).mkdir("verzeichnis.vkr"));
    SaetzeVerstellen();

    const struct {
        const char* name;
        std::string ziel;
        const char* meldung;
    } faelle[] = {
        {"directory missing", Pfad("fehlt/neu.vkr"), "Fehler #301101"},
        {"a directory in the way", Pfad("verzeichnis.vkr"), "Fehler #301101"},
        {"disk full", Pfad("alt.vkr"), "Fehler #301102"},
    };
    for (const auto& f : faelle) {
        PopupHook_ClearRecords();
        DateiWaehlen(VAL_EXISTING_FILE_SELECTED, f.ziel);
        {
            Dateigroessengrenze grenze(4000); // less than one program file
            ASSERT_TRUE(grenze.gesetzt);
            SpeichernUnter();
        }
        EXPECT_EQ(Meldungen(), std::vector<std::string>{f.meldung}) << f.name;
        EXPECT_EQ(gDateipfad, Pfad("alt.vkr")) << f.name;
        EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [alt.vkr]") << f.name;
    }
    EXPECT_EQ(DateiInhalt(Pfad("alt.vkr")), alt);
    EXPECT_TRUE(QFileInfo(arbeitsverzeichnis.filePath("verzeichnis.vkr")).isDir());
    // No temporary file is left beside the targets.
    EXPECT_EQ(Dateinamen(arbeitsverzeichnis.path()), (QStringList{"alt.vkr", "verzeichnis.vkr"}));
}

// A run whose settings file chose English.
class ProgrammdateiEnglisch : public Programmdatei {
  protected:
    void SetUp() override {
        DateiSchreiben(Pfad(EINSTELLUNGEN_DATEI), "[VKR3AX2]\r\nsprache = 2\r\n");
        Programmdatei::SetUp();
    }
    void TearDown() override {
        Programmdatei::TearDown();
        ZEM_Fehlersprache(SPRACHE_DEUTSCH);
    }
};

TEST_F(ProgrammdateiEnglisch, TitlesAndVersionTextAreEnglish) {
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unnamed]");
    DateiSchreiben(Pfad("v2.vkr"), GueltigeDatei([](std::string& b) { b[32] = 2; }));
    DateiWaehlen(VAL_EXISTING_FILE_SELECTED, Pfad("v2.vkr"));
    Oeffnen();
    Speichern();
    const auto& r = PopupHook_Records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].title, "Open");
    EXPECT_EQ(r[1].title, "Error #303107");
    EXPECT_EQ(r[1].message, "Wrong fileversion\n\nexpected:  1\nfound: 2");
    EXPECT_EQ(r[2].title, "Save");
}

} // namespace
