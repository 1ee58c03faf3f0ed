#pragma once
// Comparing parameter sets with what a regulator holds, field by field, each value as a write
// would send it (a value the line carries as 0.123 is no different from 0.1234). The result is
// plain data for the compare window, the command-line tool and reports. Nothing here touches
// gPar, gCom or a panel: the caller names the port, the address and the sets to compare with.

#include "ops/satztransfer.h"
#include "params/kurvenrelevanz.h"
#include "params/parametersatz.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// Sets as bits: bit n is set n (0 the working parameters, 1..16 the programs).
using Satzmaske = uint32_t;
constexpr Satzmaske SATZ_ARBEITSPARAMETER = 1u;
constexpr Satzmaske SAETZE_PROGRAMME = 0x1FFFEu; // programs 1..16
constexpr Satzmaske SAETZE_ALLE = 0x1FFFFu;      // working parameters and programs 1..16
constexpr Satzmaske SatzBit(int n) {
    return Satzmaske{1} << n;
}

constexpr int VERGLEICH_ABGEBROCHEN = -4701; // the user stopped the comparison between two sets
constexpr int PRUEFUNG_ABWEICHUNG = -505702; // a set read back differs from the one written

enum class Satzstatus { NichtGelesen, Gleich, Abweichend };

struct Feldunterschied {
    std::string name;        // device parameter name, e.g. "strom1", "dithtable_pwmcurr3"
    std::string panelwert;   // the value compared with, as a write sends it
    std::string geraetewert; // the regulator's, likewise; empty when it refused the field
    Kurvenbezug kurve;       // in the curve of the set compared with
    bool nichtUnterstuetzt;  // refused by the regulator: shown, but no difference
};

struct Satzvergleich {
    Satzstatus status = Satzstatus::NichtGelesen;
    // Why a set asked for was not read: the failing command's code on the set where reading
    // ended, VERGLEICH_ABGEBROCHEN, or 0 for the sets after it.
    int code = 0;
    std::vector<Feldunterschied> felder; // in transfer order
};

struct Vergleich {
    Satzmaske saetze = 0;                       // the sets asked for
    int code = 0;                               // 0, or what ended the reading early
    Satzvergleich satz[PARAMETERSAETZE];        // meaningful for the sets asked for
    Parametersatz geraet[PARAMETERSAETZE] = {}; // the regulator's sets where read
    Feldmaske abgelehnt[PARAMETERSAETZE] = {};  // the fields it refused in each
    char adresse = '1';
    std::time_t zeit = 0;       // when the reading began
    bool nachSchreiben = false; // a verify of sets just written
};

// The differences of one set: every transferred field whose text differs, and every field the
// regulator refused (abgelehnt) where the set compared with holds something other than a read
// from that regulator would give (the defaults); refused fields count as no difference.
void SatzVergleichen(const Parametersatz& panel, const Parametersatz& geraet, Feldmaske abgelehnt,
                     Satzvergleich* ergebnis);

// Called after each set with the share done; returning true stops before the next set.
using Vergleichsmelder = bool (*)(int prozent, void* kontext);

// Reads the sets of maske from the regulator at adresse on port, working parameters first, then
// the programs in order (each is loaded to be read, so the regulator then works with the last
// program read), and compares each with panel[n]. Fields the regulator refuses come out as a
// read gives them: the defaults, and zero for the dither table. Returns 0 when every set was
// read, else the failing command's code or VERGLEICH_ABGEBROCHEN (also in ergebnis->code).
int GeraetVergleichen(int port, char adresse, const Parametersatz panel[PARAMETERSAETZE], Satzmaske maske,
                      Vergleichsmelder melder, void* kontext, Vergleich* ergebnis);

// After a write: reads back the sets of maske and compares them with what was written.
// 0 when they agree, PRUEFUNG_ABWEICHUNG when one differs, or the code that ended the reading.
int GeschriebeneSaetzePruefen(int port, char adresse, const Parametersatz geschrieben[PARAMETERSAETZE],
                              Satzmaske maske, Vergleichsmelder melder, void* kontext, Vergleich* ergebnis);

// Compares the sets read again, with panel, without asking the regulator: after the program's
// sets have changed (taken over from the regulator).
void VergleichErneuern(Vergleich* v, const Parametersatz panel[PARAMETERSAETZE]);

// The sets asked for that differ.
Satzmaske AbweichendeSaetze(const Vergleich& v);
// Sets and fields that differ, unsupported fields not counted.
int AbweichendeFelder(const Satzvergleich& s);

// The last comparison the program made (the compare window's or a verify's), for the window
// and reports; null before the first.
const Vergleich* LetzterVergleich();
void LetztenVergleichMerken(const Vergleich& v);
