#include "tests/device/simulator_leitung.h"

#include "device/zemvkr3x.h"

#include <QByteArray>

void SimulatorLeitung::SetUp() {
    sim.addDevice('1', vkr3xsim::DeviceKind::VersionB);
    const std::string pfad = sim.open();
    ASSERT_FALSE(pfad.empty());
    sim.start();
    qputenv("VKR3X_COM1", QByteArray::fromStdString(pfad));
    ASSERT_EQ(ZEMVKR3X_Open(LEITUNG_PORT, 115200), 0);
    ASSERT_EQ(ZEMVKR3X_Timeout(LEITUNG_PORT, LEITUNG_TIMEOUT), 0);
}

void SimulatorLeitung::TearDown() {
    ZEMVKR3X_Close(LEITUNG_PORT);
    sim.stop();
    qunsetenv("VKR3X_COM1");
}

std::vector<std::string> SimulatorLeitung::Rahmen(size_t n) {
    sim.waitForFrames(n, 2000);
    return sim.frames();
}

std::vector<std::string> SimulatorLeitung::RahmenVorMarke() {
    sim.clearFaults();
    char id[ZEMVKR3X_ID_BYTES];
    EXPECT_EQ(ZEMVKR3X_IDLesen(LEITUNG_PORT, '1', id), 0);
    std::vector<std::string> rahmen = sim.frames();
    EXPECT_FALSE(rahmen.empty());
    if (rahmen.empty()) return rahmen;
    EXPECT_EQ(rahmen.back(), "#1IDR\r");
    rahmen.pop_back();
    return rahmen;
}

GeskriptetAntwort::GeskriptetAntwort(vkr3xsim::Simulator& sim, const std::string& bytes) {
    const size_t schon = sim.frames().size();
    sim.addFault({0, "", vkr3xsim::FaultKind::Silence, 1});
    helfer = std::thread([&sim, schon, bytes] {
        if (sim.waitForFrames(schon + 1, 2000)) sim.sendRaw(bytes);
    });
}

GeskriptetAntwort::~GeskriptetAntwort() {
    helfer.join();
}

std::string Ack(const std::string& zeile) {
    return std::string(1, '\x06') + zeile;
}
