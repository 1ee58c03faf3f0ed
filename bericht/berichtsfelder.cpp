#include "bericht/berichtsfelder.h"

#include "app/vkr3xsteuerung.h"
#include "platform/panel_definition.h"
#include "ui/beschriftungen.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

using P = Parametersatz;
using enum Feldgruppe;

// In the panel's keyboard order: the left column top to bottom, then the right one.
const Berichtsfeld kFelder[] = {
    {"strom1", MAINPANEL_STROM1, &P::strom1},
    {"strom2", MAINPANEL_STROM2, &P::strom2},
    {"zeit1", MAINPANEL_ZEIT1, &P::zeit1},
    {"zeit2", MAINPANEL_ZEIT2, &P::zeit2},
    {"zeit3", MAINPANEL_ZEIT3, &P::zeit3},
    {"zeit4", MAINPANEL_ZEIT4, &P::zeit4},
    {"frequenz", MAINPANEL_FREQUENZ, &P::frequenz},
    {"spannung", MAINPANEL_SPANNUNG, &P::spannung},
    {"zyklen", MAINPANEL_ZYKLEN, &P::zyklen},
    {"endstuferegeln", MAINPANEL_ENDSTUFEREGELN, nullptr, &P::endstuferegeln, Parameter, true},
    {"reglergain", MAINPANEL_REGLER_GAIN, &P::reglergain, nullptr, Parameter, true},
    {"reglerki", MAINPANEL_REGLER_KI, &P::reglerki, nullptr, Parameter, true},
    {"reglerkp", MAINPANEL_REGLER_KP, &P::reglerkp, nullptr, Parameter, true},
    {"dithertyp", MAINPANEL_DITHER_TYP, nullptr, &P::dithertyp, Parameter, true},
    {"ditherfrequenz", MAINPANEL_DITHER_FREQUENZ, &P::ditherfrequenz, nullptr, Parameter, true},
    {"ditherstrom", MAINPANEL_DITHER_STROM, &P::ditherstrom, nullptr, Parameter, true},
    {"strom_step", MAINPANEL_STROM_STEP, &P::strom_step, nullptr, Parameter, true},
    {"rfwv_value", MAINPANEL_RFWV_VALUE, &P::rfwv_value, nullptr, Freilauf},
    {"rfwv_enable_time", MAINPANEL_RFWV_ENABEL_TIME, &P::rfwv_enable_time, nullptr, Freilauf},
    {"rfwv_current_step_value", MAINPANEL_RFWV_STEP_VALUE, &P::rfwv_current_step_value, nullptr, Freilauf},
    {"rfwv_auto_ac_gain", MAINPANEL_RFWV_AUTO_AC_GAIN, &P::rfwv_auto_ac_gain, nullptr, Freilauf},
    {"rfwv_auto_ac_filter_freq", MAINPANEL_RFWV_AUTO_AC_FiltFREQ, &P::rfwv_auto_ac_filter_freq, nullptr,
     Freilauf},
    {"rfwv_always_on", MAINPANEL_RFWV_ALWAYS_ON, nullptr, &P::rfwv_always_on, Freilauf, true},
    {"rfwv_automatic_mode", MAINPANEL_RFWV_AUTOMATIC, nullptr, &P::rfwv_automatic_mode, Freilauf, true},
    {"rfwv_current_step_on", MAINPANEL_RFWV_CURRENT_STEP, nullptr, &P::rfwv_current_step_on, Freilauf, true},
    {"rfwv_jump_to_0_on", MAINPANEL_RFVW_JUMP_TO_ZERO, nullptr, &P::rfwv_jump_to_0_on, Freilauf, true},
};

} // namespace

std::span<const Berichtsfeld> Berichtsfelder() {
    return kFelder;
}

const Berichtsfeld* BerichtsfeldNamens(const std::string& name) {
    for (const Berichtsfeld& f : kFelder)
        if (name == f.name) return &f;
    return nullptr;
}

double Feldwert(const Parametersatz& satz, const Berichtsfeld& f) {
    return f.reell ? satz.*f.reell : satz.*f.ganz;
}

bool FeldGleich(const Parametersatz& a, const Parametersatz& b, const Berichtsfeld& f) {
    if (f.ganz) return a.*f.ganz == b.*f.ganz;
    return std::memcmp(&(a.*f.reell), &(b.*f.reell), sizeof(double)) == 0;
}

std::string Einzeilig(const char* text) {
    std::string ergebnis;
    for (const char* c = text; *c; ++c) {
        const bool leer = *c == ' ' || *c == '\n';
        if (leer && (ergebnis.empty() || ergebnis.back() == ' ')) continue;
        ergebnis += leer ? ' ' : *c;
    }
    while (!ergebnis.empty() && ergebnis.back() == ' ')
        ergebnis.pop_back();
    return ergebnis;
}

void LabelUndEinheit(int control, int sprache, std::string* label, std::string* einheit) {
    *label = Einzeilig(Beschriftung(MAINPANEL, control, sprache));
    einheit->clear();
    const size_t auf = label->rfind('[');
    if (auf == std::string::npos || label->back() != ']') return;
    *einheit = label->substr(auf + 1, label->size() - auf - 2);
    label->erase(auf);
    while (!label->empty() && label->back() == ' ')
        label->pop_back();
}

std::string Zahl(double wert, int dezimalen) {
    char text[64];
    const auto [ende, fehler] =
        std::to_chars(text, text + sizeof text, wert, std::chars_format::fixed, dezimalen);
    if (fehler != std::errc()) return std::to_string(wert);
    // A value that rounds to zero shows as zero, without a minus sign.
    std::string s(text, ende);
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string Anzeigewert(int control, double wert, int sprache, bool* text) {
    const ControlDefinition* c = UirControl(MAINPANEL, control);
    *text = false;
    if (c && c->kind == ControlKind::Ring) {
        const bool ganz = std::isfinite(wert) && wert == std::trunc(wert) && std::fabs(wert) < 1e9;
        if (const char* item =
                ganz ? RingText(MAINPANEL, control, static_cast<int>(wert), sprache) : nullptr) {
            *text = true;
            return item;
        }
        return Zahl(wert, 0);
    }
    return Zahl(wert, c ? c->decimals : 3);
}
