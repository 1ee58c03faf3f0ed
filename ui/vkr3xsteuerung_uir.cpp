// The user-interface definition "vkr3xSteuerung.uir" as data: one control table per panel and
// the menu-bar table. The run-time builds the widgets from these tables when a panel is loaded.
//
// Texts are the German originals; the English run relabels them at start-up, and those texts
// are longer (some with leading blanks), so left labels reserve room for the English ones too.
// Geometry: the rectangle of a control's own widget in panel pixels; a left label lies in the
// labelWidth pixels before it, an upper label in the line above it.
#include "ui/vkr3xsteuerung_uir.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"

// A control is named by its constant; id and name come from the same token.
#define KONSTANTE(c) .id = c, .constant = #c

namespace {

// ---- Layout helpers -------------------------------------------------------------------------

constexpr int kLabelAbstand = 4; // gap the run-time leaves between a left label and its control
constexpr int kZeile = 28;       // row pitch of parameter rows
constexpr int kFeldHoehe = 24;   // numerics, rings, strings
constexpr int kKnopfHoehe = 26;  // command buttons
constexpr int kLedGroesse = 18;
constexpr int kRand = 12; // inner margin of a group frame

// A control whose left label starts at x and gets labelWidth pixels.
constexpr Geometry NachLabel(int x, int y, int labelWidth, int width, int height = kFeldHoehe) {
    return {x + labelWidth + kLabelAbstand, y, width, height};
}

// The "*" marker right beside a control.
constexpr Geometry SternNeben(const Geometry& g) {
    return {g.left + g.width + 4, g.top + 3, 10, 18};
}

// A group caption sits on the top edge of its frame; the run-time blanks the frame line behind it.
constexpr Geometry UeberschriftVon(const Geometry& rahmen) {
    return {rahmen.left + 10, rahmen.top - 5, 260, 18};
}

// ---- Main panel layout -----------------------------------------------------------------------
// Column A: program management, device control, connection and error line, STK9 group.
// Column B: parameters in two sub-columns, raised free-wheeling voltage group.
// Column C: logo, actual values, status, dither table group.
// The COM panel opens in the bottom right corner, below the dither switches, over the raised
// free-wheeling voltage and dither table groups.

constexpr int kDitherOben = 308;
// The frame of a child panel adds 8 pixels and a title bar to its size.
constexpr int kComOben = kDitherOben + 52, kComHoehe = 268, kComRahmen = 8 + 24;
constexpr int kHauptBreite = 1310, kHauptHoehe = 666;
static_assert(kComOben + kComRahmen + kComHoehe <= kHauptHoehe,
              "the COM panel fits below the dither switches");

constexpr int kA = 10, kABreite = 360, kAInnen = kA + kRand;
constexpr int kB = 380, kBBreite = 595, kBInnen = kB + kRand;
constexpr int kC = 985, kCBreite = 315, kCInnen = kC + kRand;

constexpr Geometry kRahmenProgramme = {kA, 14, kABreite, 210};
constexpr Geometry kRahmenSteuern = {kA, 240, kABreite, 122};
constexpr int kFehlerZeile = 378;
constexpr Geometry kRahmenStk9 = {kA, 466, kABreite, 124};

constexpr Geometry kRahmenParameter = {kB, 14, kBBreite, 310};
constexpr Geometry kRahmenRfwv = {kB, 344, kBBreite, 158};

constexpr Geometry kLogo = {kC + kCBreite - 64, 10, 64, 64};
constexpr Geometry kRahmenIstwerte = {kC, 96, kCBreite, 90};
constexpr Geometry kRahmenStatus = {kC, 204, kCBreite, 90};
constexpr int kDitherTabelleOben = kDitherOben + 76, kDitherTabelleHoehe = 270; // ten rows

// Program management rows
constexpr int kSatzZeile = 30, kLesenZeile = 64, kAchtungZeile = 98, kProgZeile = 186;
constexpr int kKnopfBreiteA = 162;
// Device control rows
constexpr int kStartZeile = 256, kKalibrierZeile = 290, kVersionZeile = 324;
// STK9 rows
constexpr int kStk9Zeile0 = 482;

// Parameter frame: sub-column 1 (currents, times, test values), sub-column 2 (regulation, dither).
constexpr int kParZeile0 = 64;
constexpr int kSp1Label = kBInnen, kSp1LabelBreite = 150;
constexpr int kSp2Label = kB + 282, kSp2LabelBreite = 190;
constexpr int kParFeldBreite = 90;

constexpr Geometry Spalte1(int zeile) {
    return NachLabel(kSp1Label, kParZeile0 + zeile * kZeile, kSp1LabelBreite, kParFeldBreite);
}
constexpr Geometry Spalte2(int zeile) {
    return NachLabel(kSp2Label, kParZeile0 + zeile * kZeile, kSp2LabelBreite, kParFeldBreite);
}

constexpr Geometry kStromkurve = NachLabel(kBInnen, 30, 100, 330);
constexpr Geometry kStrom1 = Spalte1(0), kStrom2 = Spalte1(1), kZeit1 = Spalte1(2), kZeit2 = Spalte1(3);
constexpr Geometry kZeit3 = Spalte1(4), kZeit4 = Spalte1(5), kFrequenz = Spalte1(6);
constexpr Geometry kSpannung = Spalte1(7), kZyklen = Spalte1(8);
constexpr Geometry kEndstufe = Spalte2(0), kReglerGain = Spalte2(1), kReglerKi = Spalte2(2);
constexpr Geometry kReglerKp = Spalte2(3), kDitherTyp = Spalte2(4), kDitherFrequenz = Spalte2(5);
constexpr Geometry kDitherStrom = Spalte2(6);
// Legend under the regulation and dither column, its star in line with the controls.
constexpr Geometry kLegende = {kDitherStrom.left, kParZeile0 + 7 * kZeile + 4, 10, 18};

// Raised free-wheeling voltage group (version b devices): values left, switches right.
constexpr int kRfwvZeile0 = kRahmenRfwv.top + 16, kRfwvZeile = 27;
constexpr int kRfwv1LabelBreite = kSp1LabelBreite; // values in line with the parameters above
constexpr Geometry Rfwv1(int zeile) {
    return NachLabel(kSp1Label, kRfwvZeile0 + zeile * kRfwvZeile, kRfwv1LabelBreite, kParFeldBreite);
}
constexpr Geometry Rfwv2(int zeile) {
    return NachLabel(kSp2Label, kRfwvZeile0 + zeile * kRfwvZeile, kSp2LabelBreite, kParFeldBreite);
}

// Actual values: label, value, and the query buttons after a clear gap.
constexpr int kIstLabelBreite = 84, kIstFeldBreite = 80, kIstKnopfBreite = 90;
constexpr int kIstZeile0 = kRahmenIstwerte.top + 16, kIstZeile1 = kIstZeile0 + 32;
constexpr int kIstKnopfLinks = kC + kCBreite - kRand - kIstKnopfBreite;

// Status LEDs in bit order 0, 1, 3, 4, 8, 9, 11, 13 from left to right.
constexpr Geometry StatusLed(int position) {
    return {kCInnen + position * 26, kRahmenStatus.top + 20, kLedGroesse, kLedGroesse};
}

// ---- Ring items -------------------------------------------------------------------------------

constexpr ListItem kParametersaetze[] = {
    {"Arbeitsparameter", 0}, {"Programm 1", 1},   {"Programm 2", 2},   {"Programm 3", 3},
    {"Programm 4", 4},       {"Programm 5", 5},   {"Programm 6", 6},   {"Programm 7", 7},
    {"Programm 8", 8},       {"Programm 9", 9},   {"Programm 10", 10}, {"Programm 11", 11},
    {"Programm 12", 12},     {"Programm 13", 13}, {"Programm 14", 14}, {"Programm 15", 15},
    {"Programm 16", 16},
};

constexpr ListItem kStromkurven[] = {
    {"1 - externer Stellwert", 1},
    {"2 - feste Spannung", 2},
    {"3 - Rechteck ungeregelt", 3},
    {"4 - Rechteck geregelt", 4},
    {"5 - Dreieck ungeregelt", 5},
    {"6 - Dreieck geregelt", 6},
    {"7 - Strom 1/2 geregelt, ext. umschaltbar", 7},
    {"8 - Strom 1 geregelt", 8},
    {"9 - Strom 1/2 geregelt, manuell einstellbar", 9},
    {"10 - Dreieck geregelt, Freq. man. einstellbar", 10},
    {"11 - externer Sollwert geregelt", 11},
    {"12 - Kurvengenerator", 12},
};

constexpr ListItem kAusEin[] = {{"aus", 0}, {"ein", 1}};

constexpr ListItem kDitherTypen[] = {{"aus", 0}, {"Sinus", 1}, {"Rechteck", 2}, {"Dreieck", 3}};

// One picture per open port; the run-time draws it from the value.
constexpr ListItem kComBilder[] = {
    {"nicht geöffnet", -1}, {"COM 1", 1}, {"COM 2", 2}, {"COM 3", 3},
    {"COM 4", 4},           {"COM 5", 5}, {"COM 6", 6},
};

constexpr ListItem kAdressen[] = {
    {"1", '1'}, {"2", '2'}, {"3", '3'}, {"4", '4'},    {"5", '5'},
    {"6", '6'}, {"7", '7'}, {"8", '8'}, {"alle", '&'},
};

constexpr ListItem kBaudraten[] = {
    {"1200", 1200},   {"2400", 2400},   {"4800", 4800},     {"9600", 9600},
    {"19200", 19200}, {"38400", 38400}, {"115200", 115200},
};

constexpr ListItem kPorts[] = {
    {"nicht geöffnet", -1}, {"COM 1", 1}, {"COM 2", 2}, {"COM 3", 3}, {"COM 4", 4},
    {"COM 5", 5},           {"COM 6", 6}, {"COM 7", 7}, {"COM 8", 8},
};

constexpr const char* kDitherTabelleSpalten[] = {"PWM-Strom", "Dither Amplitude"};

// A device is bound to one COM number at most.
constexpr ListItem kBindungen[] = {
    {"nicht gebunden", -1}, {"COM 1", 1}, {"COM 2", 2}, {"COM 3", 3}, {"COM 4", 4},
    {"COM 5", 5},           {"COM 6", 6}, {"COM 7", 7}, {"COM 8", 8},
};

constexpr const char* kGeraetelisteSpalten[] = {"Gerät",      "COM",       "Beschreibung",
                                                "Hersteller", "Seriennr.", "Fester Name"};

// ---- Colours ------------------------------------------------------------------------------------

constexpr int kRot = 0xFF0000;
constexpr int kGruen = 0x00FF00;
constexpr int kGelb = 0xFFFF00;

// ---- Main panel -----------------------------------------------------------------------------------

constexpr ControlDefinition kMainpanel[] = {
    // Program management
    {KONSTANTE(MAINPANEL_PARAMETERSATZAUSWAHL), .kind = ControlKind::Ring, .text = "Parametersatz",
     .callback = "Callback_Ring_Parametersatz", .type = ValueType::Int, .defaultValue = 0,
     .items = kParametersaetze, .geometry = NachLabel(kAInnen, kSatzZeile, 110, 180), .labelWidth = 110},
    {KONSTANTE(MAINPANEL_VKR3LESEN), .kind = ControlKind::CommandButton, .text = "vom VKR-3 lesen",
     .callback = "Callback_Button_Vkr3Lesen", .geometry = {kAInnen, kLesenZeile, kKnopfBreiteA, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3SCHREIBEN), .kind = ControlKind::CommandButton, .text = "zum VKR-3 schreiben",
     .callback = "Callback_Button_Vkr3Schreiben",
     .geometry = {kAInnen + kKnopfBreiteA + 8, kLesenZeile, kKnopfBreiteA, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_EINZUSTELLENDESPROG), .kind = ControlKind::Numeric,
     .text = "Arbeitsparameter in/von Programm", .type = ValueType::Int, .defaultValue = 1, .minimum = 1,
     .maximum = 16, .step = 1, .geometry = {kAInnen, kProgZeile + 1, 64, kFeldHoehe},
     .labelPlacement = LabelPlacement::Above},
    {KONSTANTE(MAINPANEL_AN_VKR3AX2_ANPASEN), .kind = ControlKind::CommandButton,
     .text = "An VKR3AX2-Version anpassen", .callback = "Callback_Button_An_VKR3AX2_anpassen",
     .geometry = {kAInnen, kVersionZeile, 204, kKnopfHoehe}, .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_PROGRAMMLADEN), .kind = ControlKind::CommandButton, .text = "laden",
     .callback = "Callback_Button_ProgrammLaden", .geometry = {kAInnen + 72, kProgZeile, 128, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_PROGRAMMSPEICHERN), .kind = ControlKind::CommandButton, .text = "speichern",
     .callback = "Callback_Button_ProgrammSpeichern",
     .geometry = {kAInnen + 208, kProgZeile, 128, kKnopfHoehe}, .labelPlacement = LabelPlacement::Inside},

