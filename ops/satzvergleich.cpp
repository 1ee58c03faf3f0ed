#include "ops/satzvergleich.h"

#include <cstring>
#include <memory>

namespace {

constexpr int TEXT_BYTES = 40;

std::string Text(const Parametersatz& satz, const Transferfeld& f) {
    char text[TEXT_BYTES];
    return TransferfeldText(satz, f, text, sizeof text) < 0 ? std::string("?") : std::string(text);
}

// What a read from a regulator that refuses every optional field gives.
const Parametersatz& Leseanfang() {
    static const Parametersatz anfang = [] {
        Parametersatz s{};
        ParametersatzVorgabe(&s);
        std::memset(s.dithtable_pwmcurr, 0, sizeof s.dithtable_pwmcurr);
        std::memset(s.dithtable_dithamp, 0, sizeof s.dithtable_dithamp);
        return s;
    }();
    return anfang;
}

int Prozent(int fertig, int gesamt) {
    return gesamt > 0 ? fertig * 100 / gesamt : 100;
}

int Anzahl(Satzmaske maske) {
    int n = 0;
    for (int s = 0; s < PARAMETERSAETZE; ++s)
        n += (maske & SatzBit(s)) != 0;
    return n;
}

std::unique_ptr<Vergleich>& Letzter() {
    static std::unique_ptr<Vergleich> letzter;
    return letzter;
}

} // namespace

void SatzVergleichen(const Parametersatz& panel, const Parametersatz& geraet, Feldmaske abgelehnt,
                     Satzvergleich* ergebnis) {
    ergebnis->felder.clear();
    const auto felder = Transferfelder();
    for (size_t i = 0; i < felder.size(); ++i) {
        const Transferfeld& f = felder[i];
        const bool refused = (abgelehnt & (Feldmaske{1} << i)) != 0;
        const std::string soll = Text(panel, f);
        const std::string ist = refused ? std::string() : Text(geraet, f);
        if (refused ? soll == Text(Leseanfang(), f) : soll == ist) continue;
        ergebnis->felder.push_back(
            {f.name, soll, ist,
             FeldKurvenbezug(f.name, panel.stromkurve, panel.endstuferegeln, panel.ditherstrom), refused});
    }
    ergebnis->status = AbweichendeFelder(*ergebnis) > 0 ? Satzstatus::Abweichend : Satzstatus::Gleich;
    ergebnis->code = 0;
}

int GeraetVergleichen(int port, char adresse, const Parametersatz panel[PARAMETERSAETZE], Satzmaske maske,
                      Vergleichsmelder melder, void* kontext, Vergleich* ergebnis) {
    maske &= SAETZE_ALLE;
    ergebnis->saetze = maske;
    ergebnis->code = 0;
    ergebnis->adresse = adresse;
    ergebnis->zeit = std::time(nullptr);
    ergebnis->nachSchreiben = false;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        ergebnis->satz[n] = Satzvergleich{};
        ergebnis->abgelehnt[n] = 0;
    }
    const int gesamt = Anzahl(maske);
    int fertig = 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        if (!(maske & SatzBit(n))) continue;
        if (fertig > 0 && melder && melder(Prozent(fertig, gesamt), kontext)) {
            ergebnis->code = ergebnis->satz[n].code = VERGLEICH_ABGEBROCHEN;
            return ergebnis->code;
        }
        Parametersatz& satz = ergebnis->geraet[n];
        satz = Leseanfang();
        Feldmaske& abgelehnt = ergebnis->abgelehnt[n];
        if (const int r = ParametersatzLesenAn(port, adresse, n, &satz, &abgelehnt)) {
            ergebnis->code = ergebnis->satz[n].code = r;
            return r;
        }
        SatzVergleichen(panel[n], satz, abgelehnt, &ergebnis->satz[n]);
        ++fertig;
    }
    if (melder) melder(100, kontext);
    return 0;
}

int GeschriebeneSaetzePruefen(int port, char adresse, const Parametersatz geschrieben[PARAMETERSAETZE],
                              Satzmaske maske, Vergleichsmelder melder, void* kontext, Vergleich* ergebnis) {
    const int r = GeraetVergleichen(port, adresse, geschrieben, maske, melder, kontext, ergebnis);
    ergebnis->nachSchreiben = true;
    if (r != 0) return r;
    return AbweichendeSaetze(*ergebnis) != 0 ? PRUEFUNG_ABWEICHUNG : 0;
}

void VergleichErneuern(Vergleich* v, const Parametersatz panel[PARAMETERSAETZE]) {
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if ((v->saetze & SatzBit(n)) && v->satz[n].status != Satzstatus::NichtGelesen)
            SatzVergleichen(panel[n], v->geraet[n], v->abgelehnt[n], &v->satz[n]);
}

Satzmaske AbweichendeSaetze(const Vergleich& v) {
    Satzmaske maske = 0;
    for (int n = 0; n < PARAMETERSAETZE; ++n)
        if ((v.saetze & SatzBit(n)) && v.satz[n].status == Satzstatus::Abweichend) maske |= SatzBit(n);
    return maske;
}

int AbweichendeFelder(const Satzvergleich& s) {
    int n = 0;
    for (const Feldunterschied& f : s.felder)
        n += !f.nichtUnterstuetzt;
    return n;
}

const Vergleich* LetzterVergleich() {
    return Letzter().get();
}

void LetztenVergleichMerken(const Vergleich& v) {
    Letzter() = std::make_unique<Vergleich>(v);
}
