#pragma once
// The exchange shared by every command: empty the queues, send the frame, wait (bounded) until
// it has left, classify the acknowledgement byte and, for commands that have one, read the
// answer line. Each command passes the codes it returns for these steps.

#include <atomic>

constexpr int ASCII_ACK = 0x06;
constexpr int ASCII_NAK = 0x15;
constexpr int ASCII_CAN = 0x18;

constexpr int RAHMEN_BYTES = 32; // frame buffer: every frame, NUL included

// Returned by every command of a thread whose stop flag is set, before anything is sent
// (class 4, "aborted by user").
constexpr int AUSTAUSCH_GESTOPPT = -4051;

// The calling thread's exchanges end before they send anything once *stopp is true; null (the
// default) never stops. An exchange under way is finished first, so a worker stopped by the
// user leaves the line between two frames and the regulator with every command it
// acknowledged carried out.
void AustauschStopp(const std::atomic<bool>* stopp);

struct Befehlscodes {
    int flush;          // emptying the queues failed; 0 passes FlushInOut's own code on
    int schreiben;      // class 101: the write failed or the frame did not leave in time
    int unvollstaendig; // fewer bytes taken than the frame has
    int nak;            // class 402
    int can;            // class 405
    int keineAntwort;   // class 403: no byte within the time-out, or one with the top bit set
    int falscheAntwort; // class 404: any other byte than ACK
    int zeile;          // class 404: time-out inside the answer line
};

// An answer line as read: at most max bytes (29, or 49 for the seed), the CR included when it
// came in time, and terminated as a string after the last stored byte. The answers are parsed
// as strings, so a NUL byte received inside the line ends it: laenge counts the bytes before
// the first NUL, and parsers go by laenge.
struct Antwortzeile {
    char text[50];
    int laenge;
};

// Sends laenge bytes of rahmen and, unless rundruf, awaits the acknowledgement. With zeile
// non-null the answer line (at most zeileMax bytes, <= 49) is read into it after the ACK.
// Returns 0 or one of the codes in c.
int Austausch(int port, const char* rahmen, int laenge, bool rundruf, const Befehlscodes& c,
              Antwortzeile* zeile, int zeileMax);
