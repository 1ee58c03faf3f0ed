#include "platform/rs232.h"
#include "platform/rs232_intern.h"

#include <QByteArray>
#include <QFile>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QString>
#include <QThread>

#include <atomic>
#include <cmath>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#if defined(Q_OS_LINUX)
#include <linux/serial.h>
#endif
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct Port {
    QSerialPort* sp = nullptr;
    long baudRate = 0;
    double timeout = 10.0;
    int stuck = 0;         // test hook: the system takes no written byte
    int stuckBytes = 0;    // bytes held back while stuck
    bool getrennt = false; // the line hung up: the device is gone
    QString name;          // the device name it was opened by
};

Port gPorts[RS232_PORTS + 1]; // indexed by port number; entry 0 unused
Rs232Oeffnungsfehler gOeffnungsfehler[RS232_PORTS + 1];
// Read by the port details from another thread than the one using the port.
std::atomic<bool> gNiedrigeLatenz[RS232_PORTS + 1];

// A hang-up or a vanished device shows as a resource error; it does not mend by itself.
void FehlerMerken(Port* p, QSerialPort::SerialPortError e) {
    if (e == QSerialPort::ResourceError || e == QSerialPort::DeviceNotFoundError) p->getrennt = true;
}

Port* OpenPort(int port) {
    if (port < 1 || port > RS232_PORTS) return nullptr;
    Port* p = &gPorts[port];
    return p->sp ? p : nullptr;
}

int PortError(int port) {
    return (port < 1 || port > RS232_PORTS) ? RS232_ERR_PORT_NUMBER : RS232_ERR_NOT_OPEN;
}

// A pseudo-terminal has no line to configure: Linux keeps it at 8 data bits without parity, so
// Qt reports the 7-bit setting as refused. That refusal does not make the port unusable; on a
// real device it does.
bool IsPseudoTerminal(const QString& name) {
    const QString real = QFileInfo(name).canonicalFilePath();
    return real.startsWith(QLatin1String("/dev/pts/")) || real.startsWith(QLatin1String("/dev/ttyp"));
}

// A USB adapter passes received bytes on only when its latency timer elapses (16 ms by default
// on the common FTDI chips), unless its driver is asked for low latency, which makes the FTDI
// driver set the timer to 1 ms. A user may set that flag without special rights; a serial port
// with a UART takes it without effect. A pseudo-terminal or a driver without serial info
// refuses the request, and nothing else changes. True when the flag is set.
bool NiedrigeLatenzAnfordern(QSerialPort* sp) {
#if defined(Q_OS_LINUX) && defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
    serial_struct info{};
    if (::ioctl(sp->handle(), TIOCGSERIAL, &info) != 0) return false;
    if (info.flags & ASYNC_LOW_LATENCY) return true;
    info.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(sp->handle(), TIOCSSERIAL, &info) == 0;
#else
    Q_UNUSED(sp);
    return false;
#endif
}

// Milliseconds left, rounded up so that a wait never ends before its deadline.
int RemainingMs(const QDeadlineTimer& deadline) {
    const qint64 ns = deadline.remainingTimeNSecs();
    if (ns <= 0) return 0;
    const qint64 ms = (ns + 999999) / 1000000;
    return ms > 0x7fffffff ? 0x7fffffff : static_cast<int>(ms);
}

// Bytes the system holds that are not yet on the line; -1 when it cannot tell.
qint64 SystemOutQueue(QSerialPort* sp) {
#if defined(Q_OS_WIN)
    COMSTAT status{};
    DWORD fehler = 0;
    if (!::ClearCommError(sp->handle(), &fehler, &status)) return -1;
    return static_cast<qint64>(status.cbOutQue);
#elif defined(TIOCOUTQ)
    int n = 0;
    if (::ioctl(sp->handle(), TIOCOUTQ, &n) == -1) return -1;
    return n;
#else
    Q_UNUSED(sp);
    return 0;
#endif
}

QDeadlineTimer DeadlineIn(double seconds) {
    if (!(seconds > 0)) return QDeadlineTimer(0);
    return QDeadlineTimer(static_cast<qint64>(std::ceil(seconds * 1000.0)));
}

bool ApplySettings(QSerialPort* sp, long baudRate, int parity, int dataBits, int stopBits) {
    const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                            QSerialPort::EvenParity};
    bool ok = sp->setBaudRate(static_cast<qint32>(baudRate));
    ok = sp->setDataBits(static_cast<QSerialPort::DataBits>(dataBits)) && ok;
    ok = sp->setParity(parities[parity]) && ok;
    ok = sp->setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) && ok;
    ok = sp->setFlowControl(QSerialPort::NoFlowControl) && ok;
    return ok;
}

