// "read" and "write": program files to and from the regulator with the panel's sets, order and
// copying rules (ops/programmsaetze.h).

#include "cli/befehlszeile.h"

#include "ops/programmsaetze.h"
#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <cstdio>
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
void SchreibenOptionen(QCommandLineParser& parser) {
    parser.addOptions({kProgram, kAll});
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

int Schreiben(const QCommandLineParser& parser, const QStringList& argumente) {
    int erster = 0, letzter = 0;
    if (!Bereich(parser, &erster, &letzter)) return EXIT_FEHLER;
    if (const int r = ProgrammdateiLesen(Dateiname(argumente[0]).constData())) return FehlerMelden(r);
    if (const int e = Verbinden(parser)) return e;
    char titel[] = "writing";
    const int r = ProgrammsaetzeSchreiben(erster, letzter, Melder(), titel);
    Trennen();
    return Abschliessen(r);
}

} // namespace

const Befehl kTransferbefehle[] = {
    {"read", "",
     "Read sets from the regulator into a program file (-o); sets not read keep what the file held.", true, 0,
     0, LesenOptionen, Lesen},
    {"write", "FILE.vkr", "Write sets of a program file to the regulator, storing each as its program.", true,
     1, 1, SchreibenOptionen, Schreiben},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
