#pragma once
// Device setup mode (service mode) of the regulator: a challenge and response over the line.

// Reads the seed of the regulator at gCom.adresse, derives the four keys with mode m and writes
// "key1" to "key4" and then "key_enter" with m. 0; -122202 when no port is open; otherwise the
// code of the first failing command (the commands after it are not sent).
int EnterDevSetupMode(int m);
