// Panel handles, child panels, popup panels, menus, label placement and accessible names.
#include "tests/platform/panel_fixture.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

TEST_F(PanelTest, HandlesAreDistinctAndControlIdsLocal) {
    const int second = LoadPanel(0, "some/where/testpanels.uir", TESTPANEL); // loaded by file name
    const int child = LoadPanel(panel, kTestUir, CHILDPANEL);
    ASSERT_GT(second, 0);
    ASSERT_GT(child, 0);
    EXPECT_NE(second, panel);
    EXPECT_NE(child, panel);
    SetCtrlVal(second, TEST_DITHER, 0.2);
    EXPECT_DOUBLE_EQ(Value(TEST_DITHER), 0.1); // the first instance is untouched
    // Id 2 is a button here and a ring on the child panel.
    EXPECT_EQ(SetCtrlVal(child, CHILD_PORT, 2), UIE_OK);
    EXPECT_EQ(SetCtrlVal(panel, TEST_BUTTON, 2), UIE_BAD_VALUE_TYPE);

    EXPECT_EQ(LoadPanel(0, kTestUir, 99), UIE_BAD_RESOURCE);
    EXPECT_EQ(LoadPanel(0, "andere.uir", TESTPANEL), UIE_BAD_RESOURCE);
    EXPECT_EQ(LoadPanel(12345, kTestUir, CHILDPANEL), UIE_BAD_PANEL);
    EXPECT_EQ(DiscardPanel(second), UIE_OK);
    EXPECT_EQ(SetCtrlVal(second, TEST_DITHER, 0.2), UIE_BAD_PANEL);
    EXPECT_EQ(DiscardPanel(second), UIE_BAD_PANEL);
}

TEST_F(PanelTest, ChildPanelIsATitledFrameOnTopOfItsParent) {
    const int child = LoadPanel(panel, kTestUir, CHILDPANEL);
    ASSERT_GT(child, 0);
    QWidget* frame = PanelWidget(child);
    EXPECT_EQ(frame->window(), PanelWidget(panel));
    EXPECT_TRUE(frame->isHidden());
    DisplayPanel(panel);
    EXPECT_EQ(DisplayPanel(child), UIE_OK);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->parentWidget()->children().constLast(), frame); // above the parent's controls
    auto titleShown = [frame](const QString& title) {
        for (QLabel* label : frame->findChildren<QLabel*>())
            if (label->text() == title && label->isVisible()) return true;
        return false;
    };
    EXPECT_TRUE(titleShown("COM Einstellung"));
    EXPECT_EQ(SetPanelAttribute(child, ATTR_TITLE, "COM settings"), UIE_OK);
    EXPECT_TRUE(titleShown("COM settings"));
    int visible = 0;
    EXPECT_EQ(HidePanel(child), UIE_OK);
    EXPECT_EQ(GetPanelAttribute(child, ATTR_PANEL_VISIBLE, &visible), UIE_OK);
    EXPECT_EQ(visible, 0);
    EXPECT_EQ(GetPanelMenuBar(child), UIE_BAD_MENU);

    DiscardPanel(panel); // takes the child along
    EXPECT_EQ(SetCtrlVal(child, CHILD_PORT, 1), UIE_BAD_PANEL);
    panel = LoadPanel(0, kTestUir, TESTPANEL);
}

TEST_F(PanelTest, PopupPanelIsModalUntilRemoved) {
    const int info = LoadPanel(0, kTestUir, POPUPPANEL);
    EXPECT_EQ(InstallPopup(info), UIE_OK); // returns at once
    EXPECT_TRUE(PanelWidget(info)->isVisible());
    EXPECT_EQ(PanelWidget(info)->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(RemovePopup(info), UIE_OK);
    EXPECT_FALSE(PanelWidget(info)->isVisible());
    EXPECT_EQ(PanelWidget(info)->windowModality(), Qt::NonModal);
    InstallPopup(info);
    PanelWidget(info)->close(); // no panel callback: the close box ends the popup
    EXPECT_FALSE(PanelWidget(info)->isVisible());
    EXPECT_EQ(PanelWidget(info)->windowModality(), Qt::NonModal);
    DiscardPanel(info);
}

TEST_F(PanelTest, PanelAndSystemAttributes) {
    std::string title;
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_TITLE, &title), UIE_OK);
    EXPECT_EQ(title, "Testpanel");
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_TITLE, "VKR 3 A X2 Steuerung  [Unbenannt]"), UIE_OK);
    EXPECT_EQ(PanelWidget(panel)->windowTitle(), "VKR 3 A X2 Steuerung  [Unbenannt]");
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_HAS_TASKBAR_BUTTON, 1), UIE_OK);
    EXPECT_EQ(SetSystemAttribute(ATTR_SYSTEM_SHOW_TASKBAR_BUTTONS, 0), UIE_OK);
    EXPECT_EQ(SetPanelAttribute(panel, 4711, 1), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(SetSystemAttribute(4711, 0), UIE_BAD_ATTRIBUTE);
    int visible = -1;
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_PANEL_VISIBLE, &visible), UIE_OK);
    EXPECT_EQ(visible, 0);
    DisplayPanel(panel);
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_PANEL_VISIBLE, &visible), UIE_OK);
    EXPECT_EQ(visible, 1);
}