// Asks the system itself why the device does not open: Qt folds several causes into one error.
Rs232Oeffnungsfehler GrundErmitteln(const QString& name, const QString& qtText) {
    Rs232Oeffnungsfehler f;
    f.geraet = name.toStdString();
    f.grund = RS232_GRUND_ANDERER;
    f.systemtext = qtText.toStdString();
#if defined(Q_OS_UNIX)
    const QByteArray pfad = QFile::encodeName(name);
    const int fd = ::open(pfad.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const int fehler = errno;
    if (fd >= 0) {
        ::close(fd);
        return f;
    }
    f.systemtext = std::strerror(fehler);
    if (fehler == ENOENT || fehler == ENOTDIR || fehler == ENXIO || fehler == ENODEV) {
        f.grund = RS232_GRUND_FEHLT;
    } else if (fehler == EACCES || fehler == EPERM) {
        f.grund = RS232_GRUND_RECHTE;
        struct stat st {};
        if (::stat(pfad.constData(), &st) == 0) {
            if (const group* g = ::getgrgid(st.st_gid)) f.gruppe = g->gr_name;
        }
    } else if (fehler == EBUSY) {
        f.grund = RS232_GRUND_BELEGT;
    }
#else
    if (!QFileInfo::exists(name)) f.grund = RS232_GRUND_FEHLT;
#endif
    return f;
}

} // namespace

int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits, int stopBits,
                  int inputQueueSize, int /*outputQueueSize*/) {
    if (port < 1 || port > RS232_PORTS) return RS232_ERR_PORT_NUMBER;
    if (baudRate <= 0 || baudRate > 0x7fffffffL || parity < RS232_PARITY_NONE || parity > RS232_PARITY_EVEN ||
        dataBits < 5 || dataBits > 8 || (stopBits != 1 && stopBits != 2) || inputQueueSize < 0)
        return RS232_ERR_ARGUMENT;
    CloseCom(port);

    int herkunft = 0;
    const QString name = (deviceName && deviceName[0]) ? QString::fromLocal8Bit(deviceName)
                                                       : Rs232Geraetename(port, &herkunft);
    gOeffnungsfehler[port] = Rs232Oeffnungsfehler();
    if (name.trimmed().isEmpty()) {
        gOeffnungsfehler[port].grund = RS232_GRUND_FEHLT;
        gOeffnungsfehler[port].systemtext = "no device named";
        return RS232_ERR_OPEN;
    }
    QSerialPort* sp = new QSerialPort;
    sp->setPortName(name);
    if (!sp->open(QIODevice::ReadWrite)) {
        gOeffnungsfehler[port] = GrundErmitteln(name, sp->errorString());
        delete sp;
        return RS232_ERR_OPEN;
    }
    if (!ApplySettings(sp, baudRate, parity, dataBits, stopBits)) {
        if (!IsPseudoTerminal(name)) {
            gOeffnungsfehler[port].grund = RS232_GRUND_ANDERER;
            gOeffnungsfehler[port].geraet = name.toStdString();
            gOeffnungsfehler[port].systemtext = sp->errorString().toStdString();
            sp->close();
            delete sp;
            return RS232_ERR_OPEN;
        }
        sp->clearError();
    }
    sp->setReadBufferSize(inputQueueSize);
    sp->clear(QSerialPort::AllDirections);

    Port& p = gPorts[port];
    p.sp = sp;
    p.baudRate = baudRate;
    p.timeout = 10.0;
    p.stuck = 0;
    p.stuckBytes = 0;
    p.getrennt = false;
    p.name = name;
    gNiedrigeLatenz[port] = NiedrigeLatenzAnfordern(sp);
    return 0;
}

int CloseCom(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    p->sp->close();
    const bool failed = p->sp->error() != QSerialPort::NoError && p->sp->error() != QSerialPort::TimeoutError;
    delete p->sp;
    *p = Port();
    gNiedrigeLatenz[port] = false;
    return failed ? RS232_ERR_IO : 0;
}

int SetComTime(int port, double seconds) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    if (!(seconds >= 0.0) || seconds > 1.0e6) return RS232_ERR_ARGUMENT;
    p->timeout = seconds;
    return 0;
}

int ComWrt(int port, const char* buf, int count) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    if (count < 0 || (count > 0 && !buf)) return RS232_ERR_ARGUMENT;
    if (count == 0) return 0;
    if (p->stuck) {
        p->stuckBytes += count;
        return count;
    }
    if (p->sp->write(buf, count) != count) {
        FehlerMerken(p, p->sp->error());
        p->sp->clearError();
        return RS232_ERR_IO;
    }
    // One non-blocking hand-over without polling first: on a free line the frame leaves now and
    // the drain costs nothing; what the system does not take waits in WaitOutQEmpty.
    if (!p->sp->flush() && p->sp->bytesToWrite() > 0) p->sp->clearError();
    return count;
}

