#include "params/kurvenrelevanz.h"

#include "params/parametersatz.h"

#include <cstring>

const char* const kKurvenspaltenNamen[KURVENSPALTEN] = {
    "strom1",         "strom2",    "zeit1",          "zeit2",       "zeit3",    "zeit4",
    "frequenz",       "spannung",  "zyklen",         "reglerkp",    "reglerki", "reglergain",
    "endstuferegeln", "dithertyp", "ditherfrequenz", "ditherstrom",
};

namespace {

// clang-format off
//   STROM1 STROM2 ZEIT1 ZEIT2 ZEIT3 ZEIT4 FREQ SPANN ZYKL KP KI GAIN ENDST DTYP DFREQ DSTROM
constexpr bool kSterntabelle[12][KURVENSPALTEN] = {
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0},  // 1 externer Stellwert
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0},  // 2 feste Spannung
    {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1},  // 3 Rechteck ungeregelt
    {0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 4 Rechteck geregelt
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1},  // 5 Dreieck ungeregelt
    {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 6 Dreieck geregelt
    {1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 7 Strom 1/2, ext. umschaltbar
    {1, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 8 Strom 1 geregelt
    {1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 9 Strom 1/2, manuell einstellbar
    {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 10 Dreieck, Freq. einstellbar
    {0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},  // 11 externer Sollwert geregelt
    {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  // 12 Kurvengenerator
};
// clang-format on

bool VonRegelungAbhaengig(int spalte) {
    return spalte == KS_REGLER_GAIN || spalte == KS_DITHER_TYP || spalte == KS_DITHER_FREQUENZ ||
           spalte == KS_DITHER_STROM;
}

// Column of name, or -1.
int Spalte(const char* name) {
    for (int s = 0; s < KURVENSPALTEN; ++s)
        if (std::strcmp(kKurvenspaltenNamen[s], name) == 0) return s;
    return -1;
}

// With the rule the panel applies: hidden without regulation; the dither columns shown with it
// even where the curve's row hides them, the gain as the row says.
Kurvenbezug Markiert(int spalte, int kurve, int endstuferegeln) {
    const bool* zeile = Kurvenzeile(kurve);
    if (VonRegelungAbhaengig(spalte)) {
        if (OhneRegelungVerborgen(kurve, endstuferegeln)) return Kurvenbezug::NichtBenoetigt;
        if (spalte != KS_REGLER_GAIN) return Kurvenbezug::Benoetigt;
    }
    if (!zeile) return Kurvenbezug::OhneMarke;
    return zeile[spalte] ? Kurvenbezug::Benoetigt : Kurvenbezug::NichtBenoetigt;
}

} // namespace

const bool* Kurvenzeile(int kurve) {
    return kurve >= 1 && kurve <= 12 ? kSterntabelle[kurve - 1] : nullptr;
}

bool OhneRegelungVerborgen(int kurve, int endstuferegeln) {
    return endstuferegeln == 0 && kurve != 12;
}

Kurvenbezug FeldKurvenbezug(const char* name, int kurve, int endstuferegeln, double ditherstrom) {
    if (!name) return Kurvenbezug::OhneMarke;
    if (std::strcmp(name, "stromkurve") == 0) return Kurvenbezug::Benoetigt;
    if (const int spalte = Spalte(name); spalte >= 0) return Markiert(spalte, kurve, endstuferegeln);
    if (std::strncmp(name, "dithtable_", 10) == 0) {
        if (ditherstrom != DITHERSTROM_TABELLE) return Kurvenbezug::NichtBenoetigt;
        return Markiert(KS_DITHER_STROM, kurve, endstuferegeln);
    }
    return Kurvenbezug::OhneMarke;
}
