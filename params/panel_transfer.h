#pragma once
// The main panel is the editor of the selected parameter set gPar[gParIndex]: these two
// functions keep panel and record in step.

// Shows the selected set on the main panel. Never changes a record.
void ParameterAusStrukturInGui();
// Stores the whole main panel into the selected set. Never changes gParIndex.
void ParameterAusGuiInStruktur();
