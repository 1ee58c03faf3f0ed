// Layout of the three panels: markers beside their controls, groups inside their frames, and
// every control inside its panel.
#include <gtest/gtest.h>

#include <QRect>
#include <string>
#include <vector>

#include "app/vkr3xsteuerung.h"
#include "platform/ui.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

const PanelDefinition& Panel(int resourceId) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        if (p.resourceId == resourceId) return p;
    throw std::runtime_error("no panel " + std::to_string(resourceId));
}

const ControlDefinition& Control(int resourceId, int id) {
    for (const ControlDefinition& c : Panel(resourceId).controls)
        if (c.id == id) return c;
    throw std::runtime_error("no control " + std::to_string(id));
}

QRect Rechteck(const Geometry& g) {
    return {g.left, g.top, g.width, g.height};
}

// The control with the room reserved for its left label (the run-time leaves 4 pixels between).
QRect MitLabel(const ControlDefinition& c) {
    QRect r = Rechteck(c.geometry);
    if (c.labelPlacement == LabelPlacement::Left && c.labelWidth > 0) r.setLeft(r.left() - c.labelWidth - 4);
    return r;
}

std::string Name(const QRect& r) {
    return "(" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height()) + ")";
}

// ---- Definition data ------------------------------------------------------------------------

TEST(UirLayout, EachMarkerStandsRightBesideTheControlItMarks) {
    const std::pair<int, int> markiert[] = {
        {MAINPANEL_STERN_STROM1, MAINPANEL_STROM1},
        {MAINPANEL_STERN_STROM2, MAINPANEL_STROM2},
        {MAINPANEL_STERN_ZEIT1, MAINPANEL_ZEIT1},
        {MAINPANEL_STERN_ZEIT2, MAINPANEL_ZEIT2},
        {MAINPANEL_STERN_ZEIT3, MAINPANEL_ZEIT3},
        {MAINPANEL_STERN_ZEIT4, MAINPANEL_ZEIT4},
        {MAINPANEL_STERN_FREQUENZ, MAINPANEL_FREQUENZ},
        {MAINPANEL_STERN_SPANNUNG, MAINPANEL_SPANNUNG},
        {MAINPANEL_STERN_ZYKLEN, MAINPANEL_ZYKLEN},
        {MAINPANEL_STERN_REGLER_KP, MAINPANEL_REGLER_KP},
        {MAINPANEL_STERN_REGLER_KI, MAINPANEL_REGLER_KI},
        {MAINPANEL_STERN_REGLER_GAIN, MAINPANEL_REGLER_GAIN},
        {MAINPANEL_STERN_ENDSTUFEREGELN, MAINPANEL_ENDSTUFEREGELN},
        {MAINPANEL_STERN_DITHER_TYP, MAINPANEL_DITHER_TYP},
        {MAINPANEL_STERN_DITHER_FREQUENZ, MAINPANEL_DITHER_FREQUENZ},
        {MAINPANEL_STERN_DITHER_STROM, MAINPANEL_DITHER_STROM},
        {MAINPANEL_STERN_STROM1_2, MAINPANEL_STROMKURVE},
    };
    for (auto [stern, ziel] : markiert) {
        const QRect s = Rechteck(Control(MAINPANEL, stern).geometry);
        const QRect z = Rechteck(Control(MAINPANEL, ziel).geometry);
        SCOPED_TRACE(Control(MAINPANEL, stern).constant);
        EXPECT_GT(s.left(), z.right());
        EXPECT_LE(s.left(), z.right() + 8) << "marker too far from its control";
        EXPECT_GE(s.center().y(), z.top());
        EXPECT_LE(s.center().y(), z.bottom());
    }

    const QRect legende = Rechteck(Control(MAINPANEL, MAINPANEL_TEXTMSG_10).geometry);
    const QRect text = Rechteck(Control(MAINPANEL, MAINPANEL_TEXTMSG_11).geometry);
    EXPECT_GT(text.left(), legende.right());
    EXPECT_LE(text.left(), legende.right() + 6) << "legend text not beside its star";
    EXPECT_EQ(text.top(), legende.top());
}

struct Gruppe {
    int rahmen;
    int ueberschrift;
    std::vector<int> mitglieder;
};

