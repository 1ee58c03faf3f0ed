// "read", "write" and "compare": program files to and from the regulator with the panel's sets,
// order and copying rules (ops/programmsaetze.h), the backup before and the verify after a
// write, and the comparison of a file with the regulator (ops/satzvergleich.h).

#include "cli/befehlszeile.h"

#include "cli/vergleichsausgabe.h"
#include "ops/com.h"
#include "ops/programmsaetze.h"
#include "ops/satzvergleich.h"
#include "ops/sicherung.h"
#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const QCommandLineOption kProgram("program", "Only set N: 0 the working parameters, 1..16 a program.", "N");
const QCommandLineOption kAll("all", "Programs 1 to 16.");
const QCommandLineOption kOutput(QStringList{"o", "output"}, "Program file to write (read).", "FILE.vkr");

void LesenOptionen(QCommandLineParser& parser) {
    parser.addOptions({kProgram, kAll, kOutput});
}
const QCommandLineOption kVerify("verify",
                                 "Read every set written back and compare it; exit 1 when one differs.");
const QCommandLineOption kBackup("backup",
                                 "Before writing, save what the regulator holds in those sets as a program "
                                 "file in DIR (named by identity, address and time).",
                                 "DIR");
const QCommandLineOption kJson("json", "Print the comparison as JSON.");

void SchreibenOptionen(QCommandLineParser& parser) {
    parser.addOptions({kProgram, kAll, kVerify, kBackup});
}
void VergleichOptionen(QCommandLineParser& parser) {
    parser.addOption(kJson);
}

// The sets --program or --all names; false after a usage message.
bool Bereich(const QCommandLineParser& parser, int* erster, int* letzter) {
    if (parser.isSet(kAll) == parser.isSet(kProgram)) {
        BedienfehlerMelden("give either --program N or --all");
        return false;
    }
    if (parser.isSet(kAll)) {
        *erster = 1;
        *letzter = PARAMETERSAETZE - 1;
        return true;
    }
    if (!GanzzahlAus(parser.value(kProgram), 0, PARAMETERSAETZE - 1, erster)) {
        BedienfehlerMelden("--program takes 0..16");
        return false;
    }
    *letzter = *erster;
    return true;
}

// A bar on standard error, only when a person watches it.
void Balken(int prozent, void* titel) {
    constexpr int BREITE = 32;
    const int voll = prozent * BREITE / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%%s", static_cast<const char*>(titel),
                 std::string(voll, '#').c_str(), std::string(BREITE - voll, '.').c_str(), prozent,
                 prozent == 100 ? "\n" : "");
    std::fflush(stderr);
}

Fortschrittsmelder Melder() {
    return ::isatty(STDERR_FILENO) ? Balken : nullptr;
}