TEST_F(PanelTest, MenuBarFollowsItsDefinition) {
    const int bar = GetPanelMenuBar(panel);
    ASSERT_GT(bar, 0);
    auto* window = dynamic_cast<QMainWindow*>(PanelWidget(panel));
    ASSERT_NE(window, nullptr);
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "Datei");
    const QList<QAction*> datei = menus[0]->menu()->actions();
    ASSERT_EQ(datei.size(), 3);
    EXPECT_EQ(datei[0]->text(), "Neu");
    EXPECT_TRUE(datei[1]->isSeparator());
    EXPECT_EQ(datei[2]->text(), "Beenden");
    // "Sprache" opens the submenu with the two languages.
    QAction* sprache = MenuItemAction(bar, TESTMENU_OPTIONEN_SPRACHE);
    ASSERT_NE(sprache, nullptr);
    ASSERT_NE(sprache->menu(), nullptr);
    EXPECT_EQ(sprache->text(), "Sprache");
    ASSERT_EQ(sprache->menu()->actions().size(), 2);
    EXPECT_EQ(sprache->menu()->actions()[1], MenuItemAction(bar, TESTMENU_OPTIONEN_SPRACHE_EN));

    EXPECT_EQ(SetMenuBarAttribute(bar, TESTMENU_DATEI, ATTR_MENU_NAME, "File"), UIE_OK);
    EXPECT_EQ(SetMenuBarAttribute(bar, TESTMENU_OPTIONEN_SPRACHE, ATTR_MENU_NAME, "Language"), UIE_OK);
    EXPECT_EQ(menus[0]->text(), "File");
    std::string name;
    EXPECT_EQ(GetMenuBarAttribute(bar, TESTMENU_OPTIONEN_SPRACHE, ATTR_MENU_NAME, &name), UIE_OK);
    EXPECT_EQ(name, "Language");
    EXPECT_EQ(SetMenuBarAttribute(bar, 99, ATTR_MENU_NAME, "x"), UIE_BAD_MENU);
    EXPECT_EQ(SetMenuBarAttribute(bar + 50, TESTMENU_DATEI, ATTR_MENU_NAME, "x"), UIE_BAD_MENU);
}

TEST_F(PanelTest, LabelsSitBesideTheirControls) {
    const QRect dither = ControlWidget(panel, TEST_DITHER)->geometry();
    const QRect left = LabelOf(panel, TEST_DITHER)->geometry();
    EXPECT_LT(left.right(), dither.left());
    EXPECT_EQ(left.width(), 130); // the reserved label width
    const QRect led = ControlWidget(panel, TEST_LED)->geometry();
    EXPECT_GT(LabelOf(panel, TEST_LED)->geometry().left(), led.right());
    const QRect table = ControlWidget(panel, TEST_TABELLE)->geometry();
    const QRect above = LabelOf(panel, TEST_TABELLE)->geometry();
    EXPECT_LE(above.bottom(), table.top());
    EXPECT_EQ(above.left(), table.left());
    EXPECT_EQ(LabelOf(panel, TEST_FEHLERTEXT), nullptr);
}

TEST_F(PanelTest, FrameCaptionCoversTheFrameLineOnly) {
    QWidget* caption = ControlWidget(panel, TEST_UEBERSCHRIFT);
    EXPECT_TRUE(caption->autoFillBackground());
    EXPECT_LT(caption->width(), 200); // shrunk to its text
    EXPECT_FALSE(ControlWidget(panel, TEST_MELDUNG)->autoFillBackground());
    EXPECT_TRUE(ControlWidget(panel, TEST_RAHMEN)->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(PanelTest, AccessibleNamesAreTrimmedLabelsOrConstants) {
    const std::pair<int, const char*> expected[] = {
        {TEST_DITHER, "Dither Strom [A]"},
        {TEST_BUTTON, "Ausführen"},
        {TEST_CHECKBOX, "Option"},
        {TEST_MELDUNG, "Suche Gerät ..."},
        {TEST_FEHLERTEXT, "TEST_FEHLERTEXT"},
        {TEST_COMBILD, "TEST_COMBILD"},
        {TEST_RAHMEN, "TEST_RAHMEN"},
        {TEST_LOGO, "TEST_LOGO"},
        {TEST_TABELLE, "Dither Amplitudentabelle"},
    };
    for (const auto& [control, name] : expected)
        EXPECT_EQ(ControlWidget(panel, control)->accessibleName(), QString::fromUtf8(name)) << control;
    SetCtrlVal(panel, TEST_MELDUNG, "");
    EXPECT_EQ(ControlWidget(panel, TEST_MELDUNG)->accessibleName(), "TEST_MELDUNG");
}
