// Pseudo-terminal, serving loop and the thread-safe public interface of the simulator.

#include "sim/simulator.h"

#include "sim/simulator_impl.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <ctime>
#include <unistd.h>

namespace vkr3xsim {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool setFlags(int fd, int fdFlags, int statusFlags) {
    const int fdOld = ::fcntl(fd, F_GETFD);
    const int statusOld = ::fcntl(fd, F_GETFL);
    return fdOld >= 0 && statusOld >= 0 && ::fcntl(fd, F_SETFD, fdOld | fdFlags) == 0 &&
           ::fcntl(fd, F_SETFL, statusOld | statusFlags) == 0;
}

} // namespace

Simulator::Simulator() : d(std::make_unique<Impl>()) {}

Simulator::~Simulator() {
    stop();
    std::lock_guard lock(d->mutex);
    d->hangUp();
    closeFd(d->wakeRead);
    closeFd(d->wakeWrite);
}

std::string Simulator::open() {
    std::lock_guard lock(d->mutex);
    if (d->master >= 0) return d->slavePath;

    int wake[2];
    if (d->wakeRead < 0) {
        if (::pipe(wake) != 0) return {};
        d->wakeRead = wake[0];
        d->wakeWrite = wake[1];
        setFlags(d->wakeRead, FD_CLOEXEC, O_NONBLOCK);
        setFlags(d->wakeWrite, FD_CLOEXEC, O_NONBLOCK);
    }

    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return {};
    const char* name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || (name = ::ptsname(master)) == nullptr ||
        !setFlags(master, FD_CLOEXEC, O_NONBLOCK)) {
        ::close(master);
        return {};
    }
    const std::string path = name;
    int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave < 0 || ::tcgetattr(slave, &tio) != 0) {
        closeFd(slave);
        ::close(master);
        return {};
    }
    // A fresh terminal echoes and edits lines; the regulator's line must carry bytes as they are.
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);

    d->master = master;
    d->slave = slave;
    d->opened = monotonicNs();
    d->slavePath = path;
    d->partial.clear();
    d->inFrame = false;
    return path;
}

std::string Simulator::path() const {
    std::lock_guard lock(d->mutex);
    return d->slavePath;
}

void Simulator::start() {
    if (d->thread.joinable()) return;
    d->stopping = false;
    char drain[16];
    while (d->wakeRead >= 0 && ::read(d->wakeRead, drain, sizeof drain) > 0) {
    }
    d->thread = std::thread([this] { run(); });
}

void Simulator::stop() {
    d->stopping = true;
    if (d->wakeWrite >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t n = ::write(d->wakeWrite, &wake, 1);
    }
    if (d->thread.joinable() && d->thread.get_id() != std::this_thread::get_id()) d->thread.join();
}

