#pragma once
// What every command of vkr3x shares: its table entry, the exit statuses, the connection to the
// regulator and how failures reach standard error.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <string>

// Exit statuses: 0 success; 1 when "diff" finds the files, "compare" the file and the regulator
// different, or "write --verify" a set read back different; 2 every failure.
constexpr int EXIT_ERFOLG = 0;
constexpr int EXIT_UNTERSCHIED = 1;
constexpr int EXIT_FEHLER = 2;

// Failures of the tool itself, in the classes of the error catalogue.
constexpr int JSON_OEFFNEN = -308301;      // the JSON file cannot be opened
constexpr int JSON_UNLESBAR = -312302;     // not a JSON object of the export's shape
constexpr int JSON_FELD = -312303;         // a value is missing or not of its field's kind
constexpr int JSON_SCHREIBEN = -301304;    // standard output could not take the export
constexpr int AUSGABE_SCHREIBEN = -301305; // standard output could not take a command's result

struct Befehl {
    const char* name;
    const char* argumente;    // positional syntax shown in the help, e.g. "NAME VALUE"
    const char* beschreibung; // one line
    bool geraet;              // takes the connection options
    int minArgumente, maxArgumente;
    void (*optionen)(QCommandLineParser& parser); // the command's own options, or null
    // Runs the command with its positional arguments (the command's name removed); returns an
    // exit status.
    int (*ausfuehren)(const QCommandLineParser& parser, const QStringList& argumente);
};

// The tables of the command groups, each ended by an entry with a null name.
extern const Befehl kGeraetebefehle[];
extern const Befehl kTransferbefehle[];
extern const Befehl kDateibefehle[];
extern const Befehl kBerichtbefehle[];
extern const Befehl kStationsbefehle[];
// Every group, in the order the help lists them.
inline constexpr const Befehl* kBefehlsgruppen[] = {kGeraetebefehle, kTransferbefehle, kDateibefehle,
                                                    kBerichtbefehle, kStationsbefehle};

// The station's longer help: targets, steps, results and exit statuses.
QString Stationshilfe();

// "status" and its options, kept apart from the single commands.
void StatusOptionen(QCommandLineParser& parser);
int StatusBefehl(const QCommandLineParser& parser, const QStringList& argumente);

// "ports": the serial devices, the bindings and what each COM number opens.
int PortsBefehl(const QCommandLineParser& parser, const QStringList& argumente);

// Prints "vkr3x: <catalogue message> (<number>)" to standard error; returns EXIT_FEHLER.
int FehlerMelden(int code);
// Prints "vkr3x: <text>" and a hint to the command's help; returns EXIT_FEHLER.
int BedienfehlerMelden(const QString& text);

// The regulator's connection options (--port, --device, --address, --baud, --timeout).
void VerbindungsoptionenHinzufuegen(QCommandLineParser& parser);
// Fills gCom from the options and opens the port. Without --port or --device no port is
// opened, and the commands fail as the program does with no port open. Returns 0, or
// EXIT_FEHLER once a wrong option or a port that cannot be opened has been reported.
int Verbinden(const QCommandLineParser& parser);
void Trennen();

// The command line as given. A file name need not be valid UTF-8: each byte that is not part of
// a UTF-8 sequence is held as the lone surrogate U+DC00 + byte, and Dateiname gives back the
// bytes exactly, so such a file is opened and written under its own name.
QStringList ArgumenteLesen(int argc, char** argv);
QByteArray Dateiname(const QString& argument);

// Hands what was printed to standard output to the system; false when it could not take it
// (a full disk, a closed pipe), the reason kept for AusgabeAbschliessen.
bool AusgabeAbgeben();
// Ends a command's output: when standard output could not take everything, reports code with
// the reason once and returns EXIT_FEHLER; else returns status.
int AusgabeAbschliessen(int status, int code = AUSGABE_SCHREIBEN);

// A JSON string of 8-bit text from a device (an identity): quote, backslash and control bytes
// escaped, and every byte from 0x80 taken as its Latin-1 character (\u0080..\u00ff), so the
// result is valid JSON whatever the device sent.
std::string JsonText(const std::string& bytes);

// Numbers as text: integers in decimal, reals in the shortest form that reads back exactly.
std::string ZahlText(double wert);
// A whole number from text; false when it is not one or lies outside min..max.
bool GanzzahlAus(const QString& text, int min, int max, int* wert);
bool IstEnglisch();
