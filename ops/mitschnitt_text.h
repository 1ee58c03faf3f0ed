#pragma once
// The recorded exchanges as text: the columns the line monitor shows and the CSV record that
// the monitor saves and the command-line tool writes with --trace. Control bytes are shown as
// <NUL>, <CR>, <LF>, <ACK>, <NAK>, <CAN>, other non-printable bytes as <0xHH>; received bytes
// reach every text column only in this form, so a file stays UTF-8 and one record a line. The meaning of a
// frame comes from the parameter, service-mode and device-function tables of the driver; the outcome of a
// failure carries the code and its catalogue message. sprache 2 gives English texts.

#include "device/mitschnitt.h"

#include <cstdio>
#include <string>

enum MitschnittSpalte {
    SP_ZEIT,
    SP_ADRESSE,
    SP_GESENDET,
    SP_EMPFANGEN,
    SP_BEDEUTUNG,
    SP_ERGEBNIS,
    SP_ANZAHL
};

struct MitschnittZeile {
    std::string spalte[SP_ANZAHL];
};

// Bytes readably ("#1C1R<CR>") or as hexadecimal pairs ("23 31 43 31 52 0D").
std::string BytesLesbar(const char* bytes, int laenge);
std::string BytesHex(const char* bytes, int laenge);

// True when the exchange failed (NAK, CAN, time-out or any other code).
bool MitschnittFehlgeschlagen(const Austauschsatz& s);

// Local time of day with milliseconds ("18:40:12.345"), or date and time in ISO form
// ("2026-12-08T18:40:12.345") with iso.
std::string MitschnittZeit(int64_t zeitMs, bool iso);
std::string MitschnittBedeutung(const Austauschsatz& s, int sprache);
std::string MitschnittErgebnis(const Austauschsatz& s, int sprache);

// The six columns; hex shows the bytes in hexadecimal instead.
void MitschnittZeileBilden(const Austauschsatz& s, int sprache, bool hex, MitschnittZeile* z);

// CSV (RFC 4180, comma, UTF-8): a header line, then one line per record with the ISO time,
// address, frame and answer readably and in hex, meaning, outcome and code.
void MitschnittCsvKopf(std::FILE* f);
void MitschnittCsvZeile(std::FILE* f, const Austauschsatz& s, int sprache);
// Writes every held record (only the failed ones with nurFehler) to pfad.
// 0; -308601 the file cannot be created; -301602 writing it failed.
int MitschnittCsvSpeichern(const char* pfad, int sprache, bool nurFehler);
