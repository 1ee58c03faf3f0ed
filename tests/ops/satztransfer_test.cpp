// Whole parameter sets to and from a simulated regulator, frame by frame.
#include "device/zemvkr3x.h"
#include "ops/com.h"
#include "ops/satztransfer.h"
#include "tests/device/simulator_leitung.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using vkr3xsim::FaultKind;

class Satztransfer : public SimulatorLeitung {
  protected:
    void SetUp() override {
        SimulatorLeitung::SetUp();
        ComStrukturInitialisieren();
        gCom.portOffen = LEITUNG_PORT;
        gCom.adresse = '1';
    }
};

Parametersatz Beispielsatz() {
    Parametersatz p;
    std::memset(&p, 0, sizeof(p));
    p.stromkurve = 9;
    p.strom1 = 1.25;
    p.strom2 = 2.5;
    p.zeit1 = 100;
    p.zeit2 = 200;
    p.zeit3 = 0;
    p.zeit4 = 400;
    p.frequenz = 2000;
    p.spannung = 24.5;
    p.zyklen = 7;
    p.endstuferegeln = 1;
    p.reglerkp = 55;
    p.reglerki = 33;
    p.reglergain = 77;
    p.dithertyp = 2;
    p.ditherfrequenz = 150;
    p.ditherstrom = -0.001;
    p.rfwv_always_on = 1;
    p.rfwv_automatic_mode = 0;
    p.rfwv_auto_ac_gain = 12.5;
    p.rfwv_auto_ac_filter_freq = 250;
    p.rfwv_jump_to_0_on = 1;
    p.rfwv_current_step_on = 0;
    p.rfwv_current_step_value = 0.75;
    p.rfwv_enable_time = 15;
    p.rfwv_value = 30;
    for (int i = 0; i < 10; ++i) {
        p.dithtable_pwmcurr[i] = 0.1 * (i + 1);
        p.dithtable_dithamp[i] = 0.05 * (i + 1);
    }
    p.strom_step = 0.5; // never transferred
    p.reserviert = 1.0; // never transferred
    return p;
}

// The frames of writing Beispielsatz, in the order the regulator must see them.
// clang-format off
const std::vector<std::string> kSchreibRahmen = {
    "#1WFW9\r",     "#1C1W1.250\r", "#1C2W2.500\r", "#1T1W100\r",    "#1T2W200\r",   "#1T3W0\r",
    "#1T4W400\r",   "#1F1W2000\r",  "#1V1W24.5\r",  "#1L1W7\r",      "#1M1W1\r",     "#1A2W55\r",
    "#1A3W33\r",    "#1A5W77\r",    "#1D1W2\r",     "#1D2W150.0\r",  "#1D3W-0.001\r",
    "#1P4W1\r",     "#1P5W0\r",     "#1P6W12.50\r", "#1P7W250\r",    "#1P8W1\r",     "#1P9W0\r",
    "#1PaW0.750\r", "#1PbW15\r",    "#1PcW30.0\r",
    "#1X1W0.100\r", "#1X2W0.200\r", "#1X3W0.300\r", "#1X4W0.400\r",  "#1X5W0.500\r",
    "#1X6W0.600\r", "#1X7W0.700\r", "#1X8W0.800\r", "#1X9W0.900\r",  "#1XaW1.000\r",
    "#1Y1W0.050\r", "#1Y2W0.100\r", "#1Y3W0.150\r", "#1Y4W0.200\r",  "#1Y5W0.250\r",
    "#1Y6W0.300\r", "#1Y7W0.350\r", "#1Y8W0.400\r", "#1Y9W0.450\r",  "#1YaW0.500\r",
};
// clang-format on

// The reads of a set after "programmladen", in order.
// clang-format off
const std::vector<std::string> kLeseRahmen = {
    "#1WFR\r", "#1C1R\r", "#1C2R\r", "#1T1R\r", "#1T2R\r", "#1T3R\r", "#1T4R\r", "#1F1R\r",
    "#1V1R\r", "#1L1R\r", "#1A2R\r", "#1A3R\r", "#1A5R\r", "#1M1R\r", "#1S3R\r", "#1D1R\r",
    "#1D2R\r", "#1D3R\r", "#1P4R\r", "#1P5R\r", "#1P6R\r", "#1P7R\r", "#1P8R\r", "#1P9R\r",
    "#1PaR\r", "#1PbR\r", "#1PcR\r", "#1X1R\r", "#1X2R\r", "#1X3R\r", "#1X4R\r", "#1X5R\r",
    "#1X6R\r", "#1X7R\r", "#1X8R\r", "#1X9R\r", "#1XaR\r", "#1Y1R\r", "#1Y2R\r", "#1Y3R\r",
    "#1Y4R\r", "#1Y5R\r", "#1Y6R\r", "#1Y7R\r", "#1Y8R\r", "#1Y9R\r", "#1YaR\r",
};
// clang-format on

