// The regulators' side of the line: cutting the byte stream into frames, routing each frame to
// its regulator (or to all of them for a broadcast), and bending the answer when a fault rule
// says so.

#include "sim/simulator_impl.h"

#include "sim/parameter_table.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <unistd.h>

namespace vkr3xsim {

namespace {

constexpr char kBroadcast = '&';
constexpr char kServiceShift = 64;
constexpr size_t kMaxFrame = 64;             // longer "frames" are line noise and are dropped
constexpr size_t kLineLimit = 29;            // longest answer line the program reads
constexpr int kWriteStallMs = 200;           // give up on a line whose reader has stopped reading
constexpr int64_t kHangUpPauseNs = 20000000; // between a broken-off line and the hang-up

} // namespace

Regulator* Simulator::Impl::find(char address) {
    const auto it = devices.find(address);
    return it == devices.end() ? nullptr : &it->second;
}

void Simulator::Impl::feed(const char* data, size_t size, int64_t readAt) {
    now = readAt;
    counts.bytesReceived += size;
    for (size_t i = 0; i < size && master >= 0; ++i) {
        const char c = data[i];
        if (c == '#') {
            partial.assign(1, c);
            inFrame = true;
            frameSeen = readAt;
        } else if (inFrame) {
            partial += c;
            if (c == CR) {
                inFrame = false;
                // On a real line the frame's last byte arrives only after all of it has travelled.
                frameDone = std::max(now, std::max(frameSeen, rxFree) +
                                              charNs * static_cast<int64_t>(partial.size()));
                rxFree = frameDone;
                dispatch(partial);
            } else if (partial.size() > kMaxFrame) {
                inFrame = false;
            }
        }
    }
}

void Simulator::Impl::dispatch(const std::string& frame) {
    ++counts.frames;
    if (logFrames) frames.push_back(frame);
    if (silenceAfter == 0) return;
    if (silenceAfter > 0) --silenceAfter;
    if (frame.size() < 6) return; // "#", address, two code characters, operation, CR

    Command cmd;
    cmd.address = frame[1];
    cmd.code[0] = frame[2];
    cmd.code[1] = frame[3];
    cmd.op = frame[4];
    cmd.value = frame.substr(5, frame.size() - 6);

    // Every regulator obeys a broadcast and none answers it, so the line stays quiet.
    if (cmd.address == kBroadcast || cmd.address == kBroadcast + kServiceShift) {
        cmd.service = cmd.address != kBroadcast;
        for (auto& entry : devices)
            entry.second.handle(cmd);
        return;
    }
    Regulator* device = find(cmd.address);
    if (!device && cmd.address > kServiceShift) {
        device = find(static_cast<char>(cmd.address - kServiceShift));
        cmd.service = device != nullptr;
    }
    if (!device) return;

    FaultRule rule;
    if (takeFault(*device, frame, rule)) {
        answerWithFault(*device, cmd, frame, rule);
        return;
    }
    const Reply answer = device->handle(cmd);
    if (answer.ack != 0) reply(answer.ack + answer.line);
}

bool Simulator::Impl::takeFault(const Regulator& device, const std::string& frame, FaultRule& rule) {
    const std::string text = frame.substr(2, frame.size() - 3);
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        const bool addressMatches =
            it->address == 0 || it->address == device.address() || it->address == frame[1];
        if (!addressMatches || it->count == 0 || text.compare(0, it->match.size(), it->match) != 0) continue;
        rule = *it;
        if (it->count > 0 && --it->count == 0) faults.erase(it);
        return true;
    }
    return false;
}

