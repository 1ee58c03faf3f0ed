// Values, limits, rings, tables and attributes as the program sets and reads them.
#include "tests/platform/panel_fixture.h"

#include <QDoubleSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <cmath>
#include <functional>
#include <limits>

TEST_F(PanelTest, ProgramChangesNeverReachACallback) {
    const std::vector<std::function<int()>> changes = {
        [&] { return SetCtrlVal(panel, TEST_DITHER, 0.2); },
        [&] { return SetCtrlVal(panel, TEST_DITHER, 9.0); }, // limited as well
        [&] { return SetCtrlAttribute(panel, TEST_DITHER, ATTR_MAX_VALUE, 0.1); },
        [&] { return SetCtrlVal(panel, TEST_PROGRAMM, 5); },
        [&] { return SetCtrlVal(panel, TEST_RING, 2); },
        [&] { return SetCtrlVal(panel, TEST_ADRESSE, '&'); },
        [&] { return ReplaceListItem(panel, TEST_RING, 2, "Rechteck", 2); },
        [&] { return SetCtrlVal(panel, TEST_TOGGLE, 1); },
        [&] { return SetCtrlVal(panel, TEST_CHECKBOX, 1); },
        [&] { return SetCtrlVal(panel, TEST_EINGABE, "VKR3AX2b"); },
        [&] { return SetCtrlVal(panel, TEST_COMBILD, 3); },
        [&] { return SetTableCellVal(panel, TEST_TABELLE, MakePoint(1, 2), 0.5); },
        [&] { return SetTableColumnAttribute(panel, TEST_TABELLE, 1, ATTR_LABEL_TEXT, "pmw-curr."); },
        [&] { return SetCtrlAttribute(panel, TEST_RING, ATTR_LABEL_TEXT, "Dither type"); },
        [&] { return SetCtrlAttribute(panel, TEST_BUTTON, ATTR_DIMMED, 1); },
    };
    ShowActive();
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i](), UIE_OK) << "change " << i;
        QCoreApplication::processEvents();
        EXPECT_TRUE(gControlEvents.empty()) << "change " << i << " called a callback";
    }
}

struct LimitCase {
    int control;
    double set;
    double expected;
    const char* shown;
};

// A value set by the program is held exactly (only limited) and shown at the control's decimals.
TEST_F(PanelTest, NumericsHoldProgramValuesExactlyWithinTheirLimits) {
    const LimitCase cases[] = {
        {TEST_DITHER, 7.0, 0.3, "0.300"},
        {TEST_DITHER, -1.0, 0.0, "0.000"},
        {TEST_DITHER, 0.1234, 0.1234, "0.123"},
        {TEST_DITHER, 0.2996, 0.2996, "0.300"},
        {TEST_ZEIT, 0.0, 1.0, "1"},
        {TEST_ZEIT, 70000.0, 65534.0, "65534"},
        {TEST_ZEIT, 12.6, 12.6, "13"},
        {TEST_PROGRAMM, 2.6, 3.0, "3"},
        {TEST_PROGRAMM, 17.0, 16.0, "16"},
        {TEST_ISTWERT, 123456.789, 123456.789, "123456.789"},
        {TEST_ISTWERT, -5e6, -5e6, "-5000000.000"},
    };
    for (const LimitCase& c : cases) {
        ASSERT_EQ(SetCtrlVal(panel, c.control, c.set), UIE_OK);
        EXPECT_DOUBLE_EQ(Value(c.control), c.expected) << "control " << c.control << " set " << c.set;
        EXPECT_EQ(Widget<QDoubleSpinBox>(c.control)->text(), c.shown) << "control " << c.control;
    }
    int programm = 0;
    SetCtrlVal(panel, TEST_PROGRAMM, 12);
    EXPECT_EQ(GetCtrlVal(panel, TEST_PROGRAMM, &programm), UIE_OK);
    EXPECT_EQ(programm, 12);
}

TEST_F(PanelTest, ChangedLimitsBringTheValueWithinThem) {
    SetCtrlVal(panel, TEST_DITHER, 0.25);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_DITHER, ATTR_MAX_VALUE, 0.2), UIE_OK);
    EXPECT_DOUBLE_EQ(Value(TEST_DITHER), 0.2);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_ZEIT, ATTR_MIN_VALUE, 2000), UIE_OK);
    EXPECT_DOUBLE_EQ(Value(TEST_ZEIT), 2000.0);
    double limit = 0;
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_DITHER, ATTR_MAX_VALUE, &limit), UIE_OK);
    EXPECT_DOUBLE_EQ(limit, 0.2);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_ISTWERT, ATTR_MAX_VALUE, &limit), UIE_OK);
    EXPECT_EQ(limit, std::numeric_limits<double>::infinity());
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_RING, ATTR_MAX_VALUE, 3.0), UIE_BAD_ATTRIBUTE);
}