    // Device control
    {KONSTANTE(MAINPANEL_VKR3START), .kind = ControlKind::CommandButton, .text = "Start",
     .callback = "Callback_Button_Vkr3Start", .geometry = {kAInnen, kStartZeile, 108, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3STOPP), .kind = ControlKind::CommandButton, .text = "Stopp",
     .callback = "Callback_Button_Vkr3Stopp", .geometry = {kAInnen + 116, kStartZeile, 108, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3FEHLERLOESCHEN), .kind = ControlKind::CommandButton, .text = "Fehler löschen",
     .callback = "Callback_Button_Vkr3FehlerLoeschen",
     .geometry = {kAInnen + 232, kStartZeile, 104, kKnopfHoehe}, .labelPlacement = LabelPlacement::Inside},

    // STK9 group (curve 9 only)
    {KONSTANTE(MAINPANEL_VKR3STROMINCREMENT), .kind = ControlKind::CommandButton, .text = "Strom Increment",
     .callback = "Callback_Button_Vkr3StromIncrement", .visible = false,
     .geometry = {kAInnen, kStk9Zeile0, kKnopfBreiteA, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3STROMDECREMENT), .kind = ControlKind::CommandButton, .text = "Strom Decrement",
     .callback = "Callback_Button_Vkr3StromDecrement", .visible = false,
     .geometry = {kAInnen + kKnopfBreiteA + 8, kStk9Zeile0, kKnopfBreiteA, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3STROMUMSCHALTEN), .kind = ControlKind::CommandButton, .text = "Strom umschalten",
     .callback = "Callback_Button_Vkr3StromUmschalten", .visible = false,
     .geometry = {kAInnen, kStk9Zeile0 + 34, kKnopfBreiteA, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},

    // Service and calibration
    {KONSTANTE(MAINPANEL_VKR3DEVSETUP), .kind = ControlKind::CommandButton, .text = "Geräte-Setup",
     .callback = "Callback_Button_Vkr3DevSetup", .visible = false,
     .geometry = {kAInnen + 116, kKalibrierZeile, 108, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_VKR3KALIBRIEREN), .kind = ControlKind::CommandButton, .text = "Kalibrieren",
     .callback = "Callback_Button_Vkr3Kalibrieren", .geometry = {kAInnen, kKalibrierZeile, 108, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},

    // Parameters
    {KONSTANTE(MAINPANEL_STROMKURVE), .kind = ControlKind::Ring, .text = "Stromkurve",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 1, .items = kStromkurven,
     .geometry = kStromkurve, .labelWidth = 100},
    {KONSTANTE(MAINPANEL_STROM_STEP), .kind = ControlKind::Numeric, .text = "Stromschritt [A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0.01,
     .minimum = 0.001, .maximum = 4, .step = 0.01, .decimals = 3, .visible = false,
     .geometry = NachLabel(kAInnen, kStk9Zeile0 + 70, 120, 90), .labelWidth = 120},
    {KONSTANTE(MAINPANEL_DITHER_FREQUENZ), .kind = ControlKind::Numeric, .text = "Dither Frequenz [Hz]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 50, .minimum = 10,
     .maximum = 300, .step = 0.1, .decimals = 1, .geometry = kDitherFrequenz, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_ENABEL_TIME), .kind = ControlKind::Numeric, .text = "Anschaltzeit [ms]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1, .minimum = 1,
     .maximum = 1000, .step = 1, .decimals = 0, .visible = false, .geometry = Rfwv1(1),
     .labelWidth = kRfwv1LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_STEP_VALUE), .kind = ControlKind::Numeric, .text = "Strom Sprungwert [A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0.1, .minimum = 0.001,
     .maximum = 6, .step = 0.001, .decimals = 3, .visible = false, .geometry = Rfwv1(2),
     .labelWidth = kRfwv1LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_AUTO_AC_FiltFREQ), .kind = ControlKind::Numeric,
     .text = "  AC Filterfreq. [Hz]", .callback = "Callback_Multi_Parameter", .type = ValueType::Double,
     .defaultValue = 63, .minimum = 10, .maximum = 500, .step = 1, .decimals = 0, .visible = false,
     .geometry = Rfwv1(4), .labelWidth = kRfwv1LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_VALUE), .kind = ControlKind::Numeric, .text = "  Freilaufspannung [V]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 5, .minimum = 2,
     .maximum = 40, .step = 0.1, .decimals = 1, .visible = false, .geometry = Rfwv1(0),
     .labelWidth = kRfwv1LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_AUTO_AC_GAIN), .kind = ControlKind::Numeric, .text = "AC-Verstärkung [V/A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 20, .minimum = 0.1,
     .maximum = 100, .step = 0.1, .decimals = 1, .visible = false, .geometry = Rfwv1(3),
     .labelWidth = kRfwv1LabelBreite},
    {KONSTANTE(MAINPANEL_DITHER_STROM), .kind = ControlKind::Numeric, .text = "Dither Strom [A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0.1, .minimum = 0,
     .maximum = 0.3, .step = 0.001, .decimals = 3, .geometry = kDitherStrom, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_STROM1), .kind = ControlKind::Numeric, .text = "Strom 1 [A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0.1, .minimum = 0.001,
     .maximum = 6, .step = 1, .decimals = 3, .geometry = kStrom1, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_STROM2), .kind = ControlKind::Numeric, .text = "Strom 2 [A]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0.5, .minimum = 0.001,
     .maximum = 6, .step = 1, .decimals = 3, .geometry = kStrom2, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_ZEIT3), .kind = ControlKind::Numeric, .text = "Zeit 3 [ms]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1000, .minimum = 0,
     .maximum = 65534, .step = 1, .decimals = 0, .geometry = kZeit3, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_ZEIT4), .kind = ControlKind::Numeric, .text = "Zeit 4 [ms]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1000, .minimum = 0,
     .maximum = 65534, .step = 1, .decimals = 0, .geometry = kZeit4, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_ZEIT1), .kind = ControlKind::Numeric, .text = "Zeit 1 [ms]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1000, .minimum = 1,
     .maximum = 65534, .step = 1, .decimals = 0, .geometry = kZeit1, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_ZEIT2), .kind = ControlKind::Numeric, .text = "Zeit 2 [ms]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1000, .minimum = 1,
     .maximum = 65534, .step = 1, .decimals = 0, .geometry = kZeit2, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_FREQUENZ), .kind = ControlKind::Numeric, .text = "PWM-Frequenz [Hz]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 1000, .minimum = 50,
     .maximum = 10000, .step = 1, .decimals = 0, .geometry = kFrequenz, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_SPANNUNG), .kind = ControlKind::Numeric, .text = "Prüfspannung [V]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 12, .minimum = 5,
     .maximum = 55, .step = 1, .decimals = 1, .geometry = kSpannung, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_ZYKLEN), .kind = ControlKind::Numeric, .text = "Prüfzyklen",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 0, .minimum = 0,
     .maximum = 65534, .step = 1, .decimals = 0, .geometry = kZyklen, .labelWidth = kSp1LabelBreite},
    {KONSTANTE(MAINPANEL_REGLER_GAIN), .kind = ControlKind::Numeric, .text = "Regler Verstärkung [%]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 100, .minimum = 10,
     .maximum = 100, .step = 1, .decimals = 0, .geometry = kReglerGain, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_REGLER_KI), .kind = ControlKind::Numeric, .text = "Regler KI [%]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 100, .minimum = 5,
     .maximum = 100, .step = 1, .decimals = 0, .geometry = kReglerKi, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_REGLER_KP), .kind = ControlKind::Numeric, .text = "Regler KP [%]",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .defaultValue = 100, .minimum = 0,
     .maximum = 500, .step = 1, .decimals = 0, .geometry = kReglerKp, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_CURRENT_STEP), .kind = ControlKind::Ring, .text = "  Bei Stromsprung",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .visible = false,
     .items = kAusEin, .geometry = Rfwv2(2), .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_RFVW_JUMP_TO_ZERO), .kind = ControlKind::Ring, .text = "  Bei Sprung auf 0",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .visible = false,
     .items = kAusEin, .geometry = Rfwv2(3), .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_AUTOMATIC), .kind = ControlKind::Ring, .text = "Automatik",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .visible = false,
     .items = kAusEin, .geometry = Rfwv2(1), .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_RFWV_ALWAYS_ON), .kind = ControlKind::Ring, .text = "Immer erhöht",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .visible = false,
     .items = kAusEin, .geometry = Rfwv2(0), .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_DITHER_TYP), .kind = ControlKind::Ring, .text = "Dither Typ",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .items = kDitherTypen,
     .geometry = kDitherTyp, .labelWidth = kSp2LabelBreite},
    {KONSTANTE(MAINPANEL_ENDSTUFEREGELN), .kind = ControlKind::Ring, .text = "Endstufe regeln",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Int, .defaultValue = 0, .items = kAusEin,
     .geometry = kEndstufe, .labelWidth = kSp2LabelBreite},

    // Actual values
    {KONSTANTE(MAINPANEL_STROMIST), .kind = ControlKind::Numeric, .text = "Strom [A]",
     .type = ValueType::Double, .defaultValue = 0, .minimum = -UNBEGRENZT, .maximum = UNBEGRENZT, .step = 1,
     .decimals = 3, .readOnly = true,
     .geometry = NachLabel(kCInnen, kIstZeile0, kIstLabelBreite, kIstFeldBreite),
     .labelWidth = kIstLabelBreite},
    {KONSTANTE(MAINPANEL_SPANNUNGIST), .kind = ControlKind::Numeric, .text = "Spannung [V]",
     .type = ValueType::Double, .defaultValue = 0, .minimum = -UNBEGRENZT, .maximum = UNBEGRENZT, .step = 1,
     .decimals = 1, .readOnly = true,
     .geometry = NachLabel(kCInnen, kIstZeile1, kIstLabelBreite, kIstFeldBreite),
     .labelWidth = kIstLabelBreite},
    {KONSTANTE(MAINPANEL_ABFRAGEN), .kind = ControlKind::CommandButton, .text = "abfragen",
     .callback = "Callback_Button_Abfragen",
     .geometry = {kIstKnopfLinks, kIstZeile0 - 1, kIstKnopfBreite, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_DAUERNDABFRAGEN), .kind = ControlKind::ToggleButton, .text = "dauernd",
     .callback = "Callback_Toggle_DauerndAbfragen", .type = ValueType::Int, .defaultValue = 0,
     .geometry = {kIstKnopfLinks, kIstZeile1 - 1, kIstKnopfBreite, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(MAINPANEL_STATUSINFO), .kind = ControlKind::CommandButton, .text = "?",
     .callback = "Callback_Button_StatusInfo",
     .geometry = {kC + kCBreite - kRand - 28, kRahmenStatus.top + 16, 28, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside, .spokenName = {"Statusinfo", "Status info"}},

    // Connection and error line
    {KONSTANTE(MAINPANEL_COMPICTURERING), .kind = ControlKind::PictureRing,
     .callback = "Callback_Ring_ComPicture", .type = ValueType::Int, .defaultValue = -1, .items = kComBilder,
     .geometry = {kAInnen, kFehlerZeile, 56, 36}, .labelPlacement = LabelPlacement::None,
     .picture = PictureKind::ComPort, .spokenName = {"Verbindung", "Connection"}},
    {KONSTANTE(MAINPANEL_FEHLERLED), .kind = ControlKind::Led, .text = "Fehler", .type = ValueType::Int,
     .geometry = NachLabel(kAInnen + 70, kFehlerZeile + 9, 50, kLedGroesse, kLedGroesse), .labelWidth = 50,
     .onColor = kRot},
    {KONSTANTE(MAINPANEL_FEHLERSTRING), .kind = ControlKind::String, .type = ValueType::String,
     .readOnly = true, .geometry = {kAInnen, kFehlerZeile + 46, kABreite - 2 * kRand, kFeldHoehe},
     .labelPlacement = LabelPlacement::None, .spokenName = {"Fehlertext", "Error text"}},
    {KONSTANTE(MAINPANEL_FEHLERNUMMER), .kind = ControlKind::Numeric, .type = ValueType::Int,
     .defaultValue = 0, .minimum = -2147483648.0, .maximum = 2147483647.0, .step = 1, .decimals = 0,
     .readOnly = true, .geometry = {kAInnen + 156, kFehlerZeile + 6, 110, kFeldHoehe},
     .labelPlacement = LabelPlacement::None, .spokenName = {"Fehlercode", "Error code"}},

    // Curve markers, each right beside the control it marks
    {KONSTANTE(MAINPANEL_STERN_ENDSTUFEREGELN), .text = "*", .geometry = SternNeben(kEndstufe),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_REGLER_GAIN), .text = "*", .geometry = SternNeben(kReglerGain),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_REGLER_KI), .text = "*", .geometry = SternNeben(kReglerKi),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_REGLER_KP), .text = "*", .geometry = SternNeben(kReglerKp),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_ZYKLEN), .text = "*", .geometry = SternNeben(kZyklen),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_SPANNUNG), .text = "*", .geometry = SternNeben(kSpannung),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_DITHER_STROM), .text = "*", .geometry = SternNeben(kDitherStrom),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_DITHER_TYP), .text = "*", .geometry = SternNeben(kDitherTyp),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_DITHER_FREQUENZ), .text = "*", .geometry = SternNeben(kDitherFrequenz),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_ZEIT4), .text = "*", .geometry = SternNeben(kZeit4),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    // The curve itself is needed in every curve.
    {KONSTANTE(MAINPANEL_STERN_STROM1_2), .text = "*", .geometry = SternNeben(kStromkurve),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_ZEIT3), .text = "*", .geometry = SternNeben(kZeit3),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_FREQUENZ), .text = "*", .geometry = SternNeben(kFrequenz),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_ZEIT2), .text = "*", .geometry = SternNeben(kZeit2),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_TEXTMSG_10), .text = "*", .geometry = kLegende,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_STERN_ZEIT1), .text = "*", .geometry = SternNeben(kZeit1),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_STROM2), .text = "*", .geometry = SternNeben(kStrom2),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},
    {KONSTANTE(MAINPANEL_STERN_STROM1), .text = "*", .geometry = SternNeben(kStrom1),
     .labelPlacement = LabelPlacement::None, .spokenName = {"benötigt", "needed"}},

    // Caution note and group captions
    {KONSTANTE(MAINPANEL_TEXTMSG_12),
     .text = "Achtung:\nJedes Lesen/Schreiben\nbeinflußt auch die Arbeits-\nparameter.",
     .geometry = {kAInnen, kAchtungZeile, kABreite - 2 * kRand, 66}, .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_TEXTMSG_15), .text = "Istwerte", .geometry = UeberschriftVon(kRahmenIstwerte),
     .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_TEXTMSG_14), .text = "VKR-3 steuern", .geometry = UeberschriftVon(kRahmenSteuern),
     .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_TEXTMSG_13), .text = "Programmverwaltung",
     .geometry = UeberschriftVon(kRahmenProgramme), .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_TEXTMSG_16), .text = "Status", .geometry = UeberschriftVon(kRahmenStatus),
     .labelPlacement = LabelPlacement::None, .bold = true},

    // Status LEDs (no labels; the "?" popup explains them, and start-up names them after it)
    {KONSTANTE(MAINPANEL_STATUS8), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(4),
     .labelPlacement = LabelPlacement::None, .onColor = kGruen},
    {KONSTANTE(MAINPANEL_STATUS9), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(5),
     .labelPlacement = LabelPlacement::None, .onColor = kGruen},
    // Active-current lights of the STK9 group: current 1 left, current 2 right of the switch button.
    {KONSTANTE(MAINPANEL_STATUS11_2), .kind = ControlKind::Led, .type = ValueType::Int, .visible = false,
     .geometry = {kAInnen + kKnopfBreiteA + 40, kStk9Zeile0 + 38, kLedGroesse, kLedGroesse},
     .labelPlacement = LabelPlacement::None, .onColor = kGruen,
     .spokenName = {"Strom 2 aktiv", "Current 2 active"}},
    {KONSTANTE(MAINPANEL_STATUS11), .kind = ControlKind::Led, .type = ValueType::Int,
     .geometry = StatusLed(6), .labelPlacement = LabelPlacement::None, .onColor = kGruen},
    {KONSTANTE(MAINPANEL_STATUS13_2), .kind = ControlKind::Led, .type = ValueType::Int, .visible = false,
     .geometry = {kAInnen + kKnopfBreiteA + 14, kStk9Zeile0 + 38, kLedGroesse, kLedGroesse},
     .labelPlacement = LabelPlacement::None, .onColor = kGruen,
     .spokenName = {"Strom 1 aktiv", "Current 1 active"}},
    {KONSTANTE(MAINPANEL_STATUS13), .kind = ControlKind::Led, .type = ValueType::Int,
     .geometry = StatusLed(7), .labelPlacement = LabelPlacement::None, .onColor = kRot},
    {KONSTANTE(MAINPANEL_STATUS0), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(0),
     .labelPlacement = LabelPlacement::None, .onColor = kRot},
    {KONSTANTE(MAINPANEL_STATUS1), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(1),
     .labelPlacement = LabelPlacement::None, .onColor = kRot},
    {KONSTANTE(MAINPANEL_STATUS3), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(2),
     .labelPlacement = LabelPlacement::None, .onColor = kRot},
    {KONSTANTE(MAINPANEL_STATUS4), .kind = ControlKind::Led, .type = ValueType::Int, .geometry = StatusLed(3),
     .labelPlacement = LabelPlacement::None, .onColor = kRot},

    // Frames, timer, remaining captions
    {KONSTANTE(MAINPANEL_DECORATION), .kind = ControlKind::Decoration, .geometry = kRahmenProgramme,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_TIMER), .kind = ControlKind::Timer, .callback = "Callback_Timer",
     .labelPlacement = LabelPlacement::None, .interval = 0.5, .enabled = false},
    {KONSTANTE(MAINPANEL_DECORATION_2), .kind = ControlKind::Decoration, .geometry = kRahmenSteuern,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_DECORATION_3), .kind = ControlKind::Decoration, .geometry = kRahmenParameter,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_TEXTMSG_RFWV), .text = "Erhöhte Freilaufspannung", .visible = false,
     .geometry = UeberschriftVon(kRahmenRfwv), .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_TEXTMSG_VERSION), .text = "Version: - - - - -",
     .geometry = {kAInnen + 212, kVersionZeile + 4, kABreite - 2 * kRand - 212, 18},
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_TEXTMSG_19), .text = "STK9 Steuerung", .visible = false,
     .geometry = UeberschriftVon(kRahmenStk9), .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_TEXTMSG_18), .text = "Parameter", .geometry = UeberschriftVon(kRahmenParameter),
     .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(MAINPANEL_DECORATION_RFWV), .kind = ControlKind::Decoration, .visible = false,
     .geometry = kRahmenRfwv, .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_DECORATION_7), .kind = ControlKind::Decoration, .visible = false,
     .geometry = kRahmenStk9, .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_DECORATION_4), .kind = ControlKind::Decoration, .geometry = kRahmenIstwerte,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_TEXTMSG_11), .text = "= in dieser\n   Stromkurve\n   benötigt",
     .geometry = {kLegende.left + 12, kLegende.top, 100, 50}, .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_DECORATION_6), .kind = ControlKind::Decoration, .geometry = kRahmenStatus,
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(MAINPANEL_PICTURE), .kind = ControlKind::Picture, .geometry = kLogo,
     .labelPlacement = LabelPlacement::None, .picture = PictureKind::Logo, .spokenName = {"Logo", "Logo"}},

    // Dither table group (devices that support the table) and the compatibility indicator
    {KONSTANTE(MAINPANEL_CHECKBOX_USE_DITHTBL), .kind = ControlKind::Checkbox,
     .text = "Dithertabelle verwenden", .callback = "Callback_Multi_Parameter", .type = ValueType::Int,
     .defaultValue = 0, .visible = false, .geometry = {kCInnen, kDitherOben + 26, kCBreite - 2 * kRand, 22},
     .labelPlacement = LabelPlacement::Right},
    {KONSTANTE(MAINPANEL_CHECKBOX_SUP_DITH_TBL), .kind = ControlKind::Checkbox,
     .text = "Gerät unterstützt Dithertabelle", .type = ValueType::Int, .defaultValue = 1, .visible = false,
     .readOnly = true, .geometry = {kCInnen, kDitherOben, kCBreite - 2 * kRand, 22},
     .labelPlacement = LabelPlacement::Right},
    // Dimmed until the first status query has read the mode from the device.
    {KONSTANTE(MAINPANEL_CHECKBOX_KOMP_MODE), .kind = ControlKind::Checkbox,
     .text = "VKR3 A X1 Kompatibilitätsmodus", .type = ValueType::Int, .defaultValue = 0, .dimmed = true,
     .readOnly = true, .geometry = {kCInnen, kRahmenStatus.top + 52, kCBreite - 2 * kRand, 22},
     .labelPlacement = LabelPlacement::Right},
    {KONSTANTE(MAINPANEL_DITHER_TABLE), .kind = ControlKind::Table, .text = "Dither Amplitudentabelle",
     .callback = "Callback_Multi_Parameter", .type = ValueType::Double, .decimals = 3, .visible = false,
     .geometry = {kCInnen, kDitherTabelleOben, kCBreite - 2 * kRand, kDitherTabelleHoehe},
     .labelPlacement = LabelPlacement::Above, .rows = 10, .columns = 2,
     .columnTitles = kDitherTabelleSpalten},
};

