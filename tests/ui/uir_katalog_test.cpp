// The definition "vkr3xSteuerung.uir" against its catalogue: ids, constants, kinds, ring items,
// numeric ranges, start visibility, callbacks, menu structure.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/vkr3xsteuerung.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

const PanelDefinition* Panel(int resourceId) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        if (p.resourceId == resourceId) return &p;
    return nullptr;
}

const ControlDefinition* Control(int resourceId, int id) {
    const PanelDefinition* p = Panel(resourceId);
    if (!p) return nullptr;
    for (const ControlDefinition& c : p->controls)
        if (c.id == id) return &c;
    return nullptr;
}

std::string Text(const char* s) {
    return s ? s : "(null)";
}

// "constexpr int NAME = VALUE;" lines of the constants header, read as the compiler sees them.
std::map<std::string, int> KonstantenAusHeader() {
    std::ifstream in(std::string(VKR_QUELLEN) + "/app/vkr3xsteuerung.h");
    std::map<std::string, int> konstanten;
    const std::regex zeile(R"(^\s*constexpr\s+int\s+(\w+)\s*=\s*(-?\d+)\s*;)");
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, zeile)) konstanten[m[1]] = std::stoi(m[2]);
    return konstanten;
}

TEST(UirKatalog, DefinitionFileHoldsThreePanelsAndOneMenuBar) {
    const DefinitionFile& d = Vkr3xSteuerungUir();
    EXPECT_EQ(Text(d.name), "vkr3xSteuerung.uir");
    ASSERT_EQ(d.panels.size(), 3u);
    ASSERT_EQ(d.menuBars.size(), 1u);
    EXPECT_EQ(d.menuBars[0].resourceId, MENUBAR);
    EXPECT_EQ(Text(d.menuBars[0].constant), "MENUBAR");

    struct Erwartet {
        int id;
        const char* konstante;
        const char* titel;
        const char* callback;
        int menueleiste;
    };
    const Erwartet panels[] = {
        {MAINPANEL, "MAINPANEL", "VKR-3AX2 Steuerung", "Callback_Panel_Main", MENUBAR},
        {COMPANEL, "COMPANEL", "COM Einstellung", nullptr, 0},
        {INFOPANEL, "INFOPANEL", "Info", nullptr, 0},
    };
    for (const Erwartet& e : panels) {
        SCOPED_TRACE(e.konstante);
        const PanelDefinition* p = Panel(e.id);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(Text(p->constant), e.konstante);
        EXPECT_EQ(Text(p->title), e.titel);
        EXPECT_EQ(Text(p->callback), Text(e.callback));
        EXPECT_EQ(p->menuBarId, e.menueleiste);
    }
}

TEST(UirKatalog, ControlIdsAreCountedPerPanelFromTwoWithoutGaps) {
    struct Erwartet {
        int panel;
        int letzteId;
        const char* id2;
    };
    const Erwartet panels[] = {
        {MAINPANEL, 103, "MAINPANEL_PARAMETERSATZAUSWAHL"},
        {COMPANEL, 24, "COMPANEL_ADRESSE"},
        {INFOPANEL, 8, "INFOPANEL_OK"},
    };
    for (const Erwartet& e : panels) {
        SCOPED_TRACE(e.id2);
        const PanelDefinition* p = Panel(e.panel);
        ASSERT_NE(p, nullptr);
        ASSERT_EQ(p->controls.size(), static_cast<size_t>(e.letzteId - 1));
        for (size_t i = 0; i < p->controls.size(); ++i)
            EXPECT_EQ(p->controls[i].id, static_cast<int>(i) + 2);
        EXPECT_EQ(Text(p->controls[0].constant), e.id2);
    }
}

