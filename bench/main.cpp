// vkr3x-bench: cost of the device link. Starts the vkr3x-sim server as a separate process, opens
// its pseudo-terminal through the driver as COM 1 and writes, then reads, all sixteen programs.
//
// 1. Unpaced: the simulator answers at once; the bench prints wall time and its own process CPU
//    time per exchange. The CPU time is what the program spends and barely moves with the load
//    of the machine.
// 2. Against the line: the simulator answers no faster than a 7O1 line at 115200 and at 9600
//    baud; the bench prints the measured transfer time over the line's minimum for the bytes
//    that travelled (10 bits a character, both directions, as counted by the simulator). Every
//    wake-up that other load on the machine delays adds to the measured time, so each rate is
//    run several times and the best run is shown beside the others.
//
//    The same for a comparison with the regulator (the working parameters and the first
//    programs read and compared with the program's sets), which must cost one read of them.
//
// 3. Through a USB adapter: the same transfer against a simulator behind an adapter whose
//    latency timer is 16 ms (the FTDI default) and 1 ms (what the low-latency setting gives), at
//    115200 and 9600 baud; the ratios show what lowering the timer buys.
//
// 4. Recording: unpaced rounds alternate between the exchange recorder off and on (as the
//    program runs it, for the line monitor) on one server; the two rates are compared.
//
// 5. Station: eight regulators, each on a line of its own (eight servers paced at 115200 and at
//    9600 baud); the station writes and verifies the programs on one of them, then on all
//    eight, and the bench prints the ratio of the two times (target: at most 1.3).
//
//   vkr3x-bench [--sim PATH] [--rounds N] [--line-programs N] [--line-runs N] [--record-rounds N]
//               [--station-programs N] [--station-runs N] [--station-only]

#include "device/mitschnitt.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/satztransfer.h"
#include "ops/satzvergleich.h"
#include "ops/station.h"
#include "params/parametersatz.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <cstdio>
#include <ctime>

namespace {

// Frames per program and direction: 17 basic writes + 29 optional + "programmspeichern";
// "programmladen" + 14 basic reads + "status_stromaktiv" + 3 dither + 29 optional.
constexpr int AUSTAUSCHE_SCHREIBEN = 17 + 29 + 1;
constexpr int AUSTAUSCHE_LESEN = 1 + 14 + 1 + 3 + 29;
constexpr int PROGRAMME = 16;
constexpr int BITS_PRO_ZEICHEN = 10; // start, 7 data, parity, stop

struct Optionen {
    QString sim;
    int runden = 10;
    int leitungsProgramme = 2;  // programs written and read in each run against the line
    int leitungsLaeufe = 3;     // runs at each baud rate
    int mitschnittRunden = 10;  // unpaced rounds with the recorder off and on, each
    int stationsProgramme = 16; // programs the station writes and verifies
    int stationsLaeufe = 3;     // runs of one and of eight regulators at each baud rate
    bool nurStation = false;    // the station's measurement alone
};

struct Messung {
    long austausche = 0;
    double wand = 0.0;                                 // seconds
    double cpu = 0.0;                                  // seconds of this process
    long long rahmen = 0, empfangen = 0, gesendet = 0; // as counted by the simulator
    long long antworten = 0, verspaetungNs = 0;        // the simulator's own pacing error
};

QString SimulatorFinden(const QString& vorgabe) {
    if (!vorgabe.isEmpty()) return vorgabe;
    const QString daneben = QCoreApplication::applicationDirPath() + QStringLiteral("/vkr3x-sim");
    if (QFileInfo::exists(daneben)) return daneben;
#ifdef VKR3X_SIM_EXE
    return QStringLiteral(VKR3X_SIM_EXE);
#else
    return daneben;
#endif
}

bool OptionenLesen(const QStringList& args, Optionen* o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool mitWert = i + 1 < args.size();
        bool ok = true;
        if (a == QLatin1String("--sim") && mitWert)
            o->sim = args[++i];
        else if (a == QLatin1String("--rounds") && mitWert)
            o->runden = args[++i].toInt(&ok);
        else if (a == QLatin1String("--line-programs") && mitWert)
            o->leitungsProgramme = args[++i].toInt(&ok);
        else if (a == QLatin1String("--line-runs") && mitWert)
            o->leitungsLaeufe = args[++i].toInt(&ok);
        else if (a == QLatin1String("--record-rounds") && mitWert)
            o->mitschnittRunden = args[++i].toInt(&ok);
        else if (a == QLatin1String("--station-programs") && mitWert)
            o->stationsProgramme = args[++i].toInt(&ok);
        else if (a == QLatin1String("--station-only"))
            o->nurStation = true;
        else if (a == QLatin1String("--station-runs") && mitWert)
            o->stationsLaeufe = args[++i].toInt(&ok);
        else
            return false;
        if (!ok || o->runden < 1 || o->leitungsProgramme < 1 || o->leitungsProgramme > PROGRAMME ||
            o->leitungsLaeufe < 1 || o->mitschnittRunden < 1 || o->stationsProgramme < 1 ||
            o->stationsProgramme > PROGRAMME || o->stationsLaeufe < 1)
            return false;
    }
    return true;
}

double CpuSekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1.0e9;
}

// Starts the server and returns the pseudo-terminal it reports on its first line, or "".
QString SimulatorStarten(QProcess* sim, const QString& programm, int baud, int latenzMs) {
    QStringList argumente = {QStringLiteral("--device"), QStringLiteral("1:b"), QStringLiteral("--stats")};
    if (baud > 0) argumente << QStringLiteral("--baud") << QString::number(baud);
    if (latenzMs > 0) argumente << QStringLiteral("--adapter-latency") << QString::number(latenzMs);
    sim->setProgram(programm);
    sim->setArguments(argumente);
    sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim->start();
    if (!sim->waitForStarted(5000)) return QString();
    while (!sim->canReadLine())
        if (!sim->waitForReadyRead(5000)) return QString();
    return QString::fromLocal8Bit(sim->readLine()).trimmed();
}

// Ends the server and reads the line counts it prints on exit.
bool SimulatorBeenden(QProcess* sim, Messung* m) {
    sim->terminate();
    if (!sim->waitForFinished(5000)) {
        sim->kill();
        sim->waitForFinished(1000);
        return false;
    }
    const QByteArray zeile = sim->readAllStandardOutput().trimmed();
    return std::sscanf(zeile.constData(), "frames %lld received %lld sent %lld answers %lld late %lld",
                       &m->rahmen, &m->empfangen, &m->gesendet, &m->antworten, &m->verspaetungNs) == 5;
}

int Uebertragen(int runden, int programme, Messung* m) {
    QElapsedTimer uhr;
    const double cpu = CpuSekunden();
    uhr.start();
    for (int r = 0; r < runden; ++r) {
        for (int n = 1; n <= programme; ++n) {
            const int fehler = ParametersatzSchreiben(n, &gPar[n]);
            if (fehler != 0) return fehler;
        }
        for (int n = 1; n <= programme; ++n) {
            const int fehler = ParametersatzLesen(n, &gPar[n]);
            if (fehler != 0) return fehler;
        }
    }
    m->wand = static_cast<double>(uhr.nsecsElapsed()) / 1.0e9;
    m->cpu = CpuSekunden() - cpu;
    m->austausche = static_cast<long>(runden) * programme * (AUSTAUSCHE_SCHREIBEN + AUSTAUSCHE_LESEN);
    return 0;
}

// Reads the working parameters and programs 1..programme and compares them with gPar.
int Vergleichen(int runden, int programme, Messung* m) {
    Satzmaske saetze = SATZ_ARBEITSPARAMETER;
    for (int n = 1; n <= programme; ++n)
        saetze |= SatzBit(n);
    static Vergleich v;
    QElapsedTimer uhr;
    const double cpu = CpuSekunden();
    uhr.start();
    for (int r = 0; r < runden; ++r) {
        const int fehler =
            GeraetVergleichen(gCom.portOffen, gCom.adresse, gPar, saetze, nullptr, nullptr, &v);
        if (fehler != 0) return fehler;
    }
    m->wand = static_cast<double>(uhr.nsecsElapsed()) / 1.0e9;
    m->cpu = CpuSekunden() - cpu;
    m->austausche = static_cast<long>(runden) * ((programme + 1) * AUSTAUSCHE_LESEN - 1);
    return 0;
}