// ---- COM settings panel -------------------------------------------------------------------------
// It opens in the bottom right corner of the main panel, over the raised free-wheeling voltage
// and dither table groups: every button and lamp of the main panel, the program management and
// device control groups, the error line, where the results of its buttons appear, and the actual
// values stay in view and can be used while it is open.
// Left: port, line settings, identity and scan. Right: the serial devices of the system, the
// chosen port's device and the binding of the selected one.

constexpr int kComBreite = kHauptBreite - kB - 8; // from column B to the right edge with the frame
constexpr int kComLinksBreite = kABreite - 8;
constexpr int kComLabel = 16, kComLabelBreite = 80, kComRingBreite = 160;
// Identity and scan under the address.
constexpr int kComIdOben = 100;
constexpr int kComLedLinks = 136, kComLedAbstand = 25, kComLedOben = kComIdOben + 52;
// The device list to the right; under it the port's device, adapter, stable name and latency in
// two columns, then the binding.
constexpr int kComListeLinks = kComLinksBreite + 8, kComListeOben = 30;
constexpr int kComListeBreite = kComBreite - kComLabel - kComListeLinks, kComListeHoehe = 130;
constexpr int kComDetailOben = kComListeOben + kComListeHoehe + 10, kComDetailAbstand = 28;
constexpr int kComDetailSpalte = (kComListeBreite + 8) / 2,
              kComDetailBreite = kComDetailSpalte - 8 - kComLabelBreite - kLabelAbstand;
