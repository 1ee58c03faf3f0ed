#include "cli/json_abbild.h"

#include "cli/befehlszeile.h"
#include "cli/satzfelder.h"
#include "errors/fehler.h"
#include "params/parametersatz.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int KOPF_BYTES = 32;
constexpr int RESERVIERT_KOPF = 36;
constexpr int RESERVIERT_ENDE = 6436;

int32_t Int32Bei(const Programmabbild& abbild, int offset) {
    int32_t wert;
    std::memcpy(&wert, abbild.data() + offset, sizeof wert);
    return wert;
}

void Int32Setzen(Programmabbild* abbild, int offset, int32_t wert) {
    std::memcpy(abbild->data() + offset, &wert, sizeof wert);
}

Parametersatz SatzBei(const Programmabbild& abbild, int n) {
    Parametersatz satz;
    std::memcpy(&satz, abbild.data() + PROGRAMMDATEI_SAETZE_OFFSET + n * sizeof satz, sizeof satz);
    return satz;
}

std::string ReellJson(double wert) {
    if (std::isfinite(wert) && !(wert == 0.0 && std::signbit(wert))) return ZahlText(wert);
    char text[32];
    std::snprintf(text, sizeof text, "\"0x%016" PRIx64 "\"", std::bit_cast<uint64_t>(wert));
    return text;
}

// Bytes of the header field after the text and its zero, as hex digits ("" when all are zero).
std::string KopfRest(const Programmabbild& abbild) {
    const size_t start = std::strlen(PROGRAMMDATEI_KOPF) + 1;
    std::string hex;
    bool belegt = false;
    for (size_t i = start; i < KOPF_BYTES; ++i) {
        char zwei[3];
        std::snprintf(zwei, sizeof zwei, "%02x", abbild[i]);
        hex += zwei;
        belegt = belegt || abbild[i] != 0;
    }
    return belegt ? hex : "";
}

int Fehlt(const QString& wo) {
    ZEM_Fehleruserstring(("\n\n" + wo).toUtf8().constData());
    return JSON_FELD;
}

bool ReellAus(const QJsonValue& v, double* wert) {
    if (v.isDouble()) {
        *wert = v.toDouble();
        return true;
    }
    const QString s = v.toString();
    bool ok = false;
    const uint64_t bits = s.mid(2).toULongLong(&ok, 16);
    if (!s.startsWith("0x") || s.size() != 18 || !ok) return false;
    *wert = std::bit_cast<double>(bits);
    return true;
}

bool GanzzahlAus(const QJsonValue& v, int32_t* wert) {
    const double d = v.toDouble(0.5);
    if (!v.isDouble() || d != std::trunc(d) || d < INT32_MIN || d > INT32_MAX) return false;
    *wert = static_cast<int32_t>(d);
    return true;
}

int SatzAusJson(const QJsonObject& o, int n, Parametersatz* satz) {
    for (int i = 0; i < SATZFELDER; ++i) {
        const Satzfeld& f = Satzfelder()[i];
        const QJsonValue v = o.value(QString::fromStdString(f.name));
        const QString wo = QString("sets[%1].%2").arg(n).arg(QString::fromStdString(f.name));
        if (f.typ == Feldtyp::Ganzzahl) {
            int32_t wert = 0;
            if (!GanzzahlAus(v, &wert)) return Fehlt(wo);
            GanzzahlSetzen(satz, f, wert);
        } else {
            double wert = 0.0;
            if (!ReellAus(v, &wert)) return Fehlt(wo);
            ReellSetzen(satz, f, wert);
        }
    }
    return 0;
}