// Rounds alternately with the recorder off (aus) and on (an), the order swapped every round, so
// that other load on the machine falls on both alike.
int UebertragenWechselnd(int runden, int programme, Messung* aus, Messung* an) {
    for (int r = 0; r < runden; ++r)
        for (int k = 0; k < 2; ++k) {
            const bool mitschnitt = (k + r) % 2 == 1;
            Messung runde;
            MitschnittEin(mitschnitt);
            const int fehler = Uebertragen(1, programme, &runde);
            MitschnittEin(false);
            if (fehler != 0) return fehler;
            Messung* m = mitschnitt ? an : aus;
            m->wand += runde.wand;
            m->cpu += runde.cpu;
            m->austausche += runde.austausche;
        }
    return 0;
}

// One run against a fresh server. baud 0: the server answers at once; latenzMs > 0: it sits
// behind an adapter with that latency timer. With an, the rounds alternate between the recorder
// off (counted in m) and on (counted in an).
using Arbeit = int (*)(int runden, int programme, Messung* m);

int Lauf(const QString& programm, int baud, int latenzMs, int runden, int programme, Messung* m,
         Messung* an = nullptr, Arbeit arbeit = Uebertragen) {
    QProcess sim;
    const QString pfad = SimulatorStarten(&sim, programm, baud, latenzMs);
    if (pfad.isEmpty()) {
        std::fprintf(stderr, "vkr3x-bench: simulator %s did not start\n", qPrintable(programm));
        return 1;
    }
    qputenv("VKR3X_COM1", pfad.toLocal8Bit());
    const int portBaud = baud > 0 ? baud : 115200;
    int fehler = ZEMVKR3X_Open(1, portBaud);
    if (fehler == 0) fehler = ZEMVKR3X_Timeout(1, 1.0);
    if (fehler == 0) {
        ComStrukturInitialisieren();
        gCom.portOffen = 1;
        gCom.adresse = '1';
        gCom.baudrate = portBaud;
        ParameterStrukturInitialisieren();
        fehler = an ? UebertragenWechselnd(runden, programme, m, an) : arbeit(runden, programme, m);
        ZEMVKR3X_Close(1);
    }
    const bool gezaehlt = SimulatorBeenden(&sim, m);
    if (fehler != 0) {
        std::fprintf(stderr, "vkr3x-bench: device link failed with %d\n", fehler);
        return 1;
    }
    if (!gezaehlt) {
        std::fprintf(stderr, "vkr3x-bench: the simulator reported no line counts\n");
        return 1;
    }
    return 0;
}

double Minimum(int baud, const Messung& m) {
    return static_cast<double>(m.empfangen + m.gesendet) * BITS_PRO_ZEICHEN / static_cast<double>(baud);
}

// Runs the transfer (or the comparison) against the line at baud, behind an adapter with
// latenzMs, several times; returns the best run's time over the line's minimum, 0 on failure.
double BesterLauf(const QString& programm, int baud, int latenzMs, const Optionen& opt, Messung* beste,
                  QString* alle, Arbeit arbeit = Uebertragen) {
    for (int lauf = 0; lauf < opt.leitungsLaeufe; ++lauf) {
        Messung m;
        if (Lauf(programm, baud, latenzMs, 1, opt.leitungsProgramme, &m, nullptr, arbeit) != 0) return 0.0;
        *alle += QStringLiteral(" %1").arg(m.wand / Minimum(baud, m), 0, 'f', 4);
        if (lauf == 0 || m.wand / Minimum(baud, m) < beste->wand / Minimum(baud, *beste)) *beste = m;
    }
    return beste->wand / Minimum(baud, *beste);
}

// Runs the transfer (or the comparison) against the line at baud, prints every run and the best.
bool LeitungMessen(const QString& programm, int baud, const Optionen& opt, Arbeit arbeit = Uebertragen) {
    Messung beste;
    QString alle;
    if (BesterLauf(programm, baud, 0, opt, &beste, &alle, arbeit) <= 0.0) return false;
    std::printf("%6d baud    %ld exchanges, %lld + %lld bytes, line minimum %.3f s, best run %.3f s\n", baud,
                beste.austausche, beste.empfangen, beste.gesendet, Minimum(baud, beste), beste.wand);
    std::printf("               ratio %.4f (runs:%s), CPU %.2f us/exchange, simulator late %.1f us/answer\n",
                beste.wand / Minimum(baud, beste), qPrintable(alle),
                beste.cpu * 1.0e6 / static_cast<double>(beste.austausche),
                beste.antworten > 0 ? static_cast<double>(beste.verspaetungNs) / 1.0e3 / beste.antworten
                                    : 0.0);
    return true;
}

