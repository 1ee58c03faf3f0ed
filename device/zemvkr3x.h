#pragma once
// Serial driver of the VKR 3 A X2 current regulator.
//
// Every command is one ASCII frame "#", address, two code characters, an operation letter, an
// optional value text and CR. The regulator acknowledges with one byte (ACK, NAK or CAN); reads
// and the identity request are then answered by a line that repeats the head of the frame.
// Each function empties the port queues, sends its frame, waits for the acknowledgement and the
// answer line if any, and returns 0 or a negative code -(class * 1000 + place). The driver keeps
// no state besides the port opened by ZEMVKR3X_Open; the caller remembers which port that is.
//
// Addresses: '1'..'8' name one regulator, '&' all of them (broadcast; never answered, so only
// commands without an answer line accept it). Service-mode frames carry the address + 64.

#include <cstdint>

// Buffer size for ZEMVKR3X_IDLesen: the longest identity text (26 characters) and its NUL.
constexpr int ZEMVKR3X_ID_BYTES = 27;

// Opens the port 1..8 with 7 data bits, odd parity, 1 stop bit and 512-byte queues.
// Baud rates: 1200, 2400, 4800, 9600, 19200, 38400, 115200.
// 0; -125001 baud rate not in the list (checked first); -100002 port outside 1..8;
// -100003 the port cannot be opened.
int ZEMVKR3X_Open(int port, int baudrate);
// The same for the device geraet (e.g. /dev/ttyUSB3) opened as port number port: null or "" is
// the port's default device. Several regulators on lines of their own are served this way from
// one worker thread per port, each port opened, used and closed by its worker.
int ZEMVKR3X_OpenGeraet(int port, const char* geraet, int baudrate);
// 0; -103004 the port could not be closed.
int ZEMVKR3X_Close(int port);
// Time-out for every awaited byte. 0; -111005 it could not be set.
int ZEMVKR3X_Timeout(int port, double sekunden);
// Discards the input queue, then the output queue: 0; -124123 input failed; -123124 output failed.
int FlushInOut(int port);

// Reads the identity text into text (at least ZEMVKR3X_ID_BYTES bytes) with spaces removed.
int ZEMVKR3X_IDLesen(int port, char adresse, char* text);

// Runs a device function: "start", "stopp", "fehlerloeschen", "kalibrieren", "stromumschaltung".
int ZEMVKR3X_DeviceFunction(int port, char adresse, const char* funktion);
// Name of the device function with the frame digit ziffer, or null.
const char* GeraetefunktionName(char ziffer);

// Value of one hexadecimal digit character, -1 for any other character.
int Hexchar2Int(char zeichen);

// Writes one parameter. Integer parameters take ganzzahl, real ones wert; the other argument is
// ignored, as is the last one. Broadcast writes return 0 without awaiting an acknowledgement.
int ZEMVKR3X_ParameterSchreiben(int port, char adresse, const char* name, double wert, int ganzzahl,
                                int unbenutzt);

// Reads one parameter: real answers into *wert, integer and hexadecimal ones into *ganzzahl.
// Null pointers are allowed and the pointer that does not apply is not touched; text is never
// written.
int ZEMVKR3X_ParameterLesen(int port, char adresse, const char* name, double* wert, int* ganzzahl,
                            char* text);

// Service mode: writes "key1".."key4" (ganzzahl, no range check) or "key_enter" (0..100).
// wert and the last argument are not used. To the broadcast address the frame is sent and 0
// returned without awaiting an acknowledgement: no regulator answers a broadcast.
int ZEMVKR3X_KalibrierParameterSchreiben(int port, char adresse, const char* name, double wert, int ganzzahl,
                                         int unbenutzt);

// Service mode: reads the 64-bit "seed" into *seed; the other pointers are not used.
int ZEMVKR3X_KalibrierParameterLesen(int port, char adresse, const char* name, double* wert, int* ganzzahl,
                                     uint64_t* seed, char* text);

// Status byte (0..255) of the sibling regulator model, type 1 or 2; addresses '1'..'9', 'a'..'f'.
int ZEMPLW1_StatusLesen(int port, char adresse, int typ, int* status);
