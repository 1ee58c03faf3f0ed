// Commands on program files alone: show, export, import, diff. Files are read and checked by
// the program's own program-file code; the image is then taken byte for byte.

#include "cli/befehlszeile.h"

#include "cli/json_abbild.h"
#include "cli/satzfelder.h"
#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const QCommandLineOption kOutput(QStringList{"o", "output"}, "Program file to write.", "FILE.vkr");

void ImportOptionen(QCommandLineParser& parser) {
    parser.addOption(kOutput);
}

// Checks the file as the program's File/Open does, then takes its first 6440 bytes as they are.
int DateiLaden(const QString& pfad, Programmabbild* abbild) {
    const QByteArray name = Dateiname(pfad);
    if (const int r = ProgrammdateiLesen(name.constData())) return r;
    std::FILE* f = std::fopen(name.constData(), "rb");
    if (!f) return PROGRAMMDATEI_OEFFNEN_LESEN;
    const size_t gelesen = std::fread(abbild->data(), 1, abbild->size(), f);
    std::fclose(f);
    return gelesen == abbild->size() ? 0 : PROGRAMMDATEI_ZU_KURZ;
}

Parametersatz Satz(const Programmabbild& abbild, int n) {
    Parametersatz satz;
    std::memcpy(&satz, abbild.data() + PROGRAMMDATEI_SAETZE_OFFSET + n * sizeof satz, sizeof satz);
    return satz;
}

int32_t Auswahl(const Programmabbild& abbild) {
    int32_t index;
    std::memcpy(&index, abbild.data() + PROGRAMMDATEI_INDEX_OFFSET, sizeof index);
    return index;
}

// One table of the given sets: a row per field, a column per set, the selected set marked "*".
void TabelleDrucken(const Programmabbild& abbild, int erster, int letzter) {
    const int auswahl = Auswahl(abbild);
    std::vector<std::vector<std::string>> spalten;
    size_t breite = 8;
    for (int n = erster; n <= letzter; ++n) {
        std::vector<std::string> spalte{(n == 0 ? "work" : "P" + std::to_string(n)) +
                                        (n == auswahl ? "*" : "")};
        const Parametersatz satz = Satz(abbild, n);
        for (int i = 0; i < SATZFELDER; ++i)
            if (!Satzfelder()[i].luecke) spalte.push_back(FeldText(satz, Satzfelder()[i]));
        for (const std::string& s : spalte)
            breite = std::max(breite, s.size() + 2);
        spalten.push_back(spalte);
    }
    int zeile = 0;
    for (int i = -1; i < SATZFELDER; ++i) {
        if (i >= 0 && Satzfelder()[i].luecke) continue;
        std::printf("%-26s", i < 0 ? "" : Satzfelder()[i].name.c_str());
        for (const auto& spalte : spalten)
            std::printf("%*s", static_cast<int>(breite), spalte[zeile].c_str());
        std::printf("\n");
        ++zeile;
    }
}

int Zeigen(const QCommandLineParser&, const QStringList& argumente) {
    Programmabbild abbild;
    if (const int r = DateiLaden(argumente[0], &abbild)) return FehlerMelden(r);
    const int auswahl = Auswahl(abbild);
    std::printf("%s: selected set %d (%s)\n\n", qPrintable(argumente[0]), auswahl,
                auswahl == 0 ? "working parameters" : ("program " + std::to_string(auswahl)).c_str());
    TabelleDrucken(abbild, 0, 8);
    std::printf("\n");
    TabelleDrucken(abbild, 9, PARAMETERSAETZE - 1);
    return EXIT_ERFOLG;
}

int Exportieren(const QCommandLineParser&, const QStringList& argumente) {
    Programmabbild abbild;
    if (const int r = DateiLaden(argumente[0], &abbild)) return FehlerMelden(r);
    const std::string json = AbbildAlsJson(abbild);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return AusgabeAbschliessen(EXIT_ERFOLG, JSON_SCHREIBEN);
}

int Importieren(const QCommandLineParser& parser, const QStringList& argumente) {
    if (!parser.isSet(kOutput)) return BedienfehlerMelden("import needs -o FILE.vkr");
    std::FILE* datei = std::fopen(Dateiname(argumente[0]).constData(), "rb");
    if (!datei) return FehlerMelden(JSON_OEFFNEN);
    std::string json;
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, datei)) > 0;)
        json.append(block, n);
    const bool gelesen = std::ferror(datei) == 0;
    std::fclose(datei);
    if (!gelesen) return FehlerMelden(JSON_OEFFNEN);
    Programmabbild abbild;
    if (const int r = AbbildAusJson(json, &abbild)) return FehlerMelden(r);
    // Written as the program's Save writes: a write-protected target is refused, not replaced.
    const int r = ProgrammabbildSchreiben(abbild, Dateiname(parser.value(kOutput)).constData());
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

void UnterschiedDrucken(bool* kopf, int n, const std::string& name, const std::string& a,
                        const std::string& b) {
    if (!*kopf) std::printf("set %d:\n", n);
    *kopf = true;
    std::printf("  %s: %s -> %s\n", name.c_str(), a.c_str(), b.c_str());
}

int Vergleichen(const QCommandLineParser&, const QStringList& argumente) {
    Programmabbild a, b;
    if (const int r = DateiLaden(argumente[0], &a)) return FehlerMelden(r);
    if (const int r = DateiLaden(argumente[1], &b)) return FehlerMelden(r);
    bool verschieden = false;
    if (Auswahl(a) != Auswahl(b)) {
        std::printf("selected: %d -> %d\n", Auswahl(a), Auswahl(b));
        verschieden = true;
    }
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        const Parametersatz sa = Satz(a, n), sb = Satz(b, n);
        bool kopf = false;
        for (int i = 0; i < SATZFELDER; ++i) {
            const Satzfeld& f = Satzfelder()[i];
            if (!FeldGleich(sa, sb, f))
                UnterschiedDrucken(&kopf, n, f.name, FeldText(sa, f), FeldText(sb, f));
        }
        verschieden = verschieden || kopf;
    }
    // Bytes outside the records and the selection: header, version, reserved words.
    if (std::memcmp(a.data(), b.data(), PROGRAMMDATEI_SAETZE_OFFSET) != 0 ||
        std::memcmp(a.data() + PROGRAMMDATEI_INDEX_OFFSET + 4, b.data() + PROGRAMMDATEI_INDEX_OFFSET + 4,
                    4) != 0) {
        std::printf("header or reserved bytes differ\n");
        verschieden = true;
    }
    return verschieden ? EXIT_UNTERSCHIED : EXIT_ERFOLG;
}

} // namespace

const Befehl kDateibefehle[] = {
    {"show", "FILE.vkr", "Show all seventeen sets as a table; '*' marks the selected set.", false, 1, 1,
     nullptr, Zeigen},
    {"export", "FILE.vkr", "Write a program file as JSON to standard output (every byte kept).", false, 1, 1,
     nullptr, Exportieren},
    {"import", "FILE.json", "Make a program file (-o) from an export; the bytes come back unchanged.", false,
     1, 1, ImportOptionen, Importieren},
    {"diff", "A.vkr B.vkr", "Show the fields that differ, set by set; exit status 1 when they differ.", false,
     2, 2, nullptr, Vergleichen},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
