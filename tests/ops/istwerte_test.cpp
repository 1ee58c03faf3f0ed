// Live values, the status LEDs and popup, the continuous query, current stepping in curve 9 and
// the version adaptation, on the real panels against a simulated regulator.
#include "app/callbacks_geraet.h"
#include "ops/istwerte.h"
#include "ops/verbindung.h"
#include "params/panel_transfer.h"
#include "params/parametersatz.h"
#include "platform/popup_hook.h"
#include "tests/ops/geraetepanel_fixture.h"

#include <set>
#include <thread>

namespace {

using vkr3xsim::DeviceKind;
using vkr3xsim::FaultKind;

const int kStatusLeds[] = {MAINPANEL_STATUS0, MAINPANEL_STATUS1, MAINPANEL_STATUS3,  MAINPANEL_STATUS4,
                           MAINPANEL_STATUS8, MAINPANEL_STATUS9, MAINPANEL_STATUS11, MAINPANEL_STATUS13};

// Answers the frame with the given index (counted from the last clearFrames) with exactly these
// bytes instead of the regulator's own answer.
class AntwortAuf {
  public:
    AntwortAuf(vkr3xsim::Simulator& sim, size_t index, const std::string& kopf, const std::string& bytes) {
        sim.addFault({0, kopf, FaultKind::Silence, 1});
        helfer = std::thread([&sim, index, bytes] {
            if (sim.waitForFrames(index + 1, 2000)) sim.sendRaw(bytes);
        });
    }
    ~AntwortAuf() { helfer.join(); }

  private:
    std::thread helfer;
};

class Istwerte : public Geraetepanel {
  protected:
    static std::set<int> Leuchtend() {
        std::set<int> an;
        for (int led : kStatusLeds)
            if (Ganzzahl(led) != 0) an.insert(led);
        return an;
    }
};

TEST_F(Istwerte, StatusWordLightsItsLedsAndThePopupExplainsThem) {
    Verbinden();
    const struct {
        int wort;
        std::set<int> leds;
        const char* text;
    } faelle[] = {
        {0x2A09,
         {MAINPANEL_STATUS0, MAINPANEL_STATUS3, MAINPANEL_STATUS9, MAINPANEL_STATUS11, MAINPANEL_STATUS13},
         "Innentemperatur zu hoch\nKalibrierung ungültig\nProgramm aktiv\nProzess wurde abgeschlossen\n"
         "Prozess wurde abgebrochen\n"},
        {0x0004, {}, ""},
        {0xC112,
         {MAINPANEL_STATUS1, MAINPANEL_STATUS4, MAINPANEL_STATUS8},
         "Parameter zerstört\nPrüfspannung außerhalb der Toleranz\nProzess wurde gestartet\n"},
    };
    for (const auto& f : faelle) {
        sim.setStatusWord('1', f.wort);
        sim.setCompatibilityMode('1', f.wort == 0x0004 ? 1 : 0);
        ComFehlerSetzen(-403053);
        Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
        EXPECT_EQ(Fehler().nummer, 0) << f.wort;
        EXPECT_EQ(Leuchtend(), f.leds) << f.wort;
        EXPECT_EQ(Ganzzahl(MAINPANEL_CHECKBOX_KOMP_MODE), f.wort == 0x0004 ? 1 : 0);

        // The "?" button tells the same without the popup, to a screen reader.
        std::string beschreibung;
        GetCtrlAttribute(gPanelHandle, MAINPANEL_STATUSINFO, ATTR_SPOKEN_DESCRIPTION, &beschreibung);
        std::string liste = f.text;
        for (size_t n; (n = liste.find('\n')) != std::string::npos;)
            liste.replace(n, 1, n + 1 == liste.size() ? "" : ", ");
        EXPECT_EQ(beschreibung, liste) << f.wort;

        PopupHook_ClearRecords();
        Klicken(gPanelHandle, MAINPANEL_STATUSINFO);
        ASSERT_EQ(PopupHook_Records().size(), 1u);
        EXPECT_EQ(PopupHook_Records()[0].title, "Prozesstatus");
        EXPECT_EQ(PopupHook_Records()[0].message, f.text) << f.wort;
    }
    const std::vector<std::string> abfrage = {"#1C0R\r", "#1V0R\r", "#1S0R\r", "#1S3R\r", "#1S1R\r"};
    sim.clearFrames();
    Klicken(gPanelHandle, MAINPANEL_ABFRAGEN);
    EXPECT_EQ(sim.frames(), abfrage);
}

TEST_F(Istwerte, ActiveCurrentAnswersSetTheLightsOfTheSelectedSet) {
    Verbinden();
    const struct {
        const char* antwort;
        double stromaktiv;
        int licht11, licht13;
    } faelle[] = {{"2", 2.0, 1, 0}, {"2.0", 2.0, 1, 0}, {"1.000", 1.0, 0, 1}, {"3", 3.0, 0, 0}};
    for (const auto& f : faelle) {
        sim.clearFrames();
        {
            AntwortAuf antwort(sim, 3, "S3R", std::string("\x06#1S3R") + f.antwort + "\r");
            EXPECT_EQ(IstwerteAbfragen(), 0) << f.antwort;
        }
        EXPECT_EQ(gPar[0].status_stromaktiv, f.stromaktiv) << f.antwort;
        EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS11_2), f.licht11) << f.antwort;
        EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS13_2), f.licht13) << f.antwort;
    }
}

