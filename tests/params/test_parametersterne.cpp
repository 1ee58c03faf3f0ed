// Which "*" markers and which STK9 controls the main panel shows for each current curve.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/vkr3xsteuerung.h"
#include "params/parametersatz.h"
#include "params/parametersterne.h"
#include "tests/support/programm_fixture.h"

namespace {

const std::map<std::string, int> kMarker = {
    {"STROM1", MAINPANEL_STERN_STROM1},
    {"STROM2", MAINPANEL_STERN_STROM2},
    {"ZEIT1", MAINPANEL_STERN_ZEIT1},
    {"ZEIT2", MAINPANEL_STERN_ZEIT2},
    {"ZEIT3", MAINPANEL_STERN_ZEIT3},
    {"ZEIT4", MAINPANEL_STERN_ZEIT4},
    {"FREQUENZ", MAINPANEL_STERN_FREQUENZ},
    {"SPANNUNG", MAINPANEL_STERN_SPANNUNG},
    {"ZYKLEN", MAINPANEL_STERN_ZYKLEN},
    {"REGLER_KP", MAINPANEL_STERN_REGLER_KP},
    {"REGLER_KI", MAINPANEL_STERN_REGLER_KI},
    {"REGLER_GAIN", MAINPANEL_STERN_REGLER_GAIN},
    {"ENDSTUFEREGELN", MAINPANEL_STERN_ENDSTUFEREGELN},
    {"DITHER_TYP", MAINPANEL_STERN_DITHER_TYP},
    {"DITHER_FREQUENZ", MAINPANEL_STERN_DITHER_FREQUENZ},
    {"DITHER_STROM", MAINPANEL_STERN_DITHER_STROM},
};

const std::vector<int> kStk9 = {MAINPANEL_VKR3STROMINCREMENT,  MAINPANEL_VKR3STROMDECREMENT,
                                MAINPANEL_VKR3STROMUMSCHALTEN, MAINPANEL_TEXTMSG_19,
                                MAINPANEL_STATUS11_2,          MAINPANEL_STATUS13_2,
                                MAINPANEL_DECORATION_7,        MAINPANEL_STROM_STEP};

struct Erwartung {
    int kurve;
    int geregelt;
    std::set<std::string> sichtbar; // every other marker is hidden
};

// Final marker visibility per curve, with the output stage regulated (1) and not (0).
const std::vector<Erwartung> kErwartungen = {
    {1, 1, {"FREQUENZ", "SPANNUNG", "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {1, 0, {"FREQUENZ", "SPANNUNG", "ENDSTUFEREGELN"}},
    {2, 1, {"FREQUENZ", "SPANNUNG", "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {2, 0, {"FREQUENZ", "SPANNUNG", "ENDSTUFEREGELN"}},
    {3,
     1,
     {"STROM1", "STROM2", "ZEIT1", "ZEIT2", "FREQUENZ", "SPANNUNG", "ZYKLEN", "ENDSTUFEREGELN", "DITHER_TYP",
      "DITHER_FREQUENZ", "DITHER_STROM"}},
    {3, 0, {"STROM1", "STROM2", "ZEIT1", "ZEIT2", "FREQUENZ", "SPANNUNG", "ZYKLEN", "ENDSTUFEREGELN"}},
    {4,
     1,
     {"STROM2", "ZEIT1", "ZEIT2", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP", "REGLER_KI", "REGLER_GAIN",
      "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {4,
     0,
     {"STROM2", "ZEIT1", "ZEIT2", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP", "REGLER_KI",
      "ENDSTUFEREGELN"}},
    {5,
     1,
     {"STROM1", "STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN",
      "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {5,
     0,
     {"STROM1", "STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN",
      "ENDSTUFEREGELN"}},
    {6,
     1,
     {"STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP",
      "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {6,
     0,
     {"STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP",
      "REGLER_KI", "ENDSTUFEREGELN"}},
    {7,
     1,
     {"STROM1", "STROM2", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN",
      "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {7, 0, {"STROM1", "STROM2", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "ENDSTUFEREGELN"}},
    {8,
     1,
     {"STROM1", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN",
      "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {8, 0, {"STROM1", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "ENDSTUFEREGELN"}},
    {9,
     1,
     {"STROM1", "STROM2", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN",
      "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {9, 0, {"STROM1", "STROM2", "FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "ENDSTUFEREGELN"}},
    {10,
     1,
     {"STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP",
      "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN", "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    {10,
     0,
     {"STROM2", "ZEIT1", "ZEIT2", "ZEIT3", "ZEIT4", "FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP",
      "REGLER_KI", "ENDSTUFEREGELN"}},
    {11,
     1,
     {"FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN", "DITHER_TYP",
      "DITHER_FREQUENZ", "DITHER_STROM"}},
    {11, 0, {"FREQUENZ", "SPANNUNG", "REGLER_KP", "REGLER_KI", "ENDSTUFEREGELN"}},
    {12,
     1,
     {"FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN",
      "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
    // The curve generator uses gain and dither even without regulation.
    {12,
     0,
     {"FREQUENZ", "SPANNUNG", "ZYKLEN", "REGLER_KP", "REGLER_KI", "REGLER_GAIN", "ENDSTUFEREGELN",
      "DITHER_TYP", "DITHER_FREQUENZ", "DITHER_STROM"}},
};

class Parametersterne : public ProgrammTest {
  protected:
    void Zeigen(int satz, int kurve, int geregelt) {
        gPar[satz].stromkurve = kurve;
        gPar[satz].endstuferegeln = geregelt;
        gParIndex = satz;
        ParametersterneSetzen();
    }
};

TEST_F(Parametersterne, EveryCurveShowsExactlyItsMarkersWithAndWithoutRegulation) {
    for (const Erwartung& e : kErwartungen) {
        Zeigen(0, e.kurve, e.geregelt);
        for (const auto& [name, control] : kMarker)
            EXPECT_EQ(Sichtbar(control), e.sichtbar.count(name) ? 1 : 0)
                << "curve " << e.kurve << " regulated " << e.geregelt << " marker " << name;
        for (int control : kStk9)
            EXPECT_EQ(Sichtbar(control), e.kurve == 9 ? 1 : 0) << "curve " << e.kurve;
    }
}

TEST_F(Parametersterne, LegendAndUnmanagedMarkerKeepTheirVisibility) {
    for (const Erwartung& e : kErwartungen) {
        Zeigen(0, e.kurve, e.geregelt);
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_STROM1_2), 1);
        EXPECT_EQ(Sichtbar(MAINPANEL_TEXTMSG_10), 1);
        EXPECT_EQ(Sichtbar(MAINPANEL_TEXTMSG_11), 1);
    }
}

TEST_F(Parametersterne, CurveOutsideTheTableKeepsStarsButHidesStk9AndStillAppliesRegulationRule) {
    for (int fremd : {0, 13}) {
        Zeigen(1, 9, 1); // curve 9 regulated: every dither and gain star visible, STK9 shown
        Zeigen(2, fremd, 0);
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_STROM1), 1) << fremd; // left from curve 9
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_REGLER_KP), 1) << fremd;
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_ZEIT1), 0) << fremd;
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_REGLER_GAIN), 0) << fremd; // regulation rule
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_DITHER_STROM), 0) << fremd;
        for (int control : kStk9)
            EXPECT_EQ(Sichtbar(control), 0) << fremd;

        Zeigen(3, 5, 0);
        Zeigen(2, fremd, 1); // regulation on shows the dither stars even for an unknown curve
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_ZEIT4), 1) << fremd;
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_DITHER_TYP), 1) << fremd;
        EXPECT_EQ(Sichtbar(MAINPANEL_STERN_REGLER_GAIN), 0) << fremd;
    }
}

} // namespace
