#pragma once
// One simulated regulator: its working parameters, sixteen stored programs, output state and
// service-mode challenge, and the answer it gives to one command. The regulator knows nothing
// of the line: it takes a decoded frame and returns the bytes to send back.

#include "sim/simulator.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vkr3xsim {

constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CAN = 0x18;
constexpr char CR = 0x0D;

// One command as it arrived: the address character exactly as sent (shifted by 64 for
// service-mode frames), the two code characters, the operation letter and the value text.
struct Command {
    char address = 0;
    char code[2] = {0, 0};
    char op = 0;
    std::string value;
    bool service = false;
};

// What the regulator sends back: an acknowledgement byte (0 = nothing at all) and, for
// reads, the answer line including its CR.
struct Reply {
    char ack = 0;
    std::string line;
};

class Regulator {
  public:
    static constexpr int kPrograms = 16;
    using ParameterSet = std::vector<double>;

    Regulator(char address, DeviceKind kind);

    char address() const { return address_; }
    DeviceKind kind() const { return kind_; }

    Reply handle(const Command& cmd);

    // Direct access by parameter name; NaN for names the regulator does not know.
    double value(const std::string& name);
    void setValue(const std::string& name, double v);
    double programValue(int program, const std::string& name) const;
    void setProgramValue(int program, const std::string& name, double v);

    std::string identity;
    bool running = false;
    int activeCurrent = 1;
    int extraStatus = 0; // bits set from outside, or-ed into the status word
    int compatibilityMode = 0;
    int ditherTableSupport = 0; // -1: "DT" is refused
    bool stromaktivSupported = true;
    std::optional<uint64_t> fixedSeed;
    bool serviceMode = false;

  private:
    Reply handleParameter(const Command& cmd);
    Reply handleProgram(const Command& cmd);
    Reply handleDeviceFunction(const Command& cmd);
    Reply handleService(const Command& cmd);
    Reply readAnswer(const Command& cmd, const std::string& text) const;

    bool understands(int row) const;
    std::optional<double> liveValue(int row);
    int statusWord() const;
    uint64_t nextSeed();
    std::string seedDigits(uint64_t seed);

    char address_;
    DeviceKind kind_;
    ParameterSet working_;
    std::array<ParameterSet, kPrograms> programs_;
    bool ended_ = false; // the output ran and was stopped since the last start

    std::optional<uint64_t> issuedSeed_;
    std::array<std::optional<long>, 4> keys_;

    std::mt19937_64 random_;
};

} // namespace vkr3xsim