TEST_F(PanelTest, CharacterRingYieldsCharacters) {
    char adresse = 0;
    EXPECT_EQ(GetCtrlVal(panel, TEST_ADRESSE, &adresse), UIE_OK);
    EXPECT_EQ(adresse, '1');
    EXPECT_EQ(SetCtrlVal(panel, TEST_ADRESSE, '&'), UIE_OK);
    EXPECT_EQ(GetCtrlVal(panel, TEST_ADRESSE, &adresse), UIE_OK);
    EXPECT_EQ(adresse, '&');
    EXPECT_EQ(Widget<QComboBox>(TEST_ADRESSE)->currentText(), "alle");
    // A value without an item leaves the selection as it was.
    EXPECT_EQ(SetCtrlVal(panel, TEST_ADRESSE, 'x'), UIE_ITEM_NOT_FOUND);
    EXPECT_EQ(GetCtrlVal(panel, TEST_ADRESSE, &adresse), UIE_OK);
    EXPECT_EQ(adresse, '&');
    EXPECT_EQ(SetCtrlVal(panel, TEST_RING, 7), UIE_ITEM_NOT_FOUND);
    EXPECT_DOUBLE_EQ(Value(TEST_RING), 0.0);
}

TEST_F(PanelTest, ReplacedListItemsKeepTheirPlaceAndValue) {
    SetCtrlVal(panel, TEST_RING, 1);
    const char* english[] = {"off", "on", "Sinus"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReplaceListItem(panel, TEST_RING, i, english[i], i), UIE_OK);
    EXPECT_EQ(ReplaceListItem(panel, TEST_ADRESSE, 3, "all", '&'), UIE_OK);
    EXPECT_EQ(ReplaceListItem(panel, TEST_RING, 3, "zu viel", 3), UIE_BAD_INDEX);
    int count = 0, value = -1;
    std::string label;
    EXPECT_EQ(GetNumListItems(panel, TEST_RING, &count), UIE_OK);
    EXPECT_EQ(count, 3);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(GetLabelFromIndex(panel, TEST_RING, i, &label), UIE_OK);
        EXPECT_EQ(label, english[i]);
        EXPECT_EQ(GetValueFromIndex(panel, TEST_RING, i, &value), UIE_OK);
        EXPECT_EQ(value, i);
    }
    EXPECT_DOUBLE_EQ(Value(TEST_RING), 1.0);
    EXPECT_EQ(Widget<QComboBox>(TEST_RING)->currentText(), "on");
    char adresse = 0;
    EXPECT_EQ(GetValueFromIndex(panel, TEST_ADRESSE, 3, &adresse), UIE_OK);
    EXPECT_EQ(adresse, '&');
}

TEST_F(PanelTest, TableCellsRoundTripAndAreCheckedForRange) {
    EXPECT_EQ(SetTableCellVal(panel, TEST_TABELLE, MakePoint(2, 3), 1.23456789), UIE_OK);
    EXPECT_EQ(SetTableCellVal(panel, TEST_TABELLE, MakePoint(1, 1), 0.25), UIE_OK);
    double cell = 0;
    EXPECT_EQ(GetTableCellVal(panel, TEST_TABELLE, MakePoint(2, 3), &cell), UIE_OK);
    EXPECT_DOUBLE_EQ(cell, 1.23456789);
    EXPECT_EQ(GetTableCellVal(panel, TEST_TABELLE, MakePoint(1, 1), &cell), UIE_OK);
    EXPECT_DOUBLE_EQ(cell, 0.25);
    for (const Point bad : {MakePoint(3, 1), MakePoint(1, 4), MakePoint(0, 1), MakePoint(1, 0)})
        EXPECT_EQ(SetTableCellVal(panel, TEST_TABELLE, bad, 1.0), UIE_BAD_INDEX) << bad.x << "," << bad.y;
    EXPECT_EQ(SetTableCellVal(panel, TEST_DITHER, MakePoint(1, 1), 1.0), UIE_BAD_VALUE_TYPE);

    std::string title;
    EXPECT_EQ(GetTableColumnAttribute(panel, TEST_TABELLE, 2, ATTR_LABEL_TEXT, &title), UIE_OK);
    EXPECT_EQ(title, "Dither Amplitude");
    EXPECT_EQ(SetTableColumnAttribute(panel, TEST_TABELLE, 2, ATTR_LABEL_TEXT, "dith. ampl."), UIE_OK);
    EXPECT_EQ(Widget<QTableWidget>(TEST_TABELLE)->horizontalHeaderItem(1)->text(), "dith. ampl.");
    EXPECT_EQ(SetTableColumnAttribute(panel, TEST_TABELLE, 3, ATTR_LABEL_TEXT, "x"), UIE_BAD_INDEX);
}

