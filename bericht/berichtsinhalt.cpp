#include "bericht/berichtsinhalt.h"

#include "app/globals.h"
#include "app/start.h"
#include "app/vkr3xsteuerung.h"
#include "bericht/berichtsfelder.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/mitschnitt_text.h"
#include "params/kurvenrelevanz.h"
#include "platform/panel_definition.h"
#include "ui/beschriftungen.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

// The report's own words; everything that names a parameter comes from the panel's texts.
struct Wort {
    const char* de;
    const char* en;
};
constexpr Wort kTitel = {"Inbetriebnahmeprotokoll", "Commissioning record"};
constexpr Wort kUntertitel = {"Einstellungen des Reglers VKR 3 A X2", "Settings of the VKR 3 A X2 regulator"};
constexpr Wort kDatum = {"Datum", "Date"};
constexpr Wort kDatei = {"Programmdatei", "Program file"};
constexpr Wort kGeaendert = {" \u2013 die Sätze sind seit dem letzten Speichern geändert",
                             " \u2013 the sets were changed after it was last saved"};
constexpr Wort kRegler = {"Regler", "Regulator"};
constexpr Wort kVersion = {"Version", "Version"};
constexpr Wort kVerbindung = {"Verbindung", "Connection"};
constexpr Wort kAdresse = {"Adresse", "address"};
constexpr Wort kNichtVerbunden = {"nicht verbunden", "not connected"};
constexpr Wort kUnbekannt = {"unbekannt", "unknown"};
constexpr Wort kMaschine = {"Maschine", "Machine"};
constexpr Wort kBediener = {"Bediener", "Operator"};
constexpr Wort kBemerkung = {"Bemerkung", "Remark"};
constexpr Wort kVergleich = {"Vergleich", "Comparison"};
constexpr Wort kVergleichText = {
    "mit dem Gerät an Adresse %c um %s: %d gleich, %d abweichend, %d nicht gelesen",
    "with the device at address %c at %s: %d equal, %d different, %d not read"};
constexpr Wort kPruefungText = {
    "nach dem Schreiben, mit dem Gerät an Adresse %c um %s: %d gleich, %d abweichend, %d nicht gelesen",
    "after writing, with the device at address %c at %s: %d equal, %d different, %d not read"};
constexpr Wort kWie = {"wie ", "same as "};
constexpr Wort kGleich = {"Gerät: gleich", "Device: equal"};
constexpr Wort kAbweichend = {"Gerät: abweichend, %d Felder", "Device: different, %d fields"};
constexpr Wort kAbweichendEins = {"Gerät: abweichend, 1 Feld", "Device: different, 1 field"};
constexpr Wort kNichtGelesen = {"Gerät: nicht gelesen", "Device: not read"};
constexpr Wort kLegendeVergleich = {
    "Hinterlegt: der Regler hielt beim Vergleich einen anderen Wert; er steht "
    "darunter nach \u201eGerät:\u201c.",
    "Shaded: the regulator held another value when compared; it is shown below "
    "after \u201cDevice:\u201d."};
constexpr Wort kGeraet = {"Gerät", "Device"};
constexpr Wort kUnterschrift = {"Eingestellt und geprüft (Datum, Name, Unterschrift):",
                                "Set and checked (date, name, signature):"};
constexpr Wort kSeite = {"Seite %1 von %2", "Page %1 of %2"};

struct Kontext {
    const Berichtsdaten& d;
    int sprache;
    const char* W(const Wort& w) const { return sprache == SPRACHE_ENGLISCH ? w.en : w.de; }
};

std::string Zeitpunkt(std::time_t zeit, const char* format) {
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &zeit);
#else
    localtime_r(&zeit, &lokal);
#endif
    char text[40];
    return std::strftime(text, sizeof text, format, &lokal) ? text : "";
}

// Differences of set n by field name.
std::map<std::string, std::string> Abweichungen(const Berichtsdaten& d, int n) {
    std::map<std::string, std::string> felder;
    if (!d.vergleich.gemacht) return felder;
    for (const Berichtsabweichung& a : d.vergleich.abweichungen)
        if (a.satz == n) felder[a.name] = a.geraetewert;
    return felder;
}

bool AbweichungMitPraefix(const std::map<std::string, std::string>& abw, const char* praefix) {
    for (const auto& [name, wert] : abw)
        if (name.rfind(praefix, 0) == 0) return true;
    return false;
}

