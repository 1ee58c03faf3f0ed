// The regulator's answers to well-formed frames: values, programs, identities, broadcasts,
// refusals and the live output state.

#include "tests/sim/sim_fixture.h"

#include <cstdlib>
#include <set>

using vkr3xsim::DeviceKind;

namespace {

struct RoundTrip {
    const char* name;
    const char* code;
    const char* written;
    const char* answered; // text of the read answer after the echo
    double stored;
};

double valueOf(const std::string& answer, size_t echoLength = 6) {
    return std::strtod(answer.c_str() + echoLength, nullptr);
}

} // namespace

TEST_F(SimTest, writtenValuesAreReadBackInTheirTextFormat) {
    const RoundTrip cases[] = {
        {"strom1", "C1", "0.500", "0.500", 0.5},
        {"strom2", "C2", "6.000", "6.000", 6.0},
        {"zeit1", "T1", "1000", "1000", 1000},
        {"zeit3", "T3", "0", "0", 0},
        {"spannung", "V1", "24.5", "24.5", 24.5},
        {"regelgeschwindigkeit", "A1", "300", "300", 300},
        {"stromkurve", "WF", "9", "9", 9},
        {"endstuferegeln", "M1", "0", "0", 0},
        {"ditherfrequenz", "D2", "99.9", "99.9", 99.9},
        {"ditherstrom", "D3", "-0.001", "-0.001", -0.001},
        {"rfwv_auto_ac_gain", "P6", "12.34", "12.34", 12.34},
        {"rfwv_current_step_value", "Pa", "0.250", "0.250", 0.25},
        {"dithtable_pwmcurr10", "Xa", "5.500", "5.500", 5.5},
        {"dithtable_dithamp10", "Ya", "0.125", "0.125", 0.125},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string code = c.code;
        EXPECT_EQ(line->command("#1" + code + "W" + c.written), ack());
        EXPECT_EQ(line->query("#1" + code + "R"), answer("#1" + code + "R", c.answered));
        EXPECT_DOUBLE_EQ(sim.value('1', c.name), c.stored);
    }
}

TEST_F(SimTest, statusWordsAreAnsweredInHexadecimal) {
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "0000"));
    EXPECT_EQ(line->query("#1S1R"), answer("#1S1R", "00"));
    sim.setStatusWord('1', 0x1A0F);
    sim.setCompatibilityMode('1', 0x2B);
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "1A0F"));
    EXPECT_EQ(line->query("#1S1R"), answer("#1S1R", "2B"));
}

TEST_F(SimTest, programsAreStoredAndLoadedThroughTheWorkingParameters) {
    EXPECT_EQ(line->command("#1C1W1.234"), ack());
    EXPECT_EQ(line->command("#1PNP3"), ack());
    EXPECT_DOUBLE_EQ(sim.programValue('1', 3, "strom1"), 1.234);
    EXPECT_EQ(line->command("#1C1W0.500"), ack());
    EXPECT_DOUBLE_EQ(sim.programValue('1', 3, "strom1"), 1.234);

    sim.setProgramValue('1', 16, "zeit2", 4711);
    EXPECT_EQ(line->command("#1PNS3"), ack());
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.234"));
    EXPECT_EQ(line->command("#1PNS16"), ack());
    EXPECT_EQ(line->query("#1T2R"), answer("#1T2R", "4711"));

    for (const char* refused : {"#1PNS0", "#1PNS17", "#1PNP", "#1PNSx", "#1PNR", "#1PNW3"}) {
        EXPECT_EQ(line->command(refused), nak()) << refused;
    }
}

TEST_F(SimTest, identityDependsOnTheKindOfDevice) {
    sim.addDevice('4', DeviceKind::Foreign);
    const struct {
        char address;
        const char* identity;
    } cases[] = {{'1', "ZEM-VKR3AX2b V2.01"}, {'2', "ZEM-VKR3AX2a V1.07"}, {'4', "ACME-PSU12 V3"}};
    for (const auto& c : cases) {
        const std::string expected = ack() + "#" + c.address + c.identity + "\r";
        EXPECT_EQ(line->query(std::string("#") + c.address + "IDR"), expected);
        EXPECT_LT(expected.size() - 1, 29u);
    }
    sim.setIdentity('2', "ZEM-VKR3AX2a V9.99");
    EXPECT_EQ(line->query("#2IDR"), answer("#2", "ZEM-VKR3AX2a V9.99"));
    EXPECT_EQ(line->command("#4C1R"), nak()) << "a foreign device knows only the identity request";
    EXPECT_EQ(line->command("#4DF1"), nak());
    line->send("#3IDR\r");
    EXPECT_TRUE(line->quietFor(100)) << "no device at address 3";
}

TEST_F(SimTest, broadcastIsObeyedByAllButAnsweredByNone) {
    line->send("#&C1W2.200\r#&DF1\r#&C1R\r#&IDR\r");
    // Any answer to the broadcasts would arrive before the answer to this read.
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "2.200"));
    EXPECT_EQ(line->query("#2C1R"), answer("#2C1R", "2.200"));
    EXPECT_TRUE(sim.outputRunning('1'));
    EXPECT_TRUE(sim.outputRunning('2'));
}

