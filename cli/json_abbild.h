#pragma once
// Program files as JSON text and back, without loss: every field of every record (padding words
// included), the selected set as stored, and the header and reserved bytes outside the records.
// Reals are written in the shortest form that reads back to the same double; a real that JSON
// cannot carry as a number (NaN, infinities, -0) is written as the string "0x" + its 16 hex
// digits of IEEE bits.

#include "storage/programmdatei.h"

#include <string>

// The JSON text of a program file image.
std::string AbbildAlsJson(const Programmabbild& abbild);

// The image described by a JSON text; 0, JSON_UNLESBAR or JSON_FELD (the error user text then
// names the offending value).
int AbbildAusJson(const std::string& json, Programmabbild* abbild);
