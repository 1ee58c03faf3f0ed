// Frames as they reach the regulator, and the checks that keep a frame from being sent.
#include "device/schluessel.h"
#include "device/zemvkr3x.h"
#include "tests/device/simulator_leitung.h"

#include <QElapsedTimer>

#include <cmath>
#include <set>
#include <string>
#include <tuple>

namespace {

using Rahmentest = SimulatorLeitung;

struct SchreibFall {
    const char* name;
    double wert;
    int ganzzahl;
    const char* rahmen;
};

TEST_F(Rahmentest, ParameterWritesSendTheirValueTextsRoundedToTheirDecimals) {
    const SchreibFall faelle[] = {
        {"programmladen", 0.0, 7, "#1PNS7\r"},
        {"programmspeichern", 0.0, 16, "#1PNP16\r"},
        {"strom1", 6.0, 0, "#1C1W6.000\r"},
        {"strom1", 0.0009, 0, "#1C1W0.001\r"},
        {"strom1", 0.5, 0, "#1C1W0.500\r"},
        {"strom2", 1.2345, 0, "#1C2W1.234\r"},
        {"zeit1", 1000.0, 0, "#1T1W1000\r"},
        {"zeit3", 0.0, 0, "#1T3W0\r"},
        {"zeit4", -0.05, 0, "#1T4W0\r"},
        {"frequenz", 10000.0, 0, "#1F1W10000\r"},
        {"spannung", 12.34, 0, "#1V1W12.3\r"},
        {"zyklen", 3.0, 0, "#1L1W3\r"},
        {"regelgeschwindigkeit", 500.0, 0, "#1A1W500\r"},
        {"reglergain", 99.6, 0, "#1A5W100\r"},
        {"ditherfrequenz", 100.0, 0, "#1D2W100.0\r"},
        {"ditherstrom", -0.001, 0, "#1D3W-0.001\r"},
        {"rfwv_auto_ac_gain", 20.0, 0, "#1P6W20.00\r"},
        {"rfwv_current_step_value", 0.25, 0, "#1PaW0.250\r"},
        {"rfwv_enable_time", 1000.0, 0, "#1PbW1000\r"},
        {"rfwv_value", 40.0, 0, "#1PcW40.0\r"},
        {"dithtable_pwmcurr10", 1.5, 0, "#1XaW1.500\r"},
        {"dithtable_dithamp1", 0.125, 0, "#1Y1W0.125\r"},
        // integer rows take the integer argument and ignore the real one
        {"stromkurve", 99.0, 12, "#1WFW12\r"},
        {"endstuferegeln", 0.0, 1, "#1M1W1\r"},
        {"dithertyp", 0.0, 3, "#1D1W3\r"},
        {"rfwv_jump_to_0_on", 0.0, 0, "#1P8W0\r"},
    };
    size_t n = 0;
    for (const SchreibFall& f : faelle) {
        EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', f.name, f.wert, f.ganzzahl, 0), 0) << f.name;
        const std::vector<std::string> rahmen = Rahmen(++n);
        ASSERT_EQ(rahmen.size(), n) << f.name;
        EXPECT_EQ(rahmen.back(), f.rahmen) << f.name;
    }
    EXPECT_DOUBLE_EQ(sim.value('1', "strom1"), 0.5) << "the regulator took the written value";
}

struct BereichFall {
    const char* name;
    double wert;
    int ganzzahl;
};

TEST_F(Rahmentest, ValuesOutsideTheirRangeAreRefusedBeforeAnythingIsSent) {
    const BereichFall faelle[] = {
        {"strom1", 6.0002, 0},
        {"strom1", 0.0008, 0},
        {"strom1", std::nan(""), 0},
        {"zeit1", 0.0, 0},
        {"zeit3", -0.2, 0},
        {"frequenz", 24.0, 0},
        {"spannung", 55.02, 0},
        {"ditherstrom", -0.0012, 0},
        {"rfwv_value", 1.9, 0},
        {"dithtable_dithamp10", 1.002, 0},
        {"dithertyp", 0.0, 4},
        {"dithertyp", 0.0, -1},
        {"stromkurve", 0.0, 0},
        {"stromkurve", 0.0, 13},
        {"stromkurve", 5.0, 0},
        {"programmladen", 0.0, 17},
        {"programmspeichern", 0.0, 0},
        {"endstuferegeln", 1.0, 2},
    };
    for (const BereichFall& f : faelle)
        EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', f.name, f.wert, f.ganzzahl, 0), -500034)
            << f.name << " " << f.wert << " " << f.ganzzahl;
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key_enter", 0.0, 101, 0), -500034);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key_enter", 0.0, -1, 0), -500034);
    EXPECT_TRUE(RahmenVorMarke().empty());
}

