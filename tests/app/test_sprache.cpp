// English runs relabel the panels once at start; the menu only chooses the next start's language.
#include <string>

#include "app/sprache.h"
#include "app/vkr3xsteuerung.h"
#include "tests/support/programm_fixture.h"

namespace {

std::string Label(int panel, int control) {
    std::string s;
    GetCtrlAttribute(panel, control, ATTR_LABEL_TEXT, &s);
    return s;
}
std::string Text(int panel, int control) {
    std::string s;
    GetCtrlVal(panel, control, &s);
    return s;
}
std::string Menuename(int item) {
    std::string s;
    GetMenuBarAttribute(GetPanelMenuBar(gPanelHandle), item, ATTR_MENU_NAME, &s);
    return s;
}
std::string Eintrag(int panel, int control, int index) {
    std::string s;
    GetLabelFromIndex(panel, control, index, &s);
    return s;
}
int EintragWert(int panel, int control, int index) {
    int v = -999;
    GetValueFromIndex(panel, control, index, &v);
    return v;
}

class EnglischerLauf : public ProgrammTest {
  protected:
    int Sprache() const override { return SPRACHE_ENGLISCH; }
};
class DeutscherLauf : public ProgrammTest {};

TEST_F(EnglischerLauf, LabelsTextsAndMenusAreEnglishWithTheirBlanks) {
    const struct {
        int control;
        const char* label;
    } labels[] = {
        {MAINPANEL_PARAMETERSATZAUSWAHL, "Parameter sets"},
        {MAINPANEL_EINZUSTELLENDESPROG, "Working parameters to/from program"},
        {MAINPANEL_VKR3STOPP, "Stop"},
        {MAINPANEL_REGLER_GAIN, "             Regulation Gain [%]"},
        {MAINPANEL_DITHER_STROM, "     Dither current[A]"},
        {MAINPANEL_ENDSTUFEREGELN, "           Regulate directly"},
        {MAINPANEL_DAUERNDABFRAGEN, "Continously"},
        {MAINPANEL_RFWV_VALUE, "                 voltage [V]"},
        {MAINPANEL_AN_VKR3AX2_ANPASEN, "Adopt to VKR3AX2 version"},
        {MAINPANEL_CHECKBOX_SUP_DITH_TBL, "Device supports Dither table"},
        {MAINPANEL_DITHER_TABLE, "Dither amplitude-table"},
    };
    for (const auto& l : labels)
        EXPECT_EQ(Label(gPanelHandle, l.control), l.label);
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_TEXTMSG_14), "Set VRK-3");
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_TEXTMSG_11), "necessary in\nthis current\ncurve");
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_TEXTMSG_RFWV), "Raised Freewheeling Voltage");
    EXPECT_EQ(Label(gCompanelHandle, COMPANEL_SCHLIESSEN), "Close Window");
    EXPECT_EQ(Menuename(MENUBAR_MENU), "File");
    EXPECT_EQ(Menuename(MENUBAR_MENU_SPEICHERNUNTER), "Save as");
    EXPECT_EQ(Menuename(MENUBAR_EINSTELLUNGEN_SPRACHE), "Language");
    EXPECT_EQ(Menuename(MENUBAR_HILFE), "Help");
    EXPECT_EQ(Menuename(MENUBAR_ANSICHT), "View");
    EXPECT_EQ(Menuename(MENUBAR_ANSICHT_KOMMUNIKATION), "Communication …");
    std::string titel;
    GetTableColumnAttribute(gPanelHandle, MAINPANEL_DITHER_TABLE, 1, ATTR_LABEL_TEXT, &titel);
    EXPECT_EQ(titel, "pmw-curr.");
    GetTableColumnAttribute(gPanelHandle, MAINPANEL_DITHER_TABLE, 2, ATTR_LABEL_TEXT, &titel);
    EXPECT_EQ(titel, "dith. ampl.");
}

TEST_F(EnglischerLauf, RingItemsAreReplacedInPlaceWithTheirValues) {
    const char* dither[] = {"off", "Sinus", "Rectangle", "Dreieck"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_DITHER_TYP, i), dither[i]);
        EXPECT_EQ(EintragWert(gPanelHandle, MAINPANEL_DITHER_TYP, i), i);
    }
    EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, 0), "Working parameters");
    EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, 16), "Program 16");
    EXPECT_EQ(EintragWert(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, 16), 16);
    EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_STROMKURVE, 8), "9 - Current 1/2 regulated, manually setable");
    EXPECT_EQ(EintragWert(gPanelHandle, MAINPANEL_STROMKURVE, 8), 9);
    EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_RFWV_ALWAYS_ON, 1), "on");
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_PORT, 0), "not opened");
    EXPECT_EQ(EintragWert(gCompanelHandle, COMPANEL_PORT, 0), -1);
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_PORT, 1), "COM 1");
}

