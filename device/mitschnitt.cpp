#include "device/mitschnitt.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

bool gAktiv = false;
// The ring is allocated on the first record, so a program that never records holds nothing.
std::vector<Austauschsatz> gRing;
uint64_t gLetzte = 0; // sequence number of the newest record, 0 when none
uint64_t gErste = 1;
void (*gBeobachter)() = nullptr;

Austauschsatz& Platz(uint64_t nummer) {
    return gRing[static_cast<size_t>((nummer - 1) % MITSCHNITT_KAPAZITAET)];
}

} // namespace

void MitschnittEin(bool ein) {
    gAktiv = ein;
}

bool MitschnittAktiv() {
    return gAktiv;
}

void MitschnittLeeren() {
    gLetzte = 0;
    gErste = 1;
}

void MitschnittAufnehmen(int port, int64_t zeitMs, const char* gesendet, int gesendetLaenge,
                         const char* empfangen, int empfangenLaenge, Ausgang ausgang, int code) {
    if (!gAktiv) return;
    if (gRing.empty()) gRing.resize(MITSCHNITT_KAPAZITAET);
    const uint64_t nummer = ++gLetzte;
    if (nummer - gErste >= static_cast<uint64_t>(MITSCHNITT_KAPAZITAET))
        gErste = nummer - MITSCHNITT_KAPAZITAET + 1;
    Austauschsatz& s = Platz(nummer);
    s.nummer = nummer;
    s.zeitMs = zeitMs;
    s.port = port;
    s.ausgang = ausgang;
    s.code = code;
    const int g = std::clamp(gesendetLaenge, 0, MITSCHNITT_GESENDET_BYTES);
    const int e = std::clamp(empfangenLaenge, 0, MITSCHNITT_EMPFANGEN_BYTES);
    s.gesendetLaenge = static_cast<uint8_t>(g);
    s.empfangenLaenge = static_cast<uint8_t>(e);
    if (g > 0) std::memcpy(s.gesendet, gesendet, static_cast<size_t>(g));
    if (e > 0) std::memcpy(s.empfangen, empfangen, static_cast<size_t>(e));
    if (gBeobachter) gBeobachter();
}

void MitschnittBeobachter(void (*neu)()) {
    gBeobachter = neu;
}

void MitschnittAuswertung(int code) {
    if (!gAktiv || code == 0 || gLetzte < gErste) return;
    Austauschsatz& s = Platz(gLetzte);
    s.ausgang = Ausgang::Fehler;
    s.code = code;
}

uint64_t MitschnittErste() {
    return gErste;
}

uint64_t MitschnittLetzte() {
    return gLetzte;
}

const Austauschsatz* MitschnittSatz(uint64_t nummer) {
    if (nummer < gErste || nummer > gLetzte || gRing.empty()) return nullptr;
    return &Platz(nummer);
}

int64_t MitschnittJetztMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
