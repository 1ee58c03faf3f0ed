// The panels as a screen reader sees them, in both languages: every control named by its label
// or a short descriptive name, never by its value; rings tell their item, lamps and the
// latching button their state; outcomes are announced; the accessibility action of a check box
// acts exactly like a click.
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>

#include "app/vkr3xsteuerung.h"
#include "errors/fehler.h"
#include "ops/statustexte.h"
#include "ops/verbindung.h"
#include "params/parametersatz.h"
#include "platform/ui_testaccess.h"
#include "tests/support/programm_fixture.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

class Zugang : public ProgrammTest, public ::testing::WithParamInterface<int> {
  protected:
    int Sprache() const override { return GetParam(); }
    static int Panel(int resourceId) {
        return resourceId == MAINPANEL  ? gPanelHandle
               : resourceId == COMPANEL ? gCompanelHandle
                                        : gInfopanelHandle;
    }
    static QAccessibleInterface* Zugriff(int panel, int control) {
        return QAccessible::queryAccessibleInterface(ControlWidget(panel, control));
    }
    static QString Beschreibung(int panel, int control) {
        return Zugriff(panel, control)->text(QAccessible::Description);
    }
    // What the main window's notification says once the program is idle again, or "" when it
    // did not appear anew. Hidden after reading, so that the next announcement shows it again.
    static QString Ansage() {
        QCoreApplication::processEvents();
        QAccessibleInterface* fenster = QAccessible::queryAccessibleInterface(PanelWidget(gPanelHandle));
        for (int i = 0; i < fenster->childCount(); ++i) {
            QAccessibleInterface* kind = fenster->child(i);
            if (kind->role() != QAccessible::Notification) continue;
            auto* ansage = static_cast<QWidget*>(kind->object());
            if (!ansage->isVisible()) return {};
            ansage->hide();
            return kind->text(QAccessible::Name);
        }
        return {};
    }
    bool Englisch() const { return gSprache == SPRACHE_ENGLISCH; }
};

// Controls with one value a reader could announce instead of the name (a table or a list has
// none: its cells and rows are read one by one).
bool HatWert(ControlKind art) {
    return art != ControlKind::TextMessage && art != ControlKind::CommandButton &&
           art != ControlKind::Picture && art != ControlKind::Table && art != ControlKind::ListBox;
}

TEST_P(Zugang, EveryControlIsNamedByItsLabelOrADescriptiveNameNeverByItsValue) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        const int panel = Panel(p.resourceId);
        for (const ControlDefinition& c : p.controls) {
            if (c.kind == ControlKind::Timer || c.kind == ControlKind::Decoration) continue;
            SCOPED_TRACE(c.constant);
            QAccessibleInterface* zugriff = Zugriff(panel, c.id);
            ASSERT_NE(zugriff, nullptr);
            const QString name = zugriff->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty());
            if (HatWert(c.kind)) {
                EXPECT_NE(name, zugriff->text(QAccessible::Value));
            }
            std::string label;
            GetCtrlAttribute(panel, c.id, ATTR_LABEL_TEXT, &label);
            if (!c.spokenName.german && !QString::fromStdString(label).trimmed().isEmpty()) {
                EXPECT_EQ(name, QString::fromStdString(label).trimmed()); // the label, as relabelled
            }
            const bool eigenesLabel =
                c.labelPlacement == LabelPlacement::Left || c.labelPlacement == LabelPlacement::Above;
            if (eigenesLabel && !label.empty() && c.kind != ControlKind::Checkbox && HatWert(c.kind)) {
                EXPECT_FALSE(zugriff->relations(QAccessible::Label).isEmpty()); // label tied to it
            }
            if (c.spokenName.german) {
                EXPECT_EQ(name, QString::fromUtf8(gSprache == SPRACHE_ENGLISCH ? c.spokenName.english
                                                                               : c.spokenName.german));
            }
        }
    }
}

