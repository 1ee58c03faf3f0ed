#pragma once
// The commissioning record: the seventeen parameter sets as a PDF (A4, fonts embedded) that a
// machine builder prints and files with the machine's papers. Every parameter appears as the
// main panel shows it, in the language of the run, with the curve markers; the regulator's
// identity, the free texts of the dialog and the differences of the last comparison with the
// regulator come with it. Free of the panels: the program and the command-line tool both write
// it, with a Qt GUI application (the offscreen platform will do) for the fonts.

#include "ops/geraeteangaben.h"
#include "ops/satzvergleich.h"
#include "params/parametersatz.h"

#include <ctime>
#include <string>
#include <vector>

constexpr int BERICHT_OEFFNEN = -301801;   // the PDF cannot be created beside its target
constexpr int BERICHT_SCHREIBEN = -301802; // it could not be written completely

// Where a set stands after the last comparison with the regulator.
enum class Vergleichsstand { NichtVerglichen, NichtGelesen, Gleich, Abweichend };

// A field in which the regulator held another value than the program's set.
struct Berichtsabweichung {
    int satz;                // 0 working parameters, 1..16 programs
    std::string name;        // device parameter name: "strom1", "dithtable_dithamp3", ...
    std::string geraetewert; // the regulator's value as the line carries it ("0.25", "4")
};

// The last comparison with the regulator since the program started, as plain data.
struct Berichtsvergleich {
    bool gemacht = false;
    bool nachSchreiben = false; // the check that read back what had just been written
    std::time_t zeit = 0;
    char adresse = '1';
    Vergleichsstand stand[PARAMETERSAETZE] = {};
    std::vector<Berichtsabweichung> abweichungen;
};

// A comparison the program made, against the sets as they are now: the regulator's values it
// read are compared again with saetze, so a field edited since then to the regulator's value is
// no difference any more, and one edited away from it is. Fields the regulator refused count as
// no difference.
Berichtsvergleich BerichtsvergleichAus(const Vergleich& vergleich,
                                       const Parametersatz saetze[PARAMETERSAETZE]);

struct Berichtsdaten {
    const Parametersatz* saetze = nullptr; // PARAMETERSAETZE records
    int sprache = 1;                       // 2 English, anything else German
    std::string programmdatei;             // name of the program file the sets belong to
    bool geaendert = false;                // the sets differ from that file (not saved)
    std::string maschine;
    std::string bediener;
    std::string bemerkung;
    // The regulator, read when the report is made; code KEIN_PORT_OFFEN_KENNUNG: not connected.
    Geraeteangaben geraet;
    std::string anschluss; // the port it is on ("COM 1", "/dev/ttyUSB0"), when connected
    char adresse = '1';
    std::time_t zeit = 0;
    Berichtsvergleich vergleich;
};

// Writes the report to pfad (bytes as given, no encoding assumed). The PDF goes to a new file
// beside the target, which replaces the target only once it is complete, so a failure leaves an
// existing file as it was; a target that cannot be written in place is not replaced. Returns 0,
// BERICHT_OEFFNEN or BERICHT_SCHREIBEN; a failure leaves the path and the system's reason as the
// pending error user text (ZEM_Fehleruserstring).
int BerichtSchreiben(const char* pfad, const Berichtsdaten& daten);
