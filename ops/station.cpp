#include "ops/station.h"

#include "device/austausch.h"
#include "device/zemvkr3x.h"
#include "ops/satztransfer.h"
#include "ops/sicherung.h"
#include "platform/rs232.h"

#include <QThread>

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <map>
#include <mutex>

namespace {

constexpr int PORT_OEFFNEN = -100003;

// Targets the workers have finished, for the thread that reports them, and the workers still
// running. Workers signal while holding the lock: once the last one has let go, the reporting
// thread may end and take the condition variable with it.
struct Fertigmeldungen {
    std::mutex sperre;
    std::condition_variable signal;
    std::deque<size_t> fertig;
    size_t laufend = 0;
};

// Records a step; returns its code.
int Schritt(Stationsziel& z, Stationsschritt s, int code, std::string angabe = {}, Satzmaske saetze = 0) {
    z.schritte.push_back({s, code, std::move(angabe), saetze});
    return code;
}

Satzmaske GleicheSaetze(const Vergleich& v) {
    Satzmaske gleich = 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if ((v.saetze & SatzBit(n)) && v.satz[n].status == Satzstatus::Gleich) gleich |= SatzBit(n);
    return gleich;
}

int Schreiben(const Stationsauftrag& a, const Parametersatz* saetze, Stationsziel& z) {
    Satzmaske geschrieben = 0;
    int r = 0;
    for (int n = 0; n < PARAMETERSAETZE && r == 0; ++n) {
        if (!(a.programme & SatzBit(n))) continue;
        r = ParametersatzSchreibenAn(z.comPort, z.adresse, n, &saetze[n]);
        if (r == 0) geschrieben |= SatzBit(n);
    }
    return Schritt(z, Stationsschritt::Schreiben, r, {}, geschrieben);
}

// Identity, backup, write, verify, load: each step only after the one before succeeded.
void ZielBearbeiten(const Stationsauftrag& a, const Parametersatz* saetze, Stationsziel& z) {
    char kennung[ZEMVKR3X_ID_BYTES] = "";
    const int gelesen = ZEMVKR3X_IDLesen(z.comPort, z.adresse, kennung);
    if (Schritt(z, Stationsschritt::Kennung, gelesen, kennung)) return;
    z.kennung = kennung;
    if (!a.sicherungsordner.empty()) {
        std::string pfad;
        const int r = SicherungAnlegen(z.comPort, z.adresse, a.programme, a.sicherungsordner.c_str(), 0,
                                       std::time(nullptr), nullptr, nullptr, &pfad);
        if (Schritt(z, Stationsschritt::Sicherung, r, pfad)) return;
    }
    if (Schreiben(a, saetze, z)) return;
    z.pruefung = std::make_unique<Vergleich>();
    const int r = GeschriebeneSaetzePruefen(z.comPort, z.adresse, saetze, a.programme, nullptr, nullptr,
                                            z.pruefung.get());
    if (Schritt(z, Stationsschritt::Pruefen, r, {}, GleicheSaetze(*z.pruefung))) return;
    if (a.laden > 0)
        Schritt(z, Stationsschritt::Laden,
                ZEMVKR3X_ParameterSchreiben(z.comPort, z.adresse, "programmladen", 0.0, a.laden, 0));
}

// One line: opened, used and closed by this worker alone.
void PortBedienen(const Stationsauftrag& a, std::vector<Stationsziel>& ziele,
                  const std::vector<size_t>& meine, Fertigmeldungen& f) {
    AustauschStopp(a.stopp);
    // The worker's own sets: nothing it sends is shared with another thread.
    const std::vector<Parametersatz> saetze(a.saetze, a.saetze + PARAMETERSAETZE);
    const Stationsziel& erstes = ziele[meine.front()];
    const int port = erstes.comPort;
    int offen = ZEMVKR3X_OpenGeraet(port, erstes.geraet.c_str(), a.baudrate);
    const bool geoeffnet = offen == 0;
    std::string grund;
    if (offen == PORT_OEFFNEN) {
        Rs232Oeffnungsfehler e;
        Rs232OeffnungsfehlerLesen(port, &e);
        grund = e.geraet.empty() ? e.systemtext : e.geraet + ": " + e.systemtext;
    }
    if (offen == 0) offen = ZEMVKR3X_Timeout(port, a.timeout);

    for (size_t i : meine) {
        Stationsziel& z = ziele[i];
        const auto beginn = std::chrono::steady_clock::now();
        if (offen != 0)
            Schritt(z, Stationsschritt::Oeffnen, offen, grund);
        else
            ZielBearbeiten(a, saetze.data(), z);
        z.sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
        z.erfolgreich = true;
        for (const Schrittergebnis& s : z.schritte)
            z.erfolgreich = z.erfolgreich && s.code == 0;
        const std::lock_guard<std::mutex> sperre(f.sperre);
        f.fertig.push_back(i);
        f.signal.notify_one();
    }
    if (geoeffnet) ZEMVKR3X_Close(port);
    AustauschStopp(nullptr);
    const std::lock_guard<std::mutex> sperre(f.sperre);
    --f.laufend;
    f.signal.notify_one();
}

} // namespace

int StationAusfuehren(const Stationsauftrag& auftrag, std::vector<Stationsziel>& ziele, Stationsmelder melder,
                      void* kontext) {
    std::map<int, std::vector<size_t>> leitungen; // port number -> its targets in order
    for (size_t i = 0; i < ziele.size(); ++i)
        leitungen[ziele[i].comPort].push_back(i);

    Fertigmeldungen f;
    f.laufend = leitungen.size();
    std::vector<QThread*> arbeiter;
    for (const auto& [port, meine] : leitungen) {
        // A QThread, not a bare thread: the serial port's notifiers need the thread's event
        // dispatcher, though the worker never runs an event loop (every wait blocks).
        QThread* t =
            QThread::create(PortBedienen, std::cref(auftrag), std::ref(ziele), std::cref(meine), std::ref(f));
        t->start();
        arbeiter.push_back(t);
    }
    int fehlgeschlagen = 0;
    for (size_t gemeldet = 0; gemeldet < ziele.size(); ++gemeldet) {
        std::unique_lock<std::mutex> sperre(f.sperre);
        f.signal.wait(sperre, [&f] { return !f.fertig.empty(); });
        const size_t i = f.fertig.front();
        f.fertig.pop_front();
        sperre.unlock();
        if (!ziele[i].erfolgreich) ++fehlgeschlagen;
        if (melder) melder(ziele[i], kontext);
    }
    // Every worker has done all it does with the shared data once it counts itself out; the
    // threads themselves end right after.
    std::unique_lock<std::mutex> sperre(f.sperre);
    f.signal.wait(sperre, [&f] { return f.laufend == 0; });
    sperre.unlock();
    for (QThread* t : arbeiter) {
        t->wait();
        delete t;
    }
    return fehlgeschlagen;
}
