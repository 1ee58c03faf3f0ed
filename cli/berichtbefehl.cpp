// "report": a program file as the commissioning record the program's Extras/Report writes, with
// the regulator's identity when the connection options name one.

#include "cli/befehlszeile.h"

#include "app/globals.h"
#include "bericht/bericht.h"
#include "ops/com.h"
#include "ops/geraeteangaben.h"
#include "storage/programmdatei.h"

#include <QFileInfo>

#include <ctime>

namespace {

const QCommandLineOption kOutput(QStringList{"o", "output"}, "PDF file to write.", "OUT.pdf");
const QCommandLineOption kMachine("machine", "The machine the regulator is built into.", "TEXT");
const QCommandLineOption kOperator("operator", "Who set it up.", "TEXT");
const QCommandLineOption kRemark("remark", "A remark for the record.", "TEXT");

void BerichtOptionen(QCommandLineParser& parser) {
    parser.addOptions({kOutput, kMachine, kOperator, kRemark});
}

std::string Text(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.value(option).toStdString();
}

int Bericht(const QCommandLineParser& parser, const QStringList& argumente) {
    if (!parser.isSet(kOutput)) return BedienfehlerMelden("report needs -o OUT.pdf");
    if (const int r = ProgrammdateiLesen(Dateiname(argumente[0]).constData())) return FehlerMelden(r);
    if (const int e = Verbinden(parser)) return e;

    Berichtsdaten d;
    d.saetze = gPar;
    d.sprache = gSprache;
    d.programmdatei = QFileInfo(argumente[0]).fileName().toStdString();
    d.maschine = Text(parser, kMachine);
    d.bediener = Text(parser, kOperator);
    d.bemerkung = Text(parser, kRemark);
    d.zeit = std::time(nullptr);
    // Without a connection the report says so; with one, a regulator that does not answer fails
    // the command, since the caller asked for its identity.
    const int port = gCom.portOffen;
    GeraeteangabenLesen(port, gCom.adresse, &d.geraet);
    Trennen();
    if (port != -1 && d.geraet.code != 0) return FehlerMelden(d.geraet.code);
    if (port != -1) d.anschluss = AnschlussText(port);
    d.adresse = gCom.adresse;
    const int r = BerichtSchreiben(Dateiname(parser.value(kOutput)).constData(), d);
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}

} // namespace

const Befehl kBerichtbefehle[] = {
    {"report", "FILE.vkr",
     "Write the sets of a program file as a PDF record (-o); with a connection option, with the "
     "regulator's identity.",
     true, 1, 1, BerichtOptionen, Bericht},
    {nullptr, nullptr, nullptr, false, 0, 0, nullptr, nullptr},
};
