// The store in memory: lookups, putting and getting integers.

#include "storage/ini_intern.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <new>
#include <string>

namespace {

bool IstLeer(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool NameKleiner(std::string_view a, std::string_view b) {
    return IniVergleichen(a, b) < 0;
}

// Position of the first element named name, or -1. Sorted lists are searched by bisection.
template <typename T, typename NameVon>
int Suchen(const std::vector<T>& liste, bool sortiert, std::string_view name, NameVon nameVon) {
    if (sortiert) {
        auto it = std::lower_bound(liste.begin(), liste.end(), name, [&](const T& e, std::string_view n) {
            return NameKleiner(nameVon(e), n);
        });
        if (it != liste.end() && IniVergleichen(nameVon(*it), name) == 0)
            return static_cast<int>(it - liste.begin());
        return -1;
    }
    for (size_t i = 0; i < liste.size(); ++i)
        if (IniVergleichen(nameVon(liste[i]), name) == 0) return static_cast<int>(i);
    return -1;
}

int SektionSuchen(IniStoreDaten* store, std::string_view name) {
    const int letzte = store->letzteSektion;
    if (letzte >= 0 && letzte < static_cast<int>(store->sektionen.size()) &&
        IniVergleichen(store->sektionen[letzte].name, name) == 0)
        return letzte;
    const int i = Suchen(store->sektionen, store->sortieren, name,
                         [](const IniSektion& s) -> std::string_view { return s.name; });
    if (i >= 0) store->letzteSektion = i;
    return i;
}

int EintragSuchen(const IniSektion& sektion, std::string_view tag) {
    return Suchen(sektion.eintraege, sektion.sortiert, tag,
                  [](const IniEintrag& e) -> std::string_view { return e.tag; });
}

// Optional white space, at most one sign right before the digits, at least one digit, optional
// white space, nothing else; the magnitude within 32 bits and the value within int32.
bool GanzzahlLesen(const std::string& text, long* wert) {
    size_t i = 0;
    while (i < text.size() && IstLeer(text[i]))
        ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativ = text[i++] == '-';
    const size_t ziffernAnfang = i;
    uint64_t betrag = 0;
    for (; i < text.size() && IstZiffer(text[i]); ++i) {
        betrag = betrag * 10 + static_cast<uint64_t>(text[i] - '0');
        if (betrag > UINT32_MAX) return false;
    }
    if (i == ziffernAnfang) return false;
    while (i < text.size() && IstLeer(text[i]))
        ++i;
    if (i != text.size()) return false;
    if (negativ ? betrag > uint64_t{1} << 31 : betrag > INT32_MAX) return false;
    *wert = static_cast<long>(negativ ? -static_cast<int64_t>(betrag) : static_cast<int64_t>(betrag));
    return true;
}

void Speichern(IniStoreDaten* store, std::string_view sektionsName, std::string_view tag, std::string wert,
               bool zitiert) {
    IniEintrag neu{std::string(tag), std::move(wert), zitiert, -1};
    const int s = SektionSuchen(store, sektionsName);
    if (s < 0) {
        IniSektion sektion{std::string(sektionsName), {std::move(neu)}, store->sortieren, -1};
        auto& liste = store->sektionen;
        auto pos = store->sortieren ? std::upper_bound(liste.begin(), liste.end(), sektion.name,
                                                       [](std::string_view n, const IniSektion& e) {
                                                           return NameKleiner(n, e.name);
                                                       })
                                    : liste.end();
        liste.insert(pos, std::move(sektion));
        store->letzteSektion = -1; // indices behind the insertion moved
        return;
    }
    auto& eintraege = store->sektionen[s].eintraege;
    long erste = -1;
    if (store->duplikatePruefen) {
        for (size_t i = 0; i < eintraege.size();) {
            if (IniVergleichen(eintraege[i].tag, tag) == 0) {
                if (erste < 0) erste = static_cast<long>(i);
                eintraege.erase(eintraege.begin() + static_cast<long>(i));
            } else {
                ++i;
            }
        }
    }
    auto pos = eintraege.end();
    if (store->sektionen[s].sortiert)
        pos = std::upper_bound(eintraege.begin(), eintraege.end(), neu.tag,
                               [](std::string_view n, const IniEintrag& e) { return NameKleiner(n, e.tag); });
    else if (erste >= 0)
        pos = eintraege.begin() + erste;
    eintraege.insert(pos, std::move(neu));
}

} // namespace

std::string_view IniTrimmen(std::string_view s) {
    while (!s.empty() && IstLeer(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IstLeer(s.back()))
        s.remove_suffix(1);
    return s;
}

int IniVergleichen(std::string_view a, std::string_view b) {
    a = IniTrimmen(a);
    b = IniTrimmen(b);
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void IniSortieren(IniStoreDaten* store) {
    for (IniSektion& s : store->sektionen) {
        std::stable_sort(s.eintraege.begin(), s.eintraege.end(),
                         [](const IniEintrag& a, const IniEintrag& b) { return NameKleiner(a.tag, b.tag); });
        s.sortiert = true;
    }
    std::stable_sort(store->sektionen.begin(), store->sektionen.end(),
                     [](const IniSektion& a, const IniSektion& b) { return NameKleiner(a.name, b.name); });
    store->letzteSektion = -1;
}

IniStore Ini_New(int automaticSorting) {
    IniStore store = new (std::nothrow) IniStoreDaten;
    if (store) store->sortieren = automaticSorting != 0;
    return store;
}

void Ini_Dispose(IniStore store) {
    delete store;
}

int Ini_PutInt(IniStore store, const char* section, const char* tag, long value) {
    if (!store) return INI_UNGUELTIGER_STORE;
    try {
        Speichern(store, IniTrimmen(section ? section : ""), IniTrimmen(tag ? tag : ""),
                  std::to_string(value), false);
    } catch (const std::bad_alloc&) {
        return INI_KEIN_SPEICHER;
    }
    return 0;
}

int Ini_PutString(IniStore store, const char* section, const char* tag, const char* value) {
    if (!store) return INI_UNGUELTIGER_STORE;
    try {
        // An item is one line: whatever would end it becomes a blank.
        std::string text = value ? value : "";
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        Speichern(store, IniTrimmen(section ? section : ""), IniTrimmen(tag ? tag : ""), std::move(text), true);
    } catch (const std::bad_alloc&) {
        return INI_KEIN_SPEICHER;
    }
    return 0;
}

namespace {

// The item's value, or null when the section or item is missing or the value blank.
const std::string* WertSuchen(IniStore store, const char* section, const char* tag) {
    const int s = SektionSuchen(store, section ? section : "");
    if (s < 0) return nullptr;
    const IniSektion& sektion = store->sektionen[s];
    const int e = EintragSuchen(sektion, tag ? tag : "");
    if (e < 0) return nullptr;
    const IniEintrag& eintrag = sektion.eintraege[e];
    store->zeileLetzterZugriff = eintrag.zeile;
    return IniTrimmen(eintrag.wert).empty() ? nullptr : &eintrag.wert;
}

} // namespace

int Ini_GetInt(IniStore store, const char* section, const char* tag, long* value) {
    if (!store) return INI_UNGUELTIGER_STORE;
    const std::string* wert = WertSuchen(store, section, tag);
    if (!wert) return 0;
    long gelesen = 0;
    if (!GanzzahlLesen(*wert, &gelesen)) return INI_KEINE_GANZZAHL;
    if (value) *value = gelesen;
    return 1;
}

int Ini_GetString(IniStore store, const char* section, const char* tag, std::string* value) {
    if (!store) return INI_UNGUELTIGER_STORE;
    const std::string* wert = WertSuchen(store, section, tag);
    if (!wert) return 0;
    if (value) *value = *wert;
    return 1;
}
