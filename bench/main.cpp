// vkr3x-bench: exchanges per second of the device link. Starts the vkr3x-sim server as a separate
// process, opens its pseudo-terminal through the driver as COM 1 and writes, then reads, all
// sixteen programs for a number of rounds.
//
//   vkr3x-bench [--sim PATH] [--rounds N] [--baud RATE]

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/satztransfer.h"
#include "params/parametersatz.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace {

// Frames per program and direction: 17 basic writes + 29 optional + "programmspeichern";
// "programmladen" + 14 basic reads + "status_stromaktiv" + 3 dither + 29 optional.
constexpr int AUSTAUSCHE_SCHREIBEN = 17 + 29 + 1;
constexpr int AUSTAUSCHE_LESEN = 1 + 14 + 1 + 3 + 29;
constexpr int PROGRAMME = 16;

struct Optionen {
    QString sim;
    int runden = 10;
    int baud = 115200;
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
        else if (a == QLatin1String("--baud") && mitWert)
            o->baud = args[++i].toInt(&ok);
        else
            return false;
        if (!ok || o->runden < 1) return false;
    }
    return true;
}

// Starts the server and returns the pseudo-terminal it reports on its first line, or "".
QString SimulatorStarten(QProcess* sim, const QString& programm) {
    sim->setProgram(programm);
    sim->setArguments({QStringLiteral("--device"), QStringLiteral("1:b")});
    sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim->start();
    if (!sim->waitForStarted(5000)) return QString();
    while (!sim->canReadLine())
        if (!sim->waitForReadyRead(5000)) return QString();
    return QString::fromLocal8Bit(sim->readLine()).trimmed();
}

int Messen(int runden, double* sekunden) {
    QElapsedTimer uhr;
    uhr.start();
    for (int r = 0; r < runden; ++r) {
        for (int n = 1; n <= PROGRAMME; ++n) {
            const int fehler = ParametersatzSchreiben(n, &gPar[n]);
            if (fehler != 0) return fehler;
        }
        for (int n = 1; n <= PROGRAMME; ++n) {
            const int fehler = ParametersatzLesen(n, &gPar[n]);
            if (fehler != 0) return fehler;
        }
    }
    *sekunden = static_cast<double>(uhr.nsecsElapsed()) / 1.0e9;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Optionen opt;
    if (!OptionenLesen(app.arguments(), &opt)) {
        std::fprintf(stderr, "usage: vkr3x-bench [--sim PATH] [--rounds N] [--baud RATE]\n");
        return 2;
    }
    QProcess sim;
    const QString programm = SimulatorFinden(opt.sim);
    const QString pfad = SimulatorStarten(&sim, programm);
    if (pfad.isEmpty()) {
        std::fprintf(stderr, "vkr3x-bench: simulator %s did not start\n", qPrintable(programm));
        return 1;
    }
    qputenv("VKR3X_COM1", pfad.toLocal8Bit());

    int fehler = ZEMVKR3X_Open(1, opt.baud);
    if (fehler == 0) fehler = ZEMVKR3X_Timeout(1, 1.0);
    double sekunden = 0.0;
    if (fehler == 0) {
        ComStrukturInitialisieren();
        gCom.portOffen = 1;
        gCom.adresse = '1';
        gCom.baudrate = opt.baud;
        ParameterStrukturInitialisieren();
        fehler = Messen(opt.runden, &sekunden);
        ZEMVKR3X_Close(1);
    }
    sim.terminate();
    if (!sim.waitForFinished(3000)) sim.kill();
    if (fehler != 0) {
        std::fprintf(stderr, "vkr3x-bench: device link failed with %d\n", fehler);
        return 1;
    }

    const long austausche =
        static_cast<long>(opt.runden) * PROGRAMME * (AUSTAUSCHE_SCHREIBEN + AUSTAUSCHE_LESEN);
    std::printf("simulator      %s (%s)\n", qPrintable(programm), qPrintable(pfad));
    std::printf("rounds         %d x (write + read of %d programs)\n", opt.runden, PROGRAMME);
    std::printf("exchanges      %ld\n", austausche);
    std::printf("time           %.3f s\n", sekunden);
    std::printf("exchanges/s    %.0f\n", austausche / sekunden);
    std::printf("us/exchange    %.2f\n", sekunden * 1.0e6 / austausche);
    return 0;
}
