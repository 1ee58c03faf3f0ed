// The regulator is strict about what it takes: every value text is checked against the command
// table, and a refused frame changes nothing. Its line keeps to the speed of a real one.

#include "tests/sim/sim_fixture.h"

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>

using vkr3xsim::FaultKind;

namespace {

struct TextCase {
    const char* frame;
    bool accepted;
    const char* why;
};

long long millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

TEST_F(SimTest, valueTextsAreTakenOnlyInTheFormOfTheCommandTable) {
    const TextCase cases[] = {
        // integers: unsigned decimal digits, no sign, blanks or leading zeros
        {"#1WFW12", true, "integer"},
        {"#1WFW+5", false, "sign"},
        {"#1M1W-0", false, "minus"},
        {"#1WFW 5", false, "leading blank"},
        {"#1WFW5 ", false, "trailing blank"},
        {"#1WFW05", false, "leading zero"},
        {"#1WFW5.0", false, "integer with a point"},
        {"#1WFW", false, "empty"},
        // reals: exactly the row's decimals, a leading minus allowed
        {"#1C1W0.500", true, "three decimals"},
        {"#1C1W0.5", false, "too few decimals"},
        {"#1C1W0.5000", false, "too many decimals"},
        {"#1C1W.500", false, "no whole part"},
        {"#1C1W00.500", false, "leading zero"},
        {"#1C1W+0.500", false, "plus sign"},
        {"#1C1W0,500", false, "comma"},
        {"#1C1W5e-1", false, "exponent"},
        {"#1C1W 0.500", false, "blank"},
        {"#1T1W1000", true, "no decimals"},
        {"#1T1W1000.", false, "point without decimals"},
        {"#1T1W1000.0", false, "decimal for a whole-number row"},
        {"#1D3W-0.001", true, "negative within the range"},
        {"#1P6W12.34", true, "two decimals"},
        {"#1V1W24.50", false, "two decimals for one"},
        // range of the table, widened by half a unit of the last digit
        {"#1C1W0.001", true, "smallest current"},
        {"#1C1W0.000", false, "below the smallest current"},
        {"#1C1W6.000", true, "largest current"},
        {"#1C1W6.001", false, "above the largest current"},
        {"#1T1W0", false, "time 1 must not be 0"},
        {"#1T3W0", true, "time 3 may be 0"},
        {"#1T3W-1", false, "negative time"},
        {"#1T1W65536", false, "above 65535 ms"},
        {"#1V1W4.9", false, "below 5 V"},
        {"#1V1W55.0", true, "55 V"},
        {"#1D3W-0.002", false, "below the dither-table marker"},
        {"#1D1W3", true, "dither type 3"},
        {"#1D1W4", false, "dither type 4"},
        {"#1WFW13", false, "curve 13"},
        // commands, access and numbers
        {"#1ZZW1", false, "unknown code"},
        {"#1C0W1.000", false, "read-only value"},
        {"#1C1R1.000", false, "read carrying a value"},
        {"#1PNS16", true, "program 16"},
        {"#1PNS17", false, "program 17"},
        {"#1PNP0", false, "program 0"},
        {"#1PNS01", false, "program with a leading zero"},
        {"#1DF0", false, "device function 0"},
        {"#1DF6", false, "device function 6"},
        {"#qS0E100", true, "key_enter 100"},
        {"#qS0E101", false, "key_enter 101"},
        {"#qS2W99999", true, "keys carry no range check"},
        {"#qS2W+1", false, "key with a sign"},
    };
    for (const TextCase& c : cases) {
        const double before = sim.value('1', "strom1");
        EXPECT_EQ(line->command(c.frame), c.accepted ? ack() : nak()) << c.frame << ": " << c.why;
        if (!c.accepted) {
            EXPECT_EQ(sim.value('1', "strom1"), before) << c.frame << ": a refused frame changes nothing";
        }
    }
}

TEST_F(SimTest, storedProgramsStartDifferentFromEachOtherAndTheWorkingSet) {
    const std::string working = line->query("#1C1R") + line->query("#1T1R") + line->query("#1WFR");
    std::set<std::string> seen{working};
    for (int n = 1; n <= 16; ++n) {
        ASSERT_EQ(line->command("#1PNS" + std::to_string(n)), ack()) << n;
        const std::string loaded = line->query("#1C1R") + line->query("#1T1R") + line->query("#1WFR");
        EXPECT_TRUE(seen.insert(loaded).second) << "program " << n << " looks like another set";
        const std::string strom1 = line->query("#1C1R");
        EXPECT_DOUBLE_EQ(std::strtod(strom1.c_str() + 6, nullptr), sim.programValue('1', n, "strom1"));
    }
}

TEST_F(SimTest, answersComeNoFasterThanTheLineCarriesThem) {
    sim.setBaudRate(1200); // 8.33 ms a character
    const auto start = std::chrono::steady_clock::now();
    // 6 frame bytes in, ACK and the 11-byte line out: 18 characters
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000"));
    const long long elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 149);
    EXPECT_LT(elapsed, 400);
    const vkr3xsim::LineCounts counts = sim.lineCounts();
    EXPECT_EQ(counts.frames, 1u);
    EXPECT_EQ(counts.bytesReceived, 6u);
    EXPECT_EQ(counts.bytesSent, 12u);
}

TEST_F(SimTest, behindAnAdapterEveryAnswerWaitsForTheNextExpiryOfItsTimer) {
    sim.setAdapterLatency(100);
    // Each frame goes out after the answer before it has come, at one expiry, so its own answer
    // waits for a later one: three answers take at least two periods after the first expiry.
    const auto first = std::chrono::steady_clock::now();
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000"));
    EXPECT_EQ(line->query("#1IDR"), ack() + "#1ZEM-VKR3AX2b V2.01\r");
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000"));
    EXPECT_GE(millisecondsSince(first), 199);
}

TEST_F(SimTest, timingFaultsDelayOrSpreadTheAnswer) {
    sim.addFault({0, "C1R", FaultKind::Delay, 1, 150});
    auto start = std::chrono::steady_clock::now();
    line->send("#1C1R\r");
    EXPECT_TRUE(line->quietFor(100)) << "nothing before the delay";
    EXPECT_EQ(line->read(12, true), answer("#1C1R", "1.000"));
    EXPECT_GE(millisecondsSince(start), 149);

    sim.addFault({0, "C1R", FaultKind::Trickle, 1, 20});
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000"));
    EXPECT_GE(millisecondsSince(start), 12 * 20 - 1) << "a pause before each of the 12 bytes";

    sim.addFault({0, "C1R", FaultKind::Flood, 1, 0, 3000});
    line->send("#1C1R\r");
    EXPECT_EQ(line->read(3001, false), ack() + std::string(3000, 'U'));
    EXPECT_TRUE(line->quietFor(50));
}

TEST_F(SimTest, hangUpInsideALineBreaksOffAfterItsFirstHalf) {
    sim.addFault({0, "IDR", FaultKind::HangUpInLine, 1});
    line->send("#1IDR\r");
    // "#1ZEM-VKR3AX2b V2.01" has 20 characters before its CR
    EXPECT_EQ(line->read(64, true), ack() + "#1ZEM-VKR3");
    EXPECT_TRUE(line->hungUp(1000));
}