constexpr int kComBindungOben = kComDetailOben + 2 * kComDetailAbstand + 6;

// Gerät and Adapter in the left column, Fester Name and Latenz in the right one.
constexpr Geometry ComDetail(int nummer) {
    return NachLabel(kComListeLinks + (nummer / 2) * kComDetailSpalte,
                     kComDetailOben + (nummer % 2) * kComDetailAbstand, kComLabelBreite, kComDetailBreite);
}

// Address LEDs 1 to 8 from left to right.
constexpr Geometry ComLed(int adresse) {
    return {kComLedLinks + (adresse - 1) * kComLedAbstand, kComLedOben, kLedGroesse, kLedGroesse};
}

constexpr ControlDefinition kCompanel[] = {
    {KONSTANTE(COMPANEL_ADRESSE), .kind = ControlKind::Ring, .text = "Adresse",
     .callback = "Callback_Multi_ComEinstellungen", .type = ValueType::Char, .defaultValue = '1',
     .items = kAdressen, .geometry = NachLabel(kComLabel, 68, kComLabelBreite, kComRingBreite),
     .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_BAUDRATE), .kind = ControlKind::Ring, .text = "Baudrate",
     .callback = "Callback_Multi_ComEinstellungen", .type = ValueType::Int, .defaultValue = 9600,
     .items = kBaudraten, .geometry = NachLabel(kComLabel, 40, kComLabelBreite, kComRingBreite),
     .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_PORT), .kind = ControlKind::Ring, .text = "Port",
     .callback = "Callback_Multi_ComEinstellungen", .type = ValueType::Int, .defaultValue = -1,
     .items = kPorts, .geometry = NachLabel(kComLabel, 12, kComLabelBreite, kComRingBreite),
     .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_IDLESEN), .kind = ControlKind::CommandButton, .text = "ID lesen",
     .callback = "Callback_Button_IdLesen", .geometry = {kComLabel, kComIdOben, 100, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(COMPANEL_IDSTRING), .kind = ControlKind::String, .text = "ID", .type = ValueType::String,
     .readOnly = true, .geometry = NachLabel(124, kComIdOben + 1, 18, kComLinksBreite - 16 - 146),
     .labelWidth = 18},
    {KONSTANTE(COMPANEL_SCAN), .kind = ControlKind::CommandButton, .text = "Scan",
     .callback = "Callback_Button_Scan", .geometry = {kComLabel, kComLedOben - 4, 100, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(COMPANEL_SCHLIESSEN), .kind = ControlKind::CommandButton, .text = "Fenster schließen",
     .callback = "Callback_Button_CompanelSchliessen",
     .geometry = {kComBreite - 16 - 136, kComBindungOben - 1, 136, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(COMPANEL_LED8), .kind = ControlKind::Led, .text = "8", .type = ValueType::Int,
     .geometry = ComLed(8), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 8", "Address 8"}},
    {KONSTANTE(COMPANEL_LED7), .kind = ControlKind::Led, .text = "7", .type = ValueType::Int,
     .geometry = ComLed(7), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 7", "Address 7"}},
    {KONSTANTE(COMPANEL_LED6), .kind = ControlKind::Led, .text = "6", .type = ValueType::Int,
     .geometry = ComLed(6), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 6", "Address 6"}},
    {KONSTANTE(COMPANEL_LED5), .kind = ControlKind::Led, .text = "5", .type = ValueType::Int,
     .geometry = ComLed(5), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 5", "Address 5"}},
    {KONSTANTE(COMPANEL_LED4), .kind = ControlKind::Led, .text = "4", .type = ValueType::Int,
     .geometry = ComLed(4), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 4", "Address 4"}},
    {KONSTANTE(COMPANEL_LED3), .kind = ControlKind::Led, .text = "3", .type = ValueType::Int,
     .geometry = ComLed(3), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 3", "Address 3"}},
    {KONSTANTE(COMPANEL_LED2), .kind = ControlKind::Led, .text = "2", .type = ValueType::Int,
     .geometry = ComLed(2), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 2", "Address 2"}},
    {KONSTANTE(COMPANEL_LED1), .kind = ControlKind::Led, .text = "1", .type = ValueType::Int,
     .geometry = ComLed(1), .labelPlacement = LabelPlacement::Above, .onColor = kGelb,
     .spokenName = {"Adresse 1", "Address 1"}},
    {KONSTANTE(COMPANEL_SCANTEXT), .text = "Suche Gerät ...",
     .geometry = {kComLabel, kComLedOben + 30, kComLinksBreite - 2 * kComLabel, 20},
     .labelPlacement = LabelPlacement::None, .spokenName = {"Scanstatus", "Scan status"}},
    {KONSTANTE(COMPANEL_GERAET), .kind = ControlKind::String, .text = "Gerät", .type = ValueType::String,
     .readOnly = true, .geometry = ComDetail(0), .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_ADAPTER), .kind = ControlKind::String, .text = "Adapter", .type = ValueType::String,
     .readOnly = true, .geometry = ComDetail(1), .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_BYID), .kind = ControlKind::String, .text = "Fester Name", .type = ValueType::String,
     .readOnly = true, .geometry = ComDetail(2), .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_LATENZ), .kind = ControlKind::String, .text = "Latenz", .type = ValueType::String,
     .readOnly = true, .geometry = ComDetail(3), .labelWidth = kComLabelBreite},
    {KONSTANTE(COMPANEL_GERAETELISTE), .kind = ControlKind::ListBox, .text = "Serielle Geräte",
     .callback = "Callback_Liste_Geraete", .type = ValueType::Int,
     .geometry = {kComListeLinks, kComListeOben, kComListeBreite, kComListeHoehe},
     .labelPlacement = LabelPlacement::Above, .columnTitles = kGeraetelisteSpalten},
    {KONSTANTE(COMPANEL_BINDUNG), .kind = ControlKind::Ring, .text = "Binden an",
     .callback = "Callback_Ring_Bindung", .type = ValueType::Int, .defaultValue = -1, .dimmed = true,
     .items = kBindungen,
     .geometry = NachLabel(kComListeLinks, kComBindungOben, kComLabelBreite, kComRingBreite),
     .labelWidth = kComLabelBreite},
    // Looks for adapters plugged in or out while the panel is shown.
    {KONSTANTE(COMPANEL_GERAETETIMER), .kind = ControlKind::Timer, .callback = "Callback_Timer_Geraeteliste",
     .interval = 1.0, .enabled = false},
};

// ---- Info panel ----------------------------------------------------------------------------------

constexpr ControlDefinition kInfopanel[] = {
    {KONSTANTE(INFOPANEL_OK), .kind = ControlKind::CommandButton, .text = "OK",
     .callback = "Callback_Button_InfoOk", .geometry = {290, 212, 80, kKnopfHoehe},
     .labelPlacement = LabelPlacement::Inside},
    {KONSTANTE(INFOPANEL_PICTURE), .kind = ControlKind::Picture, .geometry = {16, 16, 120, 64},
     .labelPlacement = LabelPlacement::None, .picture = PictureKind::Logo, .spokenName = {"Logo", "Logo"}},
    {KONSTANTE(INFOPANEL_TEXTMSG), .text = "Fiktiv Spulentechnik GmbH", .geometry = {16, 104, 354, 20},
     .labelPlacement = LabelPlacement::None, .bold = true},
    {KONSTANTE(INFOPANEL_TEXTMSG_2),
     .text = "Musterweg 12\n12345 Beispielstadt\nTel. 01234 / 56789-0\nwww.example.com",
     .geometry = {16, 126, 354, 70}, .labelPlacement = LabelPlacement::None},
    {KONSTANTE(INFOPANEL_DATUM), .text = "Datum", .geometry = {156, 66, 214, 18},
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(INFOPANEL_VERSION), .text = "Version", .geometry = {156, 46, 214, 18},
     .labelPlacement = LabelPlacement::None},
    {KONSTANTE(INFOPANEL_TEXTMSG_3), .text = "VKR-3AX2 Steuerung", .geometry = {156, 16, 214, 26},
     .labelPlacement = LabelPlacement::None, .fontPointSize = 13, .bold = true},
};

// ---- Menu bar of the main panel -----------------------------------------------------------------

constexpr MenuItemDefinition kMenueleiste[] = {
    {KONSTANTE(MENUBAR_MENU), .name = "Datei"},
    {KONSTANTE(MENUBAR_MENU_NEU), .name = "Neu", .callback = "Callback_Menu_Neu", .parent = MENUBAR_MENU},
    {KONSTANTE(MENUBAR_MENU_OEFFNEN), .name = "Öffnen", .callback = "Callback_Menu_Oeffnen",
     .parent = MENUBAR_MENU},
    {KONSTANTE(MENUBAR_MENU_SPEICHERN), .name = "Speichern", .callback = "Callback_Menu_Speichern",
     .parent = MENUBAR_MENU},
    {KONSTANTE(MENUBAR_MENU_SPEICHERNUNTER), .name = "Speichern unter",
     .callback = "Callback_Menu_SpeichernUnter", .parent = MENUBAR_MENU},
    {KONSTANTE(MENUBAR_MENU_SEPARATOR), .parent = MENUBAR_MENU, .separator = true},
    {KONSTANTE(MENUBAR_MENU_BEENDEN), .name = "Beenden", .callback = "Callback_Menu_Beenden",
     .parent = MENUBAR_MENU},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN), .name = "Einstellungen"},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN_COM), .name = "Com Einstellung",
     .callback = "Callback_Menu_ComEinstellung", .parent = MENUBAR_EINSTELLUNGEN},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN_SPRACHE), .name = "Sprache", .parent = MENUBAR_EINSTELLUNGEN},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU), .parent = MENUBAR_EINSTELLUNGEN_SPRACHE,
     .submenu = true},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE), .name = "Deutsch",
     .callback = "Callback_Menu_Sprache", .parent = MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU},
    {KONSTANTE(MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN), .name = "English",
     .callback = "Callback_Menu_Sprache", .parent = MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU},
    {KONSTANTE(MENUBAR_ANSICHT), .name = "Ansicht"},
    {KONSTANTE(MENUBAR_ANSICHT_KOMMUNIKATION), .name = "Kommunikation …",
     .callback = "Callback_Menu_Kommunikation", .parent = MENUBAR_ANSICHT},
    {KONSTANTE(MENUBAR_ANSICHT_VERLAUF), .name = "Verlauf …", .callback = "Callback_Menu_Verlauf",
     .parent = MENUBAR_ANSICHT},
    {KONSTANTE(MENUBAR_EXTRAS), .name = "Extras"},
    {KONSTANTE(MENUBAR_EXTRAS_VERGLEICHEN), .name = "Mit Gerät vergleichen …",
     .callback = "Callback_Menu_Vergleichen", .parent = MENUBAR_EXTRAS},
    {KONSTANTE(MENUBAR_EXTRAS_SEPARATOR), .parent = MENUBAR_EXTRAS, .separator = true},
    {KONSTANTE(MENUBAR_EXTRAS_PRUEFEN), .name = "Nach dem Schreiben prüfen",
     .callback = "Callback_Menu_Pruefen", .parent = MENUBAR_EXTRAS, .checkable = true, .checked = true},
    {KONSTANTE(MENUBAR_EXTRAS_SICHERN), .name = "Vor dem Schreiben sichern",
     .callback = "Callback_Menu_Sichern", .parent = MENUBAR_EXTRAS, .checkable = true, .checked = true},
    {KONSTANTE(MENUBAR_EXTRAS_SICHERUNG_OEFFNEN), .name = "Sicherung öffnen …",
     .callback = "Callback_Menu_SicherungOeffnen", .parent = MENUBAR_EXTRAS},
    {KONSTANTE(MENUBAR_EXTRAS_SEPARATOR_2), .parent = MENUBAR_EXTRAS, .separator = true},
    {KONSTANTE(MENUBAR_EXTRAS_BERICHT), .name = "Bericht …", .callback = "Callback_Menu_Bericht",
     .parent = MENUBAR_EXTRAS},
    {KONSTANTE(MENUBAR_HILFE), .name = "Hilfe"},
    {KONSTANTE(MENUBAR_HILFE_INFO), .name = "Info", .callback = "Callback_Menu_Info",
     .parent = MENUBAR_HILFE},
};

