#pragma once
// Device functions of the regulator at gCom.adresse on the open port. Each returns 0, -122201
// when no port is open (nothing is sent), or the code of the device-function command.

int Vkr3Starten();
int Vkr3Stoppen();
int Vkr3FehlerLoeschen();
int Vkr3STK9Stromumschaltung();
int Vkr3Kalibrieren();
