#pragma once
// Which parameters a current curve uses: the table behind the "*" markers beside the parameter
// controls, free of any panel, so that comparisons and reports can tell whether a field matters
// in a set's curve.

// Columns of the marker table, each the device parameter of one marked control.
enum Kurvenspalte {
    KS_STROM1,
    KS_STROM2,
    KS_ZEIT1,
    KS_ZEIT2,
    KS_ZEIT3,
    KS_ZEIT4,
    KS_FREQUENZ,
    KS_SPANNUNG,
    KS_ZYKLEN,
    KS_REGLER_KP,
    KS_REGLER_KI,
    KS_REGLER_GAIN,
    KS_ENDSTUFEREGELN,
    KS_DITHER_TYP,
    KS_DITHER_FREQUENZ,
    KS_DITHER_STROM,
    KURVENSPALTEN
};

// Device parameter name of each column.
extern const char* const kKurvenspaltenNamen[KURVENSPALTEN];

// The table's row for curve 1..12 (true: the curve uses the column's parameter); null for any
// other curve, of which the table says nothing.
const bool* Kurvenzeile(int kurve);

// Without output-stage regulation the gain and the dither are not used, except by the curve
// generator (12): true when this rule hides KS_REGLER_GAIN and the three dither columns.
bool OhneRegelungVerborgen(int kurve, int endstuferegeln);

// What a field means for a set's curve.
enum class Kurvenbezug {
    Benoetigt,      // the curve uses it (a visible marker, the curve itself)
    NichtBenoetigt, // the curve does not use it
    OhneMarke,      // the table says nothing: raised free-wheeling voltage, or a curve outside 1..12
};

// For the device parameter name in a set with curve kurve, regulation endstuferegeln and
// dither current ditherstrom: the marked fields by the table and the regulation rule; the
// curve itself is always needed; the dither table's twenty values are needed where the dither
// current is and the set takes its amplitude from the table.
Kurvenbezug FeldKurvenbezug(const char* name, int kurve, int endstuferegeln, double ditherstrom);