// ---- Keyboard order ----------------------------------------------------------------------------
// Group by group as the screen reads: column A (program management, device control, the
// connection and error line, STK9), column B (parameters, raised free-wheeling voltage),
// column C (actual values, status, dither table). Inside a group row by row, left to right;
// where a group has two columns of fields, the left column top to bottom, then the right.

constexpr int kHauptReihenfolge[] = {
    MAINPANEL_PARAMETERSATZAUSWAHL,
    MAINPANEL_VKR3LESEN,
    MAINPANEL_VKR3SCHREIBEN,
    MAINPANEL_EINZUSTELLENDESPROG,
    MAINPANEL_PROGRAMMLADEN,
    MAINPANEL_PROGRAMMSPEICHERN,
    // device control
    MAINPANEL_VKR3START,
    MAINPANEL_VKR3STOPP,
    MAINPANEL_VKR3FEHLERLOESCHEN,
    MAINPANEL_VKR3KALIBRIEREN,
    MAINPANEL_VKR3DEVSETUP,
    MAINPANEL_AN_VKR3AX2_ANPASEN,
    // connection and error line
    MAINPANEL_COMPICTURERING,
    MAINPANEL_FEHLERNUMMER,
    MAINPANEL_FEHLERSTRING,
    // STK9
    MAINPANEL_VKR3STROMINCREMENT,
    MAINPANEL_VKR3STROMDECREMENT,
    MAINPANEL_VKR3STROMUMSCHALTEN,
    MAINPANEL_STROM_STEP,
    // parameters: the curve, then the left column, then the right column
    MAINPANEL_STROMKURVE,
    MAINPANEL_STROM1,
    MAINPANEL_STROM2,
    MAINPANEL_ZEIT1,
    MAINPANEL_ZEIT2,
    MAINPANEL_ZEIT3,
    MAINPANEL_ZEIT4,
    MAINPANEL_FREQUENZ,
    MAINPANEL_SPANNUNG,
    MAINPANEL_ZYKLEN,
    MAINPANEL_ENDSTUFEREGELN,
    MAINPANEL_REGLER_GAIN,
    MAINPANEL_REGLER_KI,
    MAINPANEL_REGLER_KP,
    MAINPANEL_DITHER_TYP,
    MAINPANEL_DITHER_FREQUENZ,
    MAINPANEL_DITHER_STROM,
    // raised free-wheeling voltage: values, then switches
    MAINPANEL_RFWV_VALUE,
    MAINPANEL_RFWV_ENABEL_TIME,
    MAINPANEL_RFWV_STEP_VALUE,
    MAINPANEL_RFWV_AUTO_AC_GAIN,
    MAINPANEL_RFWV_AUTO_AC_FiltFREQ,
    MAINPANEL_RFWV_ALWAYS_ON,
    MAINPANEL_RFWV_AUTOMATIC,
    MAINPANEL_RFWV_CURRENT_STEP,
    MAINPANEL_RFVW_JUMP_TO_ZERO,
    // actual values, status, dither table
    MAINPANEL_STROMIST,
    MAINPANEL_ABFRAGEN,
    MAINPANEL_SPANNUNGIST,
    MAINPANEL_DAUERNDABFRAGEN,
    MAINPANEL_STATUSINFO,
    MAINPANEL_CHECKBOX_KOMP_MODE,
    MAINPANEL_CHECKBOX_SUP_DITH_TBL,
    MAINPANEL_CHECKBOX_USE_DITHTBL,
    MAINPANEL_DITHER_TABLE,
};

