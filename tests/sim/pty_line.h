#pragma once
// The program's end of a simulated line, with plain POSIX I/O: frames go out as written and
// answers are read byte by byte, each wait bounded by a time-out.

#include <string>

namespace simtest {

constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CAN = 0x18;

class PtyLine {
  public:
    explicit PtyLine(const std::string& path);
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void send(const std::string& bytes);

    // Reads until `count` bytes have arrived, or until a CR when stopAtCr is set; stops early
    // when no byte arrives for timeoutMs.
    std::string read(size_t count, bool stopAtCr, int timeoutMs = 1000);

    // Sends frame + CR and returns the acknowledgement byte ("" when none came).
    std::string command(const std::string& frame);
    // Sends frame + CR and returns the acknowledgement and, after an ACK, the line up to CR.
    std::string query(const std::string& frame);
    // True when nothing arrives within ms (the answer that must not come).
    bool quietFor(int ms);
    // True when the other end closes the line within ms, before sending anything.
    bool hungUp(int ms);

  private:
    int fd_ = -1;
};

} // namespace simtest
