#include "ops/sicherung.h"

#include "device/zemvkr3x.h"
#include "storage/programmdatei.h"
#include "storage/sicherungsdateien.h"

#include <mutex>

namespace {

// Workers of a station back up regulators of the same identity at the same address within the
// same second: choosing a free name and writing the file under it is one step for them.
std::mutex gNamensSperre;

int Anzahl(Satzmaske maske) {
    int n = 0;
    for (int s = 0; s < PARAMETERSAETZE; ++s)
        n += (maske & SatzBit(s)) != 0;
    return n;
}

} // namespace

int SicherungAnlegen(int port, char adresse, Satzmaske maske, const char* ordner, int behalten,
                     std::time_t zeit, Vergleichsmelder melder, void* kontext, std::string* pfad) {
    maske &= SAETZE_ALLE;
    // A folder that cannot be made fails before the line is used.
    if (const int r = SicherungsordnerAnlegen(ordner)) return r;
    char kennung[ZEMVKR3X_ID_BYTES] = "";
    if (const int r = ZEMVKR3X_IDLesen(port, adresse, kennung)) return r;

    Parametersatz saetze[PARAMETERSAETZE];
    for (Parametersatz& s : saetze) {
        s = Parametersatz{};
        ParametersatzVorgabe(&s);
    }
    // Like a read transfer: one receiving record from the defaults with a dither table of
    // zeros, so that fields a regulator refuses hold what a read would give.
    Parametersatz satz = saetze[0];
    for (double& d : satz.dithtable_pwmcurr)
        d = 0.0;
    for (double& d : satz.dithtable_dithamp)
        d = 0.0;
    const int gesamt = Anzahl(maske);
    int fertig = 0, erster = -1;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(maske & SatzBit(n))) continue;
        if (fertig > 0 && melder && melder(fertig * 100 / gesamt, kontext)) return VERGLEICH_ABGEBROCHEN;
        if (const int r = ParametersatzLesenAn(port, adresse, n, &satz, nullptr)) return r;
        saetze[n] = satz;
        if (erster < 0) erster = n;
        ++fertig;
    }
    if (melder) melder(100, kontext);
    if (!(maske & SATZ_ARBEITSPARAMETER)) saetze[0] = satz;

    const std::lock_guard<std::mutex> sperre(gNamensSperre);
    const std::string ziel = SicherungsPfad(ordner, SicherungsName(kennung, adresse, zeit, maske));
    if (ProgrammabbildSchreiben(ProgrammabbildAus(saetze, erster < 0 ? 0 : erster), ziel.c_str()) != 0)
        return SICHERUNG_SCHREIBEN;
    if (behalten > 0) SicherungenAufraeumen(ordner, behalten);
    if (pfad) *pfad = ziel;
    return 0;
}
