// "status": what the regulator does now, once or every half second until interrupted. The reads
// are those of the panel's query, in its order.

#include "cli/befehlszeile.h"

#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/istwertbeobachter.h"
#include "ops/statustexte.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

const QCommandLineOption kJson("json", "Print one JSON object per query instead of name=value lines.");
const QCommandLineOption kWatch("watch", "Query every 0.5 s until interrupted (Ctrl+C).");

constexpr long INTERVALL_NS = 500'000'000;

volatile std::sig_atomic_t gUnterbrochen = 0;

void Unterbrechen(int) {
    gUnterbrochen = 1;
}

struct Zustand {
    double strom = 0.0, spannung = 0.0, stromaktiv = STROMAKTIV_UNBEKANNT;
    int status = 0, kompatibel = 0;
};

int Lesen(const char* name, double* wert, int* ganzzahl) {
    return ZEMVKR3X_ParameterLesen(gCom.portOffen, gCom.adresse, name, wert, ganzzahl, nullptr);
}

int Abfragen(Zustand* z) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN;
    int r = Lesen("iststrom", &z->strom, nullptr);
    if (r == 0) r = Lesen("istspannung", &z->spannung, nullptr);
    if (r == 0) r = Lesen("status", nullptr, &z->status);
    if (r != 0) return r;
    // Regulators without it still report their status.
    if (Lesen("status_stromaktiv", &z->stromaktiv, nullptr) != 0) z->stromaktiv = STROMAKTIV_UNBEKANNT;
    return Lesen("status_kompatibility_mode", nullptr, &z->kompatibel);
}

std::string Statuswort(int status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(status));
    return text;
}

// A status text without its closing line break.
std::string Statustext(const Statusbit& bit) {
    std::string text = IstEnglisch() ? bit.englisch : bit.deutsch;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

void Ausgeben(const Zustand& z, bool json) {
    std::string texte;
    for (const Statusbit& bit : kStatusbits) {
        if ((z.status & bit.maske) == 0) continue;
        if (json)
            texte += (texte.empty() ? "\"" : ", \"") + Statustext(bit) + "\"";
        else
            texte += "status_text=" + Statustext(bit) + "\n";
    }
    if (json)
        std::printf("{\"iststrom\": %s, \"istspannung\": %s, \"status\": \"%s\", \"status_texte\": [%s], "
                    "\"status_stromaktiv\": %s, \"status_kompatibility_mode\": %d}\n",
                    ZahlText(z.strom).c_str(), ZahlText(z.spannung).c_str(), Statuswort(z.status).c_str(),
                    texte.c_str(), ZahlText(z.stromaktiv).c_str(), z.kompatibel);
    else
        std::printf("iststrom=%s\nistspannung=%s\nstatus=%s\n%sstatus_stromaktiv=%s\n"
                    "status_kompatibility_mode=%d\n",
                    ZahlText(z.strom).c_str(), ZahlText(z.spannung).c_str(), Statuswort(z.status).c_str(),
                    texte.c_str(), ZahlText(z.stromaktiv).c_str(), z.kompatibel);
}

// Sleeps until the next tick; false once interrupted.
bool NaechsterTakt(timespec* takt) {
    takt->tv_nsec += INTERVALL_NS;
    if (takt->tv_nsec >= 1'000'000'000) {
        takt->tv_nsec -= 1'000'000'000;
        ++takt->tv_sec;
    }
    while (!gUnterbrochen && ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, takt, nullptr) != 0) {
    }
    return !gUnterbrochen;
}

} // namespace

void StatusOptionen(QCommandLineParser& parser) {
    parser.addOptions({kJson, kWatch});
}

int StatusBefehl(const QCommandLineParser& parser, const QStringList&) {
    if (const int e = Verbinden(parser)) return e;
    const bool json = parser.isSet(kJson);
    const bool dauernd = parser.isSet(kWatch);
    std::signal(SIGINT, Unterbrechen);
    std::signal(SIGTERM, Unterbrechen);
    timespec takt{};
    ::clock_gettime(CLOCK_MONOTONIC, &takt);
    int r = 0;
    bool erste = true;
    do {
        Zustand z;
        r = Abfragen(&z);
        if (r != 0) break;
        if (!erste && !json) std::printf("\n"); // a blank line between the queries
        erste = false;
        Ausgeben(z, json);
        if (!AusgabeAbgeben()) break; // the output is gone; reported as the command ends
    } while (dauernd && NaechsterTakt(&takt));
    Trennen();
    // Watching ends at the first failed query, as the panel's continuous query does.
    return r == 0 ? EXIT_ERFOLG : FehlerMelden(r);
}
