#pragma once
// --trace FILE: every exchange of the command, one CSV line each, in the line monitor's format.

#include <QString>

// Creates the file, writes the header and starts recording; false when it cannot be created.
bool SpurBeginnen(const QString& pfad);
// Writes the records not yet written and closes the file; false when writing failed.
bool SpurBeenden();
