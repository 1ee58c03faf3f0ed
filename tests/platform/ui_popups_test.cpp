// Popups, file dialog and progress dialog: answered by the hook, and shown to a (simulated) user.
#include "tests/platform/panel_fixture.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {

// Acts on the next modal window once it is shown; the popup under test runs its own event loop.
void WhenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

class PopupTest : public ::testing::Test {
  protected:
    void TearDown() override { PopupHook_Deactivate(); }
};

} // namespace

TEST_F(PopupTest, HookRecordsAndAnswersMessagesAndQuestions) {
    PopupHook_Activate();
    EXPECT_EQ(MessagePopup("Info", "Die Sprache wird nach einem Programmneustart geändert."), UIE_OK);
    PopupHook_Queue({1, ""});
    EXPECT_EQ(GenericMessagePopup("Frage", "Alle Programme?", "Alle", "Aktuelles", "Abbrechen"), 1);
    EXPECT_EQ(GenericMessagePopup("Frage", "Noch einmal?", "Ja", "Nein", "Abbrechen"), 3); // empty script

    const std::vector<PopupRecord>& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].kind, PopupKind::Message);
    EXPECT_EQ(records[0].title, "Info");
    EXPECT_EQ(records[0].message, "Die Sprache wird nach einem Programmneustart geändert.");
    EXPECT_EQ(records[0].reply, 1);
    EXPECT_EQ(records[1].kind, PopupKind::Generic);
    EXPECT_EQ(records[1].buttons, (std::vector<std::string>{"Alle", "Aktuelles", "Abbrechen"}));
    EXPECT_EQ(records[1].reply, 1);
    EXPECT_EQ(records[2].reply, 3);
    PopupHook_ClearRecords();
    EXPECT_TRUE(PopupHook_Records().empty());
}

TEST_F(PopupTest, HookAnswersFileDialogsWithScriptedPaths) {
    PopupHook_Activate();
    PopupHook_Queue({VAL_EXISTING_FILE_SELECTED, "/daten/pruefstand.vkr"});
    std::string path = "alt";
    EXPECT_EQ(FileSelectPopup("", "*.vkr", "*.vkr", "Öffnen", VAL_LOAD_BUTTON, 0, 1, 1, 0, &path),
              VAL_EXISTING_FILE_SELECTED);
    EXPECT_EQ(path, "/daten/pruefstand.vkr");
    EXPECT_EQ(FileSelectPopup("", "*.vkr", "*.vkr", "Speichern", VAL_SAVE_BUTTON, 0, 1, 1, 1, &path),
              VAL_NO_FILE_SELECTED);
    EXPECT_EQ(path, "");
    const std::vector<PopupRecord>& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, PopupKind::FileSelect);
    EXPECT_EQ(records[0].title, "Öffnen");
    EXPECT_EQ(records[0].message, "*.vkr");
    EXPECT_EQ(records[0].buttons, std::vector<std::string>{"Load"});
    EXPECT_EQ(records[1].buttons, std::vector<std::string>{"Save"});
}

