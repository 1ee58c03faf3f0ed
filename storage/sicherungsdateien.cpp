#include "storage/sicherungsdateien.h"

#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int SAETZE = 17;

std::tm Ortszeit(std::time_t zeit) {
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &zeit);
#else
    localtime_r(&zeit, &lokal);
#endif
    return lokal;
}

std::string Dateiteil(const char* kennung) {
    std::string teil = kennung && *kennung ? kennung : "unbekannt";
    for (char& c : teil) {
        const bool erlaubt = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                             c == '.' || c == '-';
        if (!erlaubt) c = '_';
    }
    return teil;
}

// Programs as ranges: 1-16, 3+11, 2-4+9.
std::string Programme(uint32_t saetze) {
    std::string text;
    for (int n = 1; n < SAETZE; ++n) {
        if (!(saetze & (1u << n))) continue;
        int bis = n;
        while (bis + 1 < SAETZE && (saetze & (1u << (bis + 1))))
            ++bis;
        if (!text.empty()) text += '+';
        text += std::to_string(n);
        if (bis > n) text += '-' + std::to_string(bis);
        n = bis;
    }
    return text;
}

// Name of a backup: identity, address, time (the sort key) and sets, an optional "_n".
const std::regex& Muster() {
    static const std::regex muster(
        R"(^.+_adr[1-8]_(\d{8}-\d{6})_(A|A\+P[0-9+-]+|P[0-9+-]+)(_(\d{1,4}))?\.vkr$)");
    return muster;
}

struct Sicherung {
    std::string zeit;
    int folge;
    fs::path pfad;
};

} // namespace

std::string SicherungsordnerStandard() {
    const QString daten = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (fs::path(daten.toStdString()) / "vkr3xsteuerung" / "sicherungen").string();
}

std::string SicherungsName(const char* kennung, char adresse, std::time_t zeit, uint32_t saetze) {
    char stempel[32];
    const std::tm lokal = Ortszeit(zeit);
    std::strftime(stempel, sizeof stempel, "%Y%m%d-%H%M%S", &lokal);
    std::string teile = (saetze & 1u) ? "A" : "";
    const std::string programme = Programme(saetze);
    if (!programme.empty()) teile += (teile.empty() ? "P" : "+P") + programme;
    return Dateiteil(kennung) + "_adr" + std::string(1, adresse) + "_" + stempel + "_" + teile + ".vkr";
}

int SicherungsordnerAnlegen(const char* ordner) {
    std::error_code ec;
    fs::create_directories(ordner, ec);
    return fs::is_directory(ordner, ec) ? 0 : SICHERUNGSORDNER_ANLEGEN;
}

std::string SicherungsPfad(const char* ordner, const std::string& name) {
    const fs::path basis = fs::path(ordner) / name;
    std::error_code ec;
    fs::path pfad = basis;
    for (int n = 2; fs::exists(pfad, ec); ++n)
        pfad = basis.parent_path() / (basis.stem().string() + "_" + std::to_string(n) + ".vkr");
    return pfad.string();
}

int SicherungenAufraeumen(const char* ordner, int behalten) {
    std::vector<Sicherung> sicherungen;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(ordner, ec)) {
        std::smatch treffer;
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file(ec) || !std::regex_match(name, treffer, Muster())) continue;
        sicherungen.push_back({treffer[1], treffer[4].matched ? std::stoi(treffer[4]) : 1, e.path()});
    }
    if (static_cast<int>(sicherungen.size()) <= behalten) return 0;
    std::sort(sicherungen.begin(), sicherungen.end(), [](const Sicherung& a, const Sicherung& b) {
        return a.zeit != b.zeit ? a.zeit < b.zeit : a.folge < b.folge;
    });
    int geloescht = 0;
    const size_t weg = sicherungen.size() - static_cast<size_t>(std::max(behalten, 0));
    for (size_t i = 0; i < weg; ++i)
        geloescht += fs::remove(sicherungen[i].pfad, ec) ? 1 : 0;
    return geloescht;
}
