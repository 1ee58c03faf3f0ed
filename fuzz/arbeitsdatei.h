#pragma once
// A file of the process's own for targets whose parser reads from a path: in shared memory
// where there is one, so that the many writes cost no disk.

#include <cstddef>
#include <cstdint>
#include <string>

// Path of the file, beside which the target may create further files of its own.
const std::string& Arbeitsdatei();
// Replaces the file's content with the bytes.
void ArbeitsdateiSchreiben(const uint8_t* daten, size_t groesse);
