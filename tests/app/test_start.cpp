// Start-up and shutdown of the program.
#include <QTimer>
#include <QWidget>
#include <QCloseEvent>
#include <QApplication>
#include <QAction>

#include <string>
#include <vector>

#include "app/callbacks.h"
#include "app/vkr3xsteuerung.h"
#include "params/parametersatz.h"
#include "platform/ui_testaccess.h"
#include "tests/support/programm_fixture.h"

namespace {

int Schalter(std::vector<std::string> argumente) {
    std::vector<char*> argv;
    std::string name = "vkr3xsteuerung";
    argv.push_back(name.data());
    for (std::string& a : argumente)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return ServiceSchalterGesetzt(static_cast<int>(argumente.size()) + 1, argv.data());
}

TEST(ServiceSchalter, OnlyTheExactSwitchAloneCounts) {
    const struct {
        std::vector<std::string> argumente;
        int erwartet;
    } faelle[] = {
        {{"-p=QuxFandOrmi"}, 1},
        {{}, 0},
        {{"-p=quxfandormi"}, 0},
        {{"-P=QuxFandOrmi"}, 0},
        {{"-p=QuxFandOrmi "}, 0},
        {{"-p=QuxFandOrmix"}, 0},
        {{"x-p=QuxFandOrmi"}, 0},
        {{"-p=QuxFandOrmi", "-p=QuxFandOrmi"}, 0},
        {{"-p=QuxFandOrmi", "datei.vkr"}, 0},
        {{""}, 0},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Schalter(f.argumente), f.erwartet) << (f.argumente.empty() ? "" : f.argumente[0]);
}

class Start : public ProgrammTest {};

TEST_F(Start, PanelsAreLoadedWithTheirStartTexts) {
    EXPECT_GT(gPanelHandle, 0);
    EXPECT_GT(gCompanelHandle, 0);
    EXPECT_GT(gInfopanelHandle, 0);
    std::string text;
    GetCtrlVal(gInfopanelHandle, INFOPANEL_VERSION, &text);
    EXPECT_EQ(text, "V 2.3");
    GetCtrlVal(gInfopanelHandle, INFOPANEL_DATUM, &text);
    EXPECT_EQ(text, "6/2020");
    GetCtrlVal(gCompanelHandle, COMPANEL_SCANTEXT, &text);
    EXPECT_EQ(text, "");
    int sichtbar = -1;
    GetPanelAttribute(gPanelHandle, ATTR_PANEL_VISIBLE, &sichtbar);
    EXPECT_EQ(sichtbar, 1);
    GetPanelAttribute(gCompanelHandle, ATTR_PANEL_VISIBLE, &sichtbar);
    EXPECT_EQ(sichtbar, 0);
}

TEST_F(Start, WithoutTheSwitchTheSetupButtonStaysHiddenAndCalibrateIsShown) {
    EXPECT_EQ(gPasswortok, 0);
    EXPECT_EQ(Sichtbar(MAINPANEL_VKR3DEVSETUP), 0);
    EXPECT_EQ(Sichtbar(MAINPANEL_VKR3KALIBRIEREN), 1);
}

TEST(StartMitSchalter, TheSwitchShowsTheSetupButton) {
    QTemporaryDir arbeitsverzeichnis; // start and end read and write the settings file here
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(arbeitsverzeichnis.path()));
    PopupHook_Activate();
    gSprache = SPRACHE_DEUTSCH;
    char name[] = "vkr3xsteuerung";
    char schalter[] = "-p=QuxFandOrmi";
    char* argv[] = {name, schalter, nullptr};
    ASSERT_EQ(ProgrammStarten(2, argv), 0);
    EXPECT_EQ(gPasswortok, 1);
    int v = -1;
    GetCtrlAttribute(gPanelHandle, MAINPANEL_VKR3DEVSETUP, ATTR_VISIBLE, &v);
    EXPECT_EQ(v, 1);
    GetCtrlAttribute(gPanelHandle, MAINPANEL_VKR3KALIBRIEREN, ATTR_VISIBLE, &v);
    EXPECT_EQ(v, 1);
    ProgrammBeenden();
    PopupHook_Deactivate();
    QDir::setCurrent(vorher);
}

// The event loop ends through the close box and through File/Exit alike.
TEST_F(Start, CloseBoxEndsTheEventLoop) {
    QTimer::singleShot(0, [] { PanelWidget(gPanelHandle)->close(); });
    QTimer::singleShot(5000, [] { QuitUserInterface(99); }); // guard against a hang
    EXPECT_EQ(RunUserInterface(), 0);
}

TEST_F(Start, FileExitEndsTheEventLoop) {
    QAction* beenden = MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_MENU_BEENDEN);
    ASSERT_NE(beenden, nullptr);
    QTimer::singleShot(0, [beenden] { beenden->trigger(); });
    QTimer::singleShot(5000, [] { QuitUserInterface(99); });
    EXPECT_EQ(RunUserInterface(), 0);
}

TEST_F(Start, ComPanelOpensFromTheMenuAndItsButtonOnlyHidesIt) {
    int sichtbar = -1;
    MenuItemAction(GetPanelMenuBar(gPanelHandle), MENUBAR_EINSTELLUNGEN_COM)->trigger();
    GetPanelAttribute(gCompanelHandle, ATTR_PANEL_VISIBLE, &sichtbar);
    EXPECT_EQ(sichtbar, 1);
    Callback_Button_CompanelSchliessen(gCompanelHandle, COMPANEL_SCHLIESSEN, EVENT_COMMIT, nullptr, 0, 0);
    GetPanelAttribute(gCompanelHandle, ATTR_PANEL_VISIBLE, &sichtbar);
    EXPECT_EQ(sichtbar, 0);
}

} // namespace
