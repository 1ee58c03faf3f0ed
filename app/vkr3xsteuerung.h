#pragma once
// Panel, control and menu constants of the user-interface definition "vkr3xSteuerung.uir".
// Control ids are local to their panel and counted from 2 in definition order; menu item ids
// are local to the menu bar. Every part of the program names controls by these constants.

// Panels (resource ids)
constexpr int COMPANEL = 1;
constexpr int INFOPANEL = 2;
constexpr int MAINPANEL = 3;

// Menu bar of the main panel
constexpr int MENUBAR = 1;

constexpr int MENUBAR_MENU = 2;
constexpr int MENUBAR_MENU_NEU = 3;
constexpr int MENUBAR_MENU_OEFFNEN = 4;
constexpr int MENUBAR_MENU_SPEICHERN = 5;
constexpr int MENUBAR_MENU_SPEICHERNUNTER = 6;
constexpr int MENUBAR_MENU_SEPARATOR = 7;
constexpr int MENUBAR_MENU_BEENDEN = 8;
constexpr int MENUBAR_EINSTELLUNGEN = 9;
constexpr int MENUBAR_EINSTELLUNGEN_COM = 10;
constexpr int MENUBAR_EINSTELLUNGEN_SPRACHE = 11;
constexpr int MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU = 12;
constexpr int MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE = 13;
constexpr int MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN = 14;
constexpr int MENUBAR_HILFE = 15;
constexpr int MENUBAR_HILFE_INFO = 16;
// The menu "Ansicht" stands between "Einstellungen" and "Hilfe"; its ids follow the catalogued
// ones so that no earlier id changes.
constexpr int MENUBAR_ANSICHT = 17;
constexpr int MENUBAR_ANSICHT_KOMMUNIKATION = 18;
constexpr int MENUBAR_ANSICHT_VERLAUF = 19;
// The menu "Extras" follows "Ansicht" with the device tools; later tools take the ids after
// these and stand below them.
constexpr int MENUBAR_EXTRAS = 20;
constexpr int MENUBAR_EXTRAS_VERGLEICHEN = 21;
constexpr int MENUBAR_EXTRAS_SEPARATOR = 22;
constexpr int MENUBAR_EXTRAS_PRUEFEN = 23; // check item
constexpr int MENUBAR_EXTRAS_SICHERN = 24; // check item
constexpr int MENUBAR_EXTRAS_SICHERUNG_OEFFNEN = 25;
constexpr int MENUBAR_EXTRAS_SEPARATOR_2 = 26;
constexpr int MENUBAR_EXTRAS_BERICHT = 27;

