#pragma once
// Whole parameter sets to and from the regulator on the open port (gCom), one parameter command
// per field in a fixed order.

#include "params/parametersatz.h"

// Reads the working parameters (n = 0) or stored program n (1..16; the regulator loads it into
// its working parameters first) into *satz. The raised-freewheeling-voltage and dither-table
// fields keep their contents when the regulator refuses them with NAK; status_stromaktiv becomes
// 3.0 when its read fails. Returns 0 or the first failing command's code; the fields read
// before a failure stay read.
int ParametersatzLesen(int n, Parametersatz* satz);

// Writes *satz as the working parameters and, for n = 1..16, stores them as program n. NAKs of
// the raised-freewheeling-voltage and dither-table commands are passed over. Returns 0 or the
// first failing command's code; n outside 0..16 returns -500034 before anything is sent.
int ParametersatzSchreiben(int n, const Parametersatz* satz);
