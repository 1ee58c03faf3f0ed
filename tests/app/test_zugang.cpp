// The panels as a screen reader sees them, in both languages: every control named by its label
// or a short descriptive name, never by its value; lamps and the latching button tell their
// state; the accessibility action of a check box acts exactly like a click.
#include <QAccessible>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>

#include "app/vkr3xsteuerung.h"
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
    const bool englisch = gSprache == SPRACHE_ENGLISCH;
    for (const int an : {1, 0}) {
        SetCtrlVal(gPanelHandle, MAINPANEL_STATUS8, an);
        QAccessibleInterface* lampe = Zugriff(gPanelHandle, MAINPANEL_STATUS8);
        EXPECT_EQ(lampe->role(), QAccessible::Indicator);
        EXPECT_EQ(lampe->state().checked, an == 1);
        EXPECT_EQ(lampe->text(QAccessible::Value),
                  an ? (englisch ? "on" : "an") : (englisch ? "off" : "aus"));

        SetCtrlVal(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN, an);
        QAccessibleInterface* dauernd = Zugriff(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
        EXPECT_EQ(dauernd->role(), QAccessible::Button); // a toggle button, not a check box
        EXPECT_TRUE(dauernd->state().checkable);
        EXPECT_EQ(dauernd->state().checked, an == 1);
    }
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
