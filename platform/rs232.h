#pragma once
// Serial ports addressed by COM number, in the shape of the classic RS-232 library the device
// driver was written against: open with a configuration, close, time-out, write, read one byte,
// output-queue length, empty the queues.
//
// Port n (1..RS232_PORTS) is, in this order: the device named by the environment variable
// VKR3X_COM<n> when it is set (for instance VKR3X_COM1=/dev/pts/4); the device bound to n (see
// Rs232BindungSetzen); otherwise on Linux /dev/ttyUSB<n-1> when that exists, else
// /dev/ttyS<n-1>; on Windows "COM<n>". A pseudo-terminal works as a port.
//
// All calls are blocking. A port belongs to one thread, which opens, uses and closes it; the
// process must have a Qt application object. Ports share no state but the bindings, which are
// locked, so one worker thread per port may run at once (opening a port sets VKR3X_COM<n>
// never; set those before workers start). The only waits are the time-outs: reading a byte that
// is already buffered costs no system call.

#include <string>
#include <vector>

constexpr int RS232_PORTS = 8;

// Parity argument of OpenComConfig
constexpr int RS232_PARITY_NONE = 0;
constexpr int RS232_PARITY_ODD = 1;
constexpr int RS232_PARITY_EVEN = 2;

// Results below zero
constexpr int RS232_ERR_PORT_NUMBER = -2; // port number outside 1..RS232_PORTS
constexpr int RS232_ERR_NOT_OPEN = -3;    // the port is not open
constexpr int RS232_ERR_OPEN = -4;        // the device cannot be opened or configured
constexpr int RS232_ERR_ARGUMENT = -5;    // a setting or count the port cannot take
constexpr int RS232_ERR_IO = -6;          // the system reported a read, write or flush failure
constexpr int RS232_ERR_TIMEOUT = -99;    // nothing arrived or left within the time

// Opens port with the given line settings; deviceName null or "" selects the default device of
// the port number. An open port is closed first. Queue sizes: the input size bounds what is held
// unread (0 = unbounded); the output size is accepted for compatibility. The time-out starts at
// 10 s until SetComTime. Returns 0 or a negative code.
int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits, int stopBits,
                  int inputQueueSize, int outputQueueSize);
int CloseCom(int port);

// Time-out for every byte awaited by ComRdByte and for handing written bytes to the system.
int SetComTime(int port, double seconds);

// Queues count bytes for sending and hands as many to the system as it takes at once, without
// waiting. Returns the number of bytes queued (count) or a negative code. Bytes not yet on the
// line are counted by GetOutQLen; WaitOutQEmpty waits for them.
int ComWrt(int port, const char* buf, int count);

// One received byte 0..255, or RS232_ERR_TIMEOUT when none arrives within the port time-out, or
// another negative code when the line failed (for instance the other side hung up).
int ComRdByte(int port);

// Bytes written and not yet on the line: those the port layer holds and those the system has
// not transmitted yet. Or a negative code.
int GetOutQLen(int port);

// Waits at most seconds until GetOutQLen is 0. Returns 0, or RS232_ERR_TIMEOUT when bytes are
// still queued after that time, or another negative code.
int WaitOutQEmpty(int port, double seconds);

// Discards everything received and not yet read: the bytes the port layer holds and those the
// system holds.
int FlushInQ(int port);
// Discards everything written and not yet sent. A queue that is already empty is left alone.
int FlushOutQ(int port);

// Settings of an open port, for callers that bound their waits by the line speed.
long GetComBaudRate(int port); // 0 when the port is not open
double GetComTime(int port);   // seconds; 0 when the port is not open

// Test-only hook: with stuck != 0 the port behaves as if the system never accepts written bytes
// (a line held by flow control, a hung driver): ComWrt queues without sending, GetOutQLen keeps
// reporting the bytes and WaitOutQEmpty waits its full time and fails. FlushOutQ empties the
// simulated queue as it would a real one. Returns 0 or a negative code.
int Rs232TestSetOutQStuck(int port, int stuck);

