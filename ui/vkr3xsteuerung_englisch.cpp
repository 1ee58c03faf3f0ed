// The English texts of the panels and the menu bar, applied by an English run at start-up.
#include "ui/englische_texte.h"

#include "app/vkr3xsteuerung.h"

namespace {

constexpr Ringeintrag kParametersaetze[] = {
    {0, "Working parameters", 0}, {1, "Program 1", 1},    {2, "Program 2", 2},    {3, "Program 3", 3},
    {4, "Program 4", 4},          {5, "Program 5", 5},    {6, "Program 6", 6},    {7, "Program 7", 7},
    {8, "Program 8", 8},          {9, "Program 9", 9},    {10, "Program 10", 10}, {11, "Program 11", 11},
    {12, "Program 12", 12},       {13, "Program 13", 13}, {14, "Program 14", 14}, {15, "Program 15", 15},
    {16, "Program 16", 16},
};

constexpr Ringeintrag kStromkurven[] = {
    {0, "1 - External set value", 1},
    {1, "2 - Fixed voltage", 2},
    {2, "3 - Rectangle not regulated", 3},
    {3, "4 - Rectangle regulated", 4},
    {4, "5 - Triangle not regulated", 5},
    {5, "6 - Triangle regulated", 6},
    {6, "7 - Current 1/2 regulated, ext. switched", 7},
    {7, "8 - Current 1 regulated", 8},
    {8, "9 - Current 1/2 regulated, manually setable", 9},
    {9, "10 - Triangle regulated, Freq. man. settable", 10},
    {10, "11 - External set value regulated", 11},
    {11, "12 - Curve generator", 12},
};

// The fourth item, "Dreieck", keeps its German text.
constexpr Ringeintrag kDithertypen[] = {{0, "off", 0}, {1, "Sinus", 1}, {2, "Rectangle", 2}};
constexpr Ringeintrag kAusEin[] = {{0, "off", 0}, {1, "on", 1}};
constexpr Ringeintrag kAdresseAlle[] = {{8, "all", '&', true}};
constexpr Ringeintrag kPortNichtGeoeffnet[] = {{0, "not opened", -1}};
constexpr Ringeintrag kNichtGebunden[] = {{0, "not bound", -1}};

constexpr const char* kDitherTabelleSpalten[] = {"pmw-curr.", "dith. ampl."};
constexpr const char* kGeraetelisteSpalten[] = {"Device", "COM",        "Description",
                                                "Maker",  "Serial no.", "Stable name"};

using enum EnglischZiel;
using enum EnglischArt;

// Applied in this order. Leading blanks align the labels on the panel and belong to the text.
constexpr EnglischeZeile kEnglisch[] = {
    {Hauptpanel, MAINPANEL_PARAMETERSATZAUSWAHL, Label, "Parameter sets", kParametersaetze},
    {Hauptpanel, MAINPANEL_VKR3LESEN, Label, "Read from VKR3"},
    {Hauptpanel, MAINPANEL_VKR3SCHREIBEN, Label, "Write to VKR3"},
    {Hauptpanel, MAINPANEL_EINZUSTELLENDESPROG, Label, "Working parameters to/from program"},
    {Hauptpanel, MAINPANEL_PROGRAMMLADEN, Label, "Load"},
    {Hauptpanel, MAINPANEL_PROGRAMMSPEICHERN, Label, "Save"},
    {Hauptpanel, MAINPANEL_VKR3START, Label, "Start"},
    {Hauptpanel, MAINPANEL_VKR3STOPP, Label, "Stop"},
    {Hauptpanel, MAINPANEL_VKR3FEHLERLOESCHEN, Label, "Clear Errors"},
    {Hauptpanel, MAINPANEL_VKR3STROMINCREMENT, Label, "Increment Current"},
    {Hauptpanel, MAINPANEL_VKR3STROMDECREMENT, Label, "Decrement Current"},
    {Hauptpanel, MAINPANEL_VKR3STROMUMSCHALTEN, Label, "Switch Current"},
    {Hauptpanel, MAINPANEL_VKR3KALIBRIEREN, Label, "Calibrate"},
    {Hauptpanel, MAINPANEL_STROMKURVE, Label, "Current curve", kStromkurven},
    {Hauptpanel, MAINPANEL_STROM_STEP, Label, "Current Step [A]"},
    {Hauptpanel, MAINPANEL_DITHER_FREQUENZ, Label, "   Dither frequency [Hz]"},
    {Hauptpanel, MAINPANEL_DITHER_STROM, Label, "     Dither current[A]"},
    {Hauptpanel, MAINPANEL_STROM1, Label, "  Current 1 [A]"},
    {Hauptpanel, MAINPANEL_STROM2, Label, "  Current 2 [A]"},
    {Hauptpanel, MAINPANEL_ZEIT3, Label, "  Time 3 [ms]"},
    {Hauptpanel, MAINPANEL_ZEIT4, Label, "  Time 4 [ms]"},
    {Hauptpanel, MAINPANEL_ZEIT1, Label, "  Time 1 [ms]"},
    {Hauptpanel, MAINPANEL_ZEIT2, Label, "  Time 2 [ms]"},
    {Hauptpanel, MAINPANEL_FREQUENZ, Label, "        Frequency [Hz]"},
    {Hauptpanel, MAINPANEL_SPANNUNG, Label, "               Voltage [V]"},
    {Hauptpanel, MAINPANEL_ZYKLEN, Label, "          Cycles"},
    {Hauptpanel, MAINPANEL_REGLER_KI, Label, "Regulation Ki [%]"},
    {Hauptpanel, MAINPANEL_REGLER_KP, Label, "Regulation Kp [%]"},
    {Hauptpanel, MAINPANEL_REGLER_GAIN, Label, "             Regulation Gain [%]"},
    {Hauptpanel, MAINPANEL_DITHER_TYP, Label, "Dither type", kDithertypen},
    {Hauptpanel, MAINPANEL_ENDSTUFEREGELN, Label, "           Regulate directly", kAusEin},
    {Hauptpanel, MAINPANEL_STROMIST, Label, "Current [A]"},
    {Hauptpanel, MAINPANEL_SPANNUNGIST, Label, "Voltage [V]"},
    {Hauptpanel, MAINPANEL_ABFRAGEN, Label, "Get"},
    {Hauptpanel, MAINPANEL_DAUERNDABFRAGEN, Label, "Continously"},
    {Hauptpanel, MAINPANEL_FEHLERLED, Label, "Error"},
    {Hauptpanel, MAINPANEL_TEXTMSG_12, Text,
     "Caution:\nEach read/write will\ninfluence the working\nparameters."},
    {Hauptpanel, MAINPANEL_TEXTMSG_15, Text, "Actual Values"},
    {Hauptpanel, MAINPANEL_TEXTMSG_14, Text, "Set VRK-3"},
    {Hauptpanel, MAINPANEL_TEXTMSG_13, Text, "Programs"},
    {Hauptpanel, MAINPANEL_TEXTMSG_16, Text, "Status"},
    {Hauptpanel, MAINPANEL_TEXTMSG_19, Text, "STK9 Control"},
    {Hauptpanel, MAINPANEL_TEXTMSG_18, Text, "Parameters"},
    {Hauptpanel, MAINPANEL_TEXTMSG_11, Text, "necessary in\nthis current\ncurve"},
    {Hauptpanel, MAINPANEL_CHECKBOX_KOMP_MODE, Label, "VKR3 A X1 compatibility mode"},
    {Menue, MENUBAR_MENU, Menuename, "File"},
    {Menue, MENUBAR_EINSTELLUNGEN, Menuename, "Settings"},
    {Menue, MENUBAR_HILFE, Menuename, "Help"},
    {Menue, MENUBAR_MENU_NEU, Menuename, "New"},
    {Menue, MENUBAR_MENU_OEFFNEN, Menuename, "Open"},
    {Menue, MENUBAR_MENU_SPEICHERN, Menuename, "Save"},
    {Menue, MENUBAR_MENU_SPEICHERNUNTER, Menuename, "Save as"},
    {Menue, MENUBAR_MENU_BEENDEN, Menuename, "Exit"},
    {Menue, MENUBAR_EINSTELLUNGEN_COM, Menuename, "Com settings"},
    {Menue, MENUBAR_EINSTELLUNGEN_SPRACHE, Menuename, "Language"},
    {Menue, MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE, Menuename, "Deutsch"},
    {Menue, MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN, Menuename, "English"},
    {Menue, MENUBAR_HILFE_INFO, Menuename, "Info"},
    {Menue, MENUBAR_ANSICHT, Menuename, "View"},
    {Menue, MENUBAR_ANSICHT_KOMMUNIKATION, Menuename, "Communication …"},
    {Menue, MENUBAR_ANSICHT_VERLAUF, Menuename, "Trend …"},
    {Menue, MENUBAR_EXTRAS, Menuename, "Tools"},
    {Menue, MENUBAR_EXTRAS_VERGLEICHEN, Menuename, "Compare with device …"},
    {Menue, MENUBAR_EXTRAS_PRUEFEN, Menuename, "Verify after writing"},
    {Menue, MENUBAR_EXTRAS_SICHERN, Menuename, "Back up before writing"},
    {Menue, MENUBAR_EXTRAS_SICHERUNG_OEFFNEN, Menuename, "Open backup …"},
    {Menue, MENUBAR_EXTRAS_BERICHT, Menuename, "Report …"},
    {Companel, COMPANEL_ADRESSE, Label, "Address", kAdresseAlle},
    {Companel, COMPANEL_BAUDRATE, Label, "Baudrate"},
    {Companel, COMPANEL_PORT, Label, "Port", kPortNichtGeoeffnet},
    {Companel, COMPANEL_IDLESEN, Label, "Read ID"},
    {Companel, COMPANEL_IDSTRING, Label, "ID"},
    {Companel, COMPANEL_SCAN, Label, "Scan"},
    {Companel, COMPANEL_SCHLIESSEN, Label, "Close Window"},
    {Companel, COMPANEL_GERAET, Label, "Device"},
    {Companel, COMPANEL_ADAPTER, Label, "Adapter"},
    {Companel, COMPANEL_BYID, Label, "Stable name"},
    {Companel, COMPANEL_LATENZ, Label, "Latency"},
    {Companel, COMPANEL_GERAETELISTE, Label, "Serial devices", {}, kGeraetelisteSpalten},
    {Companel, COMPANEL_BINDUNG, Label, "Bind to", kNichtGebunden},
    {Hauptpanel, MAINPANEL_RFWV_CURRENT_STEP, Label, "on at current step", kAusEin},
    {Hauptpanel, MAINPANEL_RFVW_JUMP_TO_ZERO, Label, "    on at jump to 0", kAusEin},
    {Hauptpanel, MAINPANEL_RFWV_AUTOMATIC, Label, "automatic mode", kAusEin},
    {Hauptpanel, MAINPANEL_RFWV_ALWAYS_ON, Label, "      always raised", kAusEin},
    {Hauptpanel, MAINPANEL_RFWV_ENABEL_TIME, Label, "enable time [ms]"},
    {Hauptpanel, MAINPANEL_RFWV_STEP_VALUE, Label, "            step value[A]"},
    {Hauptpanel, MAINPANEL_RFWV_AUTO_AC_FiltFREQ, Label, "AC filter freq. [Hz]"},
    {Hauptpanel, MAINPANEL_RFWV_AUTO_AC_GAIN, Label, "           AC gain [V/A]"},
    {Hauptpanel, MAINPANEL_TEXTMSG_RFWV, Text, "Raised Freewheeling Voltage"},
    {Hauptpanel, MAINPANEL_RFWV_VALUE, Label, "                 voltage [V]"},
    {Hauptpanel, MAINPANEL_AN_VKR3AX2_ANPASEN, Label, "Adopt to VKR3AX2 version"},
    {Hauptpanel, MAINPANEL_CHECKBOX_USE_DITHTBL, Label, "Use Dithertable"},
    {Hauptpanel, MAINPANEL_CHECKBOX_SUP_DITH_TBL, Label, "Device supports Dither table"},
    {Hauptpanel, MAINPANEL_DITHER_TABLE, Label, "Dither amplitude-table", {}, kDitherTabelleSpalten},
};

} // namespace

std::span<const EnglischeZeile> EnglischeTexte() {
    return kEnglisch;
}
