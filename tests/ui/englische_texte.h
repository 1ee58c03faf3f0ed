#pragma once
// The English texts an English run puts on the panels (labels, text messages, ring items).
// The layout tests apply them to check that the panels still read without overlap or clipping
// in English, whose labels are longer and partly padded with leading blanks.

#include "app/vkr3xsteuerung.h"

struct EnglischerText {
    int panel; // resource id
    int control;
    const char* text;
};

struct EnglischerEintrag {
    int panel;
    int control;
    int index;
    const char* label;
    int value;
};

inline constexpr EnglischerText kEnglischeTexte[] = {
    {MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, "Parameter sets"},
    {MAINPANEL, MAINPANEL_VKR3LESEN, "Read from VKR3"},
    {MAINPANEL, MAINPANEL_VKR3SCHREIBEN, "Write to VKR3"},
    {MAINPANEL, MAINPANEL_EINZUSTELLENDESPROG, "Working parameters to/from program"},
    {MAINPANEL, MAINPANEL_PROGRAMMLADEN, "Load"},
    {MAINPANEL, MAINPANEL_PROGRAMMSPEICHERN, "Save"},
    {MAINPANEL, MAINPANEL_VKR3START, "Start"},
    {MAINPANEL, MAINPANEL_VKR3STOPP, "Stop"},
    {MAINPANEL, MAINPANEL_VKR3FEHLERLOESCHEN, "Clear Errors"},
    {MAINPANEL, MAINPANEL_VKR3STROMINCREMENT, "Increment Current"},
    {MAINPANEL, MAINPANEL_VKR3STROMDECREMENT, "Decrement Current"},
    {MAINPANEL, MAINPANEL_VKR3STROMUMSCHALTEN, "Switch Current"},
    {MAINPANEL, MAINPANEL_VKR3KALIBRIEREN, "Calibrate"},
    {MAINPANEL, MAINPANEL_STROMKURVE, "Current curve"},
    {MAINPANEL, MAINPANEL_STROM_STEP, "Current Step [A]"},
    {MAINPANEL, MAINPANEL_DITHER_FREQUENZ, "   Dither frequency [Hz]"},
    {MAINPANEL, MAINPANEL_DITHER_STROM, "     Dither current[A]"},
    {MAINPANEL, MAINPANEL_STROM1, "  Current 1 [A]"},
    {MAINPANEL, MAINPANEL_STROM2, "  Current 2 [A]"},
    {MAINPANEL, MAINPANEL_ZEIT3, "  Time 3 [ms]"},
    {MAINPANEL, MAINPANEL_ZEIT4, "  Time 4 [ms]"},
    {MAINPANEL, MAINPANEL_ZEIT1, "  Time 1 [ms]"},
    {MAINPANEL, MAINPANEL_ZEIT2, "  Time 2 [ms]"},
    {MAINPANEL, MAINPANEL_FREQUENZ, "        Frequency [Hz]"},
    {MAINPANEL, MAINPANEL_SPANNUNG, "               Voltage [V]"},
    {MAINPANEL, MAINPANEL_ZYKLEN, "          Cycles"},
    {MAINPANEL, MAINPANEL_REGLER_KI, "Regulation Ki [%]"},
    {MAINPANEL, MAINPANEL_REGLER_KP, "Regulation Kp [%]"},
    {MAINPANEL, MAINPANEL_REGLER_GAIN, "             Regulation Gain [%]"},
    {MAINPANEL, MAINPANEL_DITHER_TYP, "Dither type"},
    {MAINPANEL, MAINPANEL_ENDSTUFEREGELN, "           Regulate directly"},
    {MAINPANEL, MAINPANEL_STROMIST, "Current [A]"},
    {MAINPANEL, MAINPANEL_SPANNUNGIST, "Voltage [V]"},
    {MAINPANEL, MAINPANEL_ABFRAGEN, "Get"},
    {MAINPANEL, MAINPANEL_DAUERNDABFRAGEN, "Continously"},
    {MAINPANEL, MAINPANEL_FEHLERLED, "Error"},
    {MAINPANEL, MAINPANEL_TEXTMSG_12, "Caution:\nEach read/write will\ninfluence the working\nparameters."},
    {MAINPANEL, MAINPANEL_TEXTMSG_15, "Actual Values"},
    {MAINPANEL, MAINPANEL_TEXTMSG_14, "Set VRK-3"},
    {MAINPANEL, MAINPANEL_TEXTMSG_13, "Programs"},
    {MAINPANEL, MAINPANEL_TEXTMSG_16, "Status"},
    {MAINPANEL, MAINPANEL_TEXTMSG_19, "STK9 Control"},
    {MAINPANEL, MAINPANEL_TEXTMSG_18, "Parameters"},
    {MAINPANEL, MAINPANEL_TEXTMSG_11, "necessary in\nthis current\ncurve"},
    {MAINPANEL, MAINPANEL_CHECKBOX_KOMP_MODE, "VKR3 A X1 compatibility mode"},
    {COMPANEL, COMPANEL_ADRESSE, "Address"},
    {COMPANEL, COMPANEL_BAUDRATE, "Baudrate"},
    {COMPANEL, COMPANEL_PORT, "Port"},
    {COMPANEL, COMPANEL_IDLESEN, "Read ID"},
    {COMPANEL, COMPANEL_IDSTRING, "ID"},
    {COMPANEL, COMPANEL_SCAN, "Scan"},
    {COMPANEL, COMPANEL_SCHLIESSEN, "Close Window"},
    // The longest line the scan writes there in an English run.
    {COMPANEL, COMPANEL_SCANTEXT, "Looking for device with 115200 Baud ..."},
    {MAINPANEL, MAINPANEL_RFWV_CURRENT_STEP, "on at current step"},
    {MAINPANEL, MAINPANEL_RFVW_JUMP_TO_ZERO, "    on at jump to 0"},
    {MAINPANEL, MAINPANEL_RFWV_AUTOMATIC, "automatic mode"},
    {MAINPANEL, MAINPANEL_RFWV_ALWAYS_ON, "      always raised"},
    {MAINPANEL, MAINPANEL_RFWV_ENABEL_TIME, "enable time [ms]"},
    {MAINPANEL, MAINPANEL_RFWV_STEP_VALUE, "            step value[A]"},
    {MAINPANEL, MAINPANEL_RFWV_AUTO_AC_FiltFREQ, "AC filter freq. [Hz]"},
    {MAINPANEL, MAINPANEL_RFWV_AUTO_AC_GAIN, "           AC gain [V/A]"},
    {MAINPANEL, MAINPANEL_TEXTMSG_RFWV, "Raised Freewheeling Voltage"},
    {MAINPANEL, MAINPANEL_RFWV_VALUE, "                 voltage [V]"},
    {MAINPANEL, MAINPANEL_AN_VKR3AX2_ANPASEN, "Adopt to VKR3AX2 version"},
    {MAINPANEL, MAINPANEL_CHECKBOX_USE_DITHTBL, "Use Dithertable"},
    {MAINPANEL, MAINPANEL_CHECKBOX_SUP_DITH_TBL, "Device supports Dither table"},
    {MAINPANEL, MAINPANEL_DITHER_TABLE, "Dither amplitude-table"},
    // The longest version text the adaptation writes.
    {MAINPANEL, MAINPANEL_TEXTMSG_VERSION, "Version: VKR3AX2b"},
};

