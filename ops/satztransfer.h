#pragma once
// Whole parameter sets to and from a regulator, one parameter command per field in a fixed
// order. The functions ending in "An" name the port and the address and touch no global state,
// so several regulators can be served from threads of their own; the others use the open port
// and the address of gCom.

#include "params/parametersatz.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A record field that a set transfer carries under the device parameter of the same name.
struct Transferfeld {
    const char* name;
    bool ganzzahl; // int32_t field, else double
    size_t offset;
    bool optional; // older regulators refuse it with NAK, which a transfer passes over
};

// The fields a set read fills, in the order it reads them (status_stromaktiv, read after the
// fourteen basic values, is not among them: it is no setting).
std::span<const Transferfeld> Transferfelder();

// Bit i stands for Transferfelder()[i].
using Feldmaske = uint64_t;

// Reads the working parameters (n = 0) or stored program n (1..16; the regulator loads it into
// its working parameters first) into *satz. The raised-freewheeling-voltage and dither-table
// fields keep their contents when the regulator refuses them with NAK, and *abgelehnt (when not
// null) gets a bit for each refused field; status_stromaktiv becomes 3.0 when its read fails.
// Returns 0 or the first failing command's code; the fields read before a failure stay read.
int ParametersatzLesenAn(int port, char adresse, int n, Parametersatz* satz, Feldmaske* abgelehnt);
int ParametersatzLesen(int n, Parametersatz* satz);

// Writes *satz as the working parameters and, for n = 1..16, stores them as program n. NAKs of
// the raised-freewheeling-voltage and dither-table commands are passed over. Returns 0 or the
// first failing command's code; n outside 0..16 returns -500034 before anything is sent.
int ParametersatzSchreibenAn(int port, char adresse, int n, const Parametersatz* satz);
int ParametersatzSchreiben(int n, const Parametersatz* satz);

// The field's value as a write sends it: integers in decimal, reals rounded to the decimals of
// the command table. Returns the text's length, or -1 when it does not fit into groesse bytes.
int TransferfeldText(const Parametersatz& satz, const Transferfeld& feld, char* text, int groesse);