TEST_F(Istwerte, FailingReadsEndTheQueryAsTheyShould) {
    const struct {
        const char* fall;
        bool verbunden;
        char adresse;
        const char* stumm; // frame head left unanswered
        int code;
        bool stromNeu, ledsNeu;
    } faelle[] = {
        {"no port", false, '1', nullptr, -122201, false, false},
        {"broadcast address", true, '&', nullptr, -400055, false, false},
        {"silent regulator", true, '1', "", -403101, false, false},
        {"active current unanswered", true, '1', "S3R", 0, true, true},
        {"compatibility mode unanswered", true, '1', "S1R", -403101, true, false},
    };
    for (const auto& f : faelle) {
        if (f.verbunden && gCom.portOffen == -1) Verbinden();
        gCom.adresse = f.adresse;
        SetCtrlVal(gPanelHandle, MAINPANEL_STROMIST, -1.0);
        SetCtrlVal(gPanelHandle, MAINPANEL_STATUS0, 0);
        gPar[0].status_stromaktiv = 0.0;
        sim.setStatusWord('1', 0x0001);
        sim.clearFaults();
        if (f.stumm) sim.addFault({0, f.stumm, FaultKind::Silence, -1});
        EXPECT_EQ(IstwerteAbfragen(), f.code) << f.fall;
        EXPECT_EQ(Wert(MAINPANEL_STROMIST) != -1.0, f.stromNeu) << f.fall;
        EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS0), f.ledsNeu ? 1 : 0) << f.fall;
        if (f.stumm && std::string(f.stumm) == "S3R") {
            EXPECT_EQ(gPar[0].status_stromaktiv, 0.0) << "a dropped read leaves the field";
        }
    }
    sim.clearFaults();
}

TEST_F(Istwerte, ContinuousQueryStopsItselfAtTheFirstFailure) {
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    int an = 0;
    GetCtrlAttribute(gPanelHandle, MAINPANEL_TIMER, ATTR_ENABLED, &an);
    EXPECT_EQ(an, 1);
    EXPECT_EQ(Ganzzahl(MAINPANEL_DAUERNDABFRAGEN), 1);
    QTest::qWait(700); // one tick, with no port open
    GetCtrlAttribute(gPanelHandle, MAINPANEL_TIMER, ATTR_ENABLED, &an);
    EXPECT_EQ(an, 0);
    EXPECT_EQ(Ganzzahl(MAINPANEL_DAUERNDABFRAGEN), 0);
    EXPECT_EQ(Fehler().nummer, 122201);

    Verbinden();
    ComFehlerSetzen(-403053);
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    QTest::qWait(1150); // two ticks
    EXPECT_EQ(Fehler().nummer, 0) << "a successful tick clears the error";
    EXPECT_EQ(sim.frames().size(), 10u) << "two queries of five reads";
    Klicken(gPanelHandle, MAINPANEL_DAUERNDABFRAGEN);
    GetCtrlAttribute(gPanelHandle, MAINPANEL_TIMER, ATTR_ENABLED, &an);
    EXPECT_EQ(an, 0) << "switched off by the user";
}