// The transfer through an adapter with its latency timer at 16 ms (the usual default) and at
// 1 ms (low latency), at each baud rate: the ratios over the line's minimum and their quotient.
bool AdapterMessen(const QString& programm, const Optionen& opt) {
    std::printf("through a USB adapter: write + read of %d programs, best of %d runs\n",
                opt.leitungsProgramme, opt.leitungsLaeufe);
    for (int baud : {115200, 9600}) {
        double verhaeltnis[2] = {};
        const int timer[2] = {16, 1};
        for (int i = 0; i < 2; ++i) {
            Messung beste;
            QString alle;
            verhaeltnis[i] = BesterLauf(programm, baud, timer[i], opt, &beste, &alle);
            if (verhaeltnis[i] <= 0.0) return false;
            std::printf("%6d baud    timer %2d ms: %.3f s, ratio %.3f (runs:%s), %.2f ms/exchange\n", baud,
                        timer[i], beste.wand, verhaeltnis[i], qPrintable(alle),
                        beste.wand * 1.0e3 / static_cast<double>(beste.austausche));
        }
        std::printf("               low latency: %.1f times as fast\n", verhaeltnis[0] / verhaeltnis[1]);
    }
    return true;
}

// Unpaced rounds, alternately without and with the recorder on one server; prints both rates and
// what recording costs of the exchange rate.
bool MitschnittMessen(const QString& programm, const Optionen& opt) {
    Messung m[2];
    MitschnittLeeren();
    if (Lauf(programm, 0, 0, 2 * opt.mitschnittRunden, PROGRAMME, &m[0], &m[1]) != 0) return false;
    std::printf("recording: %d unpaced rounds each, alternating, recorder off / on\n",
                2 * opt.mitschnittRunden);
    const char* namen[] = {"off", "on "};
    for (int an = 0; an < 2; ++an) {
        const double n = static_cast<double>(m[an].austausche);
        std::printf("  recorder %s   %.0f exchanges/s, %.2f us/exchange wall, %.2f us/exchange CPU\n",
                    namen[an], n / m[an].wand, m[an].wand * 1.0e6 / n, m[an].cpu * 1.0e6 / n);
    }
    const double rateAus = static_cast<double>(m[0].austausche) / m[0].wand;
    const double rateAn = static_cast<double>(m[1].austausche) / m[1].wand;
    std::printf("  cost of recording: %.1f %% of the exchange rate (%lu records held)\n",
                (rateAus - rateAn) * 100.0 / rateAus,
                static_cast<unsigned long>(MitschnittLetzte() - MitschnittErste() + 1));
    return true;
}

// The station over the first `anzahl` of the servers; its wall time in seconds, or -1.
double StationLauf(const Stationsauftrag& auftrag, const QStringList& pfade, int anzahl) {
    std::vector<Stationsziel> ziele(static_cast<size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) {
        ziele[i].port = pfade[i].toStdString();
        ziele[i].geraet = ziele[i].port;
        ziele[i].comPort = i + 1;
        ziele[i].adresse = '1';
    }
    QElapsedTimer uhr;
    uhr.start();
    const int fehlgeschlagen = StationAusfuehren(auftrag, ziele, nullptr, nullptr);
    const double sekunden = static_cast<double>(uhr.nsecsElapsed()) / 1.0e9;
    if (fehlgeschlagen == 0) return sekunden;
    for (const Stationsziel& z : ziele)
        for (const Schrittergebnis& s : z.schritte)
            if (s.code != 0)
                std::fprintf(stderr, "vkr3x-bench: station target %s failed with %d\n", z.port.c_str(),
                             s.code);
    return -1.0;
}

