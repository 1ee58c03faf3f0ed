#include "sim/regulator.h"

#include "device/schluessel.h"
#include "sim/parameter_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vkr3xsim {

namespace {

constexpr int kBitStarted = 0x0100;
constexpr int kBitProgramActive = 0x0200;
constexpr int kBitEnded = 0x0800;
constexpr int kBitCalibrationInvalid = 0x0008;
// Temperature, destroyed parameters, invalid calibration, voltage tolerance, cancelled.
constexpr int kErrorBits = 0x0001 | 0x0002 | 0x0008 | 0x0010 | 0x2000;

const char* defaultIdentity(DeviceKind kind) {
    switch (kind) {
    case DeviceKind::VersionA:
        return "ZEM-VKR3AX2a V1.07";
    case DeviceKind::VersionB:
        return "ZEM-VKR3AX2b V2.01";
    case DeviceKind::Foreign:
        break;
    }
    return "ACME-PSU12 V3";
}

int rowOf(const char* code) {
    return rowIndexByCode(code[0], code[1]);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

Regulator::Regulator(char address, DeviceKind kind)
    : identity(defaultIdentity(kind)), address_(address), kind_(kind),
      random_(std::random_device{}() ^ static_cast<uint64_t>(address)) {
    working_.resize(writableRowCount());
    for (size_t i = 0; i < working_.size(); ++i)
        working_[i] = parameterRows()[i].initial;
    // Every stored program starts different from the others and from the working set, so that
    // a program loaded, stored or read in the wrong slot shows.
    static const int rowWF = rowOf("WF"), rowC1 = rowOf("C1"), rowT1 = rowOf("T1");
    for (int n = 1; n <= kPrograms; ++n) {
        ParameterSet& program = programs_[n - 1];
        program = working_;
        program[rowWF] = n % 12 + 1;
        program[rowC1] = 1.0 + 0.125 * n;
        program[rowT1] = 1000 + n;
    }
    // Only version b has the dither table; version a refuses the query until told otherwise.
    ditherTableSupport = kind == DeviceKind::VersionB ? 1 : -1;
}

Reply Regulator::handle(const Command& cmd) {
    const bool identityRequest = cmd.code[0] == 'I' && cmd.code[1] == 'D';
    if (identityRequest && !cmd.service) {
        if (cmd.op != 'R' || !cmd.value.empty()) return {NAK, {}};
        return {ACK, std::string{'#', cmd.address} + identity + CR};
    }
    // A device of another maker shares the line but speaks none of the regulator's commands.
    if (kind_ == DeviceKind::Foreign) return {NAK, {}};
    if (cmd.service) return handleService(cmd);
    if (cmd.code[0] == 'P' && cmd.code[1] == 'N') return handleProgram(cmd);
    if (cmd.code[0] == 'D' && cmd.code[1] == 'F') return handleDeviceFunction(cmd);
    return handleParameter(cmd);
}

Reply Regulator::readAnswer(const Command& cmd, const std::string& text) const {
    std::string line{'#', cmd.address, cmd.code[0], cmd.code[1], 'R'};
    line += text;
    line += CR;
    return {ACK, line};
}

bool Regulator::understands(int row) const {
    const Family family = parameterRows()[row].family;
    return kind_ == DeviceKind::VersionB || (family != Family::Rfwv && family != Family::DitherTable);
}

Reply Regulator::handleParameter(const Command& cmd) {
    const int row = rowIndexByCode(cmd.code[0], cmd.code[1]);
    if (row < 0 || !understands(row)) return {NAK, {}};
    const ParameterRow& r = parameterRows()[row];
    if (cmd.op == 'R' && cmd.value.empty()) {
        if (isWritable(r)) return readAnswer(cmd, formatValue(r, working_[row]));
        const std::optional<double> live = liveValue(row);
        if (!live) return {NAK, {}};
        return readAnswer(cmd, formatValue(r, *live));
    }
    double v = 0;
    if (cmd.op == 'W' && isWritable(r) && parseValue(r, cmd.value, v)) {
        working_[row] = v;
        return {ACK, {}};
    }
    return {NAK, {}};
}

Reply Regulator::handleProgram(const Command& cmd) {
    long n = 0;
    if (!parseUnsigned(cmd.value, n) || n < 1 || n > kPrograms) return {NAK, {}};
    if (cmd.op == 'S') {
        working_ = programs_[n - 1];
    } else if (cmd.op == 'P') {
        programs_[n - 1] = working_;
    } else {
        return {NAK, {}};
    }
    return {ACK, {}};
}

Reply Regulator::handleDeviceFunction(const Command& cmd) {
    if (!cmd.value.empty()) return {NAK, {}};
    switch (cmd.op) {
    case '1': // start
        running = true;
        ended_ = false;
        break;
    case '2': // stop
        if (running) ended_ = true;
        running = false;
        break;
    case '3': // clear errors
        extraStatus &= ~kErrorBits;
        break;
    case '4': // calibrate: completes at once and leaves a valid calibration
        extraStatus &= ~kBitCalibrationInvalid;
        break;
    case '5': // switch between current 1 and current 2
        activeCurrent = activeCurrent == 1 ? 2 : 1;
        break;
    default:
        return {NAK, {}};
    }
    return {ACK, {}};
}

int Regulator::statusWord() const {
    int word = extraStatus;
    if (running) word |= kBitStarted | kBitProgramActive;
    if (ended_) word |= kBitEnded;
    return word;
}

std::optional<double> Regulator::liveValue(int row) {
    static const int rowC0 = rowOf("C0"), rowV0 = rowOf("V0"), rowS0 = rowOf("S0"), rowS1 = rowOf("S1"),
                     rowS3 = rowOf("S3"), rowDT = rowOf("DT");
    static const int rowC1 = rowOf("C1"), rowC2 = rowOf("C2"), rowV1 = rowOf("V1");
    // Measured values scatter a little around the setpoint, as a real output stage does.
    auto noisy = [this](double setpoint, double spread) {
        std::uniform_real_distribution<double> dist(-spread, spread);
        return std::max(0.0, setpoint * (1.0 + dist(random_)));
    };
    if (row == rowC0) return running ? noisy(working_[activeCurrent == 2 ? rowC2 : rowC1], 0.005) : 0.0;
    if (row == rowV0) return running ? noisy(working_[rowV1], 0.01) : 0.0;
    if (row == rowS0) return statusWord();
    if (row == rowS1) return compatibilityMode;
    if (row == rowS3) return stromaktivSupported ? std::optional<double>(activeCurrent) : std::nullopt;
    if (row == rowDT)
        return ditherTableSupport >= 0 ? std::optional<double>(ditherTableSupport) : std::nullopt;
    return std::nullopt;
}

uint64_t Regulator::nextSeed() {
    return fixedSeed ? *fixedSeed : random_();
}

// The seed travels as g1 g2 g3 g4 (8, 8, 8 and 6 hex digits) with
// seed = ((g1 << 32) + g2) ^ ((g3 << 32) + (g4 << 8)); g3 and g4 are random masks, so the
// same seed looks different on every read.
std::string Regulator::seedDigits(uint64_t seed) {
    const uint64_t g3 = random_() & 0xFFFFFFFFu;
    const uint64_t g4 = random_() & 0xFFFFFFu;
    const uint64_t masked = seed ^ ((g3 << 32) + (g4 << 8));
    char text[40];
    std::snprintf(text, sizeof text, "%08llX%08llX%08llX%06llX",
                  static_cast<unsigned long long>(masked >> 32),
                  static_cast<unsigned long long>(masked & 0xFFFFFFFFu), static_cast<unsigned long long>(g3),
                  static_cast<unsigned long long>(g4));
    return text;
}

Reply Regulator::handleService(const Command& cmd) {
    const char c1 = cmd.code[0], c2 = cmd.code[1];
    if (c1 != 'S') return {NAK, {}};
    if (c2 == '0' && cmd.op == 'R' && cmd.value.empty()) {
        issuedSeed_ = nextSeed();
        keys_.fill(std::nullopt);
        return readAnswer(cmd, seedDigits(*issuedSeed_));
    }
    long v = 0;
    if (!parseUnsigned(cmd.value, v)) return {NAK, {}};
    if (cmd.op == 'W' && c2 >= '0' && c2 <= '3') {
        // Keys carry no range check: a key that is no 16-bit value simply does not match.
        keys_[c2 - '0'] = v;
        return {ACK, {}};
    }
    if (cmd.op == 'E' && c2 == '0') {
        if (v > 100) return {NAK, {}};
        if (issuedSeed_) {
            uint16_t expected[4];
            SchluesselBerechnen(*issuedSeed_, static_cast<int>(v), expected);
            bool match = true;
            for (int i = 0; i < 4; ++i)
                match = match && keys_[i] && *keys_[i] == expected[i];
            // A failed attempt does not end a service mode entered earlier.
            if (match) serviceMode = true;
        }
        keys_.fill(std::nullopt);
        return {ACK, {}};
    }
    return {NAK, {}};
}

double Regulator::value(const std::string& name) {
    const int row = rowIndexByName(name);
    if (row < 0) return kNaN;
    if (isWritable(parameterRows()[row])) return working_[row];
    return liveValue(row).value_or(kNaN);
}

void Regulator::setValue(const std::string& name, double v) {
    const int row = rowIndexByName(name);
    if (row >= 0 && isWritable(parameterRows()[row])) working_[row] = v;
}

double Regulator::programValue(int program, const std::string& name) const {
    const int row = rowIndexByName(name);
    if (program < 1 || program > kPrograms || row < 0 || !isWritable(parameterRows()[row])) return kNaN;
    return programs_[program - 1][row];
}

void Regulator::setProgramValue(int program, const std::string& name, double v) {
    const int row = rowIndexByName(name);
    if (program < 1 || program > kPrograms || row < 0 || !isWritable(parameterRows()[row])) return;
    programs_[program - 1][row] = v;
}

} // namespace vkr3xsim
