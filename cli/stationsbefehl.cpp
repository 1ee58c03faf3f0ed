// "station": one program file onto many regulators at once, for end-of-line stations with one
// adapter per test nest or several regulators on one line. The targets are read and checked
// here, the work is done by ops/station.h, and the results are printed as they come.

#include "cli/befehlszeile.h"
#include "cli/stationsbericht.h"

#include "app/globals.h"
#include "device/austausch.h"
#include "errors/fehler.h"
#include "ops/station.h"
#include "platform/rs232.h"
#include "storage/dateischreiben.h"
#include "storage/ersatzdatei.h"
#include "storage/programmdatei.h"
#include "storage/sicherungsdateien.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

const QCommandLineOption kTarget("target",
                                 "A regulator to program: PORT is a COM number 1..8 or a device "
                                 "(/dev/ttyUSB0); ADDRESS,... the regulators on that line (default: "
                                 "--address). Repeat for every line; at most eight different ports.",
                                 "PORT[:ADDRESS,...]");
const QCommandLineOption kAddress("address", "Address of targets given without one, 1..8 (default 1).", "A");
const QCommandLineOption kBaud("baud", "Baud rate of every line (default 9600).", "B");
const QCommandLineOption kTimeout("timeout", "Seconds to wait for each answer byte (default 1.0).", "S");
const QCommandLineOption kPrograms("programs", "The programs to write and verify (default all).",
                                   "all|N[,N...]");
const QCommandLineOption kBackup("backup",
                                 "Before writing, save what each regulator holds in those programs as a "
                                 "program file in DIR.",
                                 "DIR");
const QCommandLineOption kLoad("load", "After the verify, load program N as the working parameters.", "N");
const QCommandLineOption kReport("report", "Write the results as JSON to FILE.", "FILE.json");

constexpr int BERICHT_SCHREIBEN = -301306; // the report file could not be written

// Set by Ctrl+C (or SIGTERM); the workers stop after their current exchange.
std::atomic<bool> gStopp = false;
volatile std::sig_atomic_t gSignal = 0;

extern "C" void StoppSignal(int signal) {
    gSignal = signal;
    gStopp = true;
    std::signal(signal, SIG_DFL); // a second one ends the program at once
#if !defined(_WIN32)
    static const char text[] = "\nvkr3x: stopping after the current exchange on each port "
                               "(press Ctrl+C again to quit at once)\n";
    const ssize_t geschrieben = ::write(STDERR_FILENO, text, sizeof text - 1);
    (void)geschrieben;
#endif
}

void StationOptionen(QCommandLineParser& parser) {
    parser.addOptions({kTarget, kAddress, kBaud, kTimeout, kPrograms, kBackup, kLoad, kReport});
}

// The device a target's line is: the file behind it where there is one, so that a COM number
// and a device naming the same adapter count as one line.
QString Leitung(int com, const QString& geraet) {
    if (com > 0) {
        Rs232Portinfo info;
        Rs232PortinfoLesen(com, &info);
        return QString::fromStdString(info.datei.empty() ? info.geraet : info.datei);
    }
    const QString echt = QFileInfo(geraet).canonicalFilePath();
    return echt.isEmpty() ? geraet : echt;
}

// One --target: the port and its addresses. The addresses follow the last colon, so a device
// whose name holds colons (/dev/serial/by-path/...:1.0-port0) needs no quoting.
bool ZielLesen(const QString& angabe, char vorgabe, QString* port, std::vector<char>* adressen) {
    static const QRegularExpression liste("^[1-8](,[1-8])*$");
    const qsizetype doppelpunkt = angabe.lastIndexOf(':');
    *port = angabe;
    adressen->clear();
    if (doppelpunkt >= 0 && liste.match(angabe.mid(doppelpunkt + 1)).hasMatch()) {
        *port = angabe.left(doppelpunkt);
        for (const QString& a : angabe.mid(doppelpunkt + 1).split(','))
            adressen->push_back(a[0].toLatin1());
    } else {
        adressen->push_back(vorgabe);
    }
    return !port->trimmed().isEmpty();
}

// The device a port given as a device opens: a short name lies under /dev, as for --device.
std::string Geraetename(const QString& port) {
    const QByteArray name = Dateiname(port);
#if !defined(_WIN32)
    if (!name.startsWith('/') && !name.startsWith("./") && !name.startsWith("../"))
        return "/dev/" + name.toStdString();
#endif
    return name.toStdString();
}

