// Reading the text form into the store.

#include "storage/ini_intern.h"

#include <cstdio>
#include <new>
#include <string>

namespace {

constexpr size_t ZEILE_MAX = 255; // characters of a line beyond this are dropped
constexpr size_t LESEPUFFER = 2048;

bool IstZeilenende(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

struct Leser {
    IniStoreDaten* store;
    long sektion = -1; // index of the current section, -1 before the first valid header
    int zeilenNummer = 0;
};

void SektionskopfLesen(Leser& l, std::string_view zeile) {
    const size_t ende = zeile.rfind(INI_SEKTION_ENDE);
    if (ende == std::string_view::npos || ende == 0) return;
    if (!IniTrimmen(zeile.substr(ende + 1)).empty()) return;
    const std::string_view name = IniTrimmen(zeile.substr(1, ende - 1));
    if (name.empty()) return; // the items that follow stay with the previous section
    l.store->sektionen.push_back({std::string(name), {}, false, l.zeilenNummer});
    l.sektion = static_cast<long>(l.store->sektionen.size()) - 1;
}

void EintragLesen(Leser& l, std::string_view zeile) {
    const size_t trenner = zeile.find(INI_WERTTRENNER);
    if (trenner == std::string_view::npos || l.sektion < 0) return;
    const std::string_view tag = IniTrimmen(zeile.substr(0, trenner));
    std::string_view wert = IniTrimmen(zeile.substr(trenner + 1));
    if (tag.empty() || wert.empty()) return;
    const bool zitiert = wert.size() > 1 && wert.front() == '"' && wert.back() == '"';
    if (zitiert) wert = wert.substr(1, wert.size() - 2);
    l.store->sektionen[l.sektion].eintraege.push_back(
        {std::string(tag), std::string(wert), zitiert, l.zeilenNummer});
}

void ZeileLesen(Leser& l, std::string_view zeile) {
    ++l.zeilenNummer;
    zeile = IniTrimmen(zeile);
    if (zeile.empty() || zeile.front() == INI_KOMMENTAR) return;
    if (zeile.front() == INI_SEKTION_ANFANG)
        SektionskopfLesen(l, zeile);
    else
        EintragLesen(l, zeile);
}

// Number of a continuation tag ("base Line0003" -> 3), or -1 when tag is none: the first
// " Line" must be followed by decimal digits and nothing else.
long Fortsetzungsnummer(const std::string& tag, size_t* basisLaenge) {
    const size_t pos = tag.find(INI_FORTSETZUNG);
    if (pos == std::string::npos) return -1;
    const size_t ziffern = pos + std::char_traits<char>::length(INI_FORTSETZUNG);
    if (ziffern == tag.size() || tag.size() - ziffern > 9) return -1;
    long nummer = 0;
    for (size_t i = ziffern; i < tag.size(); ++i) {
        if (tag[i] < '0' || tag[i] > '9') return -1;
        nummer = nummer * 10 + (tag[i] - '0');
    }
    *basisLaenge = pos;
    return nummer;
}

// A run of continuation items that starts with number 1 and goes on while the numbers are not
// 1 becomes one item named by the run's first base tag, its value the pieces in file order.
void FortsetzungenVerbinden(IniSektion& sektion) {
    std::vector<IniEintrag> ergebnis;
    bool inLauf = false;
    for (IniEintrag& e : sektion.eintraege) {
        size_t basis = 0;
        const long nummer = Fortsetzungsnummer(e.tag, &basis);
        if (nummer == 1) {
            e.tag.resize(basis);
            ergebnis.push_back(std::move(e));
            inLauf = true;
        } else if (nummer > 1 && inLauf) {
            ergebnis.back().wert += e.wert;
        } else {
            ergebnis.push_back(std::move(e));
            inLauf = false;
        }
    }
    sektion.eintraege = std::move(ergebnis);
}

// Splits the bytes into lines: CR, LF and NUL end a line, and a different one of them right
// after counts as the second half of the same line end.
int DateiLesen(std::FILE* f, Leser& l) {
    std::string zeile;
    int letztesEnde = -1;     // character that ended the previous line, -1 before the first
    bool zeilenAnfang = true; // nothing of the current line read yet
    char puffer[LESEPUFFER];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        for (size_t i = 0; i < n; ++i) {
            const char c = puffer[i];
            if (zeilenAnfang && IstZeilenende(c) && letztesEnde != -1 && c != letztesEnde) {
                zeilenAnfang = false;
                continue;
            }
            zeilenAnfang = false;
            if (IstZeilenende(c)) {
                ZeileLesen(l, zeile);
                zeile.clear();
                letztesEnde = c;
                zeilenAnfang = true;
            } else if (zeile.size() < ZEILE_MAX) {
                zeile.push_back(c);
            }
        }
    }
    if (std::ferror(f)) return INI_LESEFEHLER;
    if (!zeile.empty()) ZeileLesen(l, zeile);
    return 0;
}

} // namespace

int Ini_ReadFromFile(IniStore store, const char* path) {
    if (!store) return INI_UNGUELTIGER_STORE;
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) return INI_OEFFNEN_FEHLGESCHLAGEN;
    const size_t vorher = store->sektionen.size();
    int r = 0;
    try {
        Leser l{store};
        r = DateiLesen(f, l);
        if (r == 0) {
            for (size_t i = vorher; i < store->sektionen.size(); ++i)
                FortsetzungenVerbinden(store->sektionen[i]);
            if (store->sortieren) IniSortieren(store);
        }
    } catch (const std::bad_alloc&) {
        r = INI_KEIN_SPEICHER;
    }
    std::fclose(f);
    return r;
}
