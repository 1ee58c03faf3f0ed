#pragma once
// What the port I/O and the device naming of the serial layer share.

#include <QString>

// The name port opens and, through herkunft, where it comes from (Rs232Herkunft).
QString Rs232Geraetename(int port, int* herkunft);

// Whether the open port's driver took the low-latency request.
bool Rs232NiedrigeLatenzGewaehrt(int port);
