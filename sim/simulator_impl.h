#pragma once
// Shared state of a Simulator: the pseudo-terminal, the regulators on the line, the fault
// rules and the frame log. Every member below the mutex is guarded by it; the serving loop
// holds it while it handles the frames of one chunk read from the line.

#include "sim/regulator.h"
#include "sim/simulator.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vkr3xsim {

struct Simulator::Impl {
    std::thread thread;
    std::atomic<bool> stopping{false};
    int wakeRead = -1; // a byte in this pipe ends the serving loop
    int wakeWrite = -1;

    mutable std::mutex mutex;
    mutable std::condition_variable framesArrived;
    int master = -1;
    // The simulator keeps the slave side open itself, so the line (and its raw mode) survives
    // the program closing and reopening its port.
    int slave = -1;
    std::string slavePath;

    std::map<char, Regulator> devices;
    std::vector<FaultRule> faults;
    int silenceAfter = -1;
    bool logFrames = true;
    std::vector<std::string> frames;

    std::string partial; // bytes of a frame whose CR has not arrived yet
    bool inFrame = false;

    Regulator* find(char address);

    // Frame handling (frame_dispatch.cpp), all with the mutex held.
    void feed(const char* data, size_t size);
    void dispatch(const std::string& frame);
    bool takeFault(const Regulator& device, const std::string& frame, FaultKind& kind);
    void answerWithFault(Regulator& device, const Command& cmd, const std::string& frame, FaultKind kind);
    void send(const std::string& bytes);
    void hangUp();
};

} // namespace vkr3xsim
