#pragma once
// Shared state of a Simulator: the pseudo-terminal, the regulators on the line, the fault
// rules and the frame log. Every member below the mutex is guarded by it; the serving loop
// holds it while it handles the frames of one chunk read from the line.

#include "sim/regulator.h"
#include "sim/simulator.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
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
    mutable std::condition_variable framesArrived; // also: the outbox has been emptied
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

    // Answers wait here until the line would have carried them. Times are CLOCK_MONOTONIC
    // nanoseconds.
    struct Output {
        int64_t due;
        std::string bytes;
        bool hangUpAfter = false;
    };
    std::deque<Output> outbox;
    int64_t charNs = 0;    // time of one 7O1 character on the line; 0 = no pacing
    int64_t now = 0;       // when the bytes being fed were read
    int64_t frameSeen = 0; // when the first byte of the frame in progress was read
    int64_t rxFree = 0;    // the incoming line has carried everything up to here
    int64_t frameDone = 0; // the frame being answered has fully arrived
    int64_t txFree = 0;    // the outgoing line is busy until here
    int64_t latencyNs = 0; // the adapter's latency timer; 0 = no adapter
    int64_t opened = 0;    // when the line was opened: the adapter's timer runs from here
    LineCounts counts;

    Regulator* find(char address);

    // Frame handling (frame_dispatch.cpp), all with the mutex held.
    void feed(const char* data, size_t size, int64_t readAt);
    void dispatch(const std::string& frame);
    bool takeFault(const Regulator& device, const std::string& frame, FaultRule& rule);
    void answerWithFault(Regulator& device, const Command& cmd, const std::string& frame,
                         const FaultRule& rule);
    // Queues bytes to follow the current frame after `delayNs`, paced at the line speed and held
    // back by the adapter.
    void reply(const std::string& bytes, int64_t delayNs = 0, bool hangUpAfter = false);
    // The first expiry of the adapter's timer at or after `time`.
    int64_t adapterTick(int64_t time) const;
    // Writes every queued output that is due at `time`; returns the due time of the next one,
    // or -1 when none is left.
    int64_t writeDue(int64_t time);
    void send(const std::string& bytes);
    void hangUp();
};

int64_t monotonicNs();

} // namespace vkr3xsim
