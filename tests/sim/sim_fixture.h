#pragma once
// A running simulator with a version-b regulator at address 1 and a version-a regulator at
// address 2, and the program's end of the line opened raw.

#include "sim/simulator.h"
#include "tests/sim/pty_line.h"

#include <gtest/gtest.h>
#include <memory>

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.addDevice('1', vkr3xsim::DeviceKind::VersionB);
        sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
        const std::string path = sim.open();
        ASSERT_FALSE(path.empty());
        sim.start();
        line = std::make_unique<simtest::PtyLine>(path);
        ASSERT_TRUE(line->isOpen());
    }
    void TearDown() override { sim.stop(); }

    static std::string ack() { return std::string(1, simtest::ACK); }
    static std::string nak() { return std::string(1, simtest::NAK); }
    static std::string answer(const std::string& head, const std::string& value) {
        return ack() + head + value + "\r";
    }

    vkr3xsim::Simulator sim;
    std::unique_ptr<simtest::PtyLine> line;
};
