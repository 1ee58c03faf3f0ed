#pragma once
// A comparison with the regulator as vkr3x prints it: one line per field that differs (or that
// the regulator refused), or one JSON document.

#include "ops/satzvergleich.h"

#include <string>

// "program 3  strom1: file 0.500, device 1.375 (needed in the curve)"; soll names the side
// compared with ("file", "written"). The set where reading ended gets one line with the
// reason: "program 6  not read: No answer from device (403053)".
void UnterschiedeDrucken(const Vergleich& v, const char* soll);
// {"equal": …, "address": "1", "sets": [{"set": 3, "status": "different", "fields": […]}]}
std::string VergleichAlsJson(const Vergleich& v);