constexpr int kComReihenfolge[] = {
    COMPANEL_PORT,   COMPANEL_BAUDRATE,     COMPANEL_ADRESSE,    COMPANEL_IDLESEN, COMPANEL_IDSTRING,
    COMPANEL_SCAN,   COMPANEL_GERAETELISTE, COMPANEL_GERAET,     COMPANEL_ADAPTER, COMPANEL_BYID,
    COMPANEL_LATENZ, COMPANEL_BINDUNG,      COMPANEL_SCHLIESSEN,
};

constexpr PanelDefinition kPanels[] = {
    {.resourceId = MAINPANEL,
     .constant = "MAINPANEL",
     .title = "VKR-3AX2 Steuerung",
     .width = kHauptBreite,
     .height = kHauptHoehe,
     .callback = "Callback_Panel_Main",
     .controls = kMainpanel,
     .menuBarId = MENUBAR,
     .tabOrder = kHauptReihenfolge},
    {.resourceId = COMPANEL,
     .constant = "COMPANEL",
     .title = "COM Einstellung",
     .width = kComBreite,
     .height = kComHoehe,
     .controls = kCompanel,
     .tabOrder = kComReihenfolge,
     .cancelButton = COMPANEL_SCHLIESSEN,
     .left = kB,
     .top = kComOben},
    {.resourceId = INFOPANEL,
     .constant = "INFOPANEL",
     .title = "Info",
     .width = 386,
     .height = 254,
     .controls = kInfopanel,
     .defaultButton = INFOPANEL_OK,
     .cancelButton = INFOPANEL_OK},
};

constexpr MenuBarDefinition kMenueleisten[] = {
    {.resourceId = MENUBAR, .constant = "MENUBAR", .items = kMenueleiste},
};

#undef KONSTANTE

// Spoken names follow the language of the run, decided before the panels are loaded.
int SpracheDesLaufs() {
    return gSprache;
}

constexpr DefinitionFile kDatei = {.name = UIR_DATEI,
                                   .panels = kPanels,
                                   .menuBars = kMenueleisten,
                                   .language = SpracheDesLaufs,
                                   .lampOn = {"an", "on"},
                                   .lampOff = {"aus", "off"},
                                   .portOpen = {"geöffnet", "opened"},
                                   .portClosed = {"nicht geöffnet", "not opened"}};

} // namespace

const DefinitionFile& Vkr3xSteuerungUir() {
    return kDatei;
}