// Each constant of the definition is the header's constant of the same id, and every control
// constant of the header has its control in the definition.
TEST(UirKatalog, ConstantsAgreeWithTheConstantsHeader) {
    const std::map<std::string, int> header = KonstantenAusHeader();
    ASSERT_GT(header.size(), 140u) << "constants header not found or not parsed";

    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        const std::string praefix = std::string(p.constant) + "_";
        ASSERT_TRUE(header.contains(p.constant));
        EXPECT_EQ(header.at(p.constant), p.resourceId);
        std::set<std::string> definiert;
        for (const ControlDefinition& c : p.controls) {
            const std::string name = Text(c.constant);
            EXPECT_EQ(name.rfind(praefix, 0), 0u) << name << " is not named after " << p.constant;
            ASSERT_TRUE(header.contains(name)) << name;
            EXPECT_EQ(header.at(name), c.id) << name;
            definiert.insert(name);
        }
        for (const auto& [name, wert] : header)
            if (name.rfind(praefix, 0) == 0) {
                EXPECT_TRUE(definiert.contains(name)) << name << " has no control";
            }
    }

    std::set<std::string> menuepunkte;
    for (const MenuItemDefinition& m : Vkr3xSteuerungUir().menuBars[0].items) {
        ASSERT_TRUE(header.contains(m.constant)) << m.constant;
        EXPECT_EQ(header.at(m.constant), m.id) << m.constant;
        menuepunkte.insert(m.constant);
    }
    for (const auto& [name, wert] : header)
        if (name.rfind("MENUBAR_", 0) == 0) {
            EXPECT_TRUE(menuepunkte.contains(name)) << name;
        }
}

struct RingErwartung {
    int panel;
    int id;
    ValueType typ;
    std::vector<std::pair<std::string, int>> eintraege; // empty label: not checked
};

std::vector<std::pair<std::string, int>> Folge(int von, int bis) {
    std::vector<std::pair<std::string, int>> v;
    for (int i = von; i <= bis; ++i)
        v.push_back({"", i});
    return v;
}

TEST(UirKatalog, RingsListTheirItemsWithTheirValues) {
    std::vector<std::pair<std::string, int>> saetze = {{"Arbeitsparameter", 0}};
    for (int n = 1; n <= 16; ++n)
        saetze.push_back({"Programm " + std::to_string(n), n});
    std::vector<std::pair<std::string, int>> adressen;
    for (char a = '1'; a <= '8'; ++a)
        adressen.push_back({std::string(1, a), a});
    adressen.push_back({"alle", '&'});
    std::vector<std::pair<std::string, int>> ports = {{"nicht geöffnet", -1}};
    for (int n = 1; n <= 8; ++n)
        ports.push_back({"COM " + std::to_string(n), n});
    const std::vector<std::pair<std::string, int>> ausEin = {{"aus", 0}, {"ein", 1}};

    const RingErwartung ringe[] = {
        {MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, ValueType::Int, saetze},
        {MAINPANEL,
         MAINPANEL_STROMKURVE,
         ValueType::Int,
         {{"1 - externer Stellwert", 1},
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
          {"12 - Kurvengenerator", 12}}},
        {MAINPANEL,
         MAINPANEL_DITHER_TYP,
         ValueType::Int,
         {{"aus", 0}, {"Sinus", 1}, {"Rechteck", 2}, {"Dreieck", 3}}},
        {MAINPANEL, MAINPANEL_ENDSTUFEREGELN, ValueType::Int, ausEin},
        {MAINPANEL, MAINPANEL_RFWV_CURRENT_STEP, ValueType::Int, ausEin},
        {MAINPANEL, MAINPANEL_RFVW_JUMP_TO_ZERO, ValueType::Int, ausEin},
        {MAINPANEL, MAINPANEL_RFWV_AUTOMATIC, ValueType::Int, ausEin},
        {MAINPANEL, MAINPANEL_RFWV_ALWAYS_ON, ValueType::Int, ausEin},
        {MAINPANEL, MAINPANEL_COMPICTURERING, ValueType::Int,
         [] {
             auto v = Folge(1, 6);
             v.insert(v.begin(), {"", -1});
             return v;
         }()},
        {COMPANEL, COMPANEL_ADRESSE, ValueType::Char, adressen},
        {COMPANEL,
         COMPANEL_BAUDRATE,
         ValueType::Int,
         {{"1200", 1200},
          {"2400", 2400},
          {"4800", 4800},
          {"9600", 9600},
          {"19200", 19200},
          {"38400", 38400},
          {"115200", 115200}}},
        {COMPANEL, COMPANEL_PORT, ValueType::Int, ports},
    };
    for (const RingErwartung& r : ringe) {
        const ControlDefinition* c = Control(r.panel, r.id);
        ASSERT_NE(c, nullptr);
        SCOPED_TRACE(c->constant);
        EXPECT_TRUE(c->kind == ControlKind::Ring || c->kind == ControlKind::PictureRing);
        EXPECT_EQ(c->type, r.typ);
        ASSERT_EQ(c->items.size(), r.eintraege.size());
        for (size_t i = 0; i < r.eintraege.size(); ++i) {
            EXPECT_EQ(c->items[i].value, r.eintraege[i].second) << "item " << i;
            if (!r.eintraege[i].first.empty()) {
                EXPECT_EQ(Text(c->items[i].label), r.eintraege[i].first) << "item " << i;
            }
        }
    }
}

