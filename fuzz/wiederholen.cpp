// Replays stored inputs through a fuzz target without a fuzzing engine:
//   vkr-fuzz-replay <target> <file or folder>...
// Every file (folders: every file in them) is fed to the target once. A broken check aborts;
// otherwise the exit status is 0 when at least one input was fed, 1 on a usage or file error.

#include "fuzz/ziele.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Einspeisen(int (*ziel)(const uint8_t*, size_t), const fs::path& datei) {
    std::ifstream f(datei, std::ios::binary);
    if (!f) return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    // A copy of exactly the input's size, so that a read past its end is caught by the sanitizers.
    std::vector<uint8_t> genau(bytes.begin(), bytes.end());
    ziel(genau.data(), genau.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int anzahl = 0;
    const FuzzZiel* ziele = FuzzZiele(&anzahl);
    const FuzzZiel* ziel = nullptr;
    for (int i = 0; argc > 1 && i < anzahl; ++i)
        if (std::strcmp(ziele[i].name, argv[1]) == 0) ziel = &ziele[i];
    if (!ziel || argc < 3) {
        std::fprintf(stderr, "usage: %s <target> <file or folder>...\ntargets:", argv[0]);
        for (int i = 0; i < anzahl; ++i)
            std::fprintf(stderr, " %s", ziele[i].name);
        std::fprintf(stderr, "\n");
        return 1;
    }
    int gefuettert = 0;
    for (int a = 2; a < argc; ++a) {
        std::error_code ec;
        std::vector<fs::path> dateien;
        if (fs::is_directory(argv[a], ec)) {
            for (const auto& e : fs::directory_iterator(argv[a], ec))
                if (e.is_regular_file()) dateien.push_back(e.path());
        } else {
            dateien.push_back(argv[a]);
        }
        for (const fs::path& d : dateien) {
            if (!Einspeisen(ziel->ziel, d)) {
                std::fprintf(stderr, "cannot read %s\n", d.string().c_str());
                return 1;
            }
            ++gefuettert;
        }
    }
    std::printf("%s: %d inputs\n", ziel->name, gefuettert);
    return gefuettert > 0 ? 0 : 1;
}