std::vector<std::string> MitAdresse(std::vector<std::string> rahmen, char adresse) {
    for (std::string& r : rahmen)
        r[1] = adresse;
    return rahmen;
}

TEST_F(Satztransfer, WritingAProgramSendsEveryFieldInTheFixedOrderAndStoresIt) {
    const Parametersatz satz = Beispielsatz();
    const double program4 = sim.programValue('1', 4, "strom1");
    ASSERT_EQ(ParametersatzSchreiben(5, &satz), 0);
    std::vector<std::string> erwartet = kSchreibRahmen;
    erwartet.push_back("#1PNP5\r");
    EXPECT_EQ(Rahmen(erwartet.size()), erwartet);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 5, "strom1"), 1.25);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 5, "ditherstrom"), -0.001);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 5, "dithtable_dithamp10"), 0.5);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 4, "strom1"), program4) << "other programs stay as they were";
}

TEST_F(Satztransfer, WritingTheWorkingSetStoresNoProgram) {
    const Parametersatz satz = Beispielsatz();
    ASSERT_EQ(ParametersatzSchreiben(0, &satz), 0);
    EXPECT_EQ(Rahmen(kSchreibRahmen.size()), kSchreibRahmen);
    EXPECT_DOUBLE_EQ(sim.value('1', "zeit4"), 400);
}

TEST_F(Satztransfer, ReadingAProgramLoadsItAndFillsEveryField) {
    const Parametersatz quelle = Beispielsatz();
    ASSERT_EQ(ParametersatzSchreiben(3, &quelle), 0);
    sim.clearFrames();
    sim.setValue('1', "strom1", 4.0); // working parameters differ from program 3

    Parametersatz satz;
    std::memset(&satz, 0, sizeof(satz));
    ASSERT_EQ(ParametersatzLesen(3, &satz), 0);
    std::vector<std::string> erwartet = {"#1PNS3\r"};
    erwartet.insert(erwartet.end(), kLeseRahmen.begin(), kLeseRahmen.end());
    EXPECT_EQ(Rahmen(erwartet.size()), erwartet);

    EXPECT_EQ(satz.stromkurve, 9);
    EXPECT_DOUBLE_EQ(satz.strom1, 1.25);
    EXPECT_DOUBLE_EQ(satz.zeit4, 400);
    EXPECT_DOUBLE_EQ(satz.spannung, 24.5);
    EXPECT_EQ(satz.endstuferegeln, 1);
    EXPECT_DOUBLE_EQ(satz.reglergain, 77);
    EXPECT_EQ(satz.dithertyp, 2);
    EXPECT_DOUBLE_EQ(satz.ditherstrom, -0.001);
    EXPECT_EQ(satz.rfwv_jump_to_0_on, 1);
    EXPECT_DOUBLE_EQ(satz.rfwv_auto_ac_gain, 12.5);
    EXPECT_DOUBLE_EQ(satz.rfwv_value, 30);
    EXPECT_DOUBLE_EQ(satz.dithtable_pwmcurr[9], 1.0);
    EXPECT_DOUBLE_EQ(satz.dithtable_dithamp[2], 0.15);
    EXPECT_DOUBLE_EQ(satz.status_stromaktiv, 1.0);
    EXPECT_EQ(satz.strom_step, 0.0) << "not a device parameter";
    EXPECT_EQ(satz.reserviert, 0.0) << "not a device parameter";
}

TEST_F(Satztransfer, AnOlderRegulatorsRefusalsArePassedOverAndLeaveTheFields) {
    sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
    gCom.adresse = '2';
    Parametersatz satz = Beispielsatz();
    satz.strom1 = 5.5;
    ASSERT_EQ(ParametersatzLesen(0, &satz), 0);
    EXPECT_DOUBLE_EQ(satz.strom1, 1.0) << "basic fields come from the regulator";
    EXPECT_DOUBLE_EQ(satz.rfwv_auto_ac_gain, 12.5) << "refused fields keep their contents";
    EXPECT_EQ(satz.rfwv_always_on, 1);
    EXPECT_DOUBLE_EQ(satz.dithtable_dithamp[9], 0.5);
    EXPECT_EQ(Rahmen(kLeseRahmen.size()), MitAdresse(kLeseRahmen, '2'));

    sim.clearFrames();
    const Parametersatz neu = Beispielsatz();
    ASSERT_EQ(ParametersatzSchreiben(4, &neu), 0);
    std::vector<std::string> erwartet = MitAdresse(kSchreibRahmen, '2');
    erwartet.push_back("#2PNP4\r");
    EXPECT_EQ(Rahmen(erwartet.size()), erwartet);
}