TEST(UirKatalog, RingDefaultsAreValuesOfTheirOwnItems) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls) {
            if (c.kind != ControlKind::Ring && c.kind != ControlKind::PictureRing) continue;
            bool gefunden = false;
            for (const ListItem& i : c.items)
                gefunden = gefunden || i.value == c.defaultValue;
            EXPECT_TRUE(gefunden) << c.constant << " default " << c.defaultValue;
        }
    EXPECT_EQ(Control(COMPANEL, COMPANEL_ADRESSE)->defaultValue, '1');
    EXPECT_EQ(Control(COMPANEL, COMPANEL_BAUDRATE)->defaultValue, 9600);
    EXPECT_EQ(Control(COMPANEL, COMPANEL_PORT)->defaultValue, -1);
}

struct NumerikErwartung {
    int id;
    ValueType typ;
    double vorgabe, minimum, maximum, schritt;
    int stellen;
};

TEST(UirKatalog, NumericsHaveTheirRangesStepsAndDecimals) {
    constexpr double U = UNBEGRENZT;
    const NumerikErwartung numerik[] = {
        {MAINPANEL_EINZUSTELLENDESPROG, ValueType::Int, 1, 1, 16, 1, 0},
        {MAINPANEL_STROM_STEP, ValueType::Double, 0.01, 0.001, 4, 0.01, 3},
        {MAINPANEL_DITHER_FREQUENZ, ValueType::Double, 50, 10, 300, 0.1, 1},
        {MAINPANEL_RFWV_ENABEL_TIME, ValueType::Double, 1, 1, 1000, 1, 0},
        {MAINPANEL_RFWV_STEP_VALUE, ValueType::Double, 0.1, 0.001, 6, 0.001, 3},
        {MAINPANEL_RFWV_AUTO_AC_FiltFREQ, ValueType::Double, 63, 10, 500, 1, 0},
        {MAINPANEL_RFWV_VALUE, ValueType::Double, 5, 2, 40, 0.1, 1},
        {MAINPANEL_RFWV_AUTO_AC_GAIN, ValueType::Double, 20, 0.1, 100, 0.1, 1},
        {MAINPANEL_DITHER_STROM, ValueType::Double, 0.1, 0, 0.3, 0.001, 3},
        {MAINPANEL_STROM1, ValueType::Double, 0.1, 0.001, 6, 1, 3},
        {MAINPANEL_STROM2, ValueType::Double, 0.5, 0.001, 6, 1, 3},
        {MAINPANEL_ZEIT3, ValueType::Double, 1000, 0, 65534, 1, 0},
        {MAINPANEL_ZEIT4, ValueType::Double, 1000, 0, 65534, 1, 0},
        {MAINPANEL_ZEIT1, ValueType::Double, 1000, 1, 65534, 1, 0},
        {MAINPANEL_ZEIT2, ValueType::Double, 1000, 1, 65534, 1, 0},
        {MAINPANEL_FREQUENZ, ValueType::Double, 1000, 50, 10000, 1, 0},
        {MAINPANEL_SPANNUNG, ValueType::Double, 12, 5, 55, 1, 1},
        {MAINPANEL_ZYKLEN, ValueType::Double, 0, 0, 65534, 1, 0},
        {MAINPANEL_REGLER_GAIN, ValueType::Double, 100, 10, 100, 1, 0},
        {MAINPANEL_REGLER_KI, ValueType::Double, 100, 5, 100, 1, 0},
        {MAINPANEL_REGLER_KP, ValueType::Double, 100, 0, 500, 1, 0},
        {MAINPANEL_STROMIST, ValueType::Double, 0, -U, U, 1, 3},
        {MAINPANEL_SPANNUNGIST, ValueType::Double, 0, -U, U, 1, 1},
        {MAINPANEL_FEHLERNUMMER, ValueType::Int, 0, -2147483648.0, 2147483647.0, 1, 0},
    };
    std::set<int> geprueft;
    for (const NumerikErwartung& e : numerik) {
        const ControlDefinition* c = Control(MAINPANEL, e.id);
        ASSERT_NE(c, nullptr);
        SCOPED_TRACE(c->constant);
        EXPECT_EQ(c->kind, ControlKind::Numeric);
        EXPECT_EQ(c->type, e.typ);
        EXPECT_DOUBLE_EQ(c->defaultValue, e.vorgabe);
        EXPECT_EQ(c->minimum, e.minimum);
        EXPECT_EQ(c->maximum, e.maximum);
        EXPECT_DOUBLE_EQ(c->step, e.schritt);
        EXPECT_EQ(c->decimals, e.stellen);
        geprueft.insert(e.id);
    }
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls)
            if (c.kind == ControlKind::Numeric) {
                EXPECT_TRUE(p.resourceId == MAINPANEL && geprueft.contains(c.id))
                    << c.constant << " not in the catalogue";
            }
}

