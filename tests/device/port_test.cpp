// Opening and closing ports, and the serial layer underneath the driver.
#include "device/zemvkr3x.h"
#include "platform/rs232.h"
#include "tests/device/simulator_leitung.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

namespace {

TEST(PortOeffnen, ArgumentsAreCheckedBaudRateFirst) {
    const struct {
        int port;
        int baud;
        int code;
    } faelle[] = {
        {1, 14400, -125001}, {0, 14400, -125001}, {9, 14400, -125001},   {1, 0, -125001},
        {0, 9600, -100002},  {9, 9600, -100002},  {-1, 115200, -100002},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(ZEMVKR3X_Open(f.port, f.baud), f.code) << f.port << " " << f.baud;
}

TEST(PortOeffnen, APortThatCannotBeOpenedIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("VKR3X_COM3", (dir.path() + "/no-such-tty").toLocal8Bit());
    EXPECT_EQ(ZEMVKR3X_Open(3, 9600), -100003);
    qunsetenv("VKR3X_COM3");
}

TEST(PortOeffnen, APortThatIsNotOpenRefusesEveryService) {
    EXPECT_EQ(ZEMVKR3X_Close(4), -103004);
    EXPECT_EQ(ZEMVKR3X_Timeout(4, 1.0), -111005);
    EXPECT_EQ(FlushInOut(4), -124123);
    EXPECT_EQ(ZEMVKR3X_ParameterSchreiben(4, '1', "strom1", 1.0, 0, 0), -112048);
    double wert = 0;
    EXPECT_EQ(ZEMVKR3X_ParameterLesen(4, '1', "strom1", &wert, nullptr, nullptr), -112096);
    EXPECT_EQ(ZEMVKR3X_DeviceFunction(4, '1', "start"), -124123) << "passes the flush code on";
    for (int port : {0, 4, 9}) {
        EXPECT_LT(ComWrt(port, "x", 1), 0) << port;
        EXPECT_LT(ComRdByte(port), 0) << port;
        EXPECT_LT(GetOutQLen(port), 0) << port;
        EXPECT_LT(FlushInQ(port), 0) << port;
        EXPECT_LT(FlushOutQ(port), 0) << port;
        EXPECT_LT(SetComTime(port, 1.0), 0) << port;
    }
    EXPECT_EQ(ComRdByte(0), RS232_ERR_PORT_NUMBER);
    EXPECT_EQ(ComRdByte(4), RS232_ERR_NOT_OPEN);
}

using Seriell = SimulatorLeitung;

TEST_F(Seriell, BytesArriveInOrderAndReadingWaitsAtMostTheTimeOut) {
    ASSERT_EQ(ComWrt(LEITUNG_PORT, "#1IDR\r", 6), 6);
    EXPECT_EQ(GetOutQLen(LEITUNG_PORT), 0) << "a free line takes the frame at once";
    EXPECT_EQ(ComRdByte(LEITUNG_PORT), 0x06);
    const std::string zeile = "#1ZEM-VKR3AX2b V2.01\r";
    for (char c : zeile)
        EXPECT_EQ(ComRdByte(LEITUNG_PORT), static_cast<unsigned char>(c));

    QElapsedTimer uhr;
    uhr.start();
    EXPECT_EQ(ComRdByte(LEITUNG_PORT), RS232_ERR_TIMEOUT);
    EXPECT_GE(uhr.elapsed(), static_cast<qint64>(1000 * LEITUNG_TIMEOUT) - 5);
    EXPECT_LT(uhr.elapsed(), static_cast<qint64>(1000 * LEITUNG_TIMEOUT) + 400);
}

TEST_F(Seriell, FlushingDiscardsBytesAlreadyBufferedByThePortLayer) {
    sim.sendRaw("xyz");
    EXPECT_EQ(ComRdByte(LEITUNG_PORT), 'x'); // "yz" now wait in the port layer's buffer
    sim.sendRaw("123");
    QThread::msleep(100); // and these in the system's queue
    ASSERT_EQ(FlushInQ(LEITUNG_PORT), 0);
    EXPECT_EQ(ComRdByte(LEITUNG_PORT), RS232_ERR_TIMEOUT);
}

TEST_F(Seriell, AStuckOutputQueueIsReportedAndEmptiedByTheFlush) {
    ASSERT_EQ(Rs232TestSetOutQStuck(LEITUNG_PORT, 1), 0);
    ASSERT_EQ(ComWrt(LEITUNG_PORT, "#1IDR\r", 6), 6);
    EXPECT_EQ(GetOutQLen(LEITUNG_PORT), 6);
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_EQ(WaitOutQEmpty(LEITUNG_PORT, 0.05), RS232_ERR_TIMEOUT);
    EXPECT_GE(uhr.elapsed(), 45);
    ASSERT_EQ(FlushOutQ(LEITUNG_PORT), 0);
    EXPECT_EQ(GetOutQLen(LEITUNG_PORT), 0);
    EXPECT_EQ(WaitOutQEmpty(LEITUNG_PORT, 0.05), 0);
    ASSERT_EQ(Rs232TestSetOutQStuck(LEITUNG_PORT, 0), 0);
    EXPECT_TRUE(RahmenVorMarke().empty());
}

TEST_F(Seriell, TheTimeOutIsPerPortAndValidated) {
    EXPECT_EQ(ZEMVKR3X_Timeout(LEITUNG_PORT, -1.0), -111005);
    EXPECT_DOUBLE_EQ(GetComTime(LEITUNG_PORT), LEITUNG_TIMEOUT) << "a refused time-out changes nothing";
    EXPECT_EQ(GetComBaudRate(LEITUNG_PORT), 115200);
    EXPECT_EQ(ZEMVKR3X_Close(LEITUNG_PORT), 0);
    EXPECT_EQ(GetComBaudRate(LEITUNG_PORT), 0);
    EXPECT_EQ(ZEMVKR3X_Close(LEITUNG_PORT), -103004) << "closed twice";
    ASSERT_EQ(ZEMVKR3X_Open(LEITUNG_PORT, 9600), 0) << "the line can be opened again";
    EXPECT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', "start"), 0);
}

TEST_F(Seriell, APortOpensItsVariableElseItsBindingElseItsDefaultDevice) {
    const std::string leitung = qEnvironmentVariable("VKR3X_COM1").toStdString();
    ASSERT_EQ(ZEMVKR3X_Close(LEITUNG_PORT), 0); // COM 2 takes the line over
    const std::string vorgabe = QFileInfo::exists("/dev/ttyUSB1") ? "/dev/ttyUSB1" : "/dev/ttyS1";
    const struct {
        const char* name;
        const char* variable; // VKR3X_COM2
        const char* bindung;
        std::string geraet;
        int herkunft;
    } faelle[] = {
        {"default mapping", nullptr, nullptr, vorgabe, RS232_HERKUNFT_VORGABE},
        {"binding", nullptr, leitung.c_str(), leitung, RS232_HERKUNFT_BINDUNG},
        {"variable before binding", leitung.c_str(), "/nonexistent/tty", leitung, RS232_HERKUNFT_UMGEBUNG},
        {"variable", leitung.c_str(), nullptr, leitung, RS232_HERKUNFT_UMGEBUNG},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.variable)
            qputenv("VKR3X_COM2", f.variable);
        else
            qunsetenv("VKR3X_COM2");
        ASSERT_EQ(Rs232BindungSetzen(2, f.bindung), 0);
        Rs232Portinfo info;
        ASSERT_EQ(Rs232PortinfoLesen(2, &info), 0);
        EXPECT_EQ(info.geraet, f.geraet);
        EXPECT_EQ(info.herkunft, f.herkunft);
        if (f.geraet != leitung) continue;
        // A pseudo-terminal refuses the low-latency request; the port works all the same.
        ASSERT_EQ(ZEMVKR3X_Open(2, 115200), 0);
        ZEMVKR3X_Timeout(2, LEITUNG_TIMEOUT);
        char kennung[ZEMVKR3X_ID_BYTES];
        EXPECT_EQ(ZEMVKR3X_IDLesen(2, '1', kennung), 0);
        ASSERT_EQ(Rs232PortinfoLesen(2, &info), 0);
        EXPECT_FALSE(info.niedrigeLatenz);
        EXPECT_EQ(info.latenzMs, -1);
        EXPECT_EQ(ZEMVKR3X_Close(2), 0);
    }
    qunsetenv("VKR3X_COM2");
    Rs232BindungSetzen(2, nullptr);
    EXPECT_EQ(Rs232BindungSetzen(2, "/dev/tty\nUSB0"), RS232_ERR_ARGUMENT) << "would break the settings file";
    EXPECT_EQ(Rs232BindungSetzen(9, "/dev/ttyUSB0"), RS232_ERR_PORT_NUMBER);
    std::string gebunden = "?";
    EXPECT_EQ(Rs232BindungLesen(2, &gebunden), 0);
    EXPECT_EQ(gebunden, "");
    ASSERT_EQ(ZEMVKR3X_Open(LEITUNG_PORT, 115200), 0);
}

} // namespace
