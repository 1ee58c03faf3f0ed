#include "device/austausch.h"

#include "device/zemvkr3x.h"
#include "platform/rs232.h"

#include <cstring>

namespace {

// A frame on the line needs start bit, 7 data bits, parity and stop bit per byte; one spare bit
// keeps the bound from being tight.
constexpr double BITS_PRO_BYTE = 11.0;

// Waits until the port has handed the frame to the line. The wait is bounded by the time the
// frame needs at the baud rate plus the port time-out, so a line that never drains (flow
// control, a hung driver) ends the exchange instead of blocking the program for ever.
bool AusgangGeleert(int port, int laenge) {
    const int offen = GetOutQLen(port);
    if (offen == 0) return true;
    if (offen < 0) return false;
    const long baud = GetComBaudRate(port);
    const double grenze = (baud > 0 ? laenge * BITS_PRO_BYTE / baud : 0.0) + GetComTime(port);
    return WaitOutQEmpty(port, grenze) == 0;
}

int QuittungPruefen(int byte, const Befehlscodes& c) {
    if (byte == ASCII_NAK) return c.nak;
    if (byte == ASCII_CAN) return c.can;
    if (byte < 0 || (byte & 0x80) != 0) return c.keineAntwort;
    if (byte != ASCII_ACK) return c.falscheAntwort;
    return 0;
}

int ZeileLesen(int port, Antwortzeile* zeile, int zeileMax, int zeitCode) {
    if (zeileMax > static_cast<int>(sizeof(zeile->text)) - 1)
        zeileMax = static_cast<int>(sizeof(zeile->text)) - 1;
    zeile->laenge = 0;
    zeile->text[0] = '\0';
    while (zeile->laenge < zeileMax) {
        const int byte = ComRdByte(port);
        if (byte < 0) {
            zeile->text[zeile->laenge] = '\0';
            return zeitCode;
        }
        zeile->text[zeile->laenge++] = static_cast<char>(byte);
        if (byte == '\r') break;
    }
    zeile->text[zeile->laenge] = '\0';
    zeile->laenge = static_cast<int>(std::strlen(zeile->text));
    return 0;
}

} // namespace

int Austausch(int port, const char* rahmen, int laenge, bool rundruf, const Befehlscodes& c,
              Antwortzeile* zeile, int zeileMax) {
    const int geleert = FlushInOut(port);
    if (geleert != 0) return c.flush != 0 ? c.flush : geleert;

    const int geschrieben = ComWrt(port, rahmen, laenge);
    if (geschrieben < 0) return c.schreiben;
    if (geschrieben != laenge) return c.unvollstaendig;
    if (!AusgangGeleert(port, laenge)) return c.schreiben;
    if (rundruf) return 0;

    const int quittung = QuittungPruefen(ComRdByte(port), c);
    if (quittung != 0 || !zeile) return quittung;
    return ZeileLesen(port, zeile, zeileMax, c.zeile);
}