TEST(UirKatalog, ActualValueDisplaysAndErrorFieldsAreDisplayOnly) {
    const std::set<std::pair<int, int>> anzeigen = {
        {MAINPANEL, MAINPANEL_STROMIST},     {MAINPANEL, MAINPANEL_SPANNUNGIST},
        {MAINPANEL, MAINPANEL_FEHLERSTRING}, {MAINPANEL, MAINPANEL_FEHLERNUMMER},
        {COMPANEL, COMPANEL_IDSTRING},       {COMPANEL, COMPANEL_GERAET},
        {COMPANEL, COMPANEL_ADAPTER},        {COMPANEL, COMPANEL_BYID},
        {COMPANEL, COMPANEL_LATENZ},
    };
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls) {
            const bool anzeige = anzeigen.contains({p.resourceId, c.id});
            if (c.kind == ControlKind::Numeric || c.kind == ControlKind::String ||
                c.kind == ControlKind::Ring) {
                EXPECT_EQ(c.readOnly, anzeige) << c.constant;
            }
        }
}

TEST(UirKatalog, ExactlyTheCataloguedControlsStartHidden) {
    const std::set<int> versteckt = {
        MAINPANEL_VKR3STROMINCREMENT,   MAINPANEL_VKR3STROMDECREMENT,
        MAINPANEL_VKR3STROMUMSCHALTEN,  MAINPANEL_VKR3DEVSETUP,
        MAINPANEL_STROM_STEP,           MAINPANEL_RFWV_ENABEL_TIME,
        MAINPANEL_RFWV_STEP_VALUE,      MAINPANEL_RFWV_AUTO_AC_FiltFREQ,
        MAINPANEL_RFWV_VALUE,           MAINPANEL_RFWV_AUTO_AC_GAIN,
        MAINPANEL_RFWV_CURRENT_STEP,    MAINPANEL_RFVW_JUMP_TO_ZERO,
        MAINPANEL_RFWV_AUTOMATIC,       MAINPANEL_RFWV_ALWAYS_ON,
        MAINPANEL_STATUS11_2,           MAINPANEL_STATUS13_2,
        MAINPANEL_TEXTMSG_RFWV,         MAINPANEL_TEXTMSG_19,
        MAINPANEL_DECORATION_RFWV,      MAINPANEL_DECORATION_7,
        MAINPANEL_CHECKBOX_USE_DITHTBL, MAINPANEL_CHECKBOX_SUP_DITH_TBL,
        MAINPANEL_DITHER_TABLE,
    };
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls) {
            const bool sollVersteckt = p.resourceId == MAINPANEL && versteckt.contains(c.id);
            EXPECT_EQ(c.visible, !sollVersteckt) << c.constant;
        }
}