TEST_P(Zugang, LampsAndTheLatchingButtonTellTheirState) {
    for (const int an : {1, 0}) {
        SetCtrlVal(gPanelHandle, MAINPANEL_STATUS8, an);
        QAccessibleInterface* lampe = Zugriff(gPanelHandle, MAINPANEL_STATUS8);
        EXPECT_EQ(lampe->role(), QAccessible::CheckBox);
        EXPECT_TRUE(lampe->state().readOnly);
        EXPECT_EQ(lampe->state().checked, an == 1);
        EXPECT_EQ(lampe->text(QAccessible::Value),
                  an ? (Englisch() ? "on" : "an") : (Englisch() ? "off" : "aus"));

        SetCtrlVal(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN, an);
        QAccessibleInterface* dauernd = Zugriff(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
        EXPECT_EQ(dauernd->role(), QAccessible::CheckBox); // Orca's "checked", "not checked"
        EXPECT_EQ(dauernd->state().checked, an == 1);
    }
    // Status lamps are called by what they mean, the texts of the status popup.
    const int leds[STATUSBITS] = {MAINPANEL_STATUS0,  MAINPANEL_STATUS1, MAINPANEL_STATUS3,
                                  MAINPANEL_STATUS4,  MAINPANEL_STATUS8, MAINPANEL_STATUS9,
                                  MAINPANEL_STATUS11, MAINPANEL_STATUS13};
    for (int i = 0; i < STATUSBITS; ++i) {
        const QString text = QString::fromUtf8(Englisch() ? kStatusbits[i].englisch : kStatusbits[i].deutsch);
        EXPECT_EQ(Zugriff(gPanelHandle, leds[i])->text(QAccessible::Name), text.trimmed());
    }
    // The port picture tells the port it shows.
    EXPECT_EQ(Beschreibung(gPanelHandle, MAINPANEL_COMPICTURERING),
              Englisch() ? "not opened" : "nicht geöffnet");
    SetCtrlVal(gPanelHandle, MAINPANEL_COMPICTURERING, 7);
    EXPECT_EQ(Beschreibung(gPanelHandle, MAINPANEL_COMPICTURERING),
              Englisch() ? "COM 7 opened" : "COM 7 geöffnet");
}

// Every ring tells its item as its description, also after the program set it; the focused ring
// says a new item aloud, since Orca speaks no change of a combo box by itself.
TEST_P(Zugang, RingsTellTheirItemAndTheFocusedRingSaysANewOne) {
    SetCtrlVal(gPanelHandle, MAINPANEL_ENDSTUFEREGELN, 1);
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        for (const ControlDefinition& c : p.controls) {
            if (c.kind != ControlKind::Ring) continue;
            std::string eintrag;
            GetCtrlVal(Panel(p.resourceId), c.id, &eintrag);
            EXPECT_EQ(Beschreibung(Panel(p.resourceId), c.id), QString::fromStdString(eintrag)) << c.constant;
        }
    }
    EXPECT_EQ(Ansage(), "") << "a ring set by the program is not announced";

    QWidget* fenster = PanelWidget(gPanelHandle);
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
    QWidget* ring = ControlWidget(gPanelHandle, MAINPANEL_DITHER_TYP);
    ring->setFocus();
    QTest::keyClick(ring, Qt::Key_Down);
    EXPECT_EQ(Beschreibung(gPanelHandle, MAINPANEL_DITHER_TYP), "Sinus");
    EXPECT_EQ(Ansage(), "Sinus");
}

// What the error line shows is heard wherever the focus is: every failure, with its number, and
// the return to no error once, not after every success.
TEST_P(Zugang, TheErrorLineIsHeard) {
    ZEM_Fehlersprache(gSprache); // as the settings file sets it for the run
    const QString fehler = Englisch() ? "Error 122201: COM-port not open"
                                      : "Fehler 122201: Serielle Schnittstelle ist nicht geöffnet";
    const QString keiner = Englisch() ? "No error" : "Es ist kein Fehler aufgetreten";
    const struct {
        int code;
        QString ansage;
    } folge[] = {{0, ""}, {-122201, fehler}, {-122201, fehler}, {0, keiner}, {0, ""}};
    for (const auto& f : folge) {
        ComFehlerSetzen(f.code);
        EXPECT_EQ(Ansage(), f.ansage) << f.code;
    }
    // Said in one breath with what follows in the same action, so neither cuts the other off.
    ComFehlerSetzen(-122201);
    Ansage();
    SetCtrlVal(gPanelHandle, MAINPANEL_COMPICTURERING, -1);
    QTest::keyClick(ControlWidget(gPanelHandle, MAINPANEL_COMPICTURERING), Qt::Key_Space);
    EXPECT_EQ(Ansage(), keiner + ". " + (Englisch() ? "not opened" : "nicht geöffnet"));
}

// Checking "Dithertabelle verwenden" stores -0.001 as the dither current and dims the current;
// clearing it stores the shown current again. A screen reader's toggle and a click alike.
TEST_P(Zugang, CheckboxChangedThroughTheAccessibilityActionReachesItsCallbackAndTheSet) {
    SetCtrlAttribute(gPanelHandle, MAINPANEL_CHECKBOX_USE_DITHTBL, ATTR_VISIBLE, 1);
    QWidget* box = ControlWidget(gPanelHandle, MAINPANEL_CHECKBOX_USE_DITHTBL);
    const std::function<void()> wege[] = {
        [&] {
            Zugriff(gPanelHandle, MAINPANEL_CHECKBOX_USE_DITHTBL)
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::toggleAction());
        },
        [&] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); },
    };
    const double strom = gPar[gParIndex].ditherstrom;
    // The indicator beside it is not changed by the action either.
    SetCtrlAttribute(gPanelHandle, MAINPANEL_CHECKBOX_SUP_DITH_TBL, ATTR_VISIBLE, 1);
    Zugriff(gPanelHandle, MAINPANEL_CHECKBOX_SUP_DITH_TBL)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    int unterstuetzt = 0;
    GetCtrlVal(gPanelHandle, MAINPANEL_CHECKBOX_SUP_DITH_TBL, &unterstuetzt);
    EXPECT_EQ(unterstuetzt, 1);
    for (const auto& umschalten : wege) {
        umschalten();
        EXPECT_EQ(gPar[gParIndex].ditherstrom, DITHERSTROM_TABELLE);
        int gedimmt = 0;
        GetCtrlAttribute(gPanelHandle, MAINPANEL_DITHER_STROM, ATTR_DIMMED, &gedimmt);
        EXPECT_EQ(gedimmt, 1);
        umschalten();
        EXPECT_EQ(gPar[gParIndex].ditherstrom, strom);
    }
}

INSTANTIATE_TEST_SUITE_P(Sprachen, Zugang, ::testing::Values(SPRACHE_DEUTSCH, SPRACHE_ENGLISCH),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == SPRACHE_ENGLISCH ? "Englisch" : "Deutsch";
                         });

} // namespace
