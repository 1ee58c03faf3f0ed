#include "app/vergleichstexte.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "errors/fehler.h"
#include "platform/ui.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool Englisch() {
    return gSprache == SPRACHE_ENGLISCH;
}
const char* T(const char* deutsch, const char* englisch) {
    return Englisch() ? englisch : deutsch;
}

struct Feldcontrol {
    const char* name;
    int control;
    bool ring;
    bool rfwv; // labelled with the group's title
};

constexpr Feldcontrol kControls[] = {
    {"stromkurve", MAINPANEL_STROMKURVE, true, false},
    {"strom1", MAINPANEL_STROM1, false, false},
    {"strom2", MAINPANEL_STROM2, false, false},
    {"zeit1", MAINPANEL_ZEIT1, false, false},
    {"zeit2", MAINPANEL_ZEIT2, false, false},
    {"zeit3", MAINPANEL_ZEIT3, false, false},
    {"zeit4", MAINPANEL_ZEIT4, false, false},
    {"frequenz", MAINPANEL_FREQUENZ, false, false},
    {"spannung", MAINPANEL_SPANNUNG, false, false},
    {"zyklen", MAINPANEL_ZYKLEN, false, false},
    {"reglerkp", MAINPANEL_REGLER_KP, false, false},
    {"reglerki", MAINPANEL_REGLER_KI, false, false},
    {"reglergain", MAINPANEL_REGLER_GAIN, false, false},
    {"endstuferegeln", MAINPANEL_ENDSTUFEREGELN, true, false},
    {"dithertyp", MAINPANEL_DITHER_TYP, true, false},
    {"ditherfrequenz", MAINPANEL_DITHER_FREQUENZ, false, false},
    {"ditherstrom", MAINPANEL_DITHER_STROM, false, false},
    {"rfwv_always_on", MAINPANEL_RFWV_ALWAYS_ON, true, true},
    {"rfwv_automatic_mode", MAINPANEL_RFWV_AUTOMATIC, true, true},
    {"rfwv_auto_ac_gain", MAINPANEL_RFWV_AUTO_AC_GAIN, false, true},
    {"rfwv_auto_ac_filter_freq", MAINPANEL_RFWV_AUTO_AC_FiltFREQ, false, true},
    {"rfwv_jump_to_0_on", MAINPANEL_RFVW_JUMP_TO_ZERO, true, true},
    {"rfwv_current_step_on", MAINPANEL_RFWV_CURRENT_STEP, true, true},
    {"rfwv_current_step_value", MAINPANEL_RFWV_STEP_VALUE, false, true},
    {"rfwv_enable_time", MAINPANEL_RFWV_ENABEL_TIME, false, true},
    {"rfwv_value", MAINPANEL_RFWV_VALUE, false, true},
};

const Feldcontrol* Control(const char* name) {
    for (const Feldcontrol& c : kControls)
        if (std::strcmp(c.name, name) == 0) return &c;
    return nullptr;
}