TEST(UirKatalog, ControlsCarryTheirCallbackNames) {
    const std::map<int, std::string> haupt = {
        {MAINPANEL_PARAMETERSATZAUSWAHL, "Callback_Ring_Parametersatz"},
        {MAINPANEL_VKR3LESEN, "Callback_Button_Vkr3Lesen"},
        {MAINPANEL_VKR3SCHREIBEN, "Callback_Button_Vkr3Schreiben"},
        {MAINPANEL_AN_VKR3AX2_ANPASEN, "Callback_Button_An_VKR3AX2_anpassen"},
        {MAINPANEL_PROGRAMMLADEN, "Callback_Button_ProgrammLaden"},
        {MAINPANEL_PROGRAMMSPEICHERN, "Callback_Button_ProgrammSpeichern"},
        {MAINPANEL_VKR3START, "Callback_Button_Vkr3Start"},
        {MAINPANEL_VKR3STOPP, "Callback_Button_Vkr3Stopp"},
        {MAINPANEL_VKR3FEHLERLOESCHEN, "Callback_Button_Vkr3FehlerLoeschen"},
        {MAINPANEL_VKR3STROMINCREMENT, "Callback_Button_Vkr3StromIncrement"},
        {MAINPANEL_VKR3STROMDECREMENT, "Callback_Button_Vkr3StromDecrement"},
        {MAINPANEL_VKR3STROMUMSCHALTEN, "Callback_Button_Vkr3StromUmschalten"},
        {MAINPANEL_VKR3DEVSETUP, "Callback_Button_Vkr3DevSetup"},
        {MAINPANEL_VKR3KALIBRIEREN, "Callback_Button_Vkr3Kalibrieren"},
        {MAINPANEL_ABFRAGEN, "Callback_Button_Abfragen"},
        {MAINPANEL_DAUERNDABFRAGEN, "Callback_Toggle_DauerndAbfragen"},
        {MAINPANEL_STATUSINFO, "Callback_Button_StatusInfo"},
        {MAINPANEL_COMPICTURERING, "Callback_Ring_ComPicture"},
        {MAINPANEL_TIMER, "Callback_Timer"},
    };
    // Every parameter control shares one callback.
    std::map<int, std::string> erwartet = haupt;
    for (int id = MAINPANEL_STROMKURVE; id <= MAINPANEL_ENDSTUFEREGELN; ++id)
        erwartet[id] = "Callback_Multi_Parameter";
    erwartet[MAINPANEL_CHECKBOX_USE_DITHTBL] = "Callback_Multi_Parameter";
    erwartet[MAINPANEL_DITHER_TABLE] = "Callback_Multi_Parameter";
    const std::map<int, std::string> com = {
        {COMPANEL_ADRESSE, "Callback_Multi_ComEinstellungen"},
        {COMPANEL_BAUDRATE, "Callback_Multi_ComEinstellungen"},
        {COMPANEL_PORT, "Callback_Multi_ComEinstellungen"},
        {COMPANEL_IDLESEN, "Callback_Button_IdLesen"},
        {COMPANEL_SCAN, "Callback_Button_Scan"},
        {COMPANEL_SCHLIESSEN, "Callback_Button_CompanelSchliessen"},
        {COMPANEL_GERAETELISTE, "Callback_Liste_Geraete"},
        {COMPANEL_BINDUNG, "Callback_Ring_Bindung"},
        {COMPANEL_GERAETETIMER, "Callback_Timer_Geraeteliste"},
    };
    const std::map<int, std::string> info = {{INFOPANEL_OK, "Callback_Button_InfoOk"}};
    const std::map<int, const std::map<int, std::string>*> jePanel = {
        {MAINPANEL, &erwartet}, {COMPANEL, &com}, {INFOPANEL, &info}};

    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls) {
            const auto& tabelle = *jePanel.at(p.resourceId);
            const auto it = tabelle.find(c.id);
            EXPECT_EQ(Text(c.callback), it == tabelle.end() ? "(null)" : it->second) << c.constant;
        }
}

