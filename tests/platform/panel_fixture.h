#pragma once
// Loads the test panel fresh for every test and discards it afterwards.

#include "platform/popup_hook.h"
#include "platform/ui.h"
#include "platform/ui_testaccess.h"
#include "tests/platform/test_definition.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// The separate label beside a control, found by its text.
inline QLabel* LabelOf(int panel, int control) {
    std::string text;
    if (GetCtrlAttribute(panel, control, ATTR_LABEL_TEXT, &text) != UIE_OK) return nullptr;
    QWidget* widget = ControlWidget(panel, control);
    for (QLabel* label : widget->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label != widget && label->text() == QString::fromStdString(text)) return label;
    return nullptr;
}

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallTestDefinition();
        ClearTestEvents();
        panel = LoadPanel(0, kTestUir, TESTPANEL);
        ASSERT_GT(panel, 0);
    }

    void TearDown() override {
        gInCallback = nullptr;
        DiscardPanel(panel);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PopupHook_Deactivate();
    }

    template <class W> W* Widget(int control) { return dynamic_cast<W*>(ControlWidget(panel, control)); }

    // Shows the panel as the active window, so focus changes reach its widgets.
    void ShowActive() {
        DisplayPanel(panel);
        QWidget* window = PanelWidget(panel);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    double Value(int control) {
        double value = -12345;
        EXPECT_EQ(GetCtrlVal(panel, control, &value), UIE_OK);
        return value;
    }

    int panel = 0;
};
