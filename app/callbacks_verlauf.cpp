#include "app/callbacks_verlauf.h"

#include "app/globals.h"
#include "ops/aufzeichnung.h"
#include "ops/istwertbeobachter.h"
#include "ops/statustexte.h"
#include "fenster/trend.h"
#include "platform/ui.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr int KEIN_STATUS = -1; // before the first query the trend sees

int gLetzterStatus = KEIN_STATUS;

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}

const TrendTexte& Texte() {
    static const TrendTexte deutsch = {
        "Verlauf", "Uhrzeit", "Strom [A]",     "Spannung [V]",         "Zeitfenster",
        "Pause",   "Weiter",  "Aufzeichnen …", "Aufzeichnung beenden", "Statuswechsel"};
    static const TrendTexte englisch = {"Trend", "Time",   "Current [A]", "Voltage [V]",    "Time span",
                                        "Pause", "Resume", "Record …",    "Stop recording", "Status change"};
    return Englisch() ? englisch : deutsch;
}

// A status text of the table without its line break.
std::string Bittext(const Statusbit& b) {
    std::string t = Englisch() ? b.englisch : b.deutsch;
    if (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
}

void AufzeichnungAnzeigen() {
    char text[700];
    if (AufzeichnungLaeuft())
        std::snprintf(text, sizeof text,
                      Englisch() ? "Recording to %s: %d lines" : "Aufzeichnung in %s: %d Zeilen",
                      AufzeichnungPfad().c_str(), AufzeichnungZeilen());
    else
        std::snprintf(text, sizeof text,
                      Englisch() ? "Recording ended; %d lines in %s"
                                 : "Aufzeichnung beendet; %d Zeilen in %s",
                      AufzeichnungZeilen(), AufzeichnungPfad().c_str());
    TrendAufzeichnungZeigen(AufzeichnungLaeuft(), text, false);
}

void FehlerAnzeigen(const char* deutsch, const char* englisch) {
    char text[700];
    std::snprintf(text, sizeof text, Englisch() ? englisch : deutsch, AufzeichnungPfad().c_str(),
                  AufzeichnungSystemtext().c_str(), AufzeichnungZeilen());
    TrendAufzeichnungZeigen(false, text, true);
}

void ProbeEmpfangen(const Istwertprobe& probe) {
    const auto jetzt = std::chrono::system_clock::now();
    const double ms = static_cast<double>(
        std::chrono::duration_cast<std::chrono::milliseconds>(jetzt.time_since_epoch()).count());
    TrendPunkt(ms, probe.strom, probe.spannung);
    const std::string wechsel =
        StatuswechselText(gLetzterStatus == KEIN_STATUS ? 0 : gLetzterStatus, probe.status);
    if (!wechsel.empty()) TrendMarke(ms, wechsel.c_str());
    gLetzterStatus = probe.status;

    if (!AufzeichnungLaeuft()) return;
    if (AufzeichnungSchreiben(probe, jetzt) != 0)
        FehlerAnzeigen(
            "Aufzeichnung abgebrochen: %s lässt sich nicht weiter schreiben (%s). Die %d Zeilen davor sind "
            "gespeichert.",
            "Recording stopped: %s cannot be written any more (%s). The %d lines before are saved.");
    else
        AufzeichnungAnzeigen();
}

} // namespace

std::string StatuswechselText(int alt, int neu) {
    std::string an, aus;
    for (const Statusbit& b : kStatusbits) {
        const bool vorher = (alt & b.maske) != 0, jetzt = (neu & b.maske) != 0;
        if (vorher == jetzt) continue;
        std::string& ziel = jetzt ? an : aus;
        if (!ziel.empty()) ziel += ", ";
        ziel += Bittext(b);
    }
    if (!aus.empty()) aus = (Englisch() ? "ended: " : "Ende: ") + aus;
    if (!an.empty() && !aus.empty()) return an + "; " + aus;
    return an + aus;
}

void VerlaufAufzeichnenUmschalten() {
    if (AufzeichnungLaeuft()) {
        AufzeichnungBeenden();
        AufzeichnungAnzeigen();
        return;
    }
    std::string pfad;
    const int wahl = FileSelectPopup("", "verlauf.csv", "*.csv",
                                     Englisch() ? "Record live values" : "Istwerte aufzeichnen",
                                     VAL_SAVE_BUTTON, 0, 0, 1, 1, &pfad);
    if (wahl == VAL_NO_FILE_SELECTED || pfad.empty()) return;
    if (AufzeichnungStarten(pfad) != 0) {
        FehlerAnzeigen("Aufzeichnung nicht gestartet: %s lässt sich nicht schreiben (%s).",
                       "Recording not started: %s cannot be written (%s).");
        return;
    }
    AufzeichnungAnzeigen();
}

void Callback_Menu_Verlauf(int, int, void*, int) {
    TrendFensterZeigen(Texte(), VerlaufAufzeichnenUmschalten);
    IstwertBeobachterSetzen(ProbeEmpfangen);
}

void VerlaufBeenden() {
    IstwertBeobachterSetzen(nullptr);
    AufzeichnungBeenden();
    TrendFensterVerwerfen();
    gLetzterStatus = KEIN_STATUS;
}
