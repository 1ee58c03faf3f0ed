#include "fuzz/arbeitsdatei.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path& Verzeichnis() {
    static fs::path pfad = [] {
        std::error_code ec;
        const fs::path basis =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path p = basis / ("vkr-fuzz-" + std::to_string(getpid()));
        fs::create_directories(p);
        std::atexit([] {
            std::error_code fehler;
            fs::remove_all(Verzeichnis(), fehler);
        });
        return p;
    }();
    return pfad;
}

} // namespace

const std::string& Arbeitsdatei() {
    static const std::string pfad = (Verzeichnis() / "eingabe").string();
    return pfad;
}

void ArbeitsdateiSchreiben(const uint8_t* daten, size_t groesse) {
    std::FILE* f = std::fopen(Arbeitsdatei().c_str(), "wb");
    if (!f) std::abort();
    if (groesse > 0 && std::fwrite(daten, 1, groesse, f) != groesse) std::abort();
    std::fclose(f);
}