void Simulator::Impl::answerWithFault(Regulator& device, const Command& cmd, const std::string& frame,
                                      const FaultRule& rule) {
    switch (rule.kind) {
    case FaultKind::Nak:
        reply(std::string(1, NAK));
        return;
    case FaultKind::Can:
        reply(std::string(1, CAN));
        return;
    case FaultKind::Silence:
        return;
    case FaultKind::GarbageAck:
        reply("?");
        return;
    case FaultKind::TopBitAck:
        reply("\x86");
        return;
    case FaultKind::HangUp:
        reply({}, 0, true);
        return;
    default:
        break;
    }

    // The remaining faults acknowledge: the regulator has executed the command, only its
    // answer comes out wrong or late.
    const Reply answer = device.handle(cmd);
    if (rule.kind == FaultKind::StoreOther) {
        const int row = rowIndexByCode(cmd.code[0], cmd.code[1]);
        if (answer.ack == ACK && cmd.op == 'W' && row >= 0)
            device.setValue(parameterRows()[row].name, rule.value);
        if (answer.ack != 0) reply(answer.ack + answer.line);
        return;
    }
    const std::string head = frame.substr(0, 5);
    const int64_t pause = static_cast<int64_t>(std::max(rule.milliseconds, 0)) * 1000000;
    std::string line;
    switch (rule.kind) {
    case FaultKind::ErrLine:
        line = head + "err" + CR;
        break;
    case FaultKind::BadValue:
        line = head + "xyz" + CR; // neither decimal nor hexadecimal
        break;
    case FaultKind::NoCr:
        line = answer.line.empty() ? head : answer.line.substr(0, answer.line.size() - 1);
        line.resize(kLineLimit, ' ');
        break;
    case FaultKind::WrongEcho: {
        line = answer.line.empty() ? head + CR : answer.line;
        // The identity line echoes only the address; every other line echoes the code.
        if (cmd.code[0] == 'I' && cmd.code[1] == 'D') {
            line[1] = line[1] == '8' ? '1' : static_cast<char>(line[1] + 1);
        } else {
            const bool isC2 = line[2] == 'C' && line[3] == '2';
            line[2] = 'C';
            line[3] = isC2 ? '1' : '2';
        }
        break;
    }
    case FaultKind::Delay:
        if (answer.ack != 0) reply(answer.ack + answer.line, pause);
        return;
    case FaultKind::Trickle:
        if (answer.ack == 0) return;
        for (const char c : answer.ack + answer.line)
            reply(std::string(1, c), pause);
        return;
    case FaultKind::Flood:
        line.assign(static_cast<size_t>(std::max(rule.bytes, 0)), 'U');
        break;
    case FaultKind::HangUpInLine:
        // Never the CR: the line breaks off inside.
        line = answer.line.substr(0, answer.line.empty() ? 0
                                                         : std::max<size_t>(1, (answer.line.size() - 1) / 2));
        // The reader gets a moment to take those bytes: closing a pseudo-terminal discards
        // what its other end has not read yet.
        reply(ACK + line);
        reply({}, rule.milliseconds > 0 ? pause : kHangUpPauseNs, true);
        return;
    default:
        break;
    }
    reply(ACK + line);
}

void Simulator::Impl::reply(const std::string& bytes, int64_t delayNs, bool hangUpAfter) {
    // A pause counts from the end of what went before; then the bytes take their line time.
    const int64_t start = std::max(frameDone, txFree) + delayNs;
    const int64_t due = start + charNs * static_cast<int64_t>(bytes.size());
    txFree = due;
    if (latencyNs <= 0 || bytes.empty()) {
        outbox.push_back({due, bytes, hangUpAfter});
        return;
    }
    // At every expiry of its timer the adapter passes on the bytes that have arrived by then.
    // (Answers are shorter than the 62 bytes after which such a chip would not wait.)
    size_t from = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int64_t tick = adapterTick(start + charNs * static_cast<int64_t>(i + 1));
        const bool last = i + 1 == bytes.size();
        if (last || adapterTick(start + charNs * static_cast<int64_t>(i + 2)) != tick) {
            outbox.push_back({tick, bytes.substr(from, i + 1 - from), last && hangUpAfter});
            from = i + 1;
        }
    }
}

int64_t Simulator::Impl::adapterTick(int64_t time) const {
    const int64_t since = std::max<int64_t>(time - opened, 0);
    return opened + (since + latencyNs - 1) / latencyNs * latencyNs;
}

int64_t Simulator::Impl::writeDue(int64_t time) {
    while (!outbox.empty() && outbox.front().due <= time && master >= 0) {
        const Output out = std::move(outbox.front());
        outbox.pop_front();
        if (!out.bytes.empty()) {
            ++counts.answers;
            counts.lateNs += static_cast<uint64_t>(std::max<int64_t>(monotonicNs() - out.due, 0));
        }
        send(out.bytes);
        if (out.hangUpAfter) hangUp();
    }
    if (master < 0) outbox.clear();
    if (outbox.empty()) framesArrived.notify_all(); // waitForAnswersSent
    return outbox.empty() ? -1 : outbox.front().due;
}

void Simulator::Impl::send(const std::string& bytes) {
    size_t done = 0;
    while (master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            counts.bytesSent += static_cast<uint64_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            // The line is full because nobody reads it; drop the rest rather than hang.
            pollfd out{master, POLLOUT, 0};
            if (::poll(&out, 1, kWriteStallMs) > 0) continue;
        }
        return;
    }
}

void Simulator::Impl::hangUp() {
    if (master >= 0) ::close(master);
    if (slave >= 0) ::close(slave);
    master = -1;
    slave = -1;
    inFrame = false;
    outbox.clear();
}

int64_t monotonicNs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace vkr3xsim
