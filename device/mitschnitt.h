#pragma once
// Record of the exchanges on the line, for the line monitor and the command-line trace.
//
// Austausch hands every exchange to the recorder while recording is on: the frame sent, the
// bytes received (acknowledgement and answer line, exactly as read), how it ended and its code.
// The recorder keeps the last MITSCHNITT_KAPAZITAET exchanges in a ring, so memory stays flat
// however long the program runs. Recording off costs Austausch one test of a flag. No user
// interface here; readers (monitor, trace file) take copies of the records by sequence number.
// Safe with one worker per port: records of all ports go into the one ring, in the order they
// ended.

#include <cstdint>

constexpr int MITSCHNITT_KAPAZITAET = 20000;
constexpr int MITSCHNITT_GESENDET_BYTES = 32;  // the longest frame
constexpr int MITSCHNITT_EMPFANGEN_BYTES = 52; // acknowledgement and the longest answer line

// How an exchange ended.
enum class Ausgang : uint8_t {
    Gesendet,            // broadcast: sent, no answer awaited
    Quittiert,           // ACK, no answer line expected
    Antwort,             // ACK and an answer line that the command accepted
    Nak,                 // the device refused the frame
    Can,                 // the device cancelled the frame
    Zeitueberschreitung, // no byte, or the answer line stopped, within the time-out
    Fehler,              // any other failure: port, wrong byte, an answer the command rejected
};

struct Austauschsatz {
    uint64_t nummer; // sequence number, from 1, counting every exchange since the last clear
    int64_t zeitMs;  // wall-clock time the frame was sent, milliseconds since 1970 (UTC)
    int port;
    Ausgang ausgang;
    int code; // 0 or the code the command returned
    uint8_t gesendetLaenge, empfangenLaenge;
    char gesendet[MITSCHNITT_GESENDET_BYTES];
    char empfangen[MITSCHNITT_EMPFANGEN_BYTES];
};

// Recording on or off; off keeps what was recorded.
void MitschnittEin(bool ein);
bool MitschnittAktiv();
// Forgets every record; the sequence numbers start again at 1.
void MitschnittLeeren();

// Adds a record (Austausch does this); the oldest is dropped when the ring is full. Frames and
// answers longer than the buffers are cut. Nothing happens while recording is off.
void MitschnittAufnehmen(int port, int64_t zeitMs, const char* gesendet, int gesendetLaenge,
                         const char* empfangen, int empfangenLaenge, Ausgang ausgang, int code);
// A command whose answer line failed its own check after the exchange passes that code here:
// the last record this thread added becomes a failure with it. 0 changes nothing.
void MitschnittAuswertung(int code);

// Sequence numbers held: erste..letzte (erste > letzte when empty).
uint64_t MitschnittErste();
uint64_t MitschnittLetzte();
// Copies the record with this sequence number; false when it is no longer (or not yet) held.
bool MitschnittSatzLesen(uint64_t nummer, Austauschsatz* satz);

// A function called after every record added (null: none), on the thread that added it and
// outside the recorder's lock. With one thread on the line, a record is final once the next
// one has been added or the command that made it has returned; a reader that writes records
// as they come writes up to the one before the newest here, and the rest at its end.
void MitschnittBeobachter(void (*neu)());

// Wall-clock milliseconds since 1970, as used for zeitMs.
int64_t MitschnittJetztMs();
