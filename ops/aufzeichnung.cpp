#include "ops/aufzeichnung.h"

#include "device/werttext.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* KOPFZEILE = "time,current_A,voltage_V,status,active_current,compatibility_mode\n";

std::FILE* gDatei = nullptr;
std::string gPfad;
std::string gSystemtext;
int gZeilen = 0;
std::uintmax_t gGueltigeBytes = 0; // file length after the last complete line

// Writes text and hands it to the system at once; false when either step fails.
bool ZeileAbgeben(const std::string& text) {
    errno = 0;
    const bool ok = std::fputs(text.c_str(), gDatei) >= 0 && std::fflush(gDatei) == 0;
    if (!ok) gSystemtext = std::strerror(errno != 0 ? errno : EIO);
    return ok;
}

// Ends the recording after a failed write and cuts off what the failed line left behind.
void NachFehlerSchliessen() {
    std::fclose(gDatei); // whatever it fails to write was the failed line
    gDatei = nullptr;
    std::error_code fehler;
    std::filesystem::resize_file(gPfad, gGueltigeBytes, fehler);
}

std::string IsoZeit(std::chrono::system_clock::time_point zeit) {
    const std::time_t sekunden = std::chrono::system_clock::to_time_t(zeit);
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(zeit.time_since_epoch()).count() % 1000;
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &sekunden);
#else
    localtime_r(&sekunden, &lokal);
#endif
    char datum[32], versatz[8];
    std::strftime(datum, sizeof datum, "%Y-%m-%dT%H:%M:%S", &lokal);
    std::strftime(versatz, sizeof versatz, "%z", &lokal); // "+0100"
    char text[48];
    std::snprintf(text, sizeof text, "%s.%03lld%.3s:%.2s", datum, ms < 0 ? ms + 1000 : ms, versatz,
                  versatz + 3);
    return text;
}

} // namespace

std::string AufzeichnungZeile(const Istwertprobe& probe, std::chrono::system_clock::time_point zeit) {
    // The numbers are written by the driver's own formatter: the C library's would follow the
    // desktop's locale and write "0,000", which splits a field in two.
    char strom[40], spannung[40], status[16];
    if (ReellFormatieren(strom, sizeof strom, probe.strom, 3) < 0) std::strcpy(strom, "?");
    if (ReellFormatieren(spannung, sizeof spannung, probe.spannung, 1) < 0) std::strcpy(spannung, "?");
    std::snprintf(status, sizeof status, "0x%04X", static_cast<unsigned>(probe.status));
    const char* aktiv = probe.stromaktiv == 1.0 ? "1" : probe.stromaktiv == 2.0 ? "2" : "not reported";
    return IsoZeit(zeit) + "," + strom + "," + spannung + "," + status + "," + aktiv + "," +
           std::to_string(probe.kompatibel);
}

int AufzeichnungStarten(const std::string& pfad) {
    AufzeichnungBeenden();
    gPfad = pfad;
    gZeilen = 0;
    gGueltigeBytes = 0;
    gSystemtext.clear();
    errno = 0;
    gDatei = std::fopen(pfad.c_str(), "w");
    if (!gDatei) {
        gSystemtext = std::strerror(errno != 0 ? errno : EIO);
        return AUFZEICHNUNG_OEFFNEN_FEHLGESCHLAGEN;
    }
    if (!ZeileAbgeben(KOPFZEILE)) {
        NachFehlerSchliessen();
        return AUFZEICHNUNG_SCHREIBEN_FEHLGESCHLAGEN;
    }
    gGueltigeBytes = std::strlen(KOPFZEILE);
    return 0;
}

int AufzeichnungSchreiben(const Istwertprobe& probe, std::chrono::system_clock::time_point zeit) {
    if (!gDatei) return AUFZEICHNUNG_NICHT_AKTIV;
    const std::string zeile = AufzeichnungZeile(probe, zeit) + "\n";
    if (!ZeileAbgeben(zeile)) {
        NachFehlerSchliessen();
        return AUFZEICHNUNG_SCHREIBEN_FEHLGESCHLAGEN;
    }
    gGueltigeBytes += zeile.size();
    ++gZeilen;
    return 0;
}

void AufzeichnungBeenden() {
    if (!gDatei) return;
    std::fclose(gDatei); // every line was flushed already
    gDatei = nullptr;
}

bool AufzeichnungLaeuft() {
    return gDatei != nullptr;
}
const std::string& AufzeichnungPfad() {
    return gPfad;
}
int AufzeichnungZeilen() {
    return gZeilen;
}
const std::string& AufzeichnungSystemtext() {
    return gSystemtext;
}