TEST_F(PanelTest, TextsAreUtf8) {
    EXPECT_EQ(SetCtrlVal(panel, TEST_MELDUNG, "Gerät an Adresse 3 gefunden"), UIE_OK);
    std::string text;
    EXPECT_EQ(GetCtrlVal(panel, TEST_MELDUNG, &text), UIE_OK);
    EXPECT_EQ(text, "Gerät an Adresse 3 gefunden");
    EXPECT_EQ(Widget<QLabel>(TEST_MELDUNG)->text(), QStringLiteral("Gerät an Adresse 3 gefunden"));
    EXPECT_EQ(SetCtrlVal(panel, TEST_FEHLERTEXT, "Keine Antwort vom Gerät"), UIE_OK);
    EXPECT_EQ(GetCtrlVal(panel, TEST_FEHLERTEXT, &text), UIE_OK);
    EXPECT_EQ(text, "Keine Antwort vom Gerät");
}

TEST_F(PanelTest, WrongTargetsAndTypesAreRefused) {
    double value = 0;
    char c = 0;
    EXPECT_EQ(SetCtrlVal(panel + 100, TEST_DITHER, 0.1), UIE_BAD_PANEL);
    EXPECT_EQ(SetCtrlVal(panel, 999, 0.1), UIE_BAD_CONTROL);
    EXPECT_EQ(GetCtrlVal(panel, 999, &value), UIE_BAD_CONTROL);
    EXPECT_EQ(SetCtrlVal(panel, TEST_DITHER, "0.2"), UIE_BAD_VALUE_TYPE);
    EXPECT_EQ(GetCtrlVal(panel, TEST_DITHER, &c), UIE_BAD_VALUE_TYPE);
    EXPECT_EQ(SetCtrlVal(panel, TEST_MELDUNG, 3), UIE_BAD_VALUE_TYPE);
    EXPECT_EQ(GetCtrlVal(panel, TEST_BUTTON, &value), UIE_BAD_VALUE_TYPE);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_DITHER, ATTR_ENABLED, 1), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_TIMER, ATTR_ON_COLOR, 0xFF), UIE_BAD_ATTRIBUTE);
}

TEST_F(PanelTest, VisibilityAndDimmingCarryTheLabel) {
    QLabel* label = LabelOf(panel, TEST_DITHER);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "  Dither Strom [A]"); // leading blanks are part of the text
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_DITHER, ATTR_VISIBLE, 0), UIE_OK);
    EXPECT_TRUE(ControlWidget(panel, TEST_DITHER)->isHidden());
    EXPECT_TRUE(label->isHidden());
    SetCtrlAttribute(panel, TEST_DITHER, ATTR_VISIBLE, 1);
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_DITHER, ATTR_DIMMED, 1), UIE_OK);
    EXPECT_FALSE(ControlWidget(panel, TEST_DITHER)->isEnabled());
    EXPECT_FALSE(label->isEnabled());
    int flag = -1;
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_DITHER, ATTR_DIMMED, &flag), UIE_OK);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_VERSTECKT, ATTR_VISIBLE, &flag), UIE_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_ISTWERT, ATTR_CTRL_MODE, &flag), UIE_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_DITHER, ATTR_CTRL_MODE, &flag), UIE_OK);
    EXPECT_EQ(flag, 1);
}

TEST_F(PanelTest, LabelsAndCaptionsChangeWithTheirText) {
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_DITHER, ATTR_LABEL_TEXT, "     Dither current[A]"), UIE_OK);
    ASSERT_NE(LabelOf(panel, TEST_DITHER), nullptr);
    EXPECT_EQ(ControlWidget(panel, TEST_DITHER)->accessibleName(), "Dither current[A]");
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_BUTTON, ATTR_LABEL_TEXT, "Read & write"), UIE_OK);
    std::string caption;
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_BUTTON, ATTR_LABEL_TEXT, &caption), UIE_OK);
    EXPECT_EQ(caption, "Read & write");
    EXPECT_EQ(ControlWidget(panel, TEST_BUTTON)->accessibleName(), "Read & write");
}

TEST_F(PanelTest, LedAndTimerAttributes) {
    int value = -1;
    EXPECT_EQ(SetCtrlVal(panel, TEST_LED, 1), UIE_OK);
    EXPECT_EQ(GetCtrlVal(panel, TEST_LED, &value), UIE_OK);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_LED, ATTR_ON_COLOR, 0x00FF00), UIE_OK);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_LED, ATTR_ON_COLOR, &value), UIE_OK);
    EXPECT_EQ(value, 0x00FF00);
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_TIMER, ATTR_ENABLED, &value), UIE_OK);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_TIMER, ATTR_INTERVAL, 0.5), UIE_OK);
    double interval = 0;
    EXPECT_EQ(GetCtrlAttribute(panel, TEST_TIMER, ATTR_INTERVAL, &interval), UIE_OK);
    EXPECT_DOUBLE_EQ(interval, 0.5);
    EXPECT_EQ(ControlWidget(panel, TEST_TIMER), nullptr);
}
