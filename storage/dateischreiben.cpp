#include "storage/dateischreiben.h"

#include "storage/ersatzdatei.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr size_t SCHREIBPUFFER = 16 * 1024;
constexpr int LINKS_HOECHSTENS = 40; // as the system allows before it reports a loop
constexpr const char* ERSATZ_PRAEFIXE[] = {"vkr$$", "ini$$"};

int Errno() {
    return errno > 0 ? errno : EIO;
}

int Kuerzen(std::FILE* f, size_t laenge) {
#if defined(_WIN32)
    return _chsize_s(_fileno(f), static_cast<long long>(laenge)) == 0 ? 0 : Errno();
#else
    return ftruncate(fileno(f), static_cast<off_t>(laenge)) == 0 ? 0 : Errno();
#endif
}

// The old contents stay until the first byte is written: everything is ready in memory, and the
// file is opened without truncating it.
int AnOrtSchreiben(const std::string& ziel, const void* daten, size_t laenge, int* grund) {
    errno = 0;
    std::FILE* f = std::fopen(ziel.c_str(), "r+b");
    if (!f) {
        *grund = Errno();
        return DATEIINHALT_ANLEGEN;
    }
    int fehler = 0;
    errno = 0;
    if (std::fwrite(daten, 1, laenge, f) != laenge || std::fflush(f) != 0) fehler = Errno();
    if (fehler == 0) fehler = Kuerzen(f, laenge);
    if (fehler == 0) fehler = AufPlatteSchreiben(f);
    errno = 0;
    if (std::fclose(f) != 0 && fehler == 0) fehler = Errno();
    *grund = fehler;
    return fehler == 0 ? 0 : DATEIINHALT_SCHREIBEN;
}

// No new file may be made in the folder, while the target itself may still be writable.
bool OrdnerGesperrt(int fehler) {
    return fehler == EACCES || fehler == EPERM || fehler == EROFS;
}

int UeberErsatzdatei(const std::string& ziel, const char* praefix, const void* daten, size_t laenge,
                     int* grund) {
    Ersatzdatei e;
    const int angelegt = ErsatzdateiAnlegen(ziel.c_str(), praefix, &e);
    if (angelegt == ERSATZDATEI_KEIN_NAME) {
        *grund = EEXIST;
        return DATEIINHALT_KEIN_NAME;
    }
    if (angelegt != 0) {
        std::error_code ec;
        if (OrdnerGesperrt(angelegt) && fs::is_regular_file(ziel, ec)) {
            const int r = AnOrtSchreiben(ziel, daten, laenge, grund);
            if (r != DATEIINHALT_ANLEGEN) return r;
        }
        *grund = angelegt;
        return DATEIINHALT_ANLEGEN;
    }
    std::setvbuf(e.datei, nullptr, _IOFBF, SCHREIBPUFFER);
    errno = 0;
    if (std::fwrite(daten, 1, laenge, e.datei) != laenge) {
        *grund = Errno();
        ErsatzdateiVerwerfen(&e);
        return DATEIINHALT_SCHREIBEN;
    }
    if ((*grund = ErsatzdateiAbschliessen(&e)) != 0) return DATEIINHALT_SCHREIBEN;
    if ((*grund = ErsatzdateiEinsetzen(&e, ziel.c_str())) != 0) return DATEIINHALT_ERSETZEN;
    return 0;
}

// "<praefix><n>.TMP" exactly as ErsatzdateiAnlegen names it: n from 0 to 999, no leading zero.
bool IstErsatzdateiname(const std::string& name) {
    for (const char* praefix : ERSATZ_PRAEFIXE) {
        const size_t lp = std::strlen(praefix);
        if (name.size() < lp + 5 || name.compare(0, lp, praefix) != 0) continue;
        if (name.compare(name.size() - 4, 4, ".TMP") != 0) return false;
        const std::string n = name.substr(lp, name.size() - lp - 4);
        return n.size() <= 3 && (n.size() == 1 || n[0] != '0') &&
               std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
    return false;
}

} // namespace

std::string DateiLinkZiel(const char* pfad) {
    fs::path p(pfad ? pfad : "");
    for (int n = 0; n < LINKS_HOECHSTENS; ++n) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
        const fs::path ziel = fs::read_symlink(p, ec);
        if (ec) break;
        p = ziel.is_absolute() ? ziel : p.parent_path() / ziel;
    }
    return p.string();
}

void VerwaisteErsatzdateienEntfernen(const fs::path& ordner) {
    const auto grenze = fs::file_time_type::clock::now() - std::chrono::minutes(ERSATZDATEI_VERWAIST_MINUTEN);
    std::error_code ec;
    for (fs::directory_iterator it(ordner.empty() ? fs::path(".") : ordner, ec), ende; !ec && it != ende;
         it.increment(ec)) {
        std::error_code e2;
        if (!IstErsatzdateiname(it->path().filename().string()) || !it->is_regular_file(e2) ||
            it->is_symlink(e2))
            continue;
        const auto zeit = it->last_write_time(e2);
        if (!e2 && zeit < grenze) fs::remove(it->path(), e2);
    }
}

int DateiinhaltSchreiben(const char* pfad, const char* praefix, const void* daten, size_t laenge,
                         int* grund) {
    int unbenutzt = 0;
    if (!grund) grund = &unbenutzt;
    *grund = 0;
    const std::string ziel = DateiLinkZiel(pfad);
    VerwaisteErsatzdateienEntfernen(fs::path(ziel).parent_path());
    // A replacement would be a new file under this one name only; the other names would keep
    // the old contents.
    std::error_code ec;
    if (fs::is_regular_file(ziel, ec) && fs::hard_link_count(ziel, ec) > 1 && !ec)
        return AnOrtSchreiben(ziel, daten, laenge, grund);
    return UeberErsatzdatei(ziel, praefix, daten, laenge, grund);
}
