// Fault injection: each fault kind bends the answer as documented, rules select frames by
// address, text and count, and a silenced or hung-up line stops answering.

#include "tests/sim/sim_fixture.h"

using vkr3xsim::FaultKind;
using vkr3xsim::FaultRule;

namespace {

struct FaultCase {
    const char* label;
    FaultKind kind;
    const char* frame;
    std::string expected; // every byte the line carries in answer
};

std::string padded(std::string text, size_t size) {
    text.resize(size, ' ');
    return text;
}

} // namespace

TEST_F(SimTest, eachFaultKindBendsTheAnswer) {
    const std::string a = ack();
    const FaultCase cases[] = {
        {"nak", FaultKind::Nak, "#1C1R", nak()},
        {"can", FaultKind::Can, "#1C1R", std::string(1, simtest::CAN)},
        {"silence", FaultKind::Silence, "#1C1R", ""},
        {"garbage ack", FaultKind::GarbageAck, "#1C1W0.5", "?"},
        {"top bit ack", FaultKind::TopBitAck, "#1DF1", "\x86"},
        {"err line", FaultKind::ErrLine, "#1C1R", a + "#1C1Rerr\r"},
        {"bad value", FaultKind::BadValue, "#1S0R", a + "#1S0Rxyz\r"},
        {"wrong echo", FaultKind::WrongEcho, "#1C1R", a + "#1C2R1.000\r"},
        {"wrong echo of C2", FaultKind::WrongEcho, "#1C2R", a + "#1C1R2.000\r"},
        {"wrong echo of identity", FaultKind::WrongEcho, "#1IDR", a + "#2ZEM-VKR3AX2b V2.01\r"},
        {"no cr, identity", FaultKind::NoCr, "#1IDR", a + padded("#1ZEM-VKR3AX2b V2.01", 29)},
        {"no cr, read", FaultKind::NoCr, "#1C1R", a + padded("#1C1R1.000", 29)},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.label);
        sim.clearFaults();
        sim.addFault({0, "", c.kind, -1});
        line->send(std::string(c.frame) + "\r");
        EXPECT_EQ(line->read(c.expected.size(), false, c.expected.empty() ? 100 : 1000), c.expected);
        EXPECT_TRUE(line->quietFor(50)) << "nothing may follow the bent answer";
    }
}

TEST_F(SimTest, refusedCommandsAreNotExecutedButBentAnswersAre) {
    sim.addFault({'1', "DF1", FaultKind::Nak, 1});
    EXPECT_EQ(line->command("#1DF1"), nak());
    EXPECT_FALSE(sim.outputRunning('1'));

    sim.addFault({'1', "C1W", FaultKind::ErrLine, 1});
    EXPECT_EQ(line->query("#1C1W2.500"), answer("#1C1W", "err"));
    EXPECT_DOUBLE_EQ(sim.value('1', "strom1"), 2.5);
}

TEST_F(SimTest, faultRulesSelectByAddressTextAndCount) {
    sim.addFault({'2', "", FaultKind::Can, -1});
    sim.addFault({0, "C1W", FaultKind::Nak, 2});

    EXPECT_EQ(line->command("#2C2W1.000"), std::string(1, simtest::CAN)) << "every frame to address 2";
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000")) << "reads do not match C1W";
    EXPECT_EQ(line->command("#1C1W0.700"), nak());
    EXPECT_EQ(line->command("#1C1W0.800"), nak());
    EXPECT_EQ(line->command("#1C1W0.900"), ack()) << "the rule applied to two frames only";
    EXPECT_DOUBLE_EQ(sim.value('1', "strom1"), 0.9);

    sim.clearFaults();
    EXPECT_EQ(line->command("#2C2W1.000"), ack());
}

TEST_F(SimTest, silenceAfterFramesAnswersTheNextFramesOnly) {
    sim.silenceAfterFrames(2);
    EXPECT_EQ(line->command("#1DF3"), ack());
    EXPECT_EQ(line->query("#1C1R"), answer("#1C1R", "1.000"));
    line->send("#1C1R\r");
    EXPECT_TRUE(line->quietFor(100));
    line->send("#1IDR\r");
    EXPECT_TRUE(line->quietFor(100));

    sim.silenceAfterFrames(-1);
    EXPECT_EQ(line->command("#1DF3"), ack());
    EXPECT_EQ(sim.frames().size(), 5u) << "silenced frames are still received";
}

TEST_F(SimTest, sendRawPutsBytesOnTheLineUnasked) {
    sim.sendRaw(std::string("\x06#1late\r", 8));
    EXPECT_EQ(line->read(8, false), std::string("\x06#1late\r", 8));
}

TEST_F(SimTest, hangUpClosesTheLineBeforeAnswering) {
    sim.addFault({0, "IDR", FaultKind::HangUp, -1});
    EXPECT_EQ(line->command("#1C1W1.500"), ack());
    line->send("#1IDR\r");
    ASSERT_TRUE(sim.waitForFrames(2, 1000));

    // The program's end sees the hang-up instead of an acknowledgement.
    EXPECT_TRUE(line->hungUp(1000));
    simtest::PtyLine reopened(sim.path());
    EXPECT_FALSE(reopened.isOpen()) << "the pseudo-terminal is gone";
}