class Stromschritt : public Istwerte {
  protected:
    void SetUp() override {
        Istwerte::SetUp();
        gPar[0].stromkurve = 9;
        gPar[0].strom1 = 0.5;
        gPar[0].strom2 = 2.0;
        gPar[0].strom_step = 0.01;
        ParameterAusStrukturInGui();
    }
    // The two current writes at the end of the frames.
    std::vector<std::string> Schreibrahmen() {
        std::vector<std::string> w;
        for (const std::string& r : sim.frames())
            if (r.rfind("#1C1W", 0) == 0 || r.rfind("#1C2W", 0) == 0) w.push_back(r);
        return w;
    }
};

TEST_F(Stromschritt, StepsTheActiveCurrentAndWritesBoth) {
    Verbinden();
    const struct {
        const char* fall;
        int aktiv;     // 1, 2, or 0 when the regulator does not report it
        double strom1; // before
        int knopf;
        double neu1, neu2;
        const char* c1;
        const char* c2;
    } faelle[] = {
        {"current 1 up", 1, 0.5, MAINPANEL_VKR3STROMINCREMENT, 0.51, 2.0, "#1C1W0.510\r", "#1C2W2.000\r"},
        {"current 2 down", 2, 0.5, MAINPANEL_VKR3STROMDECREMENT, 0.5, 1.99, "#1C1W0.500\r", "#1C2W1.990\r"},
        {"not reported", 0, 0.5, MAINPANEL_VKR3STROMINCREMENT, 0.5, 2.0, "#1C1W0.500\r", "#1C2W2.000\r"},
        {"stops at 6 A", 1, 5.995, MAINPANEL_VKR3STROMINCREMENT, 6.0, 2.0, "#1C1W6.000\r", "#1C2W2.000\r"},
        {"stops at 0.001 A", 1, 0.005, MAINPANEL_VKR3STROMDECREMENT, 0.001, 2.0, "#1C1W0.001\r",
         "#1C2W2.000\r"},
    };
    for (const auto& f : faelle) {
        gPar[0].strom1 = f.strom1;
        gPar[0].strom2 = 2.0;
        gPar[0].status_stromaktiv = 0.0;
        ParameterAusStrukturInGui();
        sim.setStromaktivSupported('1', f.aktiv != 0);
        if (f.aktiv != 0 && sim.activeCurrent('1') != f.aktiv)
            Callback_Button_Vkr3StromUmschalten(gPanelHandle, MAINPANEL_VKR3STROMUMSCHALTEN, EVENT_COMMIT,
                                                nullptr, 0, 0);
        sim.clearFrames();
        Klicken(gPanelHandle, f.knopf);
        EXPECT_EQ(Fehler().nummer, 0) << f.fall;
        EXPECT_DOUBLE_EQ(gPar[0].strom1, f.neu1) << f.fall;
        EXPECT_DOUBLE_EQ(gPar[0].strom2, f.neu2) << f.fall;
        EXPECT_DOUBLE_EQ(Wert(MAINPANEL_STROM1), f.neu1) << f.fall;
        EXPECT_EQ(Schreibrahmen(), (std::vector<std::string>{f.c1, f.c2})) << f.fall;
    }
}

