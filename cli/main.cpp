// vkr3x: the regulator and its program files from the command line, for scripts on a production
// line. Built on the program's own driver, device operations and program-file code.

#include "cli/befehlszeile.h"
#include "cli/spur.h"

#include "app/globals.h"
#include "device/parametertabelle.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "params/parametersatz.h"
#include "storage/einstellungen.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const QCommandLineOption kLang("lang", "Language of messages: de or en (default: the settings file's).",
                               "de|en");

const QCommandLineOption
    kTrace("trace", "Write every exchange on the line to FILE as CSV, as the line monitor shows it.", "FILE");

const Befehl* BefehlSuchen(const QString& name) {
    for (const Befehl* gruppe : kBefehlsgruppen)
        for (const Befehl* b = gruppe; b->name; ++b)
            if (name == b->name) return b;
    return nullptr;
}

QString Werkzeugbeschreibung() {
    QString text = "Configure and operate VKR 3 A X2 current regulators over a serial line, and\n"
                   "keep their program files (*.vkr) as JSON.\n\nCommands:\n";
    for (const Befehl* gruppe : kBefehlsgruppen)
        for (const Befehl* b = gruppe; b->name; ++b)
            text += QString("  %1 %2\n").arg(b->name, -15).arg(b->beschreibung);
    text += "\n'vkr3x COMMAND --help' shows a command's options. Exit status: 0 success, 1 files\n"
            "or file and regulator differ (diff, compare, write --verify), 2 failure (station:\n"
            "a target failed), 130 station stopped by Ctrl+C; failures print the message and\n"
            "its error number.";
    return text;
}

// The writable names of the parameter table with their ranges, for the help of get and set.
QString Parameternamen() {
    int anzahl = 0;
    const ParameterZeile* tabelle = ParameterTabelle(&anzahl);
    QString text = "\nParameters (set: range; get also reads the read-only ones):\n";
    for (int i = 0; i < anzahl; ++i) {
        const ParameterZeile& z = tabelle[i];
        if (z.zugriff & ZUGRIFF_SCHREIBEN)
            text += QString("  %1 %2 .. %3\n").arg(z.name, -26).arg(z.min).arg(z.max);
        else
            text += QString("  %1 read only\n").arg(z.name, -26);
    }
    return text;
}

void AllgemeineOptionen(QCommandLineParser& parser) {
    parser.addHelpOption();
    parser.addOption(kLang);
}

// Language: the settings file in the working directory, as the program reads it; --lang wins.
bool SpracheFestlegen(const QCommandLineParser& parser) {
    IniLaden();
    if (parser.isSet(kLang)) {
        const QString lang = parser.value(kLang);
        if (lang != "de" && lang != "en") return false;
        gSprache = lang == "en" ? SPRACHE_ENGLISCH : SPRACHE_DEUTSCH;
    }
    ZEM_Fehlersprache(gSprache);
    return true;
}

int BefehlAusfuehren(const Befehl& befehl, const QStringList& args) {
    QCommandLineParser parser;
    const std::string_view name = befehl.name;
    parser.setApplicationDescription(QString(befehl.beschreibung) + "\n" +
                                     (name == "set" || name == "get" ? Parameternamen()
                                      : name == "station"            ? Stationshilfe()
                                                                     : QString()));
    AllgemeineOptionen(parser);
    if (befehl.geraet) {
        VerbindungsoptionenHinzufuegen(parser);
        parser.addOption(kTrace);
    }
    if (befehl.optionen) befehl.optionen(parser);
    parser.addPositionalArgument(befehl.name, "", QString(befehl.name) + " " + befehl.argumente);
    if (!parser.parse(args)) return BedienfehlerMelden(parser.errorText());
    if (parser.isSet("help")) {
        std::printf("%s", qPrintable(parser.helpText()));
        return EXIT_ERFOLG;
    }
    if (!SpracheFestlegen(parser)) return BedienfehlerMelden("--lang takes de or en");
    const QStringList positionen = parser.positionalArguments();
    if (positionen.value(0) != befehl.name)
        return BedienfehlerMelden("unexpected '" + positionen.value(0) + "'");
    const QStringList argumente = positionen.mid(1);
    if (argumente.size() < befehl.minArgumente || argumente.size() > befehl.maxArgumente)
        return BedienfehlerMelden(
            QString("%1 takes %2").arg(befehl.name, *befehl.argumente ? befehl.argumente : "no arguments"));
    // Records start as the program starts them.
    ComStrukturInitialisieren();
    ParameterStrukturInitialisieren();
    if (befehl.geraet && parser.isSet(kTrace) && !SpurBeginnen(parser.value(kTrace)))
        return BedienfehlerMelden("cannot create the trace file '" + parser.value(kTrace) + "'");
    const int status = befehl.ausfuehren(parser, argumente);
    if (!SpurBeenden()) return BedienfehlerMelden("writing the trace file failed");
    return AusgabeAbschliessen(status);
}

// "report" lays out its PDF with the fonts of a GUI application. It shows no window, so on Linux
// it uses the offscreen platform unless told otherwise: no display is needed (a script over SSH,
// CI) and a stale DISPLAY cannot stop it.
std::unique_ptr<QCoreApplication> Anwendung(int& argc, char** argv) {
    bool bericht = false;
    for (int i = 1; i < argc; ++i)
        bericht = bericht || std::strcmp(argv[i], "report") == 0;
    if (!bericht) return std::make_unique<QCoreApplication>(argc, argv); // the serial layer needs one
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = Anwendung(argc, argv);
    QCoreApplication::setApplicationName("vkr3x");
    QCoreApplication::setApplicationVersion(VKR3X_VERSION);

    QCommandLineParser vorab;
    vorab.setApplicationDescription(Werkzeugbeschreibung());
    AllgemeineOptionen(vorab);
    vorab.addVersionOption();
    VerbindungsoptionenHinzufuegen(vorab);
    vorab.addOption(kTrace);
    vorab.addPositionalArgument("command", "The command to run (see above).", "COMMAND [ARGS...]");
    const QStringList argumente = ArgumenteLesen(argc, argv);
    const bool ok = vorab.parse(argumente);
    const QStringList positionen = vorab.positionalArguments();

    if (positionen.isEmpty()) {
        if (vorab.isSet("version")) {
            std::printf("vkr3x %s\n", VKR3X_VERSION);
            return EXIT_ERFOLG;
        }
        if (vorab.isSet("help")) {
            std::printf("%s", qPrintable(vorab.helpText()));
            return EXIT_ERFOLG;
        }
        return BedienfehlerMelden(ok ? "no command given" : vorab.errorText());
    }
    // The command's own options are not known yet: a value of one of them may stand before the
    // command's name, which is therefore the first word that names a command.
    const Befehl* befehl = nullptr;
    for (int i = 0; !befehl && i < positionen.size(); ++i)
        befehl = BefehlSuchen(positionen[i]);
    if (!befehl) return BedienfehlerMelden("unknown command '" + positionen[0] + "'");
    return BefehlAusfuehren(*befehl, argumente);
}
