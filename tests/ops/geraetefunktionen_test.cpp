// Device functions of the application: the closed-port rule and the frames they send.
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/geraetefunktionen.h"
#include "tests/device/simulator_leitung.h"

#include <string>
#include <vector>

namespace {

using Geraetefunktionen = SimulatorLeitung;

struct Funktion {
    int (*aufruf)();
    const char* name;
    const char* rahmen; // for regulator 2
};

const Funktion kFunktionen[] = {
    {Vkr3Starten, "Vkr3Starten", "#2DF1\r"},
    {Vkr3Stoppen, "Vkr3Stoppen", "#2DF2\r"},
    {Vkr3FehlerLoeschen, "Vkr3FehlerLoeschen", "#2DF3\r"},
    {Vkr3Kalibrieren, "Vkr3Kalibrieren", "#2DF4\r"},
    {Vkr3STK9Stromumschaltung, "Vkr3STK9Stromumschaltung", "#2DF5\r"},
};

TEST_F(Geraetefunktionen, WithNoPortOpenNothingIsSent) {
    ComStrukturInitialisieren();
    for (const Funktion& f : kFunktionen)
        EXPECT_EQ(f.aufruf(), -122201) << f.name;
    EXPECT_TRUE(RahmenVorMarke().empty());
}

TEST_F(Geraetefunktionen, EachSendsItsFunctionToTheConfiguredRegulator) {
    sim.addDevice('2', vkr3xsim::DeviceKind::VersionB);
    ComStrukturInitialisieren();
    gCom.portOffen = LEITUNG_PORT;
    gCom.adresse = '2';
    std::vector<std::string> erwartet;
    for (const Funktion& f : kFunktionen) {
        EXPECT_EQ(f.aufruf(), 0) << f.name;
        erwartet.push_back(f.rahmen);
    }
    EXPECT_EQ(Rahmen(erwartet.size()), erwartet);
    EXPECT_EQ(sim.activeCurrent('2'), 2);
    EXPECT_EQ(sim.activeCurrent('1'), 1) << "regulator 1 was not addressed";
}

TEST_F(Geraetefunktionen, TheDriversCodeIsReturnedUnchanged) {
    ComStrukturInitialisieren();
    gCom.portOffen = LEITUNG_PORT;
    gCom.adresse = '1';
    sim.addFault({0, "DF3", vkr3xsim::FaultKind::Nak, 1});
    EXPECT_EQ(Vkr3FehlerLoeschen(), -402021);
    sim.addFault({0, "DF4", vkr3xsim::FaultKind::Can, 1});
    EXPECT_EQ(Vkr3Kalibrieren(), -405022);
    gCom.adresse = '9';
    EXPECT_EQ(Vkr3Starten(), -400016);
    gCom.adresse = '&';
    EXPECT_EQ(Vkr3Starten(), 0);
    EXPECT_EQ(Rahmen(3).back(), "#&DF1\r");
    EXPECT_TRUE(sim.outputRunning('1'));
}

} // namespace