TEST_F(Rahmentest, NamesAndAddressesAreCheckedBeforeAnythingIsSent) {
    double wert = 0;
    int ganz = 0;
    uint64_t seed = 0;
    char id[ZEMVKR3X_ID_BYTES];
    EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "Strom1", 1.0, 0, 0), -401046);
    EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "iststrom", 1.0, 0, 0), -401046) << "read-only";
    EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', nullptr, 1.0, 0, 0), -401046);
    EXPECT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "Strom1", &wert, &ganz, nullptr), -401095);
    EXPECT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "programmladen", &wert, &ganz, nullptr), -401095);
    EXPECT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', "Start"), -401017);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key5", 0.0, 1, 0), -401046);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterLesen(LEITUNG_PORT, '1', "Seed", &wert, &ganz, &seed, nullptr),
              -401095);
    EXPECT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, '1', 3, &ganz), -401111);
    EXPECT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, '1', 0, &ganz), -401111);

    for (char a : {'0', '9', 'a', 'q', '%'}) {
        EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, a, "strom1", 1.0, 0, 0), -400033) << a;
        EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, a, "key1", 0.0, 1, 0), -400033) << a;
        EXPECT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, a, "start"), -400016) << a;
    }
    for (char a : {'0', '9', '&'}) {
        EXPECT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, a, "strom1", &wert, &ganz, nullptr), -400055) << a;
        EXPECT_EQ(ZEMVKR3X_KalibrierParameterLesen(LEITUNG_PORT, a, "seed", &wert, &ganz, &seed, nullptr),
                  -400055);
        EXPECT_EQ(ZEMVKR3X_IDLesen(LEITUNG_PORT, a, id), -400006) << a;
    }
    for (char a : {'0', 'g', 'A', '&'})
        EXPECT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, a, 1, &ganz), -400110) << a;
    EXPECT_TRUE(RahmenVorMarke().empty());
}

TEST_F(Rahmentest, BroadcastsAreSentAndNotAnswered) {
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '&', "strom1", 0.5, 0, 0), 0);
    EXPECT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '&', "start"), 0);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '&', "key1", 0.0, 5, 0), 0);
    EXPECT_LT(uhr.elapsed(), 1000 * LEITUNG_TIMEOUT) << "no acknowledgement may be awaited";
    const std::vector<std::string> rahmen = Rahmen(3);
    ASSERT_EQ(rahmen.size(), 3u);
    EXPECT_EQ(rahmen[0], "#&C1W0.500\r");
    EXPECT_EQ(rahmen[1], "#&DF1\r");
    EXPECT_EQ(rahmen[2], "#fS0W5\r") << "the broadcast address is shifted like any other";
    EXPECT_TRUE(sim.outputRunning('1'));
}

TEST_F(Rahmentest, DeviceFunctionsSendTheirDigit) {
    const struct {
        const char* name;
        const char* rahmen;
    } faelle[] = {
        {"start", "#1DF1\r"},
        {"stopp", "#1DF2\r"},
        {"fehlerloeschen", "#1DF3\r"},
        {"kalibrieren", "#1DF4\r"},
        {"stromumschaltung", "#1DF5\r"},
    };
    size_t n = 0;
    for (const auto& f : faelle) {
        EXPECT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', f.name), 0) << f.name;
        const std::vector<std::string> rahmen = Rahmen(++n);
        ASSERT_EQ(rahmen.size(), n);
        EXPECT_EQ(rahmen.back(), f.rahmen);
    }
    EXPECT_EQ(sim.activeCurrent('1'), 2) << "stromumschaltung switched to current 2";
}

TEST_F(Rahmentest, ReadsSendSixBytesAndConvertByAnswerKind) {
    sim.setValue('1', "strom1", 1.234);
    sim.setValue('1', "stromkurve", 9);
    sim.setStatusWord('1', 0x1A0F);
    sim.setCompatibilityMode('1', 0x2B);
    double wert = 0;
    int ganz = 0;
    ASSERT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "strom1", &wert, &ganz, nullptr), 0);
    EXPECT_DOUBLE_EQ(wert, 1.234);
    EXPECT_EQ(ganz, 0) << "a real answer leaves the int alone";
    ASSERT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "stromkurve", &wert, &ganz, nullptr), 0);
    EXPECT_EQ(ganz, 9);
    ASSERT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "status", nullptr, &ganz, nullptr), 0);
    EXPECT_EQ(ganz, 0x1A0F);
    ASSERT_EQ(
        ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "status_kompatibility_mode", nullptr, &ganz, nullptr), 0);
    EXPECT_EQ(ganz, 0x2B);
    ASSERT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "iststrom", nullptr, nullptr, nullptr), 0)
        << "null pointers are allowed";
    const std::vector<std::string> rahmen = Rahmen(5);
    const std::vector<std::string> erwartet = {"#1C1R\r", "#1WFR\r", "#1S0R\r", "#1S1R\r", "#1C0R\r"};
    EXPECT_EQ(rahmen, erwartet);
}

