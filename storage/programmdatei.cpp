#include "storage/programmdatei.h"

#include "app/globals.h"
#include "errors/fehler.h"
#include "params/parametersatz.h"
#include "storage/dateischreiben.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

// Records, version and index are copied as they lie in memory.
static_assert(std::endian::native == std::endian::little, "program files are little-endian images");
static_assert(sizeof(gPar) == 6392 &&
              PROGRAMMDATEI_SAETZE_OFFSET + sizeof(gPar) == PROGRAMMDATEI_INDEX_OFFSET);

namespace {

int32_t Int32Bei(const Programmabbild& abbild, int offset) {
    int32_t wert;
    std::memcpy(&wert, abbild.data() + offset, sizeof wert);
    return wert;
}

void Int32Setzen(Programmabbild& abbild, int offset, int32_t wert) {
    std::memcpy(abbild.data() + offset, &wert, sizeof wert);
}

void VersionMelden(int32_t gefunden) {
    char text[100];
    std::snprintf(text, sizeof text,
                  gSprache == SPRACHE_ENGLISCH ? "\n\nexpected:  %d\nfound: %d"
                                               : "\n\nerwartet:  %d\ngefunden: %d",
                  PROGRAMMDATEI_VERSION, static_cast<int>(gefunden));
    ZEM_Fehleruserstring(text);
}

} // namespace

Programmabbild ProgrammabbildAus(const Parametersatz saetze[PARAMETERSAETZE], int index) {
    Programmabbild abbild{};
    std::memcpy(abbild.data(), PROGRAMMDATEI_KOPF, std::strlen(PROGRAMMDATEI_KOPF));
    Int32Setzen(abbild, PROGRAMMDATEI_VERSION_OFFSET, PROGRAMMDATEI_VERSION);
    std::memcpy(abbild.data() + PROGRAMMDATEI_SAETZE_OFFSET, saetze, sizeof gPar);
    Int32Setzen(abbild, PROGRAMMDATEI_INDEX_OFFSET, index);
    return abbild;
}

Programmabbild ProgrammabbildErstellen() {
    return ProgrammabbildAus(gPar, gParIndex);
}

int ProgrammdateiSchreiben(const char* pfad) {
    return ProgrammabbildSchreiben(ProgrammabbildErstellen(), pfad);
}

int ProgrammabbildSchreiben(const Programmabbild& abbild, const char* pfad) {
    // A link stays a link: the file it points to gets the bytes.
    const std::string ziel = DateiLinkZiel(pfad);
    // A file that could not be overwritten in place (write-protected, a directory) is not
    // replaced either.
    std::error_code ec;
    if (std::filesystem::exists(ziel, ec)) {
        std::FILE* alt = std::fopen(ziel.c_str(), "r+b");
        if (!alt) return PROGRAMMDATEI_OEFFNEN_SCHREIBEN;
        std::fclose(alt);
    }
    int grund = 0;
    switch (DateiinhaltSchreiben(ziel.c_str(), "vkr$$", abbild.data(), abbild.size(), &grund)) {
    case 0:
        return 0;
    case DATEIINHALT_KEIN_NAME:
    case DATEIINHALT_ANLEGEN:
        return PROGRAMMDATEI_OEFFNEN_SCHREIBEN;
    default:
        return PROGRAMMDATEI_SCHREIBEN;
    }
}

int ProgrammdateiLesen(const char* pfad) {
    // A folder opens for reading on some systems and only fails at the first read; it is no
    // file to open.
    std::error_code ec;
    if (std::filesystem::is_directory(pfad, ec)) return PROGRAMMDATEI_OEFFNEN_LESEN;
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return PROGRAMMDATEI_OEFFNEN_LESEN;
    Programmabbild abbild;
    const size_t gelesen = std::fread(abbild.data(), 1, abbild.size(), f);
    std::fclose(f);
    if (gelesen != abbild.size()) return PROGRAMMDATEI_ZU_KURZ;

    // The header text with its terminating zero, compared exactly.
    if (std::memcmp(abbild.data(), PROGRAMMDATEI_KOPF, std::strlen(PROGRAMMDATEI_KOPF) + 1) != 0)
        return PROGRAMMDATEI_FALSCHER_TYP;
    const int32_t version = Int32Bei(abbild, PROGRAMMDATEI_VERSION_OFFSET);
    if (version != PROGRAMMDATEI_VERSION) {
        VersionMelden(version);
        return PROGRAMMDATEI_FALSCHE_VERSION;
    }

    const int32_t index = Int32Bei(abbild, PROGRAMMDATEI_INDEX_OFFSET);
    std::memcpy(gPar, abbild.data() + PROGRAMMDATEI_SAETZE_OFFSET, sizeof gPar);
    // A selection no set has is never used as an index: the working set is shown instead.
    gParIndex = (index >= 0 && index < PARAMETERSAETZE) ? index : 0;
    return 0;
}