std::string Getrimmt(std::string text) {
    const size_t anfang = text.find_first_not_of(" \n");
    if (anfang == std::string::npos) return {};
    text = text.substr(anfang, text.find_last_not_of(" \n") - anfang + 1);
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

std::string Label(int control) {
    std::string label;
    GetCtrlAttribute(gPanelHandle, control, ATTR_LABEL_TEXT, &label);
    return Getrimmt(label);
}

// "dithtable_pwmcurr3" -> column 1, row 3.
bool Tabellenfeld(const char* name, int* spalte, int* zeile) {
    for (int s = 1; s <= 2; ++s) {
        const char* praefix = s == 1 ? "dithtable_pwmcurr" : "dithtable_dithamp";
        const size_t n = std::strlen(praefix);
        if (std::strncmp(name, praefix, n) == 0) {
            *spalte = s;
            *zeile = std::atoi(name + n);
            return true;
        }
    }
    return false;
}

std::string Fehlertext(int code) {
    char nummer[16];
    std::snprintf(nummer, sizeof nummer, " (%d)", -code);
    return ZEM_Fehlermeldung(code) + std::string(nummer);
}

int Anzahl(Satzmaske maske) {
    int n = 0;
    for (int s = 0; s < PARAMETERSAETZE; ++s)
        n += (maske & SatzBit(s)) != 0;
    return n;
}

const char* Kurventext(Kurvenbezug k) {
    switch (k) {
    case Kurvenbezug::Benoetigt:
        return T("ja", "yes");
    case Kurvenbezug::NichtBenoetigt:
        return T("nein", "no");
    case Kurvenbezug::OhneMarke:
        break;
    }
    return "–";
}

VergleichsZeile Feldzeile(const Feldunterschied& f) {
    VergleichsZeile z;
    z.art = f.nichtUnterstuetzt ? Vergleichszeile::FeldNichtUnterstuetzt : Vergleichszeile::Feld;
    z.spalten[0] = FeldBezeichnung(f.name.c_str());
    z.spalten[1] =
        f.nichtUnterstuetzt ? T("nicht unterstützt", "not supported") : T("abweichend", "different");
    z.spalten[2] = FeldwertText(f.name.c_str(), f.panelwert);
    z.spalten[3] = f.nichtUnterstuetzt ? "–" : FeldwertText(f.name.c_str(), f.geraetewert);
    z.spalten[4] = Kurventext(f.kurve);
    z.benoetigt = !f.nichtUnterstuetzt && f.kurve == Kurvenbezug::Benoetigt;
    return z;
}

VergleichsSatz Satzzeilen(int n, const Satzvergleich& s) {
    VergleichsSatz satz;
    satz.kopf.spalten[0] = SatzBezeichnung(n);
    char text[80];
    switch (s.status) {
    case Satzstatus::Gleich:
        satz.kopf.art = Vergleichszeile::Gleich;
        satz.kopf.spalten[1] = T("gleich", "equal");
        break;
    case Satzstatus::Abweichend:
        satz.kopf.art = Vergleichszeile::Abweichend;
        std::snprintf(text, sizeof text, T("abweichend: %d Felder", "different: %d fields"),
                      AbweichendeFelder(s));
        satz.kopf.spalten[1] =
            AbweichendeFelder(s) == 1 ? T("abweichend: 1 Feld", "different: 1 field") : text;
        break;
    case Satzstatus::NichtGelesen:
        satz.kopf.art = Vergleichszeile::NichtGelesen;
        satz.kopf.spalten[1] = T("nicht gelesen", "not read");
        if (s.code != 0) satz.kopf.spalten[1] += ": " + Fehlertext(s.code);
        break;
    }
    for (const Feldunterschied& f : s.felder)
        satz.felder.push_back(Feldzeile(f));
    return satz;
}

std::string Zusammenfassung(const Vergleich& v) {
    int gleich = 0, abweichend = 0, ungelesen = 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(v.saetze & SatzBit(n))) continue;
        gleich += v.satz[n].status == Satzstatus::Gleich;
        abweichend += v.satz[n].status == Satzstatus::Abweichend;
        ungelesen += v.satz[n].status == Satzstatus::NichtGelesen;
    }
    char zeit[16] = "";
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &v.zeit);
#else
    localtime_r(&v.zeit, &lokal);
#endif
    std::strftime(zeit, sizeof zeit, "%H:%M:%S", &lokal);
    char text[300];
    std::snprintf(text, sizeof text,
                  v.nachSchreiben
                      ? T("Nach dem Schreiben geprüft, Gerät an Adresse %c, %s: %d von %d Sätzen gleich, "
                          "%d abweichend",
                          "Verified after writing, device at address %c, %s: %d of %d sets equal, "
                          "%d different")
                      : T("Verglichen mit dem Gerät an Adresse %c, %s: %d von %d Sätzen gleich, "
                          "%d abweichend",
                          "Compared with the device at address %c, %s: %d of %d sets equal, "
                          "%d different"),
                  v.adresse, zeit, gleich, Anzahl(v.saetze), abweichend);
    std::string s = text;
    if (ungelesen > 0) {
        std::snprintf(text, sizeof text, T(", %d nicht gelesen", ", %d not read"), ungelesen);
        s += text;
    }
    return s + ".";
}