int KopfAusJson(const QJsonObject& o, Programmabbild* abbild) {
    std::memcpy(abbild->data(), PROGRAMMDATEI_KOPF, std::strlen(PROGRAMMDATEI_KOPF));
    int32_t wert = 0;
    if (o.value("format").toString() != PROGRAMMDATEI_KOPF) return Fehlt("format");
    if (!GanzzahlAus(o.value("version"), &wert) || wert != PROGRAMMDATEI_VERSION) return Fehlt("version");
    Int32Setzen(abbild, PROGRAMMDATEI_VERSION_OFFSET, wert);
    if (!GanzzahlAus(o.value("selected"), &wert)) return Fehlt("selected");
    Int32Setzen(abbild, PROGRAMMDATEI_INDEX_OFFSET, wert);
    const QJsonArray reserviert = o.value("reserved").toArray();
    int32_t r0 = 0, r1 = 0;
    if (reserviert.size() != 2 || !GanzzahlAus(reserviert[0], &r0) || !GanzzahlAus(reserviert[1], &r1))
        return Fehlt("reserved");
    Int32Setzen(abbild, RESERVIERT_KOPF, r0);
    Int32Setzen(abbild, RESERVIERT_ENDE, r1);
    // Hex digits only: fromHex passes over anything else, and a typo would become zeros.
    const QJsonValue restWert = o.value("header_rest");
    if (!restWert.isUndefined() && !restWert.isString()) return Fehlt("header_rest");
    const QString restText = restWert.toString();
    const size_t start = std::strlen(PROGRAMMDATEI_KOPF) + 1;
    const bool nurHex = std::all_of(restText.begin(), restText.end(), [](QChar c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
    if (!restText.isEmpty() && (!nurHex || restText.size() != 2 * static_cast<int>(KOPF_BYTES - start)))
        return Fehlt("header_rest");
    const QByteArray rest = QByteArray::fromHex(restText.toLatin1());
    std::memcpy(abbild->data() + start, rest.constData(), rest.size());
    return 0;
}

} // namespace

std::string AbbildAlsJson(const Programmabbild& abbild) {
    std::string j = "{\n";
    j += "    \"format\": \"" + std::string(PROGRAMMDATEI_KOPF) + "\",\n";
    j += "    \"version\": " + std::to_string(Int32Bei(abbild, PROGRAMMDATEI_VERSION_OFFSET)) + ",\n";
    j += "    \"selected\": " + std::to_string(Int32Bei(abbild, PROGRAMMDATEI_INDEX_OFFSET)) + ",\n";
    j += "    \"reserved\": [" + std::to_string(Int32Bei(abbild, RESERVIERT_KOPF)) + ", " +
         std::to_string(Int32Bei(abbild, RESERVIERT_ENDE)) + "],\n";
    j += "    \"header_rest\": \"" + KopfRest(abbild) + "\",\n";
    j += "    \"sets\": [\n";
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        const Parametersatz satz = SatzBei(abbild, n);
        j += "        {\n";
        for (int i = 0; i < SATZFELDER; ++i) {
            const Satzfeld& f = Satzfelder()[i];
            const std::string wert = f.typ == Feldtyp::Ganzzahl ? std::to_string(GanzzahlFeld(satz, f))
                                                                : ReellJson(ReellFeld(satz, f));
            j += "            \"" + f.name + "\": " + wert + (i + 1 < SATZFELDER ? ",\n" : "\n");
        }
        j += n + 1 < PARAMETERSAETZE ? "        },\n" : "        }\n";
    }
    j += "    ]\n}\n";
    return j;
}

int AbbildAusJson(const std::string& json, Programmabbild* abbild) {
    QJsonParseError fehler;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &fehler);
    if (!doc.isObject()) {
        ZEM_Fehleruserstring(("\n\n" + fehler.errorString()).toUtf8().constData());
        return JSON_UNLESBAR;
    }
    const QJsonObject o = doc.object();
    const QJsonArray saetze = o.value("sets").toArray();
    if (saetze.size() != PARAMETERSAETZE) return Fehlt("sets");
    abbild->fill(0);
    if (const int r = KopfAusJson(o, abbild)) return r;
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        Parametersatz satz{};
        if (const int r = SatzAusJson(saetze[n].toObject(), n, &satz)) return r;
        std::memcpy(abbild->data() + PROGRAMMDATEI_SAETZE_OFFSET + n * sizeof satz, &satz, sizeof satz);
    }
    return 0;
}
