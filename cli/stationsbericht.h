#pragma once
// What a station run tells its operator: one line per target as it finishes, and the JSON
// report with one object per target. Messages come from the error catalogue in the chosen
// language, so these run on the thread that started the station, never in a worker.

#include "ops/station.h"

#include <ctime>
#include <string>
#include <vector>

struct Stationslauf {
    std::string datei; // the program file as given
    Satzmaske programme = 0;
    int laden = 0;
    std::string sicherungsordner;
    std::time_t beginn = 0;
    double sekunden = 0.0;
    bool gestoppt = false; // stopped by a signal
};

// "PORT:ADDRESS" as the operator gave the port.
std::string Zielname(const Stationsziel& z);

// Programs as short ranges: "1-16", "2, 5, 7-9"; "none" for none.
std::string Programmliste(Satzmaske saetze);

// The line for a finished target: name (padded to breite), identity, result, duration and, for
// a failure, the step, message and number, and what was done before it.
std::string Stationszeile(const Stationsziel& z, int breite);

// The whole report: the run's settings, and the targets in the order they were given.
std::string StationsberichtJson(const Stationslauf& lauf, const std::vector<Stationsziel>& ziele);