// Reads every --target into ziele, in the order given, each line with a port number of its
// own: a COM number keeps its number, a device takes a free one. "" means success.
QString ZieleLesen(const QCommandLineParser& parser, char vorgabe, std::vector<Stationsziel>* ziele) {
    const QStringList angaben = parser.values(kTarget);
    if (angaben.isEmpty()) return "station needs at least one --target";
    struct Angabe {
        QString port;
        int com; // 0: a device
        std::string geraet;
        QString leitung;
        std::vector<char> adressen;
    };
    std::vector<Angabe> liste;
    for (const QString& text : angaben) {
        Angabe a;
        if (!ZielLesen(text, vorgabe, &a.port, &a.adressen)) return "--target '" + text + "' names no port";
        a.com = 0;
        if (GanzzahlAus(a.port, -1000000, 1000000, &a.com)) {
            if (a.com < 1 || a.com > RS232_PORTS) return "--target: COM numbers are 1..8";
            const QByteArray variable = "VKR3X_COM" + QByteArray::number(a.com);
            if (qEnvironmentVariableIsSet(variable.constData()) &&
                qgetenv(variable.constData()).trimmed().isEmpty())
                return QString::fromLatin1(variable) + " is set but empty";
        } else {
            a.geraet = Geraetename(a.port);
        }
        a.leitung = Leitung(a.com, QString::fromStdString(a.geraet));
        liste.push_back(std::move(a));
    }
    // Port numbers: COM numbers first, so that a device never takes the number a target names.
    struct Linie {
        int com;
        std::string geraet;
    };
    std::map<QString, Linie> leitungen;
    bool belegt[RS232_PORTS + 1] = {};
    for (const Angabe& a : liste)
        if (a.com > 0 && !leitungen.count(a.leitung)) {
            leitungen[a.leitung] = {a.com, std::string()};
            belegt[a.com] = true;
        }
    for (const Angabe& a : liste) {
        if (leitungen.count(a.leitung)) continue;
        int frei = 1;
        while (frei <= RS232_PORTS && belegt[frei])
            ++frei;
        if (frei > RS232_PORTS) return "more than eight different ports";
        belegt[frei] = true;
        leitungen[a.leitung] = {frei, a.geraet};
    }
    for (const Angabe& a : liste) {
        const Linie& linie = leitungen[a.leitung];
        for (char adresse : a.adressen) {
            for (const Stationsziel& z : *ziele)
                if (z.comPort == linie.com && z.adresse == adresse)
                    return "--target: address " + QString(QChar(adresse)) + " on " + a.port +
                           " is given twice";
            Stationsziel z;
            z.port = a.port.toStdString();
            z.geraet = linie.geraet;
            z.comPort = linie.com;
            z.adresse = adresse;
            ziele->push_back(std::move(z));
        }
    }
    return QString();
}

// --programs: "all" or program numbers 1..16 separated by commas.
bool ProgrammeLesen(const QCommandLineParser& parser, Satzmaske* programme) {
    *programme = SAETZE_PROGRAMME;
    if (!parser.isSet(kPrograms) || parser.value(kPrograms) == "all") return true;
    *programme = 0;
    for (const QString& teil : parser.value(kPrograms).split(',')) {
        int n = 0;
        if (!GanzzahlAus(teil.trimmed(), 1, PARAMETERSAETZE - 1, &n)) return false;
        *programme |= SatzBit(n);
    }
    return true;
}

// The connection settings every line shares; "" means success.
QString LeitungLesen(const QCommandLineParser& parser, char* adresse, Stationsauftrag* a) {
    *adresse = '1';
    if (parser.isSet(kAddress)) {
        const QString text = parser.value(kAddress);
        if (text.size() != 1 || text[0] < '1' || text[0] > '8')
            return "--address takes 1..8 (a station needs an answer from every regulator)";
        *adresse = text[0].toLatin1();
    }
    if (parser.isSet(kBaud) && !GanzzahlAus(parser.value(kBaud), 1, 1000000, &a->baudrate))
        return "--baud takes a baud rate";
    if (parser.isSet(kTimeout)) {
        bool ok = false;
        a->timeout = parser.value(kTimeout).toDouble(&ok);
        if (!ok || !(a->timeout > 0.0 && a->timeout <= 60.0)) return "--timeout takes 0..60 seconds";
    }
    return QString();
}

// A report that cannot be written must be known before any regulator is touched: a new file
// can be made beside it, or it exists and can be written in place.
bool BerichtMoeglich(const std::string& pfad) {
    if (QFileInfo(QString::fromStdString(pfad)).isDir()) return false;
    Ersatzdatei e;
    if (ErsatzdateiAnlegen(DateiLinkZiel(pfad.c_str()).c_str(), "vkr$$", &e) == 0) {
        ErsatzdateiVerwerfen(&e);
        return true;
    }
    std::FILE* f = std::fopen(pfad.c_str(), "r+b");
    if (f) std::fclose(f);
    return f != nullptr;
}

bool BerichtSchreiben(const std::string& pfad, const std::string& json) {
    int grund = 0;
    return DateiinhaltSchreiben(pfad.c_str(), "vkr$$", json.data(), json.size(), &grund) == 0;
}

struct Ausgabe {
    int breite; // of the target names
};