// Reading a program loads it: say which one the regulator works with now.
std::string Hinweis(const Vergleich& v) {
    int zuletzt = 0;
    for (int n = 1; n < PARAMETERSAETZE; ++n)
        if ((v.saetze & SatzBit(n)) && v.satz[n].status != Satzstatus::NichtGelesen) zuletzt = n;
    if (zuletzt == 0) return {};
    char text[200];
    std::snprintf(text, sizeof text,
                  T("Zum Lesen lädt das Gerät jedes Programm: es arbeitet jetzt mit Programm %d.",
                    "Reading makes the device load each program: it now works with program %d."),
                  zuletzt);
    return text;
}

} // namespace

std::string FeldBezeichnung(const char* name) {
    if (const Feldcontrol* c = Control(name)) {
        const std::string label = Label(c->control);
        if (!c->rfwv) return label;
        std::string gruppe;
        GetCtrlVal(gPanelHandle, MAINPANEL_TEXTMSG_RFWV, &gruppe);
        return Getrimmt(gruppe) + ": " + label;
    }
    int spalte = 0, zeile = 0;
    if (Tabellenfeld(name, &spalte, &zeile)) {
        std::string titel;
        GetTableColumnAttribute(gPanelHandle, MAINPANEL_DITHER_TABLE, spalte, ATTR_LABEL_TEXT, &titel);
        return Label(MAINPANEL_DITHER_TABLE) + ", " + Getrimmt(titel) + " " + std::to_string(zeile);
    }
    return name;
}

std::string SatzBezeichnung(int n) {
    std::string text;
    if (GetLabelFromIndex(gPanelHandle, MAINPANEL_PARAMETERSATZAUSWAHL, n, &text) != 0)
        return std::to_string(n);
    return text;
}

std::string FeldwertText(const char* name, const std::string& wert) {
    const Feldcontrol* c = Control(name);
    if (!c || !c->ring) return wert;
    int anzahl = 0;
    GetNumListItems(gPanelHandle, c->control, &anzahl);
    for (int i = 0; i < anzahl; ++i) {
        int v = 0;
        std::string label;
        if (GetValueFromIndex(gPanelHandle, c->control, i, &v) == 0 && std::to_string(v) == wert &&
            GetLabelFromIndex(gPanelHandle, c->control, i, &label) == 0)
            return label;
    }
    return wert; // a value no item has (possible from a device)
}

VergleichsInhalt VergleichsinhaltBilden(const Vergleich& v) {
    VergleichsInhalt inhalt;
    inhalt.zusammenfassung = Zusammenfassung(v);
    inhalt.hinweis = Hinweis(v);
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if (v.saetze & SatzBit(n)) inhalt.saetze.push_back(Satzzeilen(n, v.satz[n]));
    inhalt.schreibenMoeglich = AbweichendeSaetze(v) != 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if ((v.saetze & SatzBit(n)) && v.satz[n].status != Satzstatus::NichtGelesen)
            inhalt.uebernehmenMoeglich = true;
    inhalt.nurAbweichungen = gExtras.vergleichNurAbweichungen != 0;
    inhalt.arbeitsparameter = gExtras.vergleichArbeitsparameter != 0;
    return inhalt;
}

std::string AbweichungenText(const Vergleich& v) {
    std::string text;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(v.saetze & SatzBit(n)) || v.satz[n].status != Satzstatus::Abweichend) continue;
        text += (text.empty() ? ": " : "; ") + SatzBezeichnung(n) + ":";
        bool erstes = true;
        for (const Feldunterschied& f : v.satz[n].felder) {
            if (f.nichtUnterstuetzt) continue;
            text += (erstes ? " " : ", ") + FeldBezeichnung(f.name.c_str());
            erstes = false;
        }
    }
    return text;
}
