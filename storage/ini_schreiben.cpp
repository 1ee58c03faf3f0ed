// Writing the store as text, through a temporary file beside the target.

#include "storage/dateischreiben.h"
#include "storage/ini_intern.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>

namespace {

constexpr size_t WERT_MAX = 80; // longer values are written in pieces of this size
constexpr const char* ZEILENENDE = "\r\n";

void EintragAnhaengen(std::string& text, const std::string& tag, std::string_view wert, bool zitiert) {
    text += tag;
    text += INI_AUSGABETRENNER;
    if (zitiert) text += '"';
    text += wert;
    if (zitiert) text += '"';
    text += ZEILENENDE;
}

std::string Text(const IniStoreDaten& store) {
    std::string text;
    for (const IniSektion& s : store.sektionen) {
        text += INI_SEKTION_ANFANG + s.name + INI_SEKTION_ENDE + ZEILENENDE;
        for (const IniEintrag& e : s.eintraege) {
            if (e.wert.size() <= WERT_MAX) {
                EintragAnhaengen(text, e.tag, e.wert, e.inAnfuehrungszeichen);
                continue;
            }
            for (size_t pos = 0, stueck = 1; pos < e.wert.size(); pos += WERT_MAX, ++stueck) {
                char nummer[16];
                std::snprintf(nummer, sizeof nummer, "%04zu", stueck);
                EintragAnhaengen(text, e.tag + INI_FORTSETZUNG + nummer,
                                 std::string_view(e.wert).substr(pos, WERT_MAX), e.inAnfuehrungszeichen);
            }
        }
        text += ZEILENENDE;
    }
    return text;
}

int Schreibfehler(int fehler) {
    switch (fehler) {
    case ENOMEM:
        return INI_KEIN_SPEICHER;
    case EACCES:
    case EPERM:
    case EROFS:
        return INI_ZUGRIFF_VERWEIGERT;
    case ENOSPC:
    case EDQUOT:
        return INI_PLATTE_VOLL;
    default:
        return INI_SCHREIBFEHLER;
    }
}

int Ersetzungsfehler(int fehler) {
    switch (fehler) {
    case ENOENT:
        return INI_NICHT_GEFUNDEN;
    case EISDIR:
    case EXDEV:
    case EBUSY:
    case EEXIST:
    case ENOTEMPTY:
        return INI_ERSETZEN_FEHLGESCHLAGEN;
    default:
        return Schreibfehler(fehler);
    }
}

// An existing target must open for update; a missing one must be creatable (the test file is
// removed again).
int ZielPruefen(const char* path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        std::FILE* f = std::fopen(path, "wbx");
        if (!f) return INI_ZUGRIFF_VERWEIGERT;
        std::fclose(f);
        std::remove(path);
        return 0;
    }
    if (ec) return INI_ZUSTAND_UNBEKANNT;
    std::FILE* f = std::fopen(path, "r+b");
    if (!f) return INI_ZUGRIFF_VERWEIGERT;
    std::fclose(f);
    return 0;
}

int TextSchreiben(const std::string& text, const char* path) {
    int grund = 0;
    switch (DateiinhaltSchreiben(path, "ini$$", text.data(), text.size(), &grund)) {
    case 0:
        return 0;
    case DATEIINHALT_KEIN_NAME:
        return INI_KEIN_TEMPNAME;
    case DATEIINHALT_ANLEGEN:
        return INI_TEMP_ANLEGEN;
    case DATEIINHALT_ERSETZEN:
        return Ersetzungsfehler(grund);
    default:
        return Schreibfehler(grund);
    }
}

} // namespace

int Ini_WriteToFile(IniStore store, const char* path) {
    if (!store) return INI_UNGUELTIGER_STORE;
    if (!path) return INI_ZUSTAND_UNBEKANNT;
    // A settings file that is a symbolic link stays one: the file it points to is written.
    const std::string ziel = DateiLinkZiel(path);
    if (const int r = ZielPruefen(ziel.c_str())) return r;
    try {
        return TextSchreiben(Text(*store), ziel.c_str());
    } catch (const std::bad_alloc&) {
        return INI_KEIN_SPEICHER;
    }
}