// ---- What a user needs to recognise a port and to mend a failed open ------------------------

// Where the name a port opens comes from.
enum Rs232Herkunft {
    RS232_HERKUNFT_VORGABE = 0, // the default device of the port number
    RS232_HERKUNFT_UMGEBUNG,    // the environment variable VKR3X_COM<n>
    RS232_HERKUNFT_BINDUNG,     // the device bound to the port number
};

// The device behind a port number and what the system knows of the adapter. Texts the system
// does not know stay empty.
struct Rs232Portinfo {
    std::string geraet; // the name the port opens
    int herkunft = RS232_HERKUNFT_VORGABE;
    std::string datei;        // the device file that name leads to, links followed
    std::string beschreibung; // the adapter's description, e.g. "FT232R USB UART"
    std::string hersteller;   // its maker
    std::string seriennummer; // its serial number
    std::string byId;         // the stable name (in /dev/serial/by-id) leading to the same file
    // A USB adapter that holds received bytes back for a latency timer: the timer in
    // milliseconds and the file that sets it; -1 and "" where there is none.
    int latenzMs = -1;
    std::string latenzDatei;
    bool niedrigeLatenz = false; // the port is open and its driver took the low-latency request
};
// 0, or RS232_ERR_PORT_NUMBER. Works for closed ports too; the device need not exist.
int Rs232PortinfoLesen(int port, Rs232Portinfo* info);

// ---- Serial devices of the system and the ports bound to them --------------------------------

// Binds port to a device name, best its stable name, so that the port opens that device
// wherever it is plugged in; null or "" removes the binding. Kept for the process; a binding is
// overruled by VKR3X_COM<n>. 0, RS232_ERR_PORT_NUMBER, or RS232_ERR_ARGUMENT for a name with
// control characters. Safe from any thread.
int Rs232BindungSetzen(int port, const char* geraet);
// The name port is bound to, "" when none. 0 or RS232_ERR_PORT_NUMBER.
int Rs232BindungLesen(int port, std::string* geraet);

// A serial device the system has.
struct Rs232Geraet {
    std::string datei; // the device file, e.g. /dev/ttyUSB0
    std::string beschreibung;
    std::string hersteller;
    std::string seriennummer;
    std::string byId;  // its stable name, "" when it has none
    int latenzMs = -1; // its latency timer, -1 when it has none
};
// The serial devices present now, ordered by device file: USB and CDC adapters, serial ports
// with a real UART, and whatever the folder of stable names leads to. That folder is
// /dev/serial/by-id; the environment variable VKR3X_SERIAL_BY_ID names another one (a test hook,
// where links to pseudo-terminals stand in for adapters). Looks only at names, never opens a
// device the system does not list itself.
std::vector<Rs232Geraet> Rs232GeraeteAuflisten();

// Why the last OpenComConfig of a port failed.
enum Rs232Grund {
    RS232_GRUND_KEINER = 0, // the last open succeeded, or none was tried
    RS232_GRUND_FEHLT,      // the device file does not exist
    RS232_GRUND_RECHTE,     // the system refuses access to the device file
    RS232_GRUND_BELEGT,     // another program holds the device
    RS232_GRUND_ANDERER,    // anything else; systemtext says what
};
struct Rs232Oeffnungsfehler {
    int grund = RS232_GRUND_KEINER;
    std::string geraet;     // the name that was opened
    std::string gruppe;     // RS232_GRUND_RECHTE: the group owning the device file ("" unknown)
    std::string systemtext; // the system's own words
};
// 0, or RS232_ERR_PORT_NUMBER.
int Rs232OeffnungsfehlerLesen(int port, Rs232Oeffnungsfehler* fehler);

// 1 when the device of the open port is gone: the line hung up (an unplugged USB adapter, a
// closed pseudo-terminal) or its device file vanished; 0 while it is there; a negative code
// when the port is not open. Costs one file-system look-up; no byte goes over the line.
int Rs232Getrennt(int port);