int ComRdByte(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    QSerialPort* sp = p->sp;
    char c = 0;
    if (sp->bytesAvailable() > 0 && sp->getChar(&c)) return static_cast<unsigned char>(c);

    const QDeadlineTimer deadline = DeadlineIn(p->timeout);
    for (;;) {
        if (sp->waitForReadyRead(RemainingMs(deadline))) {
            if (sp->getChar(&c)) return static_cast<unsigned char>(c);
        } else {
            const QSerialPort::SerialPortError e = sp->error();
            sp->clearError();
            FehlerMerken(p, e);
            // A hang-up or read failure will not mend within the time-out: report it at once.
            if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError) return RS232_ERR_IO;
        }
        if (deadline.hasExpired()) return RS232_ERR_TIMEOUT;
    }
}

int GetOutQLen(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    if (p->stuck) return p->stuckBytes;
    const qint64 system = SystemOutQueue(p->sp);
    if (system < 0) return RS232_ERR_IO;
    const qint64 n = p->sp->bytesToWrite() + system;
    return n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
}

int WaitOutQEmpty(int port, double seconds) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    if (p->stuck) {
        if (p->stuckBytes == 0) return 0;
        if (seconds > 0) QThread::usleep(static_cast<unsigned long>(seconds * 1.0e6));
        return RS232_ERR_TIMEOUT;
    }
    QSerialPort* sp = p->sp;
    const QDeadlineTimer deadline = DeadlineIn(seconds);
    // First hand Qt's buffer to the system ...
    while (sp->bytesToWrite() > 0) {
        if (!sp->waitForBytesWritten(RemainingMs(deadline))) {
            const QSerialPort::SerialPortError e = sp->error();
            sp->clearError();
            FehlerMerken(p, e);
            if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError) return RS232_ERR_IO;
        }
        if (sp->bytesToWrite() > 0 && deadline.hasExpired()) return RS232_ERR_TIMEOUT;
    }
    // ... then let the system put it on the line. There is no event for an empty transmit queue,
    // so wait the time the remaining bytes need at the baud rate and look again.
    for (;;) {
        const qint64 offen = SystemOutQueue(sp);
        if (offen < 0) return RS232_ERR_IO;
        if (offen == 0) return 0;
        const qint64 restNs = deadline.remainingTimeNSecs();
        if (restNs <= 0) return RS232_ERR_TIMEOUT;
        qint64 ns = static_cast<qint64>(offen * 11.0e9 / static_cast<double>(p->baudRate));
        if (ns < 100000) ns = 100000;
        if (ns > restNs) ns = restNs;
        QThread::usleep(static_cast<unsigned long>((ns + 999) / 1000));
    }
}

int FlushInQ(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    QSerialPort* sp = p->sp;
    // clear() empties the system queue and Qt's read buffer; anything Qt still reports as
    // available is read away so that no stale byte can be taken for the next answer.
    const bool ok = sp->clear(QSerialPort::Input);
    if (sp->bytesAvailable() > 0) sp->skip(sp->bytesAvailable());
    if (!ok) {
        sp->clearError();
        return RS232_ERR_IO;
    }
    return 0;
}

int FlushOutQ(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    p->stuckBytes = 0;
    // Only a queue that holds something is flushed. A pseudo-terminal's output flush also drops a
    // frame that has left but is not yet read by the other side, such as a broadcast just sent;
    // on a real line an empty system queue leaves nothing to discard anyway.
    const qint64 system = SystemOutQueue(p->sp);
    if (system == 0 && p->sp->bytesToWrite() == 0) return 0;
    if (!p->sp->clear(QSerialPort::Output)) {
        p->sp->clearError();
        return RS232_ERR_IO;
    }
    return 0;
}

long GetComBaudRate(int port) {
    Port* p = OpenPort(port);
    return p ? p->baudRate : 0;
}

double GetComTime(int port) {
    Port* p = OpenPort(port);
    return p ? p->timeout : 0.0;
}

int Rs232TestSetOutQStuck(int port, int stuck) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    p->stuck = stuck != 0;
    p->stuckBytes = 0;
    return 0;
}

int Rs232OeffnungsfehlerLesen(int port, Rs232Oeffnungsfehler* fehler) {
    if (port < 1 || port > RS232_PORTS) return RS232_ERR_PORT_NUMBER;
    *fehler = gOeffnungsfehler[port];
    return 0;
}

int Rs232Getrennt(int port) {
    Port* p = OpenPort(port);
    if (!p) return PortError(port);
    if (!p->getrennt && !QFileInfo::exists(p->name)) p->getrennt = true;
    return p->getrennt ? 1 : 0;
}

bool Rs232NiedrigeLatenzGewaehrt(int port) {
    return port >= 1 && port <= RS232_PORTS && gNiedrigeLatenz[port];
}
