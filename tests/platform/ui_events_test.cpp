// User actions as the run-time reports them: commits, clicks, keys, timer ticks, close, menus.
#include "tests/platform/panel_fixture.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <functional>

namespace {

void TypeInto(QWidget* field, const QString& text) {
    if (auto* box = qobject_cast<QAbstractSpinBox*>(field)) box->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

TEST_F(PanelTest, EachUserCommitCallsBackExactlyOnce) {
    ShowActive();
    const std::vector<std::pair<int, std::function<void()>>> actions = {
        {TEST_BUTTON, [&] { QTest::mouseClick(ControlWidget(panel, TEST_BUTTON), Qt::LeftButton); }},
        {TEST_BUTTON, [&] { QTest::keyClick(ControlWidget(panel, TEST_BUTTON), Qt::Key_Space); }},
        {TEST_TOGGLE, [&] { QTest::mouseClick(ControlWidget(panel, TEST_TOGGLE), Qt::LeftButton); }},
        {TEST_CHECKBOX, [&] { QTest::mouseClick(ControlWidget(panel, TEST_CHECKBOX), Qt::LeftButton); }},
        {TEST_RING, [&] { QTest::keyClick(ControlWidget(panel, TEST_RING), Qt::Key_Down); }},
        {TEST_DITHER,
         [&] {
             TypeInto(ControlWidget(panel, TEST_DITHER), "0.25");
             QTest::keyClick(ControlWidget(panel, TEST_DITHER), Qt::Key_Return);
         }},
        {TEST_DITHER, [&] { QTest::keyClick(ControlWidget(panel, TEST_DITHER), Qt::Key_Up); }},
        {TEST_EINGABE,
         [&] {
             TypeInto(ControlWidget(panel, TEST_EINGABE), "abc");
             QTest::keyClick(ControlWidget(panel, TEST_EINGABE), Qt::Key_Return);
         }},
    };
    for (size_t i = 0; i < actions.size(); ++i) {
        ClearTestEvents();
        actions[i].second();
        QCoreApplication::processEvents();
        EXPECT_EQ(CountEvents(actions[i].first, EVENT_COMMIT), 1) << "action " << i;
        EXPECT_EQ(gControlEvents.size(), 1u) << "action " << i;
        if (!gControlEvents.empty()) {
            EXPECT_EQ(gControlEvents.front().panel, panel);
        }
    }
    int toggle = 0;
    GetCtrlVal(panel, TEST_TOGGLE, &toggle);
    EXPECT_EQ(toggle, 1);
}

TEST_F(PanelTest, TypedNumberCommitsOnceThroughEnterAndFocusLoss) {
    ShowActive();
    QWidget* dither = ControlWidget(panel, TEST_DITHER);
    dither->setFocus();
    TypeInto(dither, "7");
    QTest::keyClick(dither, Qt::Key_Return);
    ControlWidget(panel, TEST_ZEIT)->setFocus(); // leaving the field after Enter adds nothing
    QCoreApplication::processEvents();
    EXPECT_EQ(CountEvents(TEST_DITHER, EVENT_COMMIT), 1);
    EXPECT_DOUBLE_EQ(Value(TEST_DITHER), 0.3);

    ClearTestEvents();
    QWidget* zeit = ControlWidget(panel, TEST_ZEIT);
    TypeInto(zeit, "0");
    dither->setFocus(); // leaving the field commits the entry
    QCoreApplication::processEvents();
    EXPECT_EQ(CountEvents(TEST_ZEIT, EVENT_COMMIT), 1);
    EXPECT_DOUBLE_EQ(Value(TEST_ZEIT), 1.0);

    ClearTestEvents();
    zeit->setFocus();
    dither->setFocus(); // passing through without typing is no commit
    QCoreApplication::processEvents();
    EXPECT_TRUE(gControlEvents.empty());
}

TEST_F(PanelTest, UserCellEditCommitsWithItsCell) {
    ShowActive();
    auto* table = Widget<QTableWidget>(TEST_TABELLE);
    ASSERT_NE(table, nullptr);
    table->setFocus();
    table->setCurrentCell(1, 0);
    table->editItem(table->item(1, 0));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    TypeInto(editor, "12.5"); // beyond the table maximum of 10
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(CountEvents(TEST_TABELLE, EVENT_COMMIT), 1);
    EXPECT_EQ(gControlEvents.front().data1, 2); // row
    EXPECT_EQ(gControlEvents.front().data2, 1); // column
    double cell = 0;
    EXPECT_EQ(GetTableCellVal(panel, TEST_TABELLE, MakePoint(1, 2), &cell), UIE_OK);
    EXPECT_DOUBLE_EQ(cell, 10.0);
}

TEST_F(PanelTest, PictureRingReportsClicksAndKeys) {
    ShowActive();
    QWidget* bild = ControlWidget(panel, TEST_COMBILD);
    QTest::mouseClick(bild, Qt::LeftButton);
    ASSERT_EQ(gControlEvents.size(), 1u);
    EXPECT_EQ(gControlEvents[0].event, EVENT_LEFT_CLICK);
    struct KeyCase {
        Qt::Key key;
        int code;
    };
    for (const KeyCase k : {KeyCase{Qt::Key_Return, VAL_ENTER_VKEY}, KeyCase{Qt::Key_Enter, VAL_ENTER_VKEY},
                            KeyCase{Qt::Key_Space, VAL_SPACE_KEY}, KeyCase{Qt::Key_A, 'a'}}) {
        ClearTestEvents();
        QTest::keyClick(bild, k.key);
        ASSERT_EQ(gControlEvents.size(), 1u);
        EXPECT_EQ(gControlEvents[0].event, EVENT_KEYPRESS);
        EXPECT_EQ(gControlEvents[0].data1, k.code);
    }
    ClearTestEvents();
    QTest::keyClick(bild, Qt::Key_F5);
    ASSERT_EQ(gControlEvents.size(), 1u);
    EXPECT_NE(gControlEvents[0].data1, VAL_ENTER_VKEY);
    EXPECT_NE(gControlEvents[0].data1, VAL_SPACE_KEY);
    // The ring never changes its picture by itself.
    int port = 0;
    EXPECT_EQ(GetCtrlVal(panel, TEST_COMBILD, &port), UIE_OK);
    EXPECT_EQ(port, -1);
    EXPECT_EQ(SetCtrlVal(panel, TEST_COMBILD, 8), UIE_OK); // drawn with its number
    EXPECT_EQ(SetCtrlVal(panel, TEST_COMBILD, -7), UIE_ITEM_NOT_FOUND);
}

TEST_F(PanelTest, TimerTicksOnlyWhileEnabled) {
    QTest::qWait(80);
    EXPECT_EQ(CountEvents(TEST_TIMER, EVENT_TIMER_TICK), 0);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_TIMER, ATTR_ENABLED, 1), UIE_OK);
    QTRY_VERIFY_WITH_TIMEOUT(CountEvents(TEST_TIMER, EVENT_TIMER_TICK) >= 2, 2000);
    EXPECT_EQ(SetCtrlAttribute(panel, TEST_TIMER, ATTR_ENABLED, 0), UIE_OK);
    const int ticks = CountEvents(TEST_TIMER, EVENT_TIMER_TICK);
    QTest::qWait(80);
    EXPECT_EQ(CountEvents(TEST_TIMER, EVENT_TIMER_TICK), ticks);
    EXPECT_EQ(static_cast<int>(gControlEvents.size()), ticks);
}