// Clears a bar left unfinished by a failure, so the message starts on a line of its own.
int Abschliessen(int r) {
    if (r != 0 && Melder()) std::fprintf(stderr, "\n");
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

int Lesen(const QCommandLineParser& parser, const QStringList&) {
    int erster = 0, letzter = 0;
    if (!Bereich(parser, &erster, &letzter)) return EXIT_FEHLER;
    if (!parser.isSet(kOutput)) return BedienfehlerMelden("read needs -o FILE.vkr");
    const std::string pfad = Dateiname(parser.value(kOutput)).toStdString();

    // Sets not read keep what the file held, as on the panel; a new file starts from the defaults.
    ParameterStrukturInitialisieren();
    std::error_code ec;
    if (std::filesystem::exists(pfad, ec))
        if (const int r = ProgrammdateiLesen(pfad.c_str())) return FehlerMelden(r);

    if (const int e = Verbinden(parser)) return e;
    char titel[] = "reading";
    const int r = ProgrammsaetzeLesen(erster, letzter, Melder(), titel);
    Trennen();
    if (r != 0) return Abschliessen(r);
    return Abschliessen(ProgrammdateiSchreiben(pfad.c_str()));
}

bool Lesebalken(int prozent, void* titel) {
    Balken(prozent, titel);
    return false;
}

Vergleichsmelder Lesemelder() {
    return ::isatty(STDERR_FILENO) ? Lesebalken : nullptr;
}

Satzmaske Maske(int erster, int letzter) {
    Satzmaske maske = 0;
    for (int n = erster; n <= letzter; ++n)
        maske |= SatzBit(n);
    return maske;
}

// The backup before and the verify after the write, each one read of the sets written.
int GeprueftSchreiben(const QCommandLineParser& parser, Satzmaske saetze) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    if (parser.isSet(kBackup)) {
        std::string pfad;
        char titel[] = "backup ";
        const std::string ordner = parser.value(kBackup).toLocal8Bit().toStdString();
        if (const int r = SicherungAnlegen(gCom.portOffen, gCom.adresse, saetze, ordner.c_str(), 0,
                                           std::time(nullptr), Lesemelder(), titel, &pfad))
            return r;
        std::printf("backup %s\n", pfad.c_str());
    }
    char titel[] = "writing";
    if (const int r = ProgrammsaetzeSchreibenMaske(saetze, Melder(), titel)) return r;
    if (!parser.isSet(kVerify)) return 0;
    static Vergleich pruefung;
    char pruefen[] = "verify ";
    const int r = GeschriebeneSaetzePruefen(gCom.portOffen, gCom.adresse, gPar, saetze, Lesemelder(), pruefen,
                                            &pruefung);
    if (r == PRUEFUNG_ABWEICHUNG) UnterschiedeDrucken(pruefung, "written");
    return r;
}

int Schreiben(const QCommandLineParser& parser, const QStringList& argumente) {
    int erster = 0, letzter = 0;
    if (!Bereich(parser, &erster, &letzter)) return EXIT_FEHLER;
    if (const int r = ProgrammdateiLesen(Dateiname(argumente[0]).constData())) return FehlerMelden(r);
    if (const int e = Verbinden(parser)) return e;
    const int r = GeprueftSchreiben(parser, Maske(erster, letzter));
    Trennen();
    if (r == PRUEFUNG_ABWEICHUNG) {
        Abschliessen(r);
        return EXIT_UNTERSCHIED;
    }
    return Abschliessen(r);
}

int Vergleichen(const QCommandLineParser& parser, const QStringList& argumente) {
    if (const int r = ProgrammdateiLesen(argumente[0].toLocal8Bit().constData())) return FehlerMelden(r);
    if (const int e = Verbinden(parser)) return e;
    static Vergleich v;
    char titel[] = "reading";
    const int r = gCom.portOffen == -1 ? KEIN_PORT_OFFEN
                                       : GeraetVergleichen(gCom.portOffen, gCom.adresse, gPar, SAETZE_ALLE,
                                                           Lesemelder(), titel, &v);
    Trennen();
    if (r == KEIN_PORT_OFFEN) return FehlerMelden(r);
    if (r != 0 && Lesemelder()) std::fprintf(stderr, "\n");
    if (parser.isSet(kJson))
        std::printf("%s", VergleichAlsJson(v).c_str());
    else
        UnterschiedeDrucken(v, "file");
    if (r != 0) return FehlerMelden(r);
    return AbweichendeSaetze(v) != 0 ? EXIT_UNTERSCHIED : EXIT_ERFOLG;
}

} // namespace

const Befehl kTransferbefehle[] = {
    {"read", "",
     "Read sets from the regulator into a program file (-o); sets not read keep what the file held.", true, 0,
     0, LesenOptionen, Lesen},
    {"write", "FILE.vkr",
     "Write sets of a program file to the regulator, storing each as its program (--backup DIR, --verify).",
     true, 1, 1, SchreibenOptionen, Schreiben},
    {"compare", "FILE.vkr",
     "Compare a program file with the regulator's working parameters and programs 1..16; exit 1 when they "
     "differ.",
     true, 1, 1, VergleichOptionen, Vergleichen},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