TEST_F(EnglischerLauf, AddressRingAllStillYieldsTheBroadcastCharacter) {
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_ADRESSE, 8), "all");
    char zeichen = 0;
    GetValueFromIndex(gCompanelHandle, COMPANEL_ADRESSE, 8, &zeichen);
    EXPECT_EQ(zeichen, '&');
    ASSERT_EQ(SetCtrlVal(gCompanelHandle, COMPANEL_ADRESSE, '&'), 0);
    zeichen = 0;
    GetCtrlVal(gCompanelHandle, COMPANEL_ADRESSE, &zeichen);
    EXPECT_EQ(zeichen, '&');
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_ADRESSE, 0), "1");
}

TEST_F(EnglischerLauf, TextsWithoutTranslationStayGerman) {
    EXPECT_EQ(Label(gPanelHandle, MAINPANEL_VKR3DEVSETUP), "Geräte-Setup");
    EXPECT_EQ(Label(gPanelHandle, MAINPANEL_STATUSINFO), "?");
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_STERN_STROM1), "*");
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_TEXTMSG_VERSION), "Version: - - - - -");
    EXPECT_EQ(Text(gInfopanelHandle, INFOPANEL_TEXTMSG_3), "VKR-3AX2 Steuerung");
    std::string titel;
    GetPanelAttribute(gCompanelHandle, ATTR_TITLE, &titel);
    EXPECT_EQ(titel, "COM Einstellung");
}

TEST_F(DeutscherLauf, GermanRunKeepsTheDefinitionTexts) {
    EXPECT_EQ(Label(gPanelHandle, MAINPANEL_REGLER_GAIN), "Regler Verstärkung [%]");
    EXPECT_EQ(Eintrag(gPanelHandle, MAINPANEL_DITHER_TYP, 0), "aus");
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_ADRESSE, 8), "alle");
    EXPECT_EQ(Eintrag(gCompanelHandle, COMPANEL_PORT, 0), "nicht geöffnet");
    EXPECT_EQ(Menuename(MENUBAR_MENU), "Datei");
    EXPECT_EQ(Text(gPanelHandle, MAINPANEL_TEXTMSG_11), "= in dieser\n   Stromkurve\n   benötigt");
}

// Each menu choice and whether it shows the restart notice.
struct Wahl {
    int item;
    bool hinweis;
};

void Waehlen(const Wahl& w) {
    const size_t vorher = PopupHook_Records().size();
    Callback_Menu_Sprache(GetPanelMenuBar(gPanelHandle), w.item, nullptr, gPanelHandle);
    const auto& r = PopupHook_Records();
    ASSERT_EQ(r.size() - vorher, w.hinweis ? 1u : 0u) << "item " << w.item;
    if (w.hinweis) {
        EXPECT_EQ(r.back().kind, PopupKind::Message);
        EXPECT_EQ(r.back().title, "Info");
        EXPECT_EQ(r.back().message,
                  "Die Sprache wird nach einem Programmneustart geändert.\n\nThe language will be changed "
                  "after restarting the program.");
    }
}

constexpr int DE = MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE;
constexpr int EN = MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN;

TEST_F(DeutscherLauf, RestartNoticeOnlyWhenTheChoiceDiffersFromTheRunningLanguage) {
    Waehlen({EN, true});
    EXPECT_EQ(gSpracheNeu, SPRACHE_ENGLISCH);
    Waehlen({EN, true});
    Waehlen({DE, false});
    EXPECT_EQ(gSpracheNeu, SPRACHE_DEUTSCH);
    EXPECT_EQ(gSprache, SPRACHE_DEUTSCH);
    // Nothing on the screen changes language.
    EXPECT_EQ(Menuename(MENUBAR_MENU), "Datei");
}

TEST_F(EnglischerLauf, RestartNoticeWhenChoosingGermanInAnEnglishRun) {
    Waehlen({EN, false});
    EXPECT_EQ(gSpracheNeu, SPRACHE_ENGLISCH);
    Waehlen({DE, true});
    EXPECT_EQ(gSpracheNeu, SPRACHE_DEUTSCH);
    EXPECT_EQ(gSprache, SPRACHE_ENGLISCH);
    EXPECT_EQ(Menuename(MENUBAR_MENU), "File");
}

} // namespace
