// Unsaved changes: the title marks them, and New, Open, Exit and the close box ask before they
// are lost.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

#include "app/vkr3xsteuerung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "platform/ui_testaccess.h"
#include "storage/dateimenue.h"
#include "storage/programmdatei.h"
#include "tests/storage/dateihilfen.h"
#include "tests/support/programm_fixture.h"

namespace {

enum class Aktion { Neu, Oeffnen, Beenden, Schliessbox };
constexpr int JA = 1, NEIN = 2, ABBRECHEN = 3;

class Aenderungen : public ProgrammTest {
  protected:
    std::string Pfad(const char* name) const { return arbeitsverzeichnis.filePath(name).toStdString(); }

    static std::string Titel() {
        std::string titel;
        GetPanelAttribute(gPanelHandle, ATTR_TITLE, &titel);
        return titel;
    }
    // Strom 1 of the shown set, typed and confirmed as a user does.
    static void StromEingeben(const char* text) {
        QWidget* feld = ControlWidget(gPanelHandle, MAINPANEL_STROM1);
        feld->setFocus();
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, text);
        QTest::keyClick(feld, Qt::Key_Return);
    }
    // Runs the event loop around the action: true when the program went on, false when the
    // action ended it.
    static bool LaeuftWeiter(Aktion aktion) {
        const int menue = aktion == Aktion::Neu       ? MENUBAR_MENU_NEU
                          : aktion == Aktion::Oeffnen ? MENUBAR_MENU_OEFFNEN
                                                      : MENUBAR_MENU_BEENDEN;
        QTimer weiter;
        weiter.setSingleShot(true);
        QObject::connect(&weiter, &QTimer::timeout, [] { QuitUserInterface(1); });
        QTimer::singleShot(0, [&] {
            if (aktion == Aktion::Schliessbox)
                PanelWidget(gPanelHandle)->close();
            else
                MenuItemAction(GetPanelMenuBar(gPanelHandle), menue)->trigger();
            // Not due in the pass of the loop that ran the action: a loop the action ended has
            // returned before it fires.
            weiter.start(50);
        });
        return RunUserInterface() == 1;
    }
};

TEST_F(Aenderungen, TheQuestionSavesGoesOnOrCancelsAsAnswered) {
    const struct {
        Aktion aktion;
        int antwort;
    } faelle[] = {
        {Aktion::Neu, JA},         {Aktion::Neu, NEIN},         {Aktion::Neu, ABBRECHEN},
        {Aktion::Oeffnen, JA},     {Aktion::Oeffnen, NEIN},     {Aktion::Oeffnen, ABBRECHEN},
        {Aktion::Beenden, JA},     {Aktion::Beenden, NEIN},     {Aktion::Beenden, ABBRECHEN},
        {Aktion::Schliessbox, JA}, {Aktion::Schliessbox, NEIN}, {Aktion::Schliessbox, ABBRECHEN},
    };
    ASSERT_EQ(ProgrammdateiSchreiben(Pfad("a.vkr").c_str()), 0);
    const std::string alt = DateiInhalt(Pfad("a.vkr"));
    for (const auto& f : faelle) {
        const std::string fall = std::to_string(static_cast<int>(f.aktion)) + "/" + std::to_string(f.antwort);
        DateiSchreiben(Pfad("a.vkr"), alt);
        PopupHook_Queue({VAL_EXISTING_FILE_SELECTED, Pfad("a.vkr")});
        ASSERT_EQ(DateiOeffnen(), 0);
        ParameterAusStrukturInGui();
        EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [a.vkr]") << fall;

        StromEingeben("2.5");
        EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [*a.vkr]") << fall;
        PopupHook_ClearRecords();
        PopupHook_Queue({f.antwort, ""}); // an Open that goes on: its dialog is cancelled
        const bool weiter = LaeuftWeiter(f.aktion);

        const auto& r = PopupHook_Records();
        ASSERT_FALSE(r.empty()) << fall;
        EXPECT_EQ(r[0].kind, PopupKind::Generic) << fall;
        EXPECT_EQ(r[0].title, "VKR 3 A X2 Steuerung  [a.vkr]") << fall;
        EXPECT_EQ(r[0].message, "Änderungen speichern?") << fall;
        EXPECT_EQ(r[0].buttons, (std::vector<std::string>{"Ja", "Nein", "Abbrechen"})) << fall;
        EXPECT_EQ(DateiInhalt(Pfad("a.vkr")) != alt, f.antwort == JA) << fall << ": saved only on Ja";
        const bool endet = f.aktion == Aktion::Beenden || f.aktion == Aktion::Schliessbox;
        EXPECT_EQ(weiter, !endet || f.antwort == ABBRECHEN) << fall;
        if (f.aktion == Aktion::Oeffnen) {
            EXPECT_EQ(r.size(), f.antwort == ABBRECHEN ? 1u : 2u) << fall << ": the file dialog follows";
        }
        if (f.aktion == Aktion::Neu) {
            EXPECT_EQ(gPar[0].strom1 == 2.5, f.antwort == ABBRECHEN) << fall;
        }
        if (f.antwort == ABBRECHEN) {
            EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [*a.vkr]") << fall;
        }
    }
}

TEST_F(Aenderungen, NothingIsAskedWithoutChangesAndAnUntitledSaveCanBeCancelled) {
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]");
    EXPECT_TRUE(LaeuftWeiter(Aktion::Neu));
    EXPECT_TRUE(LaeuftWeiter(Aktion::Oeffnen)); // its dialog cancelled
    EXPECT_FALSE(LaeuftWeiter(Aktion::Beenden));
    EXPECT_FALSE(LaeuftWeiter(Aktion::Schliessbox));
    for (const PopupRecord& r : PopupHook_Records())
        EXPECT_EQ(r.kind, PopupKind::FileSelect) << "no question";

    // An edit and its undoing by hand leave nothing to save.
    StromEingeben("2.5");
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [*Unbenannt]");
    StromEingeben("0.1");
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [Unbenannt]");

    // Ja on an untitled file opens Save's dialog; cancelling it cancels the exit.
    StromEingeben("2.5");
    PopupHook_ClearRecords();
    PopupHook_Queue({JA, ""});
    EXPECT_TRUE(LaeuftWeiter(Aktion::Beenden));
    ASSERT_EQ(PopupHook_Records().size(), 2u);
    EXPECT_EQ(PopupHook_Records()[1].title, "Speichern");
    PopupHook_Queue({JA, ""});
    PopupHook_Queue({VAL_NEW_FILE_SELECTED, Pfad("neu.vkr")});
    EXPECT_FALSE(LaeuftWeiter(Aktion::Schliessbox));
    EXPECT_EQ(DateiInhalt(Pfad("neu.vkr")).size(), 6440u);
    EXPECT_EQ(Titel(), "VKR 3 A X2 Steuerung  [neu.vkr]");
}

} // namespace