TEST_F(Satztransfer, AnyOtherFailureEndsTheTransferAtOnce) {
    const struct {
        bool schreiben;
        const char* passt;
        FaultKind fehler;
        int code;
        size_t rahmen; // frames sent, the failing one included
    } faelle[] = {
        {true, "C2W", FaultKind::Nak, -402051, 3},  // a basic value: NAK is not passed over
        {true, "P6W", FaultKind::Can, -405052, 20}, // an optional one: only NAK is
        {true, "YaW", FaultKind::GarbageAck, -404054, 46}, {true, "PNP", FaultKind::Silence, -403053, 47},
        {false, "PNS", FaultKind::Nak, -402051, 1}, // loading the program failed
        {false, "T1R", FaultKind::Nak, -402099, 5},        {false, "D3R", FaultKind::BadValue, -404105, 19},
        {false, "X3R", FaultKind::Can, -405100, 31},       {false, "Y9R", FaultKind::ErrLine, -409000, 47},
    };
    const Parametersatz quelle = Beispielsatz();
    for (const auto& f : faelle) {
        sim.clearFrames();
        sim.addFault({0, f.passt, f.fehler, 1});
        Parametersatz satz = quelle;
        const int code = f.schreiben ? ParametersatzSchreiben(6, &satz) : ParametersatzLesen(6, &satz);
        EXPECT_EQ(code, f.code) << f.passt;
        sim.clearFaults();
        const std::vector<std::string> rahmen = RahmenVorMarke();
        ASSERT_EQ(rahmen.size(), f.rahmen) << f.passt;
        EXPECT_EQ(rahmen.back().substr(2, 3), f.passt);
    }
}

TEST_F(Satztransfer, AReadStopsWithTheFieldsBeforeTheFailureRead) {
    sim.addFault({0, "T2R", FaultKind::Can, 1});
    Parametersatz satz = Beispielsatz();
    EXPECT_EQ(ParametersatzLesen(0, &satz), -405100);
    EXPECT_DOUBLE_EQ(satz.zeit1, 1000) << "read before the failure";
    EXPECT_DOUBLE_EQ(satz.zeit2, 200) << "the failed read leaves the field";
    EXPECT_DOUBLE_EQ(satz.zeit4, 400) << "not read after the failure";
}

TEST_F(Satztransfer, ActiveCurrentReadsThreeWhenTheRegulatorCannotTell) {
    Parametersatz satz = Beispielsatz();
    ASSERT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', "stromumschaltung"), 0);
    ASSERT_EQ(ParametersatzLesen(0, &satz), 0);
    EXPECT_DOUBLE_EQ(satz.status_stromaktiv, 2.0);

    for (FaultKind fehler : {FaultKind::Nak, FaultKind::Silence, FaultKind::BadValue}) {
        sim.clearFrames();
        sim.addFault({0, "S3R", fehler, 1});
        satz.status_stromaktiv = 0.0;
        ASSERT_EQ(ParametersatzLesen(0, &satz), 0) << static_cast<int>(fehler);
        EXPECT_DOUBLE_EQ(satz.status_stromaktiv, 3.0);
        EXPECT_EQ(Rahmen(kLeseRahmen.size()).size(), kLeseRahmen.size()) << "the read went on";
    }
}

TEST_F(Satztransfer, ProgramNumbersOutsideTheSetsSendNothing) {
    const Parametersatz quelle = Beispielsatz();
    Parametersatz satz = quelle;
    EXPECT_EQ(ParametersatzSchreiben(17, &satz), -500034);
    EXPECT_EQ(ParametersatzSchreiben(-1, &satz), -500034);
    EXPECT_EQ(ParametersatzLesen(17, &satz), -500034);
    EXPECT_EQ(ParametersatzLesen(-1, &satz), -500034);
    EXPECT_EQ(std::memcmp(&satz, &quelle, sizeof(satz)), 0);
    EXPECT_TRUE(RahmenVorMarke().empty());
}

TEST_F(Satztransfer, ABroadcastWriteGoesToAllAndAReadIsRefused) {
    gCom.adresse = '&';
    const Parametersatz satz = Beispielsatz();
    ASSERT_EQ(ParametersatzSchreiben(2, &satz), 0);
    std::vector<std::string> erwartet = MitAdresse(kSchreibRahmen, '&');
    erwartet.push_back("#&PNP2\r");
    EXPECT_EQ(Rahmen(erwartet.size()), erwartet);
    EXPECT_DOUBLE_EQ(sim.programValue('1', 2, "strom2"), 2.5);

    sim.clearFrames();
    Parametersatz gelesen = satz;
    EXPECT_EQ(ParametersatzLesen(2, &gelesen), -400055);
    EXPECT_EQ(Rahmen(1), std::vector<std::string>{"#&PNS2\r"});
}

} // namespace