TEST_F(SimTest, refusesUnknownReadOnlyAndMissingCommands) {
    sim.addDevice('3', DeviceKind::VersionB);
    const char* refused[] = {
        "#1ZZR",  "#1C0W1.0", "#1S0W5", "#1DTW1",    "#1C1Wabc", "#1C1W",      "#1WFW1.5", "#1C1X",  "#1DF9",
        "#1DF1x", "#1IDW",    "#2P4R",  "#2PcW10.0", "#2X1R",    "#2YaW0.100", "#2DTR",    "#1S0E2",
    };
    for (const char* frame : refused)
        EXPECT_EQ(line->command(frame), nak()) << frame;

    // Version b answers what version a refuses.
    EXPECT_EQ(line->query("#3P4R"), answer("#3P4R", "0"));
    EXPECT_EQ(line->query("#3DTR"), answer("#3DTR", "1"));
}

TEST_F(SimTest, optionalStatusAnswersFollowTheirSettings) {
    sim.setDitherTableSupport('2', 0);
    EXPECT_EQ(line->query("#2DTR"), answer("#2DTR", "0"));
    sim.setDitherTableSupport('1', -1);
    EXPECT_EQ(line->command("#1DTR"), nak());
    EXPECT_EQ(line->query("#1S3R"), answer("#1S3R", "1.000"));
    sim.setStromaktivSupported('1', false);
    EXPECT_EQ(line->command("#1S3R"), nak());
}

TEST_F(SimTest, actualValuesMoveOnlyWhileTheOutputRuns) {
    EXPECT_EQ(line->query("#1C0R"), answer("#1C0R", "0.000"));
    EXPECT_EQ(line->query("#1V0R"), answer("#1V0R", "0.000"));

    EXPECT_EQ(line->command("#1C1W2.000"), ack());
    EXPECT_EQ(line->command("#1V1W30.0"), ack());
    EXPECT_EQ(line->command("#1DF1"), ack());
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "0300"));
    std::set<std::string> currents;
    for (int i = 0; i < 20; ++i) {
        const std::string current = line->query("#1C0R");
        ASSERT_EQ(current.substr(0, 6), ack() + "#1C0R");
        EXPECT_NEAR(valueOf(current), 2.0, 0.02);
        currents.insert(current);
        EXPECT_NEAR(valueOf(line->query("#1V0R")), 30.0, 0.5);
    }
    EXPECT_GT(currents.size(), 1u) << "a measured current scatters";

    EXPECT_EQ(line->command("#1DF2"), ack());
    EXPECT_FALSE(sim.outputRunning('1'));
    EXPECT_EQ(line->query("#1C0R"), answer("#1C0R", "0.000"));
    EXPECT_EQ(line->query("#1V0R"), answer("#1V0R", "0.000"));
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "0800"));
}

TEST_F(SimTest, currentSwitchTogglesTheActiveCurrent) {
    EXPECT_EQ(line->command("#1C1W1.000"), ack());
    EXPECT_EQ(line->command("#1C2W3.000"), ack());
    EXPECT_EQ(line->command("#1DF1"), ack());
    EXPECT_EQ(line->query("#1S3R"), answer("#1S3R", "1.000"));
    EXPECT_NEAR(valueOf(line->query("#1C0R")), 1.0, 0.01);

    EXPECT_EQ(line->command("#1DF5"), ack());
    EXPECT_EQ(sim.activeCurrent('1'), 2);
    EXPECT_EQ(line->query("#1S3R"), answer("#1S3R", "2.000"));
    EXPECT_NEAR(valueOf(line->query("#1C0R")), 3.0, 0.03);

    EXPECT_EQ(line->command("#1DF5"), ack());
    EXPECT_EQ(line->query("#1S3R"), answer("#1S3R", "1.000"));
}

TEST_F(SimTest, clearErrorsAndCalibrationClearTheirStatusBits) {
    sim.setStatusWord('1', 0x2A19);
    EXPECT_EQ(line->command("#1DF4"), ack());
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "2A11"));
    EXPECT_EQ(line->command("#1DF3"), ack());
    EXPECT_EQ(line->query("#1S0R"), answer("#1S0R", "0A00"));
}

TEST_F(SimTest, logsEveryFrameFromItsStartCharacter) {
    line->send("noise#1C1R\r#9IDR\r#&DF2\r");
    ASSERT_TRUE(sim.waitForFrames(3, 1000));
    const std::vector<std::string> expected = {"#1C1R\r", "#9IDR\r", "#&DF2\r"};
    EXPECT_EQ(sim.frames(), expected);
    EXPECT_EQ(line->read(64, true), answer("#1C1R", "1.000"));
    sim.clearFrames();
    EXPECT_TRUE(sim.frames().empty());
}
