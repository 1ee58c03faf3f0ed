#pragma once
// Replacement files: a file is rewritten by writing a new file beside it and renaming that
// over the old one once it is complete, so a failure at any point leaves the old file as it
// was and no half-written file under the target's name.

#include <cstdio>
#include <string>

struct Ersatzdatei {
    std::FILE* datei = nullptr; // open for binary writing while the file is being written
    std::string pfad;           // name of the new file beside the target
};

constexpr int ERSATZDATEI_KEIN_NAME = -1; // every name from 0 to 999 is taken

// Creates "<target's directory><praefix><n>.TMP" with the first n from 0 to 999 whose name does
// not exist; it takes the access rights of an existing target, and its owner and group where the
// user may set them. Returns 0, ERSATZDATEI_KEIN_NAME, or the errno of the failed creation (> 0).
int ErsatzdateiAnlegen(const char* ziel, const char* praefix, Ersatzdatei* e);

// Flushes the written bytes to the disk and closes the file. Returns 0, or the errno of the
// failure (> 0), in which case the new file has been deleted.
int ErsatzdateiAbschliessen(Ersatzdatei* e);

// Renames the closed new file over the target in one step. Returns 0, or the errno of the
// failure (> 0), in which case the new file has been deleted and the target is untouched.
int ErsatzdateiEinsetzen(Ersatzdatei* e, const char* ziel);

// Flushes what the system holds of an open file to the disk. 0, or the errno of the failure.
int AufPlatteSchreiben(std::FILE* f);

// Closes (if still open) and deletes the new file after a failure of the caller.
void ErsatzdateiVerwerfen(Ersatzdatei* e);