namespace {

// Below this much time before an answer is due the loop sleeps to the exact deadline instead
// of polling: poll's wake-up is late by up to a scheduler tick, which a fast line notices.
constexpr int64_t kExactSleepNs = 2000000;

void sleepUntil(int64_t due) {
    timespec t{static_cast<time_t>(due / 1000000000), static_cast<long>(due % 1000000000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

} // namespace

int Simulator::run() {
    int master;
    {
        std::lock_guard lock(d->mutex);
        master = d->master;
    }
    if (master < 0) return -1;
    // An answer is due to the microsecond; the default timer slack of this thread (50 us)
    // would make every paced answer late by that much.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

    char buffer[4096];
    int64_t nextDue = -1;
    while (!d->stopping) {
        if (nextDue >= 0) {
            const int64_t wait = nextDue - monotonicNs();
            if (wait > 0 && wait <= kExactSleepNs) sleepUntil(nextDue);
            if (wait <= kExactSleepNs) {
                std::lock_guard lock(d->mutex);
                nextDue = d->writeDue(monotonicNs());
                if (d->master < 0) return 0; // hung up on purpose
                continue;
            }
        }
        // Wait for a frame, a stop, or until shortly before the next answer is due.
        timespec timeout{};
        if (nextDue >= 0) {
            const int64_t wait = nextDue - monotonicNs() - kExactSleepNs / 2;
            timeout.tv_sec = static_cast<time_t>(std::max<int64_t>(wait, 0) / 1000000000);
            timeout.tv_nsec = static_cast<long>(std::max<int64_t>(wait, 0) % 1000000000);
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {d->wakeRead, POLLIN, 0}};
        if (::ppoll(fds, 2, nextDue >= 0 ? &timeout : nullptr, nullptr) < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (fds[1].revents != 0) break;
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                std::lock_guard lock(d->mutex);
                const int64_t readAt = monotonicNs();
                d->feed(buffer, static_cast<size_t>(n), readAt);
                nextDue = d->writeDue(readAt);
                d->framesArrived.notify_all();
                if (d->master < 0) return 0; // hung up on purpose
                continue;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            return -1;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
    }
    return 0;
}

void Simulator::addDevice(char address, DeviceKind kind) {
    std::lock_guard lock(d->mutex);
    d->devices.insert_or_assign(address, Regulator(address, kind));
}

void Simulator::setIdentity(char address, const std::string& identity) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->identity = identity;
}

double Simulator::value(char address, const std::string& name) const {
    std::lock_guard lock(d->mutex);
    Regulator* r = d->find(address);
    return r ? r->value(name) : kNaN;
}

void Simulator::setValue(char address, const std::string& name, double v) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->setValue(name, v);
}

double Simulator::programValue(char address, int program, const std::string& name) const {
    std::lock_guard lock(d->mutex);
    Regulator* r = d->find(address);
    return r ? r->programValue(program, name) : kNaN;
}

void Simulator::setProgramValue(char address, int program, const std::string& name, double v) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->setProgramValue(program, name, v);
}

bool Simulator::outputRunning(char address) const {
    std::lock_guard lock(d->mutex);
    Regulator* r = d->find(address);
    return r && r->running;
}

int Simulator::activeCurrent(char address) const {
    std::lock_guard lock(d->mutex);
    Regulator* r = d->find(address);
    return r ? r->activeCurrent : 0;
}

void Simulator::setStatusWord(char address, int word) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->extraStatus = word;
}

void Simulator::setCompatibilityMode(char address, int mode) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->compatibilityMode = mode;
}

void Simulator::setDitherTableSupport(char address, int support) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->ditherTableSupport = support;
}

void Simulator::setStromaktivSupported(char address, bool supported) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->stromaktivSupported = supported;
}

void Simulator::setSeed(char address, uint64_t seed) {
    std::lock_guard lock(d->mutex);
    if (Regulator* r = d->find(address)) r->fixedSeed = seed;
}

bool Simulator::serviceModeEntered(char address) const {
    std::lock_guard lock(d->mutex);
    Regulator* r = d->find(address);
    return r && r->serviceMode;
}

void Simulator::addFault(const FaultRule& rule) {
    std::lock_guard lock(d->mutex);
    d->faults.push_back(rule);
}

void Simulator::clearFaults() {
    std::lock_guard lock(d->mutex);
    d->faults.clear();
    d->silenceAfter = -1;
}

void Simulator::silenceAfterFrames(int frames) {
    std::lock_guard lock(d->mutex);
    d->silenceAfter = frames < 0 ? -1 : frames;
}

void Simulator::setBaudRate(int baud) {
    std::lock_guard lock(d->mutex);
    // rounded up: never faster than the line
    d->charNs = baud > 0 ? (10 * 1000000000LL + baud - 1) / baud : 0;
}

void Simulator::setAdapterLatency(int milliseconds) {
    std::lock_guard lock(d->mutex);
    d->latencyNs = milliseconds > 0 ? milliseconds * 1000000LL : 0;
}

LineCounts Simulator::lineCounts() const {
    std::lock_guard lock(d->mutex);
    return d->counts;
}

void Simulator::sendRaw(const std::string& bytes) {
    std::lock_guard lock(d->mutex);
    d->send(bytes);
}

std::vector<std::string> Simulator::frames() const {
    std::lock_guard lock(d->mutex);
    return d->frames;
}

void Simulator::setFrameLogging(bool on) {
    std::lock_guard lock(d->mutex);
    d->logFrames = on;
}

void Simulator::clearFrames() {
    std::lock_guard lock(d->mutex);
    d->frames.clear();
}

bool Simulator::waitForAnswersSent(int timeoutMs) const {
    std::unique_lock lock(d->mutex);
    return d->framesArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [this] { return d->outbox.empty(); });
}

bool Simulator::waitForFrames(size_t n, int timeoutMs) const {
    std::unique_lock lock(d->mutex);
    return d->framesArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [this, n] { return d->frames.size() >= n; });
}

} // namespace vkr3xsim