bool TabelleGleich(const Parametersatz& a, const Parametersatz& b) {
    return std::memcmp(a.dithtable_pwmcurr, b.dithtable_pwmcurr, sizeof a.dithtable_pwmcurr) == 0 &&
           std::memcmp(a.dithtable_dithamp, b.dithtable_dithamp, sizeof a.dithtable_dithamp) == 0;
}

// Which groups a set shows: what the regulator has, or without one what the set holds beyond the
// defaults (and what a comparison found different).
struct Sichtbarkeit {
    bool freilauf;
    bool tabelle;
    bool stk9;
    bool operator==(const Sichtbarkeit&) const = default;
};

Sichtbarkeit SichtbarkeitVon(const Kontext& k, int n) {
    const Parametersatz& s = k.d.saetze[n];
    Parametersatz vorgabe{};
    ParametersatzVorgabe(&vorgabe);
    const auto abw = Abweichungen(k.d, n);
    Sichtbarkeit v{false, false, s.stromkurve == 9};
    switch (k.d.geraet.version) {
    case Reglerversion::A:
        break;
    case Reglerversion::B:
        v.freilauf = true;
        break;
    case Reglerversion::Unbekannt:
        v.freilauf = AbweichungMitPraefix(abw, "rfwv_");
        for (const Berichtsfeld& f : Berichtsfelder())
            if (f.gruppe == Feldgruppe::Freilauf && !FeldGleich(s, vorgabe, f)) v.freilauf = true;
        break;
    }
    if (k.d.geraet.dithertabelle >= 0)
        v.tabelle = k.d.geraet.dithertabelle == 1;
    else
        v.tabelle = !TabelleGleich(s, vorgabe) || s.ditherstrom == DITHERSTROM_TABELLE ||
                    AbweichungMitPraefix(abw, "dithtable_");
    return v;
}

bool Gezeigt(const Berichtsfeld& f, const Sichtbarkeit& v) {
    if (f.gruppe == Feldgruppe::Freilauf) return v.freilauf;
    return std::strcmp(f.name, "strom_step") != 0 || v.stk9;
}

// A regulator's value as the line carries it, shown as the control shows it.
std::string GeraeteAnzeige(const Kontext& k, int control, const std::string& text) {
    double wert = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (fehler != std::errc() || ende != text.data() + text.size()) return text;
    if (control == MAINPANEL_DITHER_STROM && wert == DITHERSTROM_TABELLE)
        return Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_CHECKBOX_USE_DITHTBL, k.sprache));
    bool istText = false;
    return Anzeigewert(control, wert, k.sprache, &istText);
}

Berichtszeile Zeile(const Kontext& k, const Parametersatz& s, const char* name, int control, double wert,
                    const std::map<std::string, std::string>& abw) {
    Berichtszeile z;
    if (FeldKurvenbezug(name, s.stromkurve, s.endstuferegeln, s.ditherstrom) == Kurvenbezug::Benoetigt)
        z.marke = "*";
    LabelUndEinheit(control, k.sprache, &z.label, &z.einheit);
    if (control == MAINPANEL_DITHER_STROM && wert == DITHERSTROM_TABELLE) {
        // The panel ticks "Dithertabelle verwenden" and dims the current: the amplitude is the table's.
        z.wert = Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_CHECKBOX_USE_DITHTBL, k.sprache));
        z.einheit.clear();
        z.text = true;
    } else {
        z.wert = Anzeigewert(control, wert, k.sprache, &z.text);
    }
    if (const auto gefunden = abw.find(name); gefunden != abw.end())
        z.geraetewert = GeraeteAnzeige(k, control, gefunden->second);
    return z;
}

Berichtstabelle Tabelle(const Kontext& k, const Parametersatz& s,
                        const std::map<std::string, std::string>& abw) {
    Berichtstabelle t;
    if (FeldKurvenbezug("dithtable_pwmcurr1", s.stromkurve, s.endstuferegeln, s.ditherstrom) ==
        Kurvenbezug::Benoetigt)
        t.marke = "*";
    t.titel = Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_DITHER_TABLE, k.sprache));
    const int dezimalen = UirControl(MAINPANEL, MAINPANEL_DITHER_TABLE)->decimals;
    const double* spalten[2] = {s.dithtable_pwmcurr, s.dithtable_dithamp};
    const char* namen[2] = {"dithtable_pwmcurr", "dithtable_dithamp"};
    for (int sp = 0; sp < 2; ++sp) {
        t.zeilentitel[sp] = Spaltentitel(MAINPANEL, MAINPANEL_DITHER_TABLE, sp + 1, k.sprache);
        for (int z = 0; z < 10; ++z) {
            t.werte[sp][z] = Zahl(spalten[sp][z], dezimalen);
            const auto gefunden = abw.find(namen[sp] + std::to_string(z + 1));
            if (gefunden != abw.end())
                t.geraetewerte[sp][z] = GeraeteAnzeige(k, MAINPANEL_DITHER_TABLE, gefunden->second);
        }
    }
    return t;
}

