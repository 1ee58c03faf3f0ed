#include "storage/ersatzdatei.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int ZuErrno(const std::error_code& ec) {
    return ec.value() > 0 ? ec.value() : EIO;
}

// The replacement takes the owner and group of the old file where the user may set them (root
// may set both, a member of the old file's group that group), then its access rights: a change
// of owner can clear bits that the rights then set again.
void AltesErbe(const char* ziel, Ersatzdatei* e) {
#if !defined(_WIN32)
    struct stat alt {};
    if (stat(ziel, &alt) != 0 || !S_ISREG(alt.st_mode)) return;
    const int fd = fileno(e->datei);
    if (fchown(fd, alt.st_uid, alt.st_gid) != 0) {
        // Not root: the group at least, if the user belongs to it; otherwise the new file stays
        // the user's, as any file the user makes.
        const int gruppe = fchown(fd, static_cast<uid_t>(-1), alt.st_gid);
        static_cast<void>(gruppe);
    }
    fchmod(fd, alt.st_mode & 07777);
#else
    std::error_code ec;
    const fs::file_status alt = fs::status(ziel, ec);
    if (!ec && fs::is_regular_file(alt)) fs::permissions(e->pfad, alt.permissions(), ec);
#endif
}

} // namespace

// The written bytes must be on the disk before the rename makes them the target: a crash after
// the rename must not leave an empty file in place of the old one.
int AufPlatteSchreiben(std::FILE* f) {
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0 ? 0 : errno;
#else
    return fsync(fileno(f)) == 0 ? 0 : errno;
#endif
}

int ErsatzdateiAnlegen(const char* ziel, const char* praefix, Ersatzdatei* e) {
    const fs::path verzeichnis = fs::path(ziel).parent_path();
    for (int n = 0; n <= 999; ++n) {
        const std::string name = std::string(praefix) + std::to_string(n) + ".TMP";
        const fs::path kandidat = verzeichnis.empty() ? fs::path(name) : verzeichnis / name;
        std::error_code ec;
        if (fs::exists(kandidat, ec) || ec) continue;
        errno = 0;
        // "x": never take over a file that appeared since the check above; one that another
        // writer (a thread of this program saving beside the same target) has just created
        // sends us on to the next name.
        std::FILE* f = std::fopen(kandidat.string().c_str(), "wbx");
        if (!f && errno == EEXIST) continue;
        if (!f) return errno > 0 ? errno : EIO;
        e->datei = f;
        e->pfad = kandidat.string();
        AltesErbe(ziel, e);
        return 0;
    }
    return ERSATZDATEI_KEIN_NAME;
}

int ErsatzdateiAbschliessen(Ersatzdatei* e) {
    int fehler = 0;
    errno = 0;
    if (std::fflush(e->datei) != 0) fehler = errno > 0 ? errno : EIO;
    if (fehler == 0) fehler = AufPlatteSchreiben(e->datei);
    errno = 0;
    if (std::fclose(e->datei) != 0 && fehler == 0) fehler = errno > 0 ? errno : EIO;
    e->datei = nullptr;
    if (fehler != 0) ErsatzdateiVerwerfen(e);
    return fehler;
}

int ErsatzdateiEinsetzen(Ersatzdatei* e, const char* ziel) {
    std::error_code ec;
    fs::rename(e->pfad, ziel, ec);
    if (!ec) return 0;
    ErsatzdateiVerwerfen(e);
    return ZuErrno(ec);
}

void ErsatzdateiVerwerfen(Ersatzdatei* e) {
    if (e->datei) std::fclose(e->datei);
    e->datei = nullptr;
    std::error_code ec;
    if (!e->pfad.empty()) fs::remove(e->pfad, ec);
}
