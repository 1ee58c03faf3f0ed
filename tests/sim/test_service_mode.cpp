// Service-mode challenge: the seed answer decodes to the seed the regulator holds, and only
// the keys derived from that seed and the entered mode open service mode.

#include "tests/sim/sim_fixture.h"

#include "device/schluessel.h"
#include "tests/support/schluesselwerte.h"

#include <functional>
#include <string>

namespace {

// Decodes the 30 hex digits after "\x06#qS0R" as the program does: fields of 8, 8, 8 and 6.
bool decodeSeed(const std::string& answer, uint64_t& seed) {
    if (answer.size() != 6 + 30 + 1 || answer.back() != '\r') return false;
    const std::string digits = answer.substr(6, 30);
    if (digits.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) return false;
    const uint64_t g1 = std::stoull(digits.substr(0, 8), nullptr, 16);
    const uint64_t g2 = std::stoull(digits.substr(8, 8), nullptr, 16);
    const uint64_t g3 = std::stoull(digits.substr(16, 8), nullptr, 16);
    const uint64_t g4 = std::stoull(digits.substr(24, 6), nullptr, 16);
    seed = ((g1 << 32) + g2) ^ ((g3 << 32) + (g4 << 8));
    return true;
}

} // namespace

TEST_F(SimTest, seedAnswerDecodesToTheFixedSeedWithFreshDigits) {
    const uint64_t seed = 0x0123456789ABCDEFull;
    sim.setSeed('1', seed);
    const std::string first = line->query("#qS0R");
    const std::string second = line->query("#qS0R");
    ASSERT_EQ(first.substr(0, 6), ack() + "#qS0R");
    uint64_t decoded = 0;
    ASSERT_TRUE(decodeSeed(first, decoded)) << first;
    EXPECT_EQ(decoded, seed);
    ASSERT_TRUE(decodeSeed(second, decoded)) << second;
    EXPECT_EQ(decoded, seed);
    EXPECT_NE(first, second) << "the masking digits change with every read";
}

TEST_F(SimTest, everySeedReadHandsOutAFreshSeed) {
    uint64_t a = 0, b = 0;
    ASSERT_TRUE(decodeSeed(line->query("#rS0R"), a)); // regulator 2, shifted address
    ASSERT_TRUE(decodeSeed(line->query("#rS0R"), b));
    EXPECT_NE(a, b);
}

TEST_F(SimTest, onlyTheKeysOfTheIssuedSeedEnterServiceMode) {
    struct KeyCase {
        const char* label;
        std::function<void(uint16_t keys[4], int& mode)> tamper;
        bool readSeedFirst;
        bool enters;
    };
    const KeyCase cases[] = {
        {"derived keys", [](uint16_t*, int&) {}, true, true},
        {"first key off by one", [](uint16_t* k, int&) { k[0] ^= 1; }, true, false},
        {"third key off by one", [](uint16_t* k, int&) { k[2] ^= 1; }, true, false},
        {"last key off by one", [](uint16_t* k, int&) { k[3] ^= 1; }, true, false},
        {"keys swapped", [](uint16_t* k, int&) { std::swap(k[0], k[3]); }, true, false},
        {"other mode entered", [](uint16_t*, int& m) { m = 3; }, true, false},
        {"no seed handed out", [](uint16_t*, int&) {}, false, false},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.label);
        vkr3xsim::Simulator fresh;
        fresh.addDevice('3', vkr3xsim::DeviceKind::VersionB);
        const uint64_t seed = 0xFEDCBA9876543210ull;
        fresh.setSeed('3', seed);
        const std::string path = fresh.open();
        ASSERT_FALSE(path.empty());
        fresh.start();
        simtest::PtyLine l(path);

        if (c.readSeedFirst) {
            uint64_t decoded = 0;
            ASSERT_TRUE(decodeSeed(l.query("#sS0R"), decoded));
        }
        uint16_t keys[4];
        SchluesselBerechnen(seed, 2, keys);
        int mode = 2;
        c.tamper(keys, mode);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(l.command("#sS" + std::to_string(i) + "W" + std::to_string(keys[i])), ack());
        }
        EXPECT_EQ(l.command("#sS0E" + std::to_string(mode)), ack());
        EXPECT_EQ(fresh.serviceModeEntered('3'), c.enters);
        fresh.stop();
    }
}

TEST_F(SimTest, knownKeysOfAFixedSeedEnterServiceMode) {
    for (const Schluesselwert& w : SCHLUESSELWERTE) {
        vkr3xsim::Simulator fresh;
        fresh.addDevice('1', vkr3xsim::DeviceKind::VersionB);
        fresh.setSeed('1', w.seed);
        const std::string path = fresh.open();
        ASSERT_FALSE(path.empty());
        fresh.start();
        simtest::PtyLine l(path);
        uint64_t decoded = 0;
        ASSERT_TRUE(decodeSeed(l.query("#qS0R"), decoded));
        EXPECT_EQ(decoded, w.seed);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(l.command("#qS" + std::to_string(i) + "W" + std::to_string(w.keys[i])), ack());
        EXPECT_EQ(l.command("#qS0E2"), ack());
        EXPECT_TRUE(fresh.serviceModeEntered('1')) << w.seed;
        fresh.stop();
    }
}

TEST_F(SimTest, serviceFramesOutsideTheChallengeAreRefused) {
    for (const char* frame : {"#qC1R", "#qS4W1", "#qS0Wx", "#qS0W-1", "#qS0W012", "#qS1E2", "#qIDR"}) {
        EXPECT_EQ(line->command(frame), nak()) << frame;
    }
    EXPECT_EQ(line->command("#qS0W65536"), ack()) << "keys carry no range check";
    EXPECT_FALSE(sim.serviceModeEntered('1'));
}