std::string SatzName(const Kontext& k, int n) {
    const char* name = RingText(MAINPANEL, MAINPANEL_PARAMETERSATZAUSWAHL, n, k.sprache);
    return name ? name : std::to_string(n);
}

void StandSetzen(const Kontext& k, int n, size_t abweichungen, Berichtsabschnitt* a) {
    if (!k.d.vergleich.gemacht) return;
    char text[80];
    switch (k.d.vergleich.stand[n]) {
    case Vergleichsstand::NichtVerglichen:
        return;
    case Vergleichsstand::NichtGelesen:
        a->stand = k.W(kNichtGelesen);
        return;
    case Vergleichsstand::Gleich:
        a->stand = k.W(kGleich);
        return;
    case Vergleichsstand::Abweichend:
        std::snprintf(text, sizeof text, k.W(kAbweichend), static_cast<int>(abweichungen));
        a->stand = abweichungen == 1 ? k.W(kAbweichendEins) : text;
        a->abweichend = true;
        return;
    }
}

Berichtsabschnitt Abschnitt(const Kontext& k, int n) {
    const Parametersatz& s = k.d.saetze[n];
    const Sichtbarkeit v = SichtbarkeitVon(k, n);
    const auto abw = Abweichungen(k.d, n);
    Berichtsabschnitt a;
    a.titel = SatzName(k, n);
    StandSetzen(k, n, abw.size(), &a);
    a.kurve = Zeile(k, s, "stromkurve", MAINPANEL_STROMKURVE, s.stromkurve, abw);

    Berichtsgruppe parameter{Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_TEXTMSG_18, k.sprache)), {}, {}};
    Berichtsgruppe freilauf{Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_TEXTMSG_RFWV, k.sprache)), {}, {}};
    for (const Berichtsfeld& f : Berichtsfelder()) {
        if (!Gezeigt(f, v)) continue;
        Berichtsgruppe& g = f.gruppe == Feldgruppe::Freilauf ? freilauf : parameter;
        (f.rechts ? g.rechts : g.links).push_back(Zeile(k, s, f.name, f.control, Feldwert(s, f), abw));
    }
    a.gruppen.push_back(std::move(parameter));
    if (v.freilauf) a.gruppen.push_back(std::move(freilauf));
    a.mitTabelle = v.tabelle;
    if (v.tabelle) a.tabelle = Tabelle(k, s, abw);
    return a;
}

// Whether set m prints exactly as set n: the same groups and the same bytes in every field shown.
bool GleichGezeigt(const Kontext& k, int n, int m) {
    const Sichtbarkeit v = SichtbarkeitVon(k, n);
    if (!(v == SichtbarkeitVon(k, m))) return false;
    const Parametersatz& a = k.d.saetze[n];
    const Parametersatz& b = k.d.saetze[m];
    if (a.stromkurve != b.stromkurve) return false;
    for (const Berichtsfeld& f : Berichtsfelder())
        if (Gezeigt(f, v) && !FeldGleich(a, b, f)) return false;
    return !v.tabelle || TabelleGleich(a, b);
}

void ReglerAngaben(const Kontext& k, std::vector<Berichtsangabe>* angaben) {
    const Geraeteangaben& g = k.d.geraet;
    if (g.code == KEIN_PORT_OFFEN_KENNUNG) {
        angaben->push_back({k.W(kRegler), k.W(kNichtVerbunden)});
        return;
    }
    char nummer[16];
    std::snprintf(nummer, sizeof nummer, " (%d)", -g.code);
    const std::string kennung = BytesLesbar(g.kennung, static_cast<int>(std::strlen(g.kennung)));
    angaben->push_back(
        {k.W(kRegler), g.kennung[0] ? kennung : ZEM_Fehlermeldung(g.code) + std::string(nummer)});
    std::string version = g.version == Reglerversion::A   ? "VKR3AX2a"
                          : g.version == Reglerversion::B ? "VKR3AX2b"
                                                          : k.W(kUnbekannt);
    if (g.dithertabelle == 1)
        version += ", " + Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_CHECKBOX_SUP_DITH_TBL, k.sprache));
    if (g.code == 0) angaben->push_back({k.W(kVersion), version});
    angaben->push_back({k.W(kVerbindung), k.d.anschluss + ", " + k.W(kAdresse) + " " + k.d.adresse});
}

