// Which device a port number opens, the ports bound to devices, and the serial devices of the
// system with what the system knows of them.
#include "platform/rs232.h"
#include "platform/rs232_intern.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <map>
#include <mutex>

namespace {

// Set by the program's thread, read by whichever thread opens a port.
std::mutex gBindungenSperre;
std::string gBindungen[RS232_PORTS + 1]; // indexed by port number; entry 0 unused

QString Umgebung(const char* name, const char* vorgabe) {
    const QString wert = qEnvironmentVariable(name);
    return wert.isEmpty() ? QString::fromLatin1(vorgabe) : wert;
}

// The folder of stable names: the system's, or the one a test names.
QString StabileNamenOrdner() {
    return Umgebung("VKR3X_SERIAL_BY_ID", "/dev/serial/by-id");
}

// Where a USB serial driver shows the latency timer of its devices, one folder per device.
QString UsbSeriellOrdner() {
    return Umgebung("VKR3X_USB_SERIAL_SYS", "/sys/bus/usb-serial/devices");
}

// The device file a name leads to, links followed; "" when there is none.
QString DateiZu(const QString& name) {
#if defined(Q_OS_WIN)
    return name;
#else
    return QFileInfo(name).canonicalFilePath();
#endif
}

// Every stable name, by the device file it leads to.
std::map<QString, QString> StabileNamen() {
    std::map<QString, QString> namen;
    const QDir ordner(StabileNamenOrdner());
    for (const QFileInfo& link : ordner.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString datei = link.canonicalFilePath();
        if (!datei.isEmpty()) namen.emplace(datei, link.absoluteFilePath());
    }
    return namen;
}

// The latency timer of a USB adapter's device file, in milliseconds; -1 when it has none.
int LatenzLesen(const QString& datei, QString* latenzDatei) {
    const QString pfad =
        UsbSeriellOrdner() + QLatin1Char('/') + QFileInfo(datei).fileName() + QLatin1String("/latency_timer");
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    bool ok = false;
    const int ms = QString::fromLatin1(f.read(16)).trimmed().toInt(&ok);
    if (!ok || ms < 0) return -1;
    if (latenzDatei) *latenzDatei = pfad;
    return ms;
}

QString DateiVon(const QSerialPortInfo& port) {
#if defined(Q_OS_WIN)
    return port.portName();
#else
    const QString datei = DateiZu(port.systemLocation());
    return datei.isEmpty() ? port.systemLocation() : datei;
#endif
}

// A short name ("ttyUSB0") lies under /dev, as the serial port takes it; every check of the
// device file (details, unplugging, why it does not open) must look at the same file.
QString Geraetepfad(const QString& name) {
#if defined(Q_OS_WIN)
    return name;
#else
    if (name.startsWith('/') || name.startsWith(QLatin1String("./")) || name.startsWith(QLatin1String("../")))
        return name;
    return QStringLiteral("/dev/") + name;
#endif
}

QString VorgabeGeraet(int port) {
#if defined(Q_OS_WIN)
    return QStringLiteral("COM%1").arg(port);
#else
    const QString usb = QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
    if (QFileInfo::exists(usb)) return usb;
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

} // namespace

QString Rs232Geraetename(int port, int* herkunft) {
    const QByteArray variable = "VKR3X_COM" + QByteArray::number(port);
    // Set but empty names no device: the port then fails to open, rather than falling back to
    // whatever adapter is plugged in.
    if (qEnvironmentVariableIsSet(variable.constData())) {
        *herkunft = RS232_HERKUNFT_UMGEBUNG;
        const QString umgebung = qEnvironmentVariable(variable.constData());
        return umgebung.trimmed().isEmpty() ? QString() : Geraetepfad(umgebung);
    }
    {
        const std::lock_guard sperre(gBindungenSperre);
        if (port >= 1 && port <= RS232_PORTS && !gBindungen[port].empty()) {
            *herkunft = RS232_HERKUNFT_BINDUNG;
            return Geraetepfad(QString::fromStdString(gBindungen[port]));
        }
    }
    *herkunft = RS232_HERKUNFT_VORGABE;
    return VorgabeGeraet(port);
}

int Rs232BindungSetzen(int port, const char* geraet) {
    if (port < 1 || port > RS232_PORTS) return RS232_ERR_PORT_NUMBER;
    const std::string name = geraet ? geraet : "";
    // A name must survive the settings file's lines.
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return RS232_ERR_ARGUMENT;
    const std::lock_guard sperre(gBindungenSperre);
    gBindungen[port] = name;
    return 0;
}

int Rs232BindungLesen(int port, std::string* geraet) {
    if (port < 1 || port > RS232_PORTS) return RS232_ERR_PORT_NUMBER;
    const std::lock_guard sperre(gBindungenSperre);
    *geraet = gBindungen[port];
    return 0;
}

std::vector<Rs232Geraet> Rs232GeraeteAuflisten() {
    std::map<QString, Rs232Geraet> geraete;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const QString datei = DateiVon(port);
        Rs232Geraet& g = geraete[datei];
        g.datei = datei.toStdString();
        g.beschreibung = port.description().toStdString();
        g.hersteller = port.manufacturer().toStdString();
        g.seriennummer = port.serialNumber().toStdString();
    }
    for (const auto& [datei, link] : StabileNamen()) {
        Rs232Geraet& g = geraete[datei];
        g.datei = datei.toStdString();
        g.byId = link.toStdString();
    }
    std::vector<Rs232Geraet> liste;
    liste.reserve(geraete.size());
    for (auto& [datei, g] : geraete) {
        g.latenzMs = LatenzLesen(datei, nullptr);
        liste.push_back(std::move(g));
    }
    return liste;
}

int Rs232PortinfoLesen(int port, Rs232Portinfo* info) {
    if (port < 1 || port > RS232_PORTS) return RS232_ERR_PORT_NUMBER;
    *info = Rs232Portinfo();
    const QString name = Rs232Geraetename(port, &info->herkunft);
    info->geraet = name.toStdString();
    const QString datei = DateiZu(name);
    if (datei.isEmpty() || !QFileInfo::exists(datei)) return 0; // no such device: nothing more to know
    info->datei = datei.toStdString();
    const QSerialPortInfo adapter(datei);
    info->beschreibung = adapter.description().toStdString();
    info->hersteller = adapter.manufacturer().toStdString();
    info->seriennummer = adapter.serialNumber().toStdString();
    const auto stabile = StabileNamen();
    if (const auto it = stabile.find(datei); it != stabile.end()) info->byId = it->second.toStdString();
    QString latenzDatei;
    info->latenzMs = LatenzLesen(datei, &latenzDatei);
    info->latenzDatei = latenzDatei.toStdString();
    info->niedrigeLatenz = Rs232NiedrigeLatenzGewaehrt(port);
    return 0;
}
