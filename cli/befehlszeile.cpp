#include "cli/befehlszeile.h"

#include "app/globals.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "ops/com.h"

#include <QByteArray>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

const QCommandLineOption kPort("port", "COM port 1..8 (VKR3X_COM<n>, else its binding, names its device).",
                               "N");
const QCommandLineOption kDevice("device", "Serial device to use as the port, e.g. /dev/ttyUSB0.", "PATH");
const QCommandLineOption kAddress("address", "Regulator address 1..8, or & for all (default 1).", "A");
const QCommandLineOption kBaud("baud", "Baud rate (default 9600).", "B");
const QCommandLineOption kTimeout("timeout", "Seconds to wait for each answer byte (default 1.0).", "S");

} // namespace

int FehlerMelden(int code) {
    const std::string meldung = ZEM_Fehlermeldung(code);
    std::fprintf(stderr, "vkr3x: %s (%lld)\n", meldung.c_str(), -static_cast<long long>(code));
    return EXIT_FEHLER;
}

int BedienfehlerMelden(const QString& text) {
    std::fprintf(stderr, "vkr3x: %s\nTry 'vkr3x --help'.\n", qPrintable(text));
    return EXIT_FEHLER;
}

void VerbindungsoptionenHinzufuegen(QCommandLineParser& parser) {
    parser.addOptions({kPort, kDevice, kAddress, kBaud, kTimeout});
}

int Verbinden(const QCommandLineParser& parser) {
    int port = -1;
    if (parser.isSet(kPort) && !GanzzahlAus(parser.value(kPort), 1, 8, &port))
        return BedienfehlerMelden("--port takes a COM number 1..8");
    if (parser.isSet(kDevice)) {
        // An empty name would fall back to whatever adapter is plugged in (an unset variable in
        // a script): refused before anything opens.
        if (parser.value(kDevice).trimmed().isEmpty()) return BedienfehlerMelden("--device is empty");
        // The device stands in for the port through the same mapping the program uses.
        if (port == -1) port = 1;
        qputenv(("VKR3X_COM" + QByteArray::number(port)).constData(), Dateiname(parser.value(kDevice)));
    } else if (port != -1) {
        const QByteArray name = "VKR3X_COM" + QByteArray::number(port);
        if (qEnvironmentVariableIsSet(name.constData()) && qgetenv(name.constData()).trimmed().isEmpty())
            return BedienfehlerMelden(QString::fromLatin1(name) + " is set but empty");
    }
    gCom.adresse = '1';
    if (parser.isSet(kAddress)) {
        const QString a = parser.value(kAddress);
        if (a.size() != 1 || !(a[0] == '&' || (a[0] >= '1' && a[0] <= '8')))
            return BedienfehlerMelden("--address takes 1..8 or &");
        gCom.adresse = a[0].toLatin1();
    }
    gCom.baudrate = 9600;
    if (parser.isSet(kBaud) && !GanzzahlAus(parser.value(kBaud), 1, 1000000, &gCom.baudrate))
        return BedienfehlerMelden("--baud takes a baud rate");
    double timeout = COM_TIMEOUT_SEKUNDEN;
    if (parser.isSet(kTimeout)) {
        bool ok = false;
        timeout = parser.value(kTimeout).toDouble(&ok);
        if (!ok || !(timeout > 0.0 && timeout <= 60.0)) // also refuses nan
            return BedienfehlerMelden("--timeout takes 0..60 seconds");
    }
    gCom.port = port;
    const int r = ComPortOeffnen();
    if (r != 0) return FehlerMelden(r);
    if (gCom.portOffen != -1) ZEMVKR3X_Timeout(gCom.portOffen, timeout);
    return 0;
}

void Trennen() {
    if (gCom.portOffen != -1) ZEMVKR3X_Close(gCom.portOffen);
    gCom.portOffen = -1;
}