// The stored programs start different from one another and from the working set, so a load,
// store or read of the wrong slot cannot pass unnoticed.
TEST_F(Rahmentest, EveryProgramIsLoadedFromItsOwnSlot) {
    auto lesen = [](int* kurve, double* strom1, double* zeit1) {
        return ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "stromkurve", nullptr, kurve, nullptr) |
               ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "strom1", strom1, nullptr, nullptr) |
               ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "zeit1", zeit1, nullptr, nullptr);
    };
    int kurve = 0;
    double strom1 = 0, zeit1 = 0;
    ASSERT_EQ(lesen(&kurve, &strom1, &zeit1), 0);
    std::set<std::tuple<int, double, double>> gesehen{{kurve, strom1, zeit1}};
    for (int n = 1; n <= 16; ++n) {
        ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "programmladen", 0.0, n, 0), 0);
        ASSERT_EQ(lesen(&kurve, &strom1, &zeit1), 0) << n;
        EXPECT_EQ(kurve, sim.programValue('1', n, "stromkurve")) << n;
        EXPECT_DOUBLE_EQ(strom1, sim.programValue('1', n, "strom1")) << n;
        EXPECT_DOUBLE_EQ(zeit1, sim.programValue('1', n, "zeit1")) << n;
        EXPECT_TRUE(gesehen.insert({kurve, strom1, zeit1}).second)
            << "program " << n << " is like another set";
    }
    // Storing into one slot leaves its neighbours as they were.
    ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "strom1", 0.75, 0, 0), 0);
    ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "programmspeichern", 0.0, 7, 0), 0);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 7, "strom1"), 0.75);
    EXPECT_NE(sim.programValue('1', 6, "strom1"), 0.75);
    EXPECT_NE(sim.programValue('1', 8, "strom1"), 0.75);
}

TEST_F(Rahmentest, IdentityComesWithoutSpaces) {
    sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
    sim.setIdentity('2', "ZEM VKR3AX2a  V 1.07");
    char id[ZEMVKR3X_ID_BYTES] = "";
    ASSERT_EQ(ZEMVKR3X_IDLesen(LEITUNG_PORT, '2', id), 0);
    EXPECT_STREQ(id, "ZEMVKR3AX2aV1.07");
    EXPECT_EQ(Rahmen(1), std::vector<std::string>{"#2IDR\r"});
}

TEST_F(Rahmentest, ServiceModeFramesCarryTheShiftedAddress) {
    sim.addDevice('8', vkr3xsim::DeviceKind::VersionB);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key3", 0.0, 4660, 0), 0);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key_enter", 0.0, 100, 0), 0);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '8', "key1", 0.0, 0, 0), 0);
    EXPECT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key4", 0.0, 65535, 0), 0);
    const std::vector<std::string> erwartet = {"#qS2W4660\r", "#qS0E100\r", "#xS0W0\r", "#qS3W65535\r"};
    EXPECT_EQ(Rahmen(4), erwartet);
}

TEST_F(Rahmentest, SeedAndKeysOpenTheServiceMode) {
    const uint64_t seed = 0x0123456789ABCDEFull;
    sim.setSeed('1', seed);
    uint64_t gelesen = 0;
    ASSERT_EQ(
        ZEMVKR3X_KalibrierParameterLesen(LEITUNG_PORT, '1', "seed", nullptr, nullptr, &gelesen, nullptr), 0);
    EXPECT_EQ(gelesen, seed) << "the masked fields assemble to the seed";
    uint16_t keys[4];
    SchluesselBerechnen(gelesen, 2, keys);
    const char* namen[] = {"key1", "key2", "key3", "key4"};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', namen[i], 0.0, keys[i], 0), 0);
    ASSERT_EQ(ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key_enter", 0.0, 2, 0), 0);
    EXPECT_TRUE(sim.serviceModeEntered('1'));
    EXPECT_EQ(Rahmen(1).front(), "#qS0R\r");
}

TEST_F(Rahmentest, SiblingStatusTakesItsOwnAddressRange) {
    sim.setCompatibilityMode('1', 0x5);
    int status = -1;
    ASSERT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, '1', 1, &status), 0);
    EXPECT_EQ(status, 5);
    // '9' and 'a'..'f' are sent (nobody answers there) where regulator commands refuse them.
    for (char a : {'9', 'a', 'f'})
        EXPECT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, a, 2, &status), -403117) << a;
    const std::vector<std::string> erwartet = {"#1S1R\r", "#9S2R\r", "#aS2R\r", "#fS2R\r"};
    EXPECT_EQ(Rahmen(4), erwartet);
}

} // namespace