// Main panel
constexpr int MAINPANEL_PARAMETERSATZAUSWAHL = 2;
constexpr int MAINPANEL_VKR3LESEN = 3;
constexpr int MAINPANEL_VKR3SCHREIBEN = 4;
constexpr int MAINPANEL_EINZUSTELLENDESPROG = 5;
constexpr int MAINPANEL_AN_VKR3AX2_ANPASEN = 6;
constexpr int MAINPANEL_PROGRAMMLADEN = 7;
constexpr int MAINPANEL_PROGRAMMSPEICHERN = 8;
constexpr int MAINPANEL_VKR3START = 9;
constexpr int MAINPANEL_VKR3STOPP = 10;
constexpr int MAINPANEL_VKR3FEHLERLOESCHEN = 11;
constexpr int MAINPANEL_VKR3STROMINCREMENT = 12;
constexpr int MAINPANEL_VKR3STROMDECREMENT = 13;
constexpr int MAINPANEL_VKR3STROMUMSCHALTEN = 14;
constexpr int MAINPANEL_VKR3DEVSETUP = 15;
constexpr int MAINPANEL_VKR3KALIBRIEREN = 16;
constexpr int MAINPANEL_STROMKURVE = 17;
constexpr int MAINPANEL_STROM_STEP = 18;
constexpr int MAINPANEL_DITHER_FREQUENZ = 19;
constexpr int MAINPANEL_RFWV_ENABEL_TIME = 20;
constexpr int MAINPANEL_RFWV_STEP_VALUE = 21;
constexpr int MAINPANEL_RFWV_AUTO_AC_FiltFREQ = 22;
constexpr int MAINPANEL_RFWV_VALUE = 23;
constexpr int MAINPANEL_RFWV_AUTO_AC_GAIN = 24;
constexpr int MAINPANEL_DITHER_STROM = 25;
constexpr int MAINPANEL_STROM1 = 26;
constexpr int MAINPANEL_STROM2 = 27;
constexpr int MAINPANEL_ZEIT3 = 28;
constexpr int MAINPANEL_ZEIT4 = 29;
constexpr int MAINPANEL_ZEIT1 = 30;
constexpr int MAINPANEL_ZEIT2 = 31;
constexpr int MAINPANEL_FREQUENZ = 32;
constexpr int MAINPANEL_SPANNUNG = 33;
constexpr int MAINPANEL_ZYKLEN = 34;
constexpr int MAINPANEL_REGLER_GAIN = 35;
constexpr int MAINPANEL_REGLER_KI = 36;
constexpr int MAINPANEL_REGLER_KP = 37;
constexpr int MAINPANEL_RFWV_CURRENT_STEP = 38;
constexpr int MAINPANEL_RFVW_JUMP_TO_ZERO = 39;
constexpr int MAINPANEL_RFWV_AUTOMATIC = 40;
constexpr int MAINPANEL_RFWV_ALWAYS_ON = 41;
constexpr int MAINPANEL_DITHER_TYP = 42;
constexpr int MAINPANEL_ENDSTUFEREGELN = 43;
constexpr int MAINPANEL_STROMIST = 44;
constexpr int MAINPANEL_SPANNUNGIST = 45;
constexpr int MAINPANEL_ABFRAGEN = 46;
constexpr int MAINPANEL_DAUERNDABFRAGEN = 47;
constexpr int MAINPANEL_STATUSINFO = 48;
constexpr int MAINPANEL_COMPICTURERING = 49;
constexpr int MAINPANEL_FEHLERLED = 50;
constexpr int MAINPANEL_FEHLERSTRING = 51;
constexpr int MAINPANEL_FEHLERNUMMER = 52;
constexpr int MAINPANEL_STERN_ENDSTUFEREGELN = 53;
constexpr int MAINPANEL_STERN_REGLER_GAIN = 54;
constexpr int MAINPANEL_STERN_REGLER_KI = 55;
constexpr int MAINPANEL_STERN_REGLER_KP = 56;
constexpr int MAINPANEL_STERN_ZYKLEN = 57;
constexpr int MAINPANEL_STERN_SPANNUNG = 58;
constexpr int MAINPANEL_STERN_DITHER_STROM = 59;
constexpr int MAINPANEL_STERN_DITHER_TYP = 60;
constexpr int MAINPANEL_STERN_DITHER_FREQUENZ = 61;
constexpr int MAINPANEL_STERN_ZEIT4 = 62;
constexpr int MAINPANEL_STERN_STROM1_2 = 63;
constexpr int MAINPANEL_STERN_ZEIT3 = 64;
constexpr int MAINPANEL_STERN_FREQUENZ = 65;
constexpr int MAINPANEL_STERN_ZEIT2 = 66;
constexpr int MAINPANEL_TEXTMSG_10 = 67;
constexpr int MAINPANEL_STERN_ZEIT1 = 68;
constexpr int MAINPANEL_STERN_STROM2 = 69;
constexpr int MAINPANEL_STERN_STROM1 = 70;
constexpr int MAINPANEL_TEXTMSG_12 = 71;
constexpr int MAINPANEL_TEXTMSG_15 = 72;
constexpr int MAINPANEL_TEXTMSG_14 = 73;
constexpr int MAINPANEL_TEXTMSG_13 = 74;
constexpr int MAINPANEL_TEXTMSG_16 = 75;
constexpr int MAINPANEL_STATUS8 = 76;
constexpr int MAINPANEL_STATUS9 = 77;
constexpr int MAINPANEL_STATUS11_2 = 78;
constexpr int MAINPANEL_STATUS11 = 79;
constexpr int MAINPANEL_STATUS13_2 = 80;
constexpr int MAINPANEL_STATUS13 = 81;
constexpr int MAINPANEL_STATUS0 = 82;
constexpr int MAINPANEL_STATUS1 = 83;
constexpr int MAINPANEL_STATUS3 = 84;
constexpr int MAINPANEL_STATUS4 = 85;
constexpr int MAINPANEL_DECORATION = 86;
constexpr int MAINPANEL_TIMER = 87;
constexpr int MAINPANEL_DECORATION_2 = 88;
constexpr int MAINPANEL_DECORATION_3 = 89;
constexpr int MAINPANEL_TEXTMSG_RFWV = 90;
constexpr int MAINPANEL_TEXTMSG_VERSION = 91;
constexpr int MAINPANEL_TEXTMSG_19 = 92;
constexpr int MAINPANEL_TEXTMSG_18 = 93;
constexpr int MAINPANEL_DECORATION_RFWV = 94;
constexpr int MAINPANEL_DECORATION_7 = 95;
constexpr int MAINPANEL_DECORATION_4 = 96;
constexpr int MAINPANEL_TEXTMSG_11 = 97;
constexpr int MAINPANEL_DECORATION_6 = 98;
constexpr int MAINPANEL_PICTURE = 99;
constexpr int MAINPANEL_CHECKBOX_USE_DITHTBL = 100;
constexpr int MAINPANEL_CHECKBOX_SUP_DITH_TBL = 101;
constexpr int MAINPANEL_CHECKBOX_KOMP_MODE = 102;
constexpr int MAINPANEL_DITHER_TABLE = 103;