TEST_F(PopupTest, HookRecordsProgressWithoutShowingAWindow) {
    PopupHook_Activate();
    const int dialog = CreateProgressDialog("Fortschritt", "", 1, 3, "");
    ASSERT_GT(dialog, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (const int percent : {6, 12, 100})
        EXPECT_EQ(UpdateProgressDialog(dialog, percent, 0), 0);
    DiscardProgressDialog(dialog);
    ASSERT_EQ(PopupHook_Records().size(), 1u);
    EXPECT_EQ(PopupHook_Records()[0].kind, PopupKind::Progress);
    EXPECT_EQ(PopupHook_Records()[0].title, "Fortschritt");
    EXPECT_EQ(PopupHook_Records()[0].progress, (std::vector<int>{6, 12, 100}));
    EXPECT_EQ(UpdateProgressDialog(dialog, 50, 0), UIE_BAD_PANEL);
}

TEST_F(PopupTest, ThreeButtonQuestionAnswersKeysAndClicks) {
    struct KeyCase {
        Qt::Key key;
        int enterButton;
        int expected;
        const char* focused;
    };
    for (const KeyCase k :
         {KeyCase{Qt::Key_Return, 2, 2, "Aktuelles"}, KeyCase{Qt::Key_Enter, 2, 2, "Aktuelles"},
          KeyCase{Qt::Key_Escape, 2, 3, "Aktuelles"}, KeyCase{Qt::Key_Return, 1, 1, "Alle"},
          KeyCase{Qt::Key_Escape, 1, 3, "Alle"}}) {
        QString focused;
        WhenModal([&focused, k](QWidget* dialog) {
            if (auto* button = qobject_cast<QPushButton*>(dialog->focusWidget())) focused = button->text();
            QTest::keyClick(dialog, k.key);
        });
        EXPECT_EQ(
            GenericMessagePopup("Frage", "Alle Programme?", "Alle", "Aktuelles", "Abbrechen", k.enterButton),
            k.expected);
        EXPECT_EQ(focused, k.focused);
    }
    WhenModal([](QWidget* dialog) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == "Alle") QTest::mouseClick(button, Qt::LeftButton);
    });
    EXPECT_EQ(GenericMessagePopup("Frage", "Alle Programme?", "Alle", "Aktuelles", "Abbrechen"), 1);
}

TEST_F(PopupTest, MessagePopupShowsTitleAndTextUntilOk) {
    QString title, text;
    WhenModal([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(MessagePopup("Fehler #-302106", "Die Datei ist nicht vom richtigen Typ"), UIE_OK);
    EXPECT_EQ(title, "Fehler #-302106");
    EXPECT_EQ(text, "Die Datei ist nicht vom richtigen Typ");
}

TEST_F(PopupTest, FileDialogTellsNewFromExistingFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath("alt.vkr"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    struct Case {
        int button;
        const char* typed; // nullptr: cancel
        int expected;
        QString path;
    };
    // Saving over an existing file asks first; that question is the dialog's own business.
    const Case cases[] = {{VAL_SAVE_BUTTON, "neu", VAL_NEW_FILE_SELECTED, dir.filePath("neu.vkr")},
                          {VAL_LOAD_BUTTON, "alt.vkr", VAL_EXISTING_FILE_SELECTED, dir.filePath("alt.vkr")},
                          {VAL_LOAD_BUTTON, "fehlt.vkr", VAL_NEW_FILE_SELECTED, dir.filePath("fehlt.vkr")},
                          {VAL_SAVE_BUTTON, nullptr, VAL_NO_FILE_SELECTED, ""}};
    for (const Case& c : cases) {
        QStringList filters;
        bool saving = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            if (!c.typed) return dialog->reject();
            dialog->selectFile(dir.filePath(c.typed));
            static_cast<QDialog*>(dialog)->accept();
        });
        std::string path;
        const int result = FileSelectPopup(dir.path().toUtf8().constData(), "*.vkr", "*.vkr", "Datei",
                                           c.button, 0, 1, 1, 1, &path);
        EXPECT_EQ(result, c.expected) << (c.typed ? c.typed : "cancel");
        EXPECT_EQ(QString::fromStdString(path), c.path);
        EXPECT_EQ(filters, QStringList{"*.vkr"});
        EXPECT_EQ(saving, c.button == VAL_SAVE_BUTTON);
    }
}

TEST_F(PopupTest, ProgressDialogIsModalAndDrawsItsBar) {
    const int dialog = CreateProgressDialog("Fortschritt", "", 1, 3, "");
    ASSERT_GT(dialog, 0);
    QPointer<QWidget> window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Fortschritt");
    auto* bar = window->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(UpdateProgressDialog(dialog, 50, 0), 0);
    EXPECT_EQ(bar->value(), 50);
    EXPECT_EQ(UpdateProgressDialog(dialog, 100, 0), 0);
    EXPECT_EQ(bar->value(), 100);
    DiscardProgressDialog(dialog);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
