#pragma once
// A production station: many regulators programmed from one program file at once. For each
// target the station reads the identity, optionally backs up what the regulator holds, writes
// the chosen programs, reads them back to verify them and optionally loads one program as the
// working parameters. One worker thread per port serves the targets on that line one after
// another; ports run in parallel. Nothing here touches gPar, gCom or a panel: every worker has
// its own copy of the sets and its own port number, and results are plain data.

#include "ops/satzvergleich.h"
#include "params/parametersatz.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

enum class Stationsschritt { Oeffnen, Kennung, Sicherung, Schreiben, Pruefen, Laden };

struct Schrittergebnis {
    Stationsschritt schritt;
    int code;           // 0, or why the step failed (AUSTAUSCH_GESTOPPT: stopped by the user)
    std::string angabe; // the identity read, the backup's path, or the system's reason why a
                        // port did not open
    Satzmaske saetze;   // writing and verifying: the programs done
};

struct Stationsziel {
    // Where the regulator is.
    std::string port;   // as the operator gave it: a COM number or a device
    std::string geraet; // the device opened; "" the default device of comPort
    int comPort = 0;    // 1..8: the port number the line is opened as (one per line)
    char adresse = '1';

    // What happened to it; filled by the worker, read once the target is finished.
    std::string kennung; // empty while not read
    std::vector<Schrittergebnis> schritte;
    std::unique_ptr<Vergleich> pruefung; // the verify's comparison, when it read anything
    double sekunden = 0.0;
    bool erfolgreich = false;
};

struct Stationsauftrag {
    Parametersatz saetze[PARAMETERSAETZE];  // the program file's sets
    Satzmaske programme = SAETZE_PROGRAMME; // the programs to write and verify
    std::string sicherungsordner;           // "": no backup
    int laden = 0;                          // 1..16: the program to load at the end; 0: none
    int baudrate = 9600;
    double timeout = 1.0;
    // Set (by a signal handler, say) to stop every worker after its current exchange; the
    // targets not finished then end with AUSTAUSCH_GESTOPPT in the step they were at.
    const std::atomic<bool>* stopp = nullptr;
};

// Called on the thread that runs the station, once for each target as it finishes.
using Stationsmelder = void (*)(const Stationsziel& ziel, void* kontext);

// Runs the station over ziele (their comPort already assigned; targets with the same comPort
// share a line and are served in the order given). Blocks until every target is finished.
// Returns the number of targets that did not succeed.
int StationAusfuehren(const Stationsauftrag& auftrag, std::vector<Stationsziel>& ziele, Stationsmelder melder,
                      void* kontext);