void VergleichAngabe(const Kontext& k, std::vector<Berichtsangabe>* angaben) {
    const Berichtsvergleich& v = k.d.vergleich;
    if (!v.gemacht) return;
    int anzahl[4] = {};
    for (const Vergleichsstand s : v.stand)
        ++anzahl[static_cast<int>(s)];
    char text[200];
    std::snprintf(text, sizeof text, k.W(v.nachSchreiben ? kPruefungText : kVergleichText), v.adresse,
                  Zeitpunkt(v.zeit, "%H:%M:%S").c_str(), anzahl[static_cast<int>(Vergleichsstand::Gleich)],
                  anzahl[static_cast<int>(Vergleichsstand::Abweichend)],
                  anzahl[static_cast<int>(Vergleichsstand::NichtGelesen)]);
    angaben->push_back({k.W(kVergleich), text});
}

} // namespace

Berichtsvergleich BerichtsvergleichAus(const Vergleich& vergleich,
                                       const Parametersatz saetze[PARAMETERSAETZE]) {
    Vergleich v = vergleich;
    VergleichErneuern(&v, saetze);
    Berichtsvergleich b;
    b.gemacht = true;
    b.nachSchreiben = v.nachSchreiben;
    b.zeit = v.zeit;
    b.adresse = v.adresse;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        const Satzvergleich& s = v.satz[n];
        if (!(v.saetze & SatzBit(n))) continue; // stays NichtVerglichen
        if (s.status == Satzstatus::NichtGelesen) {
            b.stand[n] = Vergleichsstand::NichtGelesen;
            continue;
        }
        b.stand[n] = AbweichendeFelder(s) > 0 ? Vergleichsstand::Abweichend : Vergleichsstand::Gleich;
        for (const Feldunterschied& f : s.felder)
            if (!f.nichtUnterstuetzt) b.abweichungen.push_back({n, f.name, f.geraetewert});
    }
    return b;
}

Berichtsinhalt BerichtsinhaltBilden(const Berichtsdaten& d) {
    const Kontext k{d, d.sprache == SPRACHE_ENGLISCH ? SPRACHE_ENGLISCH : SPRACHE_DEUTSCH};
    Berichtsinhalt b;
    b.titel = k.W(kTitel);
    b.untertitel = k.W(kUntertitel);
    const std::string datum =
        Zeitpunkt(d.zeit, k.sprache == SPRACHE_ENGLISCH ? "%Y-%m-%d %H:%M" : "%d.%m.%Y %H:%M");
    b.angaben.push_back({k.W(kDatum), datum});
    b.angaben.push_back({k.W(kDatei), d.programmdatei + (d.geaendert ? k.W(kGeaendert) : "")});
    ReglerAngaben(k, &b.angaben);
    b.angaben.push_back({k.W(kMaschine), d.maschine});
    b.angaben.push_back({k.W(kBediener), d.bediener});
    b.angaben.push_back({k.W(kBemerkung), d.bemerkung});
    VergleichAngabe(k, &b.angaben);

    // The panel's legend beside its stars, in one line.
    const std::string legende = Einzeilig(Beschriftung(MAINPANEL, MAINPANEL_TEXTMSG_11, k.sprache));
    b.legende.push_back(std::string("* ") + legende);
    if (d.vergleich.gemacht && !d.vergleich.abweichungen.empty()) b.legende.push_back(k.W(kLegendeVergleich));

    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        Berichtsabschnitt a = Abschnitt(k, n);
        // A set that prints as an earlier one is named only; one a comparison found different
        // is always printed whole, with its differences.
        for (int m = 0; m < n && !a.abweichend; ++m)
            if (GleichGezeigt(k, n, m)) {
                a.vermerk = k.W(kWie) + SatzName(k, m);
                a.zusammengefasst = true;
                break;
            }
        b.abschnitte.push_back(std::move(a));
    }
    b.unterschrift = k.W(kUnterschrift);
    b.kopfzeile = b.titel + " \u00b7 " + datum + (d.maschine.empty() ? "" : " \u00b7 " + d.maschine);
    b.fusszeile = std::string(PROGRAMM_TITEL) + " " + PROGRAMM_VERSION;
    b.seite = k.W(kSeite);
    b.geraetKurz = k.W(kGeraet);
    return b;
}