// Eight servers at baud; runs of one regulator and of eight alternate, and the best of each
// are compared.
bool StationMessen(const QString& programm, int baud, const Optionen& opt) {
    constexpr int LEITUNGEN = 8;
    QProcess server[LEITUNGEN];
    QStringList pfade;
    bool gestartet = true;
    for (QProcess& s : server) {
        pfade << SimulatorStarten(&s, programm, baud, 0);
        gestartet = gestartet && !pfade.back().isEmpty();
    }
    auto auftrag = std::make_unique<Stationsauftrag>();
    ParameterStrukturInitialisieren();
    std::copy(gPar, gPar + PARAMETERSAETZE, auftrag->saetze);
    auftrag->programme = 0;
    for (int n = 1; n <= opt.stationsProgramme; ++n)
        auftrag->programme |= SatzBit(n);
    auftrag->baudrate = baud;
    double einer = 0.0, acht = 0.0;
    QString alle;
    for (int lauf = 0; gestartet && lauf < opt.stationsLaeufe; ++lauf) {
        const double t1 = StationLauf(*auftrag, pfade, 1);
        const double t8 = t1 < 0 ? -1.0 : StationLauf(*auftrag, pfade, LEITUNGEN);
        if (t8 < 0) {
            gestartet = false;
            break;
        }
        alle += QStringLiteral(" %1/%2").arg(t8, 0, 'f', 2).arg(t1, 0, 'f', 2);
        einer = lauf == 0 ? t1 : std::min(einer, t1);
        acht = lauf == 0 ? t8 : std::min(acht, t8);
    }
    for (QProcess& s : server) {
        Messung m;
        SimulatorBeenden(&s, &m);
    }
    if (!gestartet) {
        std::fprintf(stderr, "vkr3x-bench: the station run at %d baud failed\n", baud);
        return false;
    }
    std::printf("%6d baud    one regulator %.3f s, eight on eight lines %.3f s (best of %d)\n", baud, einer,
                acht, opt.stationsLaeufe);
    std::printf("               ratio %.3f (runs, eight/one s:%s)\n", acht / einer, qPrintable(alle));
    return true;
}

// Sections 1 to 4.
bool Uebertragung(const QString& programm, const Optionen& opt) {
    Messung frei;
    if (Lauf(programm, 0, 0, opt.runden, PROGRAMME, &frei) != 0) return false;
    const double n = static_cast<double>(frei.austausche);
    std::printf("simulator      %s\n", qPrintable(programm));
    std::printf("rounds         %d x (write + read of %d programs), unpaced\n", opt.runden, PROGRAMME);
    std::printf("exchanges      %ld (%lld frames seen by the simulator)\n", frei.austausche, frei.rahmen);
    std::printf("wall time      %.3f s, %.2f us/exchange, %.0f exchanges/s\n", frei.wand,
                frei.wand * 1.0e6 / n, n / frei.wand);
    std::printf("CPU time       %.3f s, %.2f us/exchange (this process)\n", frei.cpu, frei.cpu * 1.0e6 / n);

    std::printf("against the line: write + read of %d programs, %d runs each\n", opt.leitungsProgramme,
                opt.leitungsLaeufe);
    for (int baud : {115200, 9600})
        if (!LeitungMessen(programm, baud, opt)) return false;
    std::printf(
        "compare with the device: working parameters and %d programs read and compared, %d runs each\n",
        opt.leitungsProgramme, opt.leitungsLaeufe);
    for (int baud : {115200, 9600})
        if (!LeitungMessen(programm, baud, opt, Vergleichen)) return false;
    if (!AdapterMessen(programm, opt)) return false;
    return MitschnittMessen(programm, opt);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Optionen opt;
    if (!OptionenLesen(app.arguments(), &opt)) {
        std::fprintf(stderr, "usage: vkr3x-bench [--sim PATH] [--rounds N] [--line-programs 1..16] "
                             "[--line-runs N] [--record-rounds N] [--station-programs 1..16] "
                             "[--station-runs N] [--station-only]\n");
        return 2;
    }
    const QString programm = SimulatorFinden(opt.sim);
    if (!opt.nurStation && !Uebertragung(programm, opt)) return 1;
    std::printf("station: write and verify %d programs, one regulator against eight on eight lines\n",
                opt.stationsProgramme);
    for (int baud : {115200, 9600})
        if (!StationMessen(programm, baud, opt)) return 1;
    return 0;
}