// Every group's controls with their labels lie inside the group's frame, and the caption sits
// on the frame's top edge, where the run-time shows it as the frame's title.
TEST(UirLayout, GroupsLieInsideTheirFramesWithTheCaptionOnTheTopEdge) {
    std::vector<int> parameter = {MAINPANEL_STROMKURVE, MAINPANEL_DITHER_FREQUENZ, MAINPANEL_TEXTMSG_10,
                                  MAINPANEL_TEXTMSG_11};
    for (int id = MAINPANEL_DITHER_STROM; id <= MAINPANEL_REGLER_KP; ++id)
        parameter.push_back(id);
    parameter.insert(parameter.end(), {MAINPANEL_DITHER_TYP, MAINPANEL_ENDSTUFEREGELN});
    for (int id = MAINPANEL_STERN_ENDSTUFEREGELN; id <= MAINPANEL_STERN_STROM1; ++id)
        parameter.push_back(id);

    const Gruppe gruppen[] = {
        {MAINPANEL_DECORATION,
         MAINPANEL_TEXTMSG_13,
         {MAINPANEL_PARAMETERSATZAUSWAHL, MAINPANEL_VKR3LESEN, MAINPANEL_VKR3SCHREIBEN,
          MAINPANEL_EINZUSTELLENDESPROG, MAINPANEL_PROGRAMMLADEN, MAINPANEL_PROGRAMMSPEICHERN,
          MAINPANEL_TEXTMSG_12}},
        {MAINPANEL_DECORATION_2,
         MAINPANEL_TEXTMSG_14,
         {MAINPANEL_VKR3START, MAINPANEL_VKR3STOPP, MAINPANEL_VKR3FEHLERLOESCHEN, MAINPANEL_VKR3KALIBRIEREN,
          MAINPANEL_VKR3DEVSETUP, MAINPANEL_AN_VKR3AX2_ANPASEN, MAINPANEL_TEXTMSG_VERSION}},
        {MAINPANEL_DECORATION_3, MAINPANEL_TEXTMSG_18, parameter},
        {MAINPANEL_DECORATION_7,
         MAINPANEL_TEXTMSG_19,
         {MAINPANEL_VKR3STROMINCREMENT, MAINPANEL_VKR3STROMDECREMENT, MAINPANEL_VKR3STROMUMSCHALTEN,
          MAINPANEL_STROM_STEP, MAINPANEL_STATUS11_2, MAINPANEL_STATUS13_2}},
        {MAINPANEL_DECORATION_RFWV,
         MAINPANEL_TEXTMSG_RFWV,
         {MAINPANEL_RFWV_ENABEL_TIME, MAINPANEL_RFWV_STEP_VALUE, MAINPANEL_RFWV_AUTO_AC_FiltFREQ,
          MAINPANEL_RFWV_VALUE, MAINPANEL_RFWV_AUTO_AC_GAIN, MAINPANEL_RFWV_CURRENT_STEP,
          MAINPANEL_RFVW_JUMP_TO_ZERO, MAINPANEL_RFWV_AUTOMATIC, MAINPANEL_RFWV_ALWAYS_ON}},
        {MAINPANEL_DECORATION_4,
         MAINPANEL_TEXTMSG_15,
         {MAINPANEL_STROMIST, MAINPANEL_SPANNUNGIST, MAINPANEL_ABFRAGEN, MAINPANEL_DAUERNDABFRAGEN}},
        {MAINPANEL_DECORATION_6,
         MAINPANEL_TEXTMSG_16,
         {MAINPANEL_STATUSINFO, MAINPANEL_STATUS0, MAINPANEL_STATUS1, MAINPANEL_STATUS3, MAINPANEL_STATUS4,
          MAINPANEL_STATUS8, MAINPANEL_STATUS9, MAINPANEL_STATUS11, MAINPANEL_STATUS13,
          MAINPANEL_CHECKBOX_KOMP_MODE}},
    };
    for (const Gruppe& g : gruppen) {
        const ControlDefinition& rahmen = Control(MAINPANEL, g.rahmen);
        SCOPED_TRACE(rahmen.constant);
        const QRect innen = Rechteck(rahmen.geometry).adjusted(2, 12, -2, -2);
        for (int id : g.mitglieder) {
            const ControlDefinition& c = Control(MAINPANEL, id);
            EXPECT_TRUE(innen.contains(MitLabel(c)))
                << c.constant << " " << Name(MitLabel(c)) << " outside " << Name(innen);
            if (!rahmen.visible) {
                EXPECT_FALSE(c.visible) << c.constant << " is visible in a hidden group";
            }
        }
        const QRect titel = Rechteck(Control(MAINPANEL, g.ueberschrift).geometry);
        EXPECT_LE(titel.top(), rahmen.geometry.top);
        EXPECT_GE(titel.bottom(), rahmen.geometry.top);
        EXPECT_GT(titel.left(), rahmen.geometry.left);
    }
}

TEST(UirLayout, ControlsAndReservedLabelsLieInsideTheirPanel) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        const QRect panel(0, 0, p.width, p.height);
        for (const ControlDefinition& c : p.controls) {
            if (c.kind == ControlKind::Timer) continue;
            EXPECT_TRUE(panel.contains(MitLabel(c))) << c.constant << " " << Name(MitLabel(c));
        }
    }
}

} // namespace
