#include "tests/sim/pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace simtest {

PtyLine::PtyLine(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
}

PtyLine::~PtyLine() {
    if (fd_ >= 0) ::close(fd_);
}

void PtyLine::send(const std::string& bytes) {
    size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

std::string PtyLine::read(size_t count, bool stopAtCr, int timeoutMs) {
    std::string got;
    while (fd_ >= 0 && got.size() < count) {
        pollfd in{fd_, POLLIN, 0};
        if (::poll(&in, 1, timeoutMs) <= 0) break;
        char c;
        if (::read(fd_, &c, 1) != 1) break;
        got += c;
        if (stopAtCr && c == '\r') break;
    }
    return got;
}

std::string PtyLine::command(const std::string& frame) {
    send(frame + '\r');
    return read(1, false);
}

std::string PtyLine::query(const std::string& frame) {
    send(frame + '\r');
    std::string answer = read(1, false);
    if (answer == std::string(1, ACK)) answer += read(64, true);
    return answer;
}

bool PtyLine::quietFor(int ms) {
    return read(1, false, ms).empty();
}

bool PtyLine::hungUp(int ms) {
    pollfd in{fd_, POLLIN, 0};
    if (fd_ < 0 || ::poll(&in, 1, ms) <= 0) return false;
    if (in.revents & (POLLHUP | POLLERR)) return true;
    char c;
    return ::read(fd_, &c, 1) <= 0;
}

} // namespace simtest
