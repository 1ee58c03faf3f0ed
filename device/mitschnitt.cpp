#include "device/mitschnitt.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Workers on different ports record at the same time: the ring and its numbers are guarded by
// one lock; the switch is read without it on every exchange.
std::mutex gSperre;
std::atomic<bool> gAktiv = false;
// The ring is allocated on the first record, so a program that never records holds nothing.
std::vector<Austauschsatz> gRing;
uint64_t gLetzte = 0; // sequence number of the newest record, 0 when none
uint64_t gErste = 1;
std::atomic<void (*)()> gBeobachter = nullptr;
// The newest record this thread added: an answer check that follows concerns its own exchange,
// not one another worker recorded meanwhile.
thread_local uint64_t tEigene = 0;

Austauschsatz& Platz(uint64_t nummer) {
    return gRing[static_cast<size_t>((nummer - 1) % MITSCHNITT_KAPAZITAET)];
}

bool Gehalten(uint64_t nummer) {
    return nummer >= gErste && nummer <= gLetzte && !gRing.empty();
}

} // namespace

void MitschnittEin(bool ein) {
    gAktiv = ein;
}

bool MitschnittAktiv() {
    return gAktiv;
}

void MitschnittLeeren() {
    const std::lock_guard<std::mutex> sperre(gSperre);
    gLetzte = 0;
    gErste = 1;
}

void MitschnittAufnehmen(int port, int64_t zeitMs, const char* gesendet, int gesendetLaenge,
                         const char* empfangen, int empfangenLaenge, Ausgang ausgang, int code) {
    if (!gAktiv) return;
    {
        const std::lock_guard<std::mutex> sperre(gSperre);
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
        tEigene = nummer;
    }
    if (void (*beobachter)() = gBeobachter) beobachter();
}

void MitschnittBeobachter(void (*neu)()) {
    gBeobachter = neu;
}

void MitschnittAuswertung(int code) {
    if (!gAktiv || code == 0) return;
    const std::lock_guard<std::mutex> sperre(gSperre);
    if (!Gehalten(tEigene)) return;
    Austauschsatz& s = Platz(tEigene);
    s.ausgang = Ausgang::Fehler;
    s.code = code;
}

uint64_t MitschnittErste() {
    const std::lock_guard<std::mutex> sperre(gSperre);
    return gErste;
}

uint64_t MitschnittLetzte() {
    const std::lock_guard<std::mutex> sperre(gSperre);
    return gLetzte;
}

bool MitschnittSatzLesen(uint64_t nummer, Austauschsatz* satz) {
    const std::lock_guard<std::mutex> sperre(gSperre);
    if (!Gehalten(nummer)) return false;
    *satz = Platz(nummer);
    return true;
}

int64_t MitschnittJetztMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