void ZielFertig(const Stationsziel& z, void* kontext) {
    std::printf("%s\n", Stationszeile(z, static_cast<Ausgabe*>(kontext)->breite).c_str());
    AusgabeAbgeben(); // each line as it comes, also into a pipe
}

int Station(const QCommandLineParser& parser, const QStringList& argumente) {
    auto auftrag = std::make_unique<Stationsauftrag>();
    char adresse = '1';
    if (const QString e = LeitungLesen(parser, &adresse, auftrag.get()); !e.isEmpty())
        return BedienfehlerMelden(e);
    if (!ProgrammeLesen(parser, &auftrag->programme))
        return BedienfehlerMelden("--programs takes all or program numbers 1..16, e.g. 1,2,5");
    if (parser.isSet(kLoad) && !GanzzahlAus(parser.value(kLoad), 1, PARAMETERSAETZE - 1, &auftrag->laden))
        return BedienfehlerMelden("--load takes a program number 1..16");
    std::vector<Stationsziel> ziele;
    if (const QString e = ZieleLesen(parser, adresse, &ziele); !e.isEmpty()) return BedienfehlerMelden(e);

    if (const int r = ProgrammdateiLesen(Dateiname(argumente[0]).constData())) return FehlerMelden(r);
    std::copy(gPar, gPar + PARAMETERSAETZE, auftrag->saetze);
    if (parser.isSet(kBackup)) {
        auftrag->sicherungsordner = Dateiname(parser.value(kBackup)).toStdString();
        if (const int r = SicherungsordnerAnlegen(auftrag->sicherungsordner.c_str())) return FehlerMelden(r);
    }
    const std::string bericht = parser.isSet(kReport) ? Dateiname(parser.value(kReport)).toStdString() : "";
    if (!bericht.empty() && !BerichtMoeglich(bericht))
        return BedienfehlerMelden("cannot write the report '" + parser.value(kReport) + "'");

    Stationslauf lauf{argumente[0].toStdString(), auftrag->programme, auftrag->laden,
                      auftrag->sicherungsordner, std::time(nullptr)};
    Ausgabe ausgabe{0};
    for (const Stationsziel& z : ziele)
        ausgabe.breite = std::max(ausgabe.breite, static_cast<int>(Zielname(z).size()));

    gStopp = false;
    auftrag->stopp = &gStopp;
    std::signal(SIGINT, StoppSignal);
    std::signal(SIGTERM, StoppSignal);
    const auto beginn = std::chrono::steady_clock::now();
    const int fehlgeschlagen = StationAusfuehren(*auftrag, ziele, ZielFertig, &ausgabe);
    lauf.sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
    lauf.gestoppt = gStopp;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    int gestoppt = 0;
    for (const Stationsziel& z : ziele)
        gestoppt += !z.schritte.empty() && z.schritte.back().code == AUSTAUSCH_GESTOPPT;
    std::printf("station: %zu targets, %zu ok, %d failed", ziele.size(), ziele.size() - fehlgeschlagen,
                fehlgeschlagen - gestoppt);
    if (gestoppt > 0) std::printf(", %d stopped", gestoppt);
    std::printf(", %.1f s\n", lauf.sekunden);
    if (!bericht.empty() && !BerichtSchreiben(bericht, StationsberichtJson(lauf, ziele))) {
        const std::string meldung = ZEM_Fehlermeldung(BERICHT_SCHREIBEN);
        std::fprintf(stderr, "vkr3x: %s (%d): %s\n", meldung.c_str(), -BERICHT_SCHREIBEN, bericht.c_str());
        return EXIT_FEHLER;
    }
    if (lauf.gestoppt) return 128 + gSignal;
    return fehlgeschlagen == 0 ? EXIT_ERFOLG : EXIT_FEHLER;
}

} // namespace

QString Stationshilfe() {
    return "\nFor every target: read the identity, back up (--backup), write the programs, read\n"
           "them back and compare (verify), load one (--load); a step runs only when the ones\n"
           "before succeeded, and a failing target never stops the others. Each line (port)\n"
           "has a worker of its own; the regulators on one line are served one after another.\n"
           "A port is a COM number 1..8 or a device; at most eight different ports.\n"
           "\n"
           "  vkr3x station valve-a.vkr --target 1 --target /dev/ttyUSB1:1,3 --load 1 \\\n"
           "        --backup backups --report out/station.json\n"
           "\n"
           "One line per target as it finishes: target, identity, ok / FAILED / STOPPED,\n"
           "seconds, and for a failure the step, message and error number. Ctrl+C stops\n"
           "after the current exchange on each line and reports what was done.\n"
           "Exit status: 0 every target succeeded, 2 one failed, 130 stopped by Ctrl+C\n"
           "(143 by SIGTERM).\n";
}

const Befehl kStationsbefehle[] = {
    {"station", "FILE.vkr",
     "Program many regulators at once: per --target identity, --backup, write, verify, --load; "
     "lines in parallel.",
     false, 1, 1, StationOptionen, Station},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