QStringList ArgumenteLesen(int argc, char** argv) {
    QStringList argumente;
    for (int i = 0; i < argc; ++i) {
        const auto* b = reinterpret_cast<const unsigned char*>(argv[i]);
        const size_t n = std::strlen(argv[i]);
        QString text;
        for (size_t k = 0; k < n;) {
            // Length of a well-formed UTF-8 sequence at k, 0 when there is none.
            size_t laenge = 0;
            char32_t zeichen = b[k];
            if (b[k] < 0x80)
                laenge = 1;
            else if (b[k] >= 0xC2 && b[k] <= 0xDF)
                laenge = 2, zeichen &= 0x1F;
            else if (b[k] >= 0xE0 && b[k] <= 0xEF)
                laenge = 3, zeichen &= 0x0F;
            else if (b[k] >= 0xF0 && b[k] <= 0xF4)
                laenge = 4, zeichen &= 0x07;
            for (size_t j = 1; laenge && j < laenge; ++j) {
                if (k + j >= n || (b[k + j] & 0xC0) != 0x80)
                    laenge = 0;
                else
                    zeichen = (zeichen << 6) | (b[k + j] & 0x3F);
            }
            const char32_t kleinstes[] = {0, 0, 0x80, 0x800, 0x10000};
            if (laenge > 1 && (zeichen < kleinstes[laenge] || zeichen > 0x10FFFF ||
                               (zeichen >= 0xD800 && zeichen <= 0xDFFF)))
                laenge = 0; // overlong, beyond Unicode, or a surrogate
            if (laenge == 0) {
                text += QChar(char16_t(0xDC00 + b[k]));
                ++k;
                continue;
            }
            text += QString::fromUcs4(&zeichen, 1);
            k += laenge;
        }
        argumente << text;
    }
    return argumente;
}

QByteArray Dateiname(const QString& argument) {
    QByteArray bytes;
    QString stueck; // valid text waiting to be encoded
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const char16_t c = argument[i].unicode();
        const bool hoch = i > 0 && QChar::isHighSurrogate(argument[i - 1].unicode());
        if (c >= 0xDC80 && c <= 0xDCFF && !hoch) {
            bytes += stueck.toUtf8();
            stueck.clear();
            bytes += static_cast<char>(c - 0xDC00);
        } else {
            stueck += argument[i];
        }
    }
    return bytes + stueck.toUtf8();
}

namespace {
int gAusgabeErrno = 0;         // why standard output first failed; 0 while it has not
bool gAusgabeGemeldet = false; // that failure has been reported
} // namespace

bool AusgabeAbgeben() {
    const int vorher = errno; // a write inside printf or fwrite may have failed before
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
    if (gAusgabeErrno == 0) gAusgabeErrno = errno != 0 ? errno : vorher != 0 ? vorher : EIO;
    return false;
}

int AusgabeAbschliessen(int status, int code) {
    if (AusgabeAbgeben()) return status;
    if (!gAusgabeGemeldet) {
        gAusgabeGemeldet = true;
        const std::string meldung = ZEM_Fehlermeldung(code);
        std::fprintf(stderr, "vkr3x: %s (%lld): standard output: %s\n", meldung.c_str(),
                     -static_cast<long long>(code), std::strerror(gAusgabeErrno));
    }
    return EXIT_FEHLER;
}

std::string JsonText(const std::string& bytes) {
    std::string j = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            j += '\\';
            j += c;
        } else if (b < 0x20 || b >= 0x7F) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", b);
            j += u;
        } else {
            j += c;
        }
    }
    return j + "\"";
}

std::string ZahlText(double wert) {
    char text[64];
    const auto [ende, fehler] = std::to_chars(text, text + sizeof text, wert);
    return fehler == std::errc() ? std::string(text, ende) : std::string("?");
}

bool GanzzahlAus(const QString& text, int min, int max, int* wert) {
    bool ok = false;
    const int w = text.toInt(&ok);
    if (!ok || w < min || w > max) return false;
    *wert = w;
    return true;
}

bool IstEnglisch() {
    return gSprache == SPRACHE_ENGLISCH;
}
