// Texts of the recorded exchanges, derived from the driver's own command tables.
#include "ops/mitschnitt_text.h"

#include "device/austausch.h"
#include "device/parametertabelle.h"
#include "device/zemvkr3x.h"
#include "errors/fehlerkatalog.h"

#include <cstring>
#include <ctime>

namespace {

const char* T(int sprache, const char* deutsch, const char* englisch) {
    return sprache == 2 ? englisch : deutsch;
}

// Service-mode frames carry the device address + 64.
bool IstServiceadresse(char a) {
    return a >= '1' + 64 && a <= '8' + 64;
}

// The value text of a frame or answer: from position ab up to the CR, readably, since the
// received bytes may be anything a faulty line carries (a NUL after a BREAK, bytes >= 0x80).
std::string Wert(const char* bytes, int laenge, int ab) {
    int ende = ab;
    while (ende < laenge && bytes[ende] != '\r')
        ++ende;
    return ende > ab ? BytesLesbar(bytes + ab, ende - ab) : std::string();
}

std::string ParameterBedeutung(const char* g, int n, int sprache) {
    const char op = g[4];
    int anzahl = 0;
    const ParameterZeile* tabelle = ParameterTabelle(&anzahl);
    for (int i = 0; i < anzahl; ++i) {
        const ParameterZeile& z = tabelle[i];
        if (z.code[0] != g[2] || z.code[1] != g[3]) continue;
        if (op == 'R' && (z.zugriff & ZUGRIFF_LESEN))
            return std::string(z.name) + T(sprache, " lesen", " read");
        if (op != z.operation) continue;
        const std::string wert = Wert(g, n, 5);
        if (std::strcmp(z.name, "programmladen") == 0)
            return T(sprache, "Programm ", "Load program ") + wert + T(sprache, " laden", "");
        if (std::strcmp(z.name, "programmspeichern") == 0)
            return T(sprache, "Programm ", "Store program ") + wert + T(sprache, " speichern", "");
        return std::string(z.name) + " = " + wert;
    }
    return T(sprache, "unbekannter Befehl", "unknown command");
}

std::string ServiceBedeutung(const char* g, int n, int sprache) {
    const std::string kopf = T(sprache, "Service-Modus: ", "Service mode: ");
    if (g[2] == 'S' && g[3] == '0' && g[4] == 'R') return kopf + T(sprache, "Seed lesen", "read seed");
    int anzahl = 0;
    const ServiceZeile* tabelle = ServiceTabelle(&anzahl);
    for (int i = 0; i < anzahl; ++i) {
        const ServiceZeile& z = tabelle[i];
        if (z.code[0] == g[2] && z.code[1] == g[3] && z.operation == g[4])
            return kopf + z.name + " = " + Wert(g, n, 5);
    }
    return kopf + T(sprache, "unbekannter Befehl", "unknown command");
}

// The answer line after the acknowledgement byte, without the echoed head.
std::string Antwortwert(const Austauschsatz& s) {
    const char* e = s.empfangen + 1;
    const int n = s.empfangenLaenge - 1;
    const bool identitaet = s.gesendetLaenge >= 5 && s.gesendet[2] == 'I' && s.gesendet[3] == 'D';
    return Wert(e, n, identitaet ? 2 : 5);
}

std::string Csv(const std::string& feld) {
    if (feld.find_first_of(",\"\n\r") == std::string::npos) return feld;
    std::string q = "\"";
    for (char c : feld) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

} // namespace

std::string BytesLesbar(const char* bytes, int laenge) {
    std::string t;
    for (int i = 0; i < laenge; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        switch (b) {
        case 0:
            t += "<NUL>";
            break;
        case '\r':
            t += "<CR>";
            break;
        case '\n':
            t += "<LF>";
            break;
        case ASCII_ACK:
            t += "<ACK>";
            break;
        case ASCII_NAK:
            t += "<NAK>";
            break;
        case ASCII_CAN:
            t += "<CAN>";
            break;
        default:
            if (b >= 0x20 && b < 0x7F) {
                t += static_cast<char>(b);
            } else {
                char h[8];
                std::snprintf(h, sizeof(h), "<0x%02X>", b);
                t += h;
            }
        }
    }
    return t;
}

std::string BytesHex(const char* bytes, int laenge) {
    std::string t;
    for (int i = 0; i < laenge; ++i) {
        char h[4];
        std::snprintf(h, sizeof(h), i ? " %02X" : "%02X", static_cast<unsigned char>(bytes[i]));
        t += h;
    }
    return t;
}

bool MitschnittFehlgeschlagen(const Austauschsatz& s) {
    return s.code != 0;
}

std::string MitschnittZeit(int64_t zeitMs, bool iso) {
    const std::time_t sekunden = static_cast<std::time_t>(zeitMs / 1000);
    std::tm t{};
    localtime_r(&sekunden, &t);
    char text[40];
    const size_t n = std::strftime(text, sizeof(text), iso ? "%Y-%m-%dT%H:%M:%S" : "%H:%M:%S", &t);
    std::snprintf(text + n, sizeof(text) - n, ".%03d", static_cast<int>(zeitMs % 1000));
    return text;
}

std::string MitschnittBedeutung(const Austauschsatz& s, int sprache) {
    const char* g = s.gesendet;
    const int n = s.gesendetLaenge;
    if (n < 5 || g[0] != '#') return T(sprache, "unbekannter Befehl", "unknown command");
    if (IstServiceadresse(g[1])) return ServiceBedeutung(g, n, sprache);
    if (g[2] == 'I' && g[3] == 'D' && g[4] == 'R') return T(sprache, "Identität lesen", "Read identity");
    if (g[2] == 'D' && g[3] == 'F') {
        const char* name = GeraetefunktionName(g[4]);
        return std::string(T(sprache, "Gerätefunktion ", "Device function ")) + (name ? name : "?");
    }
    return ParameterBedeutung(g, n, sprache);
}

std::string MitschnittErgebnis(const Austauschsatz& s, int sprache) {
    std::string art;
    switch (s.ausgang) {
    case Ausgang::Gesendet:
        return T(sprache, "gesendet (an alle)", "sent (to all)");
    case Ausgang::Quittiert:
        return "ACK";
    case Ausgang::Antwort:
        return std::string(T(sprache, "Antwort ", "Answer ")) + Antwortwert(s);
    case Ausgang::Nak:
        art = "NAK";
        break;
    case Ausgang::Can:
        art = "CAN";
        break;
    case Ausgang::Zeitueberschreitung:
        art = T(sprache, "Zeitüberschreitung", "Time-out");
        break;
    case Ausgang::Fehler:
        break;
    }
    const FehlerkatalogZeile* z = FehlerkatalogZeileSuchen(-(s.code / 1000));
    const char* meldung =
        z ? (sprache == 2 ? z->englisch : z->deutsch)
          : (sprache == 2 ? FEHLERKATALOG_FALLBACK_ENGLISCH : FEHLERKATALOG_FALLBACK_DEUTSCH);
    std::string text = art.empty() ? "" : art + ": ";
    text += std::to_string(s.code) + " " + meldung;
    return text;
}

void MitschnittZeileBilden(const Austauschsatz& s, int sprache, bool hex, MitschnittZeile* z) {
    z->spalte[SP_ZEIT] = MitschnittZeit(s.zeitMs, false);
    const char a = s.gesendetLaenge > 1 ? s.gesendet[1] : '?';
    z->spalte[SP_ADRESSE] = std::string(1, IstServiceadresse(a) ? static_cast<char>(a - 64) : a);
    z->spalte[SP_GESENDET] =
        hex ? BytesHex(s.gesendet, s.gesendetLaenge) : BytesLesbar(s.gesendet, s.gesendetLaenge);
    z->spalte[SP_EMPFANGEN] =
        hex ? BytesHex(s.empfangen, s.empfangenLaenge) : BytesLesbar(s.empfangen, s.empfangenLaenge);
    z->spalte[SP_BEDEUTUNG] = MitschnittBedeutung(s, sprache);
    z->spalte[SP_ERGEBNIS] = MitschnittErgebnis(s, sprache);
}

void MitschnittCsvKopf(std::FILE* f) {
    std::fputs("time,address,sent,received,sent_hex,received_hex,meaning,outcome,code\n", f);
}

void MitschnittCsvZeile(std::FILE* f, const Austauschsatz& s, int sprache) {
    MitschnittZeile z;
    MitschnittZeileBilden(s, sprache, false, &z);
    const std::string felder[] = {MitschnittZeit(s.zeitMs, true),
                                  z.spalte[SP_ADRESSE],
                                  z.spalte[SP_GESENDET],
                                  z.spalte[SP_EMPFANGEN],
                                  BytesHex(s.gesendet, s.gesendetLaenge),
                                  BytesHex(s.empfangen, s.empfangenLaenge),
                                  z.spalte[SP_BEDEUTUNG],
                                  z.spalte[SP_ERGEBNIS],
                                  std::to_string(s.code)};
    std::string zeile;
    for (const std::string& feld : felder)
        zeile += (zeile.empty() ? "" : ",") + Csv(feld);
    zeile += '\n';
    std::fwrite(zeile.data(), 1, zeile.size(), f);
}

int MitschnittCsvSpeichern(const char* pfad, int sprache, bool nurFehler) {
    std::FILE* f = pfad ? std::fopen(pfad, "wb") : nullptr;
    if (!f) return -308601;
    MitschnittCsvKopf(f);
    for (uint64_t n = MitschnittErste(); n <= MitschnittLetzte(); ++n) {
        Austauschsatz s;
        if (MitschnittSatzLesen(n, &s) && (!nurFehler || MitschnittFehlgeschlagen(s)))
            MitschnittCsvZeile(f, s, sprache);
    }
    const bool fehler = std::ferror(f) != 0;
    return (std::fclose(f) != 0 || fehler) ? -301602 : 0;
}