TEST_F(PanelTest, CloseBoxAsksThePanelCallbackAndKeepsTheWindow) {
    ShowActive();
    PanelWidget(panel)->close();
    ASSERT_EQ(gPanelEvents.size(), 1u);
    EXPECT_EQ(gPanelEvents[0].panel, panel);
    EXPECT_EQ(gPanelEvents[0].event, EVENT_CLOSE);
    EXPECT_TRUE(PanelWidget(panel)->isVisible());

    const int info = LoadPanel(0, kTestUir, POPUPPANEL); // no panel callback: just hides
    DisplayPanel(info);
    PanelWidget(info)->close();
    EXPECT_FALSE(PanelWidget(info)->isVisible());
    EXPECT_EQ(gPanelEvents.size(), 1u);
    DiscardPanel(info);
}

TEST_F(PanelTest, MenuItemsCallTheMenuCallback) {
    const int bar = GetPanelMenuBar(panel);
    ASSERT_GT(bar, 0);
    for (const int item : {TESTMENU_DATEI_NEU, TESTMENU_DATEI_ENDE, TESTMENU_OPTIONEN_SPRACHE_EN}) {
        ClearTestEvents();
        QAction* action = MenuItemAction(bar, item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
        ASSERT_EQ(gMenuEvents.size(), 1u) << item;
        EXPECT_EQ(gMenuEvents[0].menuBar, bar);
        EXPECT_EQ(gMenuEvents[0].item, item);
        EXPECT_EQ(gMenuEvents[0].panel, panel);
    }
}

TEST_F(PanelTest, EventLoopRunsUntilQuitFromACallback) {
    QTimer::singleShot(0, [this] { PanelWidget(panel)->close(); });
    QTimer::singleShot(20, [] { QuitUserInterface(7); });
    EXPECT_EQ(RunUserInterface(), 7);
    EXPECT_EQ(gPanelEvents.size(), 1u);
}

TEST_F(PanelTest, NoTimerTickWhileAnotherCallbackWaits) {
    // The timer ticks every 20 ms; each way a callback can wait lets 150 ms pass before it returns.
    const auto schliessen = [](Qt::Key key) {
        QTimer::singleShot(150, [key] {
            if (QWidget* modal = QApplication::activeModalWidget()) QTest::keyClick(modal, key);
        });
    };
    const struct {
        const char* wie;
        std::function<void()> warten;
    } faelle[] = {
        {"a transfer drawing its progress",
         [] {
             const int dialog = CreateProgressDialog("Fortschritt", "", 1, 3, "");
             QElapsedTimer busy;
             busy.start();
             for (int percent = 0; busy.elapsed() < 150; percent = (percent + 5) % 100) {
                 QThread::msleep(10);
                 UpdateProgressDialog(dialog, percent, 0);
                 ProcessDrawEvents();
             }
             DiscardProgressDialog(dialog);
         }},
        {"a message popup",
         [&] {
             schliessen(Qt::Key_Return);
             MessagePopup("Info", "Die Sprache wird nach einem Programmneustart geändert.");
         }},
        {"a question",
         [&] {
             schliessen(Qt::Key_Escape);
             GenericMessagePopup("Frage", "Änderungen speichern?", "Ja", "Nein", "Abbrechen", 1);
         }},
    };
    ShowActive();
    SetCtrlAttribute(panel, TEST_TIMER, ATTR_ENABLED, 1);
    for (const auto& f : faelle) {
        int ticks = -1;
        gInCallback = [&](int control, int event) {
            if (control != TEST_BUTTON || event != EVENT_COMMIT) return;
            f.warten();
            ticks = CountEvents(TEST_TIMER, EVENT_TIMER_TICK);
        };
        ClearTestEvents();
        QTest::mouseClick(ControlWidget(panel, TEST_BUTTON), Qt::LeftButton);
        gInCallback = nullptr;
        EXPECT_EQ(ticks, 0) << f.wie;
        QTRY_VERIFY_WITH_TIMEOUT(CountEvents(TEST_TIMER, EVENT_TIMER_TICK) > 0, 2000);
    }
}
