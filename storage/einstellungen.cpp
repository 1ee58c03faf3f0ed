#include "storage/einstellungen.h"

#include "app/globals.h"
#include "errors/fehler.h"
#include "ops/com.h"
#include "ops/portbindung.h"
#include "storage/ini_store.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <utility>

namespace {

// Every baud rate the COM panel offers and IniSchreiben may therefore have written.
constexpr long BAUDRATEN[] = {1200, 2400, 4800, 9600, 19200, 38400, 115200};
constexpr long ADRESSE_ALLE = '&';

bool Gelesen(IniStore ini, const char* tag, long* wert) {
    return Ini_GetInt(ini, EINSTELLUNGEN_SEKTION, tag, wert) > 0;
}

bool IstPort(long wert) {
    return (wert >= 1 && wert <= 8) || wert == -1;
}

void WerteUebernehmen(IniStore ini) {
    long wert = 0;
    if (Gelesen(ini, "port", &wert) && IstPort(wert)) gCom.port = static_cast<int>(wert);
    if (Gelesen(ini, "lport", &wert) && IstPort(wert)) gCom.lport = static_cast<int>(wert);
    if (Gelesen(ini, "adresse", &wert) && ((wert >= '1' && wert <= '8') || wert == ADRESSE_ALLE))
        gCom.adresse = static_cast<char>(wert);
    if (Gelesen(ini, "baudrate", &wert) && std::ranges::find(BAUDRATEN, wert) != std::end(BAUDRATEN))
        gCom.baudrate = static_cast<int>(wert);

    // Any settings file fixes the language; only the value 2 makes it English.
    gSprache = SPRACHE_DEUTSCH;
    ZEM_Fehlersprache(SPRACHE_DEUTSCH);
    if (Gelesen(ini, "sprache", &wert) && wert == SPRACHE_ENGLISCH) {
        gSprache = SPRACHE_ENGLISCH;
        gSpracheNeu = SPRACHE_ENGLISCH;
        ZEM_Fehlersprache(SPRACHE_ENGLISCH);
    }
}

// The device tools' switches, each 0 or 1.
struct Schalter {
    const char* tag;
    int Extraeinstellungen::*feld;
};
constexpr Schalter kExtras[] = {
    {"nachSchreibenPruefen", &Extraeinstellungen::nachSchreibenPruefen},
    {"vorSchreibenSichern", &Extraeinstellungen::vorSchreibenSichern},
    {"vergleichArbeitsparameter", &Extraeinstellungen::vergleichArbeitsparameter},
    {"vergleichNurAbweichungen", &Extraeinstellungen::vergleichNurAbweichungen},
};

void ExtrasUebernehmen(IniStore ini) {
    long wert = 0;
    for (const Schalter& s : kExtras)
        if (Ini_GetInt(ini, EXTRAS_SEKTION, s.tag, &wert) > 0 && (wert == 0 || wert == 1))
            gExtras.*s.feld = static_cast<int>(wert);
}

// The ports bound to devices, in a section of their own: "com1" .. "com8", each the device name.
std::string BindungsTag(int port) {
    return "com" + std::to_string(port);
}

void BindungenUebernehmen(IniStore ini) {
    for (int port = 1; port <= RS232_PORTS; ++port) {
        std::string name;
        if (Ini_GetString(ini, EINSTELLUNGEN_BINDUNGEN, BindungsTag(port).c_str(), &name) > 0)
            ComBindungSetzen(port, name.c_str());
    }
}

int BindungenEintragen(IniStore ini) {
    int r = 0;
    for (int port = 1; port <= RS232_PORTS && r == 0; ++port) {
        const std::string name = ComBindungLesen(port);
        if (!name.empty())
            r = Ini_PutString(ini, EINSTELLUNGEN_BINDUNGEN, BindungsTag(port).c_str(), name.c_str());
    }
    return r;
}

// The report dialog's texts by their keys.
struct Berichtsschluessel {
    const char* tag;
    std::string Berichtstexte::*feld;
};
constexpr Berichtsschluessel kBerichtstexte[] = {
    {"maschine", &Berichtstexte::maschine},
    {"bediener", &Berichtstexte::bediener},
    {"bemerkung", &Berichtstexte::bemerkung},
};

void BerichtstexteUebernehmen(IniStore ini) {
    for (const Berichtsschluessel& s : kBerichtstexte)
        Ini_GetString(ini, BERICHT_SEKTION, s.tag, &(gBerichtstexte.*s.feld));
}

} // namespace

int IniLaden() {
    IniStore ini = Ini_New(1);
    if (!ini) return EINSTELLUNGEN_UNLESBAR;
    if (Ini_ReadFromFile(ini, EINSTELLUNGEN_DATEI) != 0) {
        Ini_Dispose(ini);
        std::error_code ec;
        return std::filesystem::exists(EINSTELLUNGEN_DATEI, ec) || ec ? EINSTELLUNGEN_UNLESBAR
                                                                      : EINSTELLUNGEN_FEHLT;
    }
    WerteUebernehmen(ini);
    ExtrasUebernehmen(ini);
    BindungenUebernehmen(ini);
    BerichtstexteUebernehmen(ini);
    Ini_Dispose(ini);
    return 0;
}

int IniSchreiben() {
    IniStore ini = Ini_New(1);
    if (!ini) return EINSTELLUNGEN_SCHREIBFEHLER;
    int r = 0;
    for (const auto& [tag, wert] : {std::pair<const char*, long>{"port", gCom.portOffen},
                                    {"lport", gCom.lport},
                                    {"adresse", static_cast<signed char>(gCom.adresse)},
                                    {"baudrate", gCom.baudrate},
                                    {"sprache", gSpracheNeu}})
        if (r == 0) r = Ini_PutInt(ini, EINSTELLUNGEN_SEKTION, tag, wert);
    for (const Schalter& s : kExtras)
        if (r == 0) r = Ini_PutInt(ini, EXTRAS_SEKTION, s.tag, gExtras.*s.feld);
    if (r == 0) r = BindungenEintragen(ini);
    // Until a report names something the file has no section for it.
    const bool texte = !gBerichtstexte.maschine.empty() || !gBerichtstexte.bediener.empty() ||
                       !gBerichtstexte.bemerkung.empty();
    for (const Berichtsschluessel& s : kBerichtstexte)
        if (r == 0 && texte) r = Ini_PutString(ini, BERICHT_SEKTION, s.tag, (gBerichtstexte.*s.feld).c_str());
    if (r == 0) r = Ini_WriteToFile(ini, EINSTELLUNGEN_DATEI);
    Ini_Dispose(ini);
    return r == 0 ? 0 : EINSTELLUNGEN_SCHREIBFEHLER;
}