TEST_F(Stromschritt, RefusedWriteAndSwitchAreShown) {
    Verbinden();
    sim.addFault({0, "C1W", FaultKind::Nak, -1});
    Klicken(gPanelHandle, MAINPANEL_VKR3STROMINCREMENT);
    EXPECT_EQ(Fehler().nummer, 402051);
    EXPECT_TRUE(Schreibrahmen().size() == 1u) << "current 2 is not sent after current 1 failed";

    sim.clearFaults();
    sim.addFault({0, "DF5", FaultKind::Can, 1});
    Klicken(gPanelHandle, MAINPANEL_VKR3STROMUMSCHALTEN);
    EXPECT_EQ(Fehler().nummer, 405022);

    const int vorher = sim.activeCurrent('1');
    Klicken(gPanelHandle, MAINPANEL_VKR3STROMUMSCHALTEN);
    EXPECT_EQ(Fehler().nummer, 0);
    EXPECT_NE(sim.activeCurrent('1'), vorher);
    EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS11_2), sim.activeCurrent('1') == 2 ? 1 : 0) << "the lights follow";
    EXPECT_EQ(Ganzzahl(MAINPANEL_STATUS13_2), sim.activeCurrent('1') == 1 ? 1 : 0);
}

class Version : public Istwerte {
  protected:
    static int Sichtbar(int control) { return ProgrammTest::Sichtbar(control); }
    static std::string Versionstext() {
        std::string t;
        GetCtrlVal(gPanelHandle, MAINPANEL_TEXTMSG_VERSION, &t);
        return t;
    }
};

TEST_F(Version, AdaptsToTheIdentityAndTheTableSupport) {
    Verbinden();
    const struct {
        const char* kennung;
        int tabelle; // -1: refused
        const char* text;
        int freilauf, dither, fehler;
    } faelle[] = {
        {"ZEM-VKR3AX2b V2.01", 1, "Version: VKR3AX2b", 1, 1, 0},
        {"ZEM-VKR3AX2a V1.07", -1, "Version: VKR3AX2a", 0, 0, 0},
        {"ZEM-VKR3AX2b V2.01", 0, "Version: VKR3AX2b", 1, 0, 0},
        {"VKR3AX2b VKR3AX2a", 1, "Version: VKR3AX2a", 0, 1, 0},
        {"ACME-PSU12", 0, "Version: ERROR", 0, 0, 0},
    };
    for (const auto& f : faelle) {
        sim.setIdentity('1', f.kennung);
        sim.setDitherTableSupport('1', f.tabelle);
        ComFehlerSetzen(-403053);
        Klicken(gPanelHandle, MAINPANEL_AN_VKR3AX2_ANPASEN);
        EXPECT_EQ(Versionstext(), f.text) << f.kennung;
        EXPECT_EQ(Sichtbar(MAINPANEL_RFWV_VALUE), f.freilauf) << f.kennung;
        EXPECT_EQ(Sichtbar(MAINPANEL_DECORATION_RFWV), f.freilauf) << f.kennung;
        EXPECT_EQ(Sichtbar(MAINPANEL_DITHER_TABLE), f.dither) << f.kennung;
        EXPECT_EQ(Sichtbar(MAINPANEL_CHECKBOX_USE_DITHTBL), f.dither) << f.kennung;
        EXPECT_EQ(Fehler().nummer, f.fehler) << f.kennung;
    }

    // Without a port the earlier identity decides again and the table stays as it was.
    sim.setIdentity('1', "ZEM-VKR3AX2b V2.01");
    sim.setDitherTableSupport('1', 1);
    Klicken(gPanelHandle, MAINPANEL_AN_VKR3AX2_ANPASEN);
    Waehlen(COMPANEL_PORT, -1);
    Klicken(gPanelHandle, MAINPANEL_AN_VKR3AX2_ANPASEN);
    EXPECT_EQ(Fehler().nummer, 122202);
    EXPECT_EQ(Versionstext(), "Version: VKR3AX2b");
    EXPECT_EQ(Sichtbar(MAINPANEL_DITHER_TABLE), 1);
}

} // namespace