inline constexpr EnglischerEintrag kEnglischeEintraege[] = {
    {MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, 0, "Working parameters", 0},
    {MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, 16, "Program 16", 16},
    {MAINPANEL, MAINPANEL_STROMKURVE, 0, "1 - External set value", 1},
    {MAINPANEL, MAINPANEL_STROMKURVE, 1, "2 - Fixed voltage", 2},
    {MAINPANEL, MAINPANEL_STROMKURVE, 2, "3 - Rectangle not regulated", 3},
    {MAINPANEL, MAINPANEL_STROMKURVE, 3, "4 - Rectangle regulated", 4},
    {MAINPANEL, MAINPANEL_STROMKURVE, 4, "5 - Triangle not regulated", 5},
    {MAINPANEL, MAINPANEL_STROMKURVE, 5, "6 - Triangle regulated", 6},
    {MAINPANEL, MAINPANEL_STROMKURVE, 6, "7 - Current 1/2 regulated, ext. switched", 7},
    {MAINPANEL, MAINPANEL_STROMKURVE, 7, "8 - Current 1 regulated", 8},
    {MAINPANEL, MAINPANEL_STROMKURVE, 8, "9 - Current 1/2 regulated, manually setable", 9},
    {MAINPANEL, MAINPANEL_STROMKURVE, 9, "10 - Triangle regulated, Freq. man. settable", 10},
    {MAINPANEL, MAINPANEL_STROMKURVE, 10, "11 - External set value regulated", 11},
    {MAINPANEL, MAINPANEL_STROMKURVE, 11, "12 - Curve generator", 12},
    {MAINPANEL, MAINPANEL_DITHER_TYP, 0, "off", 0},
    {MAINPANEL, MAINPANEL_DITHER_TYP, 1, "Sinus", 1},
    {MAINPANEL, MAINPANEL_DITHER_TYP, 2, "Rectangle", 2},
    {MAINPANEL, MAINPANEL_ENDSTUFEREGELN, 0, "off", 0},
    {MAINPANEL, MAINPANEL_ENDSTUFEREGELN, 1, "on", 1},
    {MAINPANEL, MAINPANEL_RFWV_CURRENT_STEP, 0, "off", 0},
    {MAINPANEL, MAINPANEL_RFWV_CURRENT_STEP, 1, "on", 1},
    {MAINPANEL, MAINPANEL_RFVW_JUMP_TO_ZERO, 0, "off", 0},
    {MAINPANEL, MAINPANEL_RFVW_JUMP_TO_ZERO, 1, "on", 1},
    {MAINPANEL, MAINPANEL_RFWV_AUTOMATIC, 0, "off", 0},
    {MAINPANEL, MAINPANEL_RFWV_AUTOMATIC, 1, "on", 1},
    {MAINPANEL, MAINPANEL_RFWV_ALWAYS_ON, 0, "off", 0},
    {MAINPANEL, MAINPANEL_RFWV_ALWAYS_ON, 1, "on", 1},
    {COMPANEL, COMPANEL_ADRESSE, 8, "all", '&'},
    {COMPANEL, COMPANEL_PORT, 0, "not opened", -1},
};
