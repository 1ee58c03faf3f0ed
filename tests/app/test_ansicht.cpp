// The panels as the user sees them, in German and in English, with every control that starts
// hidden made visible: no two widgets overlap, nothing leaves its panel, no text is clipped,
// and the main window fits a small laptop screen.
// With VKR3X_ANSICHT=<folder> the test also saves pictures of the panels there.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "app/vkr3xsteuerung.h"
#include "platform/ui_testaccess.h"
#include "tests/support/programm_fixture.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

class Ansicht : public ProgrammTest, public ::testing::WithParamInterface<int> {
  protected:
    int Sprache() const override { return GetParam(); }

    void SetUp() override {
        ProgrammTest::SetUp();
        for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
            if (p.resourceId != MAINPANEL) continue;
            for (const ControlDefinition& c : p.controls) {
                if (!c.visible) {
                    ASSERT_EQ(SetCtrlAttribute(gPanelHandle, c.id, ATTR_VISIBLE, 1), 0) << c.constant;
                }
            }
        }
    }

    static QWidget* Flaeche(int panel, int control) { return ControlWidget(panel, control)->parentWidget(); }
};

std::string Rechteck(const QRect& r) {
    return "(" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height()) + ")";
}

std::string Beschreibung(const QWidget* w) {
    std::string text;
    if (auto* l = qobject_cast<const QLabel*>(w))
        text = l->text().toStdString();
    else if (auto* b = qobject_cast<const QPushButton*>(w))
        text = b->text().toStdString();
    else if (auto* c = qobject_cast<const QCheckBox*>(w))
        text = c->text().toStdString();
    const QString name = w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName();
    return w->metaObject()->className() + std::string(" '") + (text.empty() ? name.toStdString() : text) +
           "' " + Rechteck(w->geometry());
}

// Width the text of a widget needs; 0 where the widget shows no text of its own.
int Textbedarf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->sizeHint().width();
    if (auto* b = qobject_cast<const QPushButton*>(w))
        return b->fontMetrics().horizontalAdvance(b->text()) + 12;
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->sizeHint().width();
    if (auto* r = qobject_cast<const QComboBox*>(w)) return r->sizeHint().width();
    return 0;
}

void Pruefen(QWidget* flaeche) {
    std::vector<QWidget*> sichtbar;
    for (QObject* o : flaeche->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        // Frames enclose their groups; a hidden child panel is not on the panel.
        if (!w || w->isHidden() || qobject_cast<QGroupBox*>(w)) continue;
        sichtbar.push_back(w);
    }
    ASSERT_GE(sichtbar.size(), 5u);
    const QRect rand(QPoint(0, 0), flaeche->size());
    for (size_t i = 0; i < sichtbar.size(); ++i) {
        const QWidget* a = sichtbar[i];
        EXPECT_TRUE(rand.contains(a->geometry())) << Beschreibung(a) << " leaves the panel";
        EXPECT_LE(Textbedarf(a), a->width()) << Beschreibung(a) << " is clipped";
        if (auto* l = qobject_cast<const QLabel*>(a)) {
            EXPECT_LE(l->sizeHint().height(), l->height()) << Beschreibung(a) << " is cut off at the bottom";
        }
        for (size_t j = i + 1; j < sichtbar.size(); ++j) {
            EXPECT_FALSE(a->geometry().intersects(sichtbar[j]->geometry()))
                << Beschreibung(a) << " overlaps " << Beschreibung(sichtbar[j]);
        }
    }
}

void Speichern(QWidget* w, const char* name) {
    const QString ordner = qEnvironmentVariable("VKR3X_ANSICHT");
    if (ordner.isEmpty()) return;
    QDir().mkpath(ordner);
    w->grab().save(ordner + "/" + name + (gSprache == SPRACHE_ENGLISCH ? "_en.png" : "_de.png"));
}

TEST_P(Ansicht, NoWidgetOverlapsLeavesItsPanelOrIsClipped) {
    {
        SCOPED_TRACE("MAINPANEL");
        Pruefen(Flaeche(gPanelHandle, MAINPANEL_STROM1));
    }
    {
        SCOPED_TRACE("COMPANEL");
        Pruefen(Flaeche(gCompanelHandle, COMPANEL_PORT));
    }
    {
        SCOPED_TRACE("INFOPANEL");
        Pruefen(Flaeche(gInfopanelHandle, INFOPANEL_OK));
    }
    Speichern(PanelWidget(gPanelHandle), "hauptpanel_alles");
    DisplayPanel(gCompanelHandle);
    Speichern(PanelWidget(gPanelHandle), "hauptpanel_com");
    Speichern(PanelWidget(gInfopanelHandle), "infopanel");
}

// The main window with its menu bar, plus a title bar and a task bar, fits a 1366 x 768 screen.
TEST_P(Ansicht, MainWindowFitsASmallLaptopScreen) {
    QWidget* fenster = PanelWidget(gPanelHandle);
    ASSERT_NE(fenster, nullptr);
    fenster->adjustSize();
    EXPECT_LE(fenster->width(), 1366);
    EXPECT_LE(fenster->height(), 768 - 40 - 32);
}

INSTANTIATE_TEST_SUITE_P(Sprachen, Ansicht, ::testing::Values(SPRACHE_DEUTSCH, SPRACHE_ENGLISCH),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == SPRACHE_ENGLISCH ? "Englisch" : "Deutsch";
                         });

} // namespace
