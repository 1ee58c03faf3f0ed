#pragma once
// Regulator simulator: one or more "VKR 3 A X2" regulators (or a device of another kind)
// behind the master side of a pseudo-terminal. The program under test opens the slave side as
// its serial port. The simulator answers frames as the regulators do and can inject faults.
//
// It serves either in a background thread (tests) or in the calling thread (the vkr3x-sim
// executable). All public member functions are thread-safe.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vkr3xsim {

enum class DeviceKind {
    VersionA, // identity "ZEM-VKR3AX2a ...", NAKs the rfwv_ and dithtable_ commands
    VersionB, // identity "ZEM-VKR3AX2b ...", supports everything
    Foreign,  // answers the identity request with another maker's text, NAKs everything else
};

enum class FaultKind {
    Nak,        // acknowledge with NAK (0x15)
    Can,        // acknowledge with CAN (0x18)
    ErrLine,    // ACK, then the echo with "err" in place of the value
    Silence,    // no answer at all
    GarbageAck, // acknowledge with '?'
    TopBitAck,  // acknowledge with a byte that has its top bit set (0x86)
    NoCr,       // ACK, then an answer line of 29 bytes without CR
    WrongEcho,  // ACK, then an answer line whose echo names another code
    BadValue,   // ACK, then the echo followed by a value text that does not convert
    HangUp,     // close the master side while the frame is being answered
    // Line timing faults; the answer itself is the regulator's own.
    Delay,        // the answer starts `milliseconds` late
    Trickle,      // every byte of the answer comes `milliseconds` after the one before
    Flood,        // ACK, then `bytes` bytes of noise without CR in place of any answer line
    HangUpInLine, // ACK and the first half of the answer line, then (after `milliseconds`,
                  // default 20) the line is closed
    // A write the regulator acknowledges but keeps wrong: it checks and takes the frame as
    // always, then holds `value` in place of the value written (a cell that does not keep it).
    StoreOther,
};

struct FaultRule {
    char address = 0;  // 0 = any address
    std::string match; // frame text after "#" and the address, e.g. "C1W", "IDR", "PNS"; "" = any
    FaultKind kind = FaultKind::Nak;
    int count = -1;       // number of matching frames it applies to; -1 = every one
    int milliseconds = 0; // Delay, Trickle: the pause
    int bytes = 0;        // Flood: how many bytes
    double value = 0.0;   // StoreOther: what the regulator holds instead
};

// Bytes the line has carried since the simulator was created.
struct LineCounts {
    uint64_t frames = 0;        // frames received
    uint64_t bytesReceived = 0; // from the program
    uint64_t bytesSent = 0;     // to the program
    uint64_t answers = 0;       // answers (or their parts) written
    uint64_t lateNs = 0;        // how much later than due they were written, in total
};

class Simulator {
  public:
    Simulator();
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Creates the pseudo-terminal. Returns the slave device path, or "" on failure.
    std::string open();
    std::string path() const;
    void start(); // serve in a background thread
    void stop();  // stop serving (joins the thread)
    int run();    // serve in the calling thread until stop() or the line is closed

    // Regulators on the line. A fresh simulator has none.
    void addDevice(char address, DeviceKind kind);
    void setIdentity(char address, const std::string& identity);

    // Working parameters and stored programs by device parameter name (as on the wire).
    double value(char address, const std::string& name) const;
    void setValue(char address, const std::string& name, double v);
    double programValue(char address, int program, const std::string& name) const;
    void setProgramValue(char address, int program, const std::string& name, double v);

    // Read-only values and device state
    bool outputRunning(char address) const;
    int activeCurrent(char address) const; // 1 or 2
    void setStatusWord(char address, int word);
    void setCompatibilityMode(char address, int mode);
    void setDitherTableSupport(char address, int support);     // -1: NAK "supportdithertabelle"
    void setStromaktivSupported(char address, bool supported); // false: NAK "status_stromaktiv"
    void setSeed(char address, uint64_t seed);
    bool serviceModeEntered(char address) const;

    // Faults
    void addFault(const FaultRule& rule);
    void clearFaults();                     // removes every rule and ends a silence
    void silenceAfterFrames(int frames);    // answers the next n frames, then nothing (-1: off)
    void sendRaw(const std::string& bytes); // writes bytes onto the line now, unasked

    // Line speed: with a baud rate every answer comes no earlier than a 7O1 line (10 bits a
    // character) at that rate would deliver it, the received frame's own time included.
    // 0 (the default) answers at once.
    void setBaudRate(int baud);
    // A USB serial adapter between the regulators and the program, such as the common FTDI
    // chips: it passes on what it has received from the line only when its latency timer
    // elapses. The timer runs on from the moment the line is opened, so every answer waits for
    // the next expiry after its last byte has arrived. 0 (the default): no adapter.
    void setAdapterLatency(int milliseconds);
    LineCounts lineCounts() const;

    // Every frame received, CR included, in order. A long-running server turns the log off so
    // that it does not grow without bound.
    std::vector<std::string> frames() const;
    void setFrameLogging(bool on);
    void clearFrames();
    // Waits (bounded) until at least n frames have been received; returns whether they have.
    bool waitForFrames(size_t n, int timeoutMs) const;
    // Waits (bounded) until every answer received frames have led to is on the line (a delayed
    // or trickling answer included); returns whether it is.
    bool waitForAnswersSent(int timeoutMs) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace vkr3xsim
