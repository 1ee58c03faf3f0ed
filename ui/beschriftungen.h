#pragma once
// The words the panels show, without a panel: labels, texts, ring items and table column titles
// of the definition in a language, German as defined or English as relabelled at start-up. For
// what describes parameters away from the panels, such as the report.

struct ControlDefinition;

// The control of the panel with this resource id, or null.
const ControlDefinition* UirControl(int panel, int control);
// Label of a control, or the text of a text message, as the panel shows it in the language
// (2 English, anything else German); leading blanks included. Empty for an unknown control.
const char* Beschriftung(int panel, int control, int sprache);
// The ring's item with the value wert as the ring shows it, or null when it has none.
const char* RingText(int panel, int control, int wert, int sprache);
// Title of a column (from 1) of a table or list, or empty.
const char* Spaltentitel(int panel, int control, int spalte, int sprache);
