#pragma once
// The user-interface definition "vkr3xSteuerung.uir": main panel with its menu bar, the COM
// settings panel and the info panel. The panel and control ids are those of
// app/vkr3xsteuerung.h.

#include "platform/panel_definition.h"

constexpr const char* UIR_DATEI = "vkr3xSteuerung.uir";

const DefinitionFile& Vkr3xSteuerungUir();

// Makes the definition known to LoadPanel under UIR_DATEI; call once before loading panels.
void UirRegistrieren();
