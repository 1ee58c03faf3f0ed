#include "ops/statustexte.h"

const Statusbit kStatusbits[STATUSBITS] = {
    {0, 0x0001, "Innentemperatur zu hoch\n", "Inside temperature too high\n"},
    {1, 0x0002, "Parameter zerstört\n", "Parameters destroyed\n"},
    {3, 0x0008, "Kalibrierung ungültig\n", "Invalid calibration\n"},
    {4, 0x0010, "Prüfspannung außerhalb der Toleranz\n", "Voltage out of tolerance\n"},
    {8, 0x0100, "Prozess wurde gestartet\n", "Process has been started\n"},
    {9, 0x0200, "Programm aktiv\n", "Programm aktiv\n"},
    {11, 0x0800, "Prozess wurde abgeschlossen\n", "Process has ended\n"},
    {13, 0x2000, "Prozess wurde abgebrochen\n", "Process has been canceld\n"},
};
