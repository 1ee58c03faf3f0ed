#include "cli/befehlszeile.h"

#include "app/globals.h"
#include "device/zemvkr3x.h"
#include "errors/fehler.h"
#include "ops/com.h"

#include <QByteArray>

#include <charconv>
#include <cstdio>

namespace {

const QCommandLineOption kPort("port", "COM port 1..8 (VKR3X_COM<n> names its device).", "N");
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
        // The device stands in for the port through the same mapping the program uses.
        if (port == -1) port = 1;
        qputenv(("VKR3X_COM" + QByteArray::number(port)).constData(), parser.value(kDevice).toLocal8Bit());
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
        if (!ok || timeout <= 0.0 || timeout > 60.0)
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