TEST(UirKatalog, MenuBarHoldsItsMenusItemsAndSubmenu) {
    struct Erwartet {
        int id;
        const char* name;
        const char* callback;
        int eltern;
        bool trenner;
        bool untermenue;
    };
    const Erwartet punkte[] = {
        {MENUBAR_MENU, "Datei", nullptr, 0, false, false},
        {MENUBAR_MENU_NEU, "Neu", "Callback_Menu_Neu", MENUBAR_MENU, false, false},
        {MENUBAR_MENU_OEFFNEN, "Öffnen", "Callback_Menu_Oeffnen", MENUBAR_MENU, false, false},
        {MENUBAR_MENU_SPEICHERN, "Speichern", "Callback_Menu_Speichern", MENUBAR_MENU, false, false},
        {MENUBAR_MENU_SPEICHERNUNTER, "Speichern unter", "Callback_Menu_SpeichernUnter", MENUBAR_MENU, false,
         false},
        {MENUBAR_MENU_SEPARATOR, "", nullptr, MENUBAR_MENU, true, false},
        {MENUBAR_MENU_BEENDEN, "Beenden", "Callback_Menu_Beenden", MENUBAR_MENU, false, false},
        {MENUBAR_EINSTELLUNGEN, "Einstellungen", nullptr, 0, false, false},
        {MENUBAR_EINSTELLUNGEN_COM, "Com Einstellung", "Callback_Menu_ComEinstellung", MENUBAR_EINSTELLUNGEN,
         false, false},
        {MENUBAR_EINSTELLUNGEN_SPRACHE, "Sprache", nullptr, MENUBAR_EINSTELLUNGEN, false, false},
        {MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU, "", nullptr, MENUBAR_EINSTELLUNGEN_SPRACHE, false, true},
        {MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_DE, "Deutsch", "Callback_Menu_Sprache",
         MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU, false, false},
        {MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN, "English", "Callback_Menu_Sprache",
         MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU, false, false},
        {MENUBAR_ANSICHT, "Ansicht", nullptr, 0, false, false},
        {MENUBAR_ANSICHT_KOMMUNIKATION, "Kommunikation …", "Callback_Menu_Kommunikation", MENUBAR_ANSICHT,
         false, false},
        {MENUBAR_ANSICHT_VERLAUF, "Verlauf …", "Callback_Menu_Verlauf", MENUBAR_ANSICHT, false, false},
        {MENUBAR_EXTRAS, "Extras", nullptr, 0, false, false},
        {MENUBAR_EXTRAS_VERGLEICHEN, "Mit Gerät vergleichen …", "Callback_Menu_Vergleichen", MENUBAR_EXTRAS,
         false, false},
        {MENUBAR_EXTRAS_SEPARATOR, "", nullptr, MENUBAR_EXTRAS, true, false},
        {MENUBAR_EXTRAS_PRUEFEN, "Nach dem Schreiben prüfen", "Callback_Menu_Pruefen", MENUBAR_EXTRAS, false,
         false},
        {MENUBAR_EXTRAS_SICHERN, "Vor dem Schreiben sichern", "Callback_Menu_Sichern", MENUBAR_EXTRAS, false,
         false},
        {MENUBAR_EXTRAS_SICHERUNG_OEFFNEN, "Sicherung öffnen …", "Callback_Menu_SicherungOeffnen",
         MENUBAR_EXTRAS, false, false},
        {MENUBAR_EXTRAS_SEPARATOR_2, "", nullptr, MENUBAR_EXTRAS, true, false},
        {MENUBAR_EXTRAS_BERICHT, "Bericht …", "Callback_Menu_Bericht", MENUBAR_EXTRAS, false, false},
        {MENUBAR_HILFE, "Hilfe", nullptr, 0, false, false},
        {MENUBAR_HILFE_INFO, "Info", "Callback_Menu_Info", MENUBAR_HILFE, false, false},
    };
    const auto items = Vkr3xSteuerungUir().menuBars[0].items;
    ASSERT_EQ(items.size(), std::size(punkte));
    std::set<int> ids;
    for (size_t i = 0; i < items.size(); ++i) {
        const Erwartet& e = punkte[i];
        const MenuItemDefinition& m = items[i];
        SCOPED_TRACE(m.constant);
        // Catalogued items keep ids 2..16 in menu order; the later menus "Ansicht" and "Extras"
        // take the ids after them although they stand before "Hilfe".
        ids.insert(m.id);
        EXPECT_EQ(m.id, e.id);
        EXPECT_EQ(Text(m.name), e.name);
        EXPECT_EQ(Text(m.callback), Text(e.callback));
        EXPECT_EQ(m.parent, e.eltern);
        EXPECT_EQ(m.separator, e.trenner);
        EXPECT_EQ(m.submenu, e.untermenue);
        // Only the two switches carry a check mark, set from the start.
        const bool schalter = e.id == MENUBAR_EXTRAS_PRUEFEN || e.id == MENUBAR_EXTRAS_SICHERN;
        EXPECT_EQ(m.checkable, schalter);
        EXPECT_EQ(m.checked, schalter);
    }
    EXPECT_EQ(ids.size(), items.size());
    EXPECT_EQ(*ids.begin(), 2);
    EXPECT_EQ(*ids.rbegin(), static_cast<int>(items.size()) + 1);
}

