#include "device/austausch.h"

#include "device/mitschnitt.h"
#include "device/zemvkr3x.h"
#include "platform/rs232.h"

#include <algorithm>
#include <cstring>

namespace {

thread_local const std::atomic<bool>* tStopp = nullptr;

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

// Reads the answer line; *roh counts every byte taken, a NUL inside the line included.
int ZeileLesen(int port, Antwortzeile* zeile, int zeileMax, int zeitCode, int* roh) {
    if (zeileMax > static_cast<int>(sizeof(zeile->text)) - 1)
        zeileMax = static_cast<int>(sizeof(zeile->text)) - 1;
    zeile->laenge = 0;
    zeile->text[0] = '\0';
    while (zeile->laenge < zeileMax) {
        const int byte = ComRdByte(port);
        if (byte < 0) {
            zeile->text[zeile->laenge] = '\0';
            *roh = zeile->laenge;
            return zeitCode;
        }
        zeile->text[zeile->laenge++] = static_cast<char>(byte);
        if (byte == '\r') break;
    }
    *roh = zeile->laenge;
    zeile->text[zeile->laenge] = '\0';
    zeile->laenge = static_cast<int>(std::strlen(zeile->text));
    return 0;
}

// What the recorder needs to know of an exchange besides its code.
struct Verlauf {
    int quittung = -1; // the acknowledgement byte, -1 when none came (or none was awaited)
    int zeileRoh = 0;  // answer bytes read
    Ausgang ausgang = Ausgang::Fehler;
};

int Ablauf(int port, const char* rahmen, int laenge, bool rundruf, const Befehlscodes& c, Antwortzeile* zeile,
           int zeileMax, Verlauf* v) {
    const int geleert = FlushInOut(port);
    if (geleert != 0) return c.flush != 0 ? c.flush : geleert;

    const int geschrieben = ComWrt(port, rahmen, laenge);
    if (geschrieben < 0) return c.schreiben;
    if (geschrieben != laenge) return c.unvollstaendig;
    if (!AusgangGeleert(port, laenge)) return c.schreiben;
    if (rundruf) {
        v->ausgang = Ausgang::Gesendet;
        return 0;
    }

    v->quittung = ComRdByte(port);
    const int quittung = QuittungPruefen(v->quittung, c);
    if (v->quittung < 0) v->ausgang = Ausgang::Zeitueberschreitung;
    if (v->quittung == ASCII_NAK) v->ausgang = Ausgang::Nak;
    if (v->quittung == ASCII_CAN) v->ausgang = Ausgang::Can;
    if (quittung != 0) return quittung;
    if (!zeile) {
        v->ausgang = Ausgang::Quittiert;
        return 0;
    }
    const int fehler = ZeileLesen(port, zeile, zeileMax, c.zeile, &v->zeileRoh);
    v->ausgang = fehler != 0 ? Ausgang::Zeitueberschreitung : Ausgang::Antwort;
    return fehler;
}

void Aufnehmen(int port, int64_t zeitMs, const char* rahmen, int laenge, const Antwortzeile* zeile,
               const Verlauf& v, int code) {
    char empfangen[MITSCHNITT_EMPFANGEN_BYTES];
    int n = 0;
    if (v.quittung >= 0) empfangen[n++] = static_cast<char>(v.quittung);
    if (zeile && v.zeileRoh > 0) {
        const int m = std::min(v.zeileRoh, MITSCHNITT_EMPFANGEN_BYTES - n);
        std::memcpy(empfangen + n, zeile->text, static_cast<size_t>(m));
        n += m;
    }
    MitschnittAufnehmen(port, zeitMs, rahmen, laenge, empfangen, n, v.ausgang, code);
}

} // namespace

void AustauschStopp(const std::atomic<bool>* stopp) {
    tStopp = stopp;
}

int Austausch(int port, const char* rahmen, int laenge, bool rundruf, const Befehlscodes& c,
              Antwortzeile* zeile, int zeileMax) {
    if (tStopp && tStopp->load()) return AUSTAUSCH_GESTOPPT;
    Verlauf v;
    if (!MitschnittAktiv()) return Ablauf(port, rahmen, laenge, rundruf, c, zeile, zeileMax, &v);
    const int64_t zeit = MitschnittJetztMs();
    const int code = Ablauf(port, rahmen, laenge, rundruf, c, zeile, zeileMax, &v);
    Aufnehmen(port, zeit, rahmen, laenge, zeile, v, code);
    return code;
}
