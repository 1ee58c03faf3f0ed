// vkr3x-sim: regulators behind a pseudo-terminal, for trying the program without hardware.
// The first line on stdout is the serial device to open; the simulator serves until it gets
// SIGINT or SIGTERM.

#include "sim/simulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct DeviceOption {
    char address;
    vkr3xsim::DeviceKind kind;
};

void printUsage(std::FILE* out) {
    std::fprintf(
        out, "Usage: vkr3x-sim [--device ADDRESS:KIND]... [--baud N] [--delay MS] [--store-other CODE=V]\n"
             "                 [--adapter-latency MS] [--stats]\n"
             "Simulates VKR 3 A X2 regulators on a pseudo-terminal and prints its device path.\n"
             "\n"
             "  --device ADDRESS:KIND  a device at ADDRESS (1..8); KIND is a (version a),\n"
             "                         b (version b) or foreign (another maker's device).\n"
             "                         Default: one version-b regulator at address 1.\n"
             "  --baud N               answer no faster than a 7O1 line at N baud carries\n"
             "                         the frame and its answer (default: at once)\n"
             "  --delay MS             start every answer MS milliseconds late\n"
             "  --store-other CODE=V   acknowledge every write of CODE (e.g. C1) but keep\n"
             "                         the value V instead: a regulator that does not keep\n"
             "                         what it is sent\n"
             "  --adapter-latency MS   behave as behind a USB adapter with a latency timer\n"
             "                         of MS milliseconds (16 on FTDI chips by default):\n"
             "                         answers wait for the timer's next expiry\n"
             "  --stats                on exit print the frames and bytes the line carried\n"
             "  --help                 show this text\n"
             "  --version              show the version\n"
             "\n"
             "Stops on SIGINT or SIGTERM.\n");
}

bool parseDevice(const char* text, DeviceOption& out) {
    if (std::strlen(text) < 3 || text[0] < '1' || text[0] > '8' || text[1] != ':') return false;
    const std::string kind = text + 2;
    if (kind == "a") {
        out.kind = vkr3xsim::DeviceKind::VersionA;
    } else if (kind == "b") {
        out.kind = vkr3xsim::DeviceKind::VersionB;
    } else if (kind == "foreign") {
        out.kind = vkr3xsim::DeviceKind::Foreign;
    } else {
        return false;
    }
    out.address = text[0];
    return true;
}

// A whole positive number of at most seven digits.
bool parseCount(const char* text, int& out) {
    const size_t n = std::strlen(text);
    if (n == 0 || n > 7 || std::strspn(text, "0123456789") != n) return false;
    out = std::atoi(text);
    return out > 0;
}

// "C1=0.5": a two-character code and a number.
bool parseStoreOther(const char* text, vkr3xsim::FaultRule& out) {
    if (std::strlen(text) < 4 || text[2] != '=') return false;
    char* end = nullptr;
    const double v = std::strtod(text + 3, &end);
    if (!end || *end != '\0') return false;
    out = {0, std::string(text, 2) + "W", vkr3xsim::FaultKind::StoreOther, -1, 0, 0, v};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<DeviceOption> devices;
    std::vector<vkr3xsim::FaultRule> faults;
    int baud = 0;
    int delayMs = 0;
    int latencyMs = 0;
    bool stats = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("vkr3x-sim %s\n", VKR3X_VERSION);
            return 0;
        }
        if (arg == "--stats") {
            stats = true;
            continue;
        }
        int* count = arg == "--baud"              ? &baud
                     : arg == "--delay"           ? &delayMs
                     : arg == "--adapter-latency" ? &latencyMs
                                                  : nullptr;
        if (count && i + 1 < argc && parseCount(argv[i + 1], *count)) {
            ++i;
            continue;
        }
        vkr3xsim::FaultRule fault;
        if (arg == "--store-other" && i + 1 < argc && parseStoreOther(argv[i + 1], fault)) {
            faults.push_back(fault);
            ++i;
            continue;
        }
        DeviceOption device{};
        if (arg == "--device" && i + 1 < argc && parseDevice(argv[i + 1], device)) {
            devices.push_back(device);
            ++i;
            continue;
        }
        if (arg.rfind("--device=", 0) == 0 && parseDevice(argv[i] + 9, device)) {
            devices.push_back(device);
            continue;
        }
        std::fprintf(stderr, "vkr3x-sim: invalid argument '%s'\n", argv[i]);
        printUsage(stderr);
        return 2;
    }
    if (devices.empty()) devices.push_back({'1', vkr3xsim::DeviceKind::VersionB});

    // Signals are taken by one waiting thread only; every other thread keeps them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    vkr3xsim::Simulator sim;
    for (const DeviceOption& device : devices)
        sim.addDevice(device.address, device.kind);
    sim.setFrameLogging(false);
    sim.setBaudRate(baud);
    sim.setAdapterLatency(latencyMs);
    if (delayMs > 0) sim.addFault({0, "", vkr3xsim::FaultKind::Delay, -1, delayMs});
    for (const vkr3xsim::FaultRule& fault : faults)
        sim.addFault(fault);
    const std::string path = sim.open();
    if (path.empty()) {
        std::fprintf(stderr, "vkr3x-sim: cannot create a pseudo-terminal\n");
        return 1;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    std::thread signalWaiter([&sim, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        sim.stop();
    });
    const int result = sim.run();
    // Wake the waiter if serving ended on its own.
    ::kill(::getpid(), SIGTERM);
    signalWaiter.join();
    if (stats) {
        const vkr3xsim::LineCounts counts = sim.lineCounts();
        std::printf("frames %llu received %llu sent %llu answers %llu late %llu ns\n",
                    static_cast<unsigned long long>(counts.frames),
                    static_cast<unsigned long long>(counts.bytesReceived),
                    static_cast<unsigned long long>(counts.bytesSent),
                    static_cast<unsigned long long>(counts.answers),
                    static_cast<unsigned long long>(counts.lateNs));
    }
    return result == 0 ? 0 : 1;
}