TEST(UirKatalog, MarkersAreStarsWithoutCallbackVisibleAtStart) {
    for (int id = MAINPANEL_STERN_ENDSTUFEREGELN; id <= MAINPANEL_STERN_STROM1; ++id) {
        const ControlDefinition* c = Control(MAINPANEL, id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind, ControlKind::TextMessage) << c->constant;
        EXPECT_EQ(Text(c->text), "*") << c->constant;
        EXPECT_EQ(c->callback, nullptr) << c->constant;
        EXPECT_TRUE(c->visible) << c->constant;
    }
}

TEST(UirKatalog, TimerTableLedsAndPicturesAreDefinedAsCatalogued) {
    const ControlDefinition* timer = Control(MAINPANEL, MAINPANEL_TIMER);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->kind, ControlKind::Timer);
    EXPECT_DOUBLE_EQ(timer->interval, 0.5);
    EXPECT_FALSE(timer->enabled);

    const ControlDefinition* tabelle = Control(MAINPANEL, MAINPANEL_DITHER_TABLE);
    ASSERT_NE(tabelle, nullptr);
    EXPECT_EQ(tabelle->kind, ControlKind::Table);
    EXPECT_EQ(tabelle->rows, 10);
    EXPECT_EQ(tabelle->columns, 2);
    ASSERT_EQ(tabelle->columnTitles.size(), 2u);
    EXPECT_EQ(Text(tabelle->columnTitles[0]), "PWM-Strom");
    EXPECT_EQ(Text(tabelle->columnTitles[1]), "Dither Amplitude");
    EXPECT_EQ(Text(tabelle->text), "Dither Amplitudentabelle");

    const ControlDefinition* unterstuetzt = Control(MAINPANEL, MAINPANEL_CHECKBOX_SUP_DITH_TBL);
    EXPECT_EQ(unterstuetzt->defaultValue, 1) << "the support note is checked in the definition";
    EXPECT_EQ(Control(MAINPANEL, MAINPANEL_DAUERNDABFRAGEN)->kind, ControlKind::ToggleButton);
    EXPECT_EQ(Control(MAINPANEL, MAINPANEL_DAUERNDABFRAGEN)->defaultValue, 0);

    const std::pair<int, int> bilder[] = {{MAINPANEL, MAINPANEL_PICTURE}, {INFOPANEL, INFOPANEL_PICTURE}};
    for (auto [panel, id] : bilder) {
        EXPECT_EQ(Control(panel, id)->kind, ControlKind::Picture);
        EXPECT_EQ(Control(panel, id)->picture, PictureKind::Logo);
    }
    EXPECT_EQ(Control(MAINPANEL, MAINPANEL_COMPICTURERING)->picture, PictureKind::ComPort);

    for (int id :
         {MAINPANEL_DECORATION, MAINPANEL_DECORATION_2, MAINPANEL_DECORATION_3, MAINPANEL_DECORATION_4,
          MAINPANEL_DECORATION_6, MAINPANEL_DECORATION_7, MAINPANEL_DECORATION_RFWV})
        EXPECT_EQ(Control(MAINPANEL, id)->kind, ControlKind::Decoration) << id;

    int leds = 0;
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels)
        for (const ControlDefinition& c : p.controls)
            if (c.kind == ControlKind::Led) {
                ++leds;
                EXPECT_NE(c.onColor, 0) << c.constant << " would be dark when on";
            }
    EXPECT_EQ(leds, 11 + 8);
}