// COM settings panel
constexpr int COMPANEL_ADRESSE = 2;
constexpr int COMPANEL_BAUDRATE = 3;
constexpr int COMPANEL_PORT = 4;
constexpr int COMPANEL_IDLESEN = 5;
constexpr int COMPANEL_IDSTRING = 6;
constexpr int COMPANEL_SCAN = 7;
constexpr int COMPANEL_SCHLIESSEN = 8;
constexpr int COMPANEL_LED8 = 9;
constexpr int COMPANEL_LED7 = 10;
constexpr int COMPANEL_LED6 = 11;
constexpr int COMPANEL_LED5 = 12;
constexpr int COMPANEL_LED4 = 13;
constexpr int COMPANEL_LED3 = 14;
constexpr int COMPANEL_LED2 = 15;
constexpr int COMPANEL_LED1 = 16;
constexpr int COMPANEL_SCANTEXT = 17;
// The chosen port's device file, adapter and stable name
constexpr int COMPANEL_GERAET = 18;
constexpr int COMPANEL_ADAPTER = 19;
constexpr int COMPANEL_BYID = 20;
// The chosen port's latency; the serial devices of the system and the binding of the selected one
constexpr int COMPANEL_LATENZ = 21;
constexpr int COMPANEL_GERAETELISTE = 22;
constexpr int COMPANEL_BINDUNG = 23;
constexpr int COMPANEL_GERAETETIMER = 24;

// Info panel
constexpr int INFOPANEL_OK = 2;
constexpr int INFOPANEL_PICTURE = 3;
constexpr int INFOPANEL_TEXTMSG = 4;
constexpr int INFOPANEL_TEXTMSG_2 = 5;
constexpr int INFOPANEL_DATUM = 6;
constexpr int INFOPANEL_VERSION = 7;
constexpr int INFOPANEL_TEXTMSG_3 = 8;
