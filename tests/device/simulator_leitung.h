#pragma once
// A simulated regulator line opened through the driver as COM 1: the simulator serves a
// pseudo-terminal in a background thread, and VKR3X_COM1 points the serial layer at it.

#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

constexpr int LEITUNG_PORT = 1;
constexpr double LEITUNG_TIMEOUT = 0.1; // seconds; short, since silence costs one time-out

class SimulatorLeitung : public ::testing::Test {
  protected:
    // A version-b regulator at address 1, the port open at 115200 baud with a short time-out.
    void SetUp() override;
    void TearDown() override;

    // Frames the simulator received, waiting (bounded) until at least n have arrived.
    std::vector<std::string> Rahmen(size_t n);
    // Frames received before a marker exchange that is run now: proves that a call which
    // returned early left nothing on its way to the regulator.
    std::vector<std::string> RahmenVorMarke();

    vkr3xsim::Simulator sim;
};

// Answers the next frame with exactly the given bytes instead of the regulator's answer:
// the frame gets no reply of its own, and once it has arrived the bytes are put on the line.
// Joins its helper thread on destruction.
class GeskriptetAntwort {
  public:
    GeskriptetAntwort(vkr3xsim::Simulator& sim, const std::string& bytes);
    ~GeskriptetAntwort();
    GeskriptetAntwort(const GeskriptetAntwort&) = delete;
    GeskriptetAntwort& operator=(const GeskriptetAntwort&) = delete;

  private:
    std::thread helfer;
};

std::string Ack(const std::string& zeile); // "\x06" + zeile