TEST(UirKatalog, TextsOfCaptionsAndStartTextsAreTheDefinitionsOwn) {
    const std::pair<int, const char*> haupt[] = {
        {MAINPANEL_TEXTMSG_12, "Achtung:\nJedes Lesen/Schreiben\nbeinflußt auch die Arbeits-\nparameter."},
        {MAINPANEL_TEXTMSG_15, "Istwerte"},
        {MAINPANEL_TEXTMSG_14, "VKR-3 steuern"},
        {MAINPANEL_TEXTMSG_13, "Programmverwaltung"},
        {MAINPANEL_TEXTMSG_16, "Status"},
        {MAINPANEL_TEXTMSG_RFWV, "Erhöhte Freilaufspannung"},
        {MAINPANEL_TEXTMSG_VERSION, "Version: - - - - -"},
        {MAINPANEL_TEXTMSG_19, "STK9 Steuerung"},
        {MAINPANEL_TEXTMSG_18, "Parameter"},
        {MAINPANEL_TEXTMSG_11, "= in dieser\n   Stromkurve\n   benötigt"},
        {MAINPANEL_TEXTMSG_10, "*"},
        {MAINPANEL_RFWV_AUTO_AC_FiltFREQ, "  AC Filterfreq. [Hz]"},
        {MAINPANEL_RFWV_VALUE, "  Freilaufspannung [V]"},
        {MAINPANEL_RFWV_CURRENT_STEP, "  Bei Stromsprung"},
        {MAINPANEL_RFVW_JUMP_TO_ZERO, "  Bei Sprung auf 0"},
        {MAINPANEL_VKR3DEVSETUP, "Geräte-Setup"},
        {MAINPANEL_EINZUSTELLENDESPROG, "Arbeitsparameter in/von Programm"},
    };
    for (auto [id, text] : haupt)
        EXPECT_EQ(Text(Control(MAINPANEL, id)->text), text) << id;
    EXPECT_EQ(Text(Control(COMPANEL, COMPANEL_SCANTEXT)->text), "Suche Gerät ...");
    EXPECT_EQ(Text(Control(INFOPANEL, INFOPANEL_TEXTMSG_3)->text), "VKR-3AX2 Steuerung");
    EXPECT_EQ(Text(Control(INFOPANEL, INFOPANEL_VERSION)->text), "Version");
    EXPECT_EQ(Text(Control(INFOPANEL, INFOPANEL_DATUM)->text), "Datum");
    for (int led = COMPANEL_LED8; led <= COMPANEL_LED1; ++led)
        EXPECT_EQ(Text(Control(COMPANEL, led)->text), std::to_string(COMPANEL_LED1 - led + 1));
}

} // namespace
