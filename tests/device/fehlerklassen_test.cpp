// Every failure class of every command, with the exact code each one returns.
#include "device/zemvkr3x.h"
#include "platform/rs232.h"
#include "tests/device/simulator_leitung.h"

#include <QElapsedTimer>
#include <QThread>

#include <string>

namespace {

using namespace std::string_literals;
using vkr3xsim::FaultKind;
using Fehlerklassen = SimulatorLeitung;

enum class Befehl { Schreiben, Lesen, Identitaet, Funktion, Schluessel, Seed, Status };

struct BefehlInfo {
    const char* name;
    const char* passt; // frame text after "#" and the address
};

BefehlInfo Info(Befehl b) {
    switch (b) {
    case Befehl::Schreiben:
        return {"ParameterSchreiben strom1", "C1W"};
    case Befehl::Lesen:
        return {"ParameterLesen strom1", "C1R"};
    case Befehl::Identitaet:
        return {"IDLesen", "IDR"};
    case Befehl::Funktion:
        return {"DeviceFunction start", "DF1"};
    case Befehl::Schluessel:
        return {"KalibrierParameterSchreiben key1", "S0W"};
    case Befehl::Seed:
        return {"KalibrierParameterLesen seed", "S0R"};
    case Befehl::Status:
        return {"ZEMPLW1_StatusLesen 1", "S1R"};
    }
    return {"?", "?"};
}

int Ausfuehren(Befehl b) {
    double wert = 0;
    int ganz = 0;
    uint64_t seed = 0;
    char id[ZEMVKR3X_ID_BYTES];
    switch (b) {
    case Befehl::Schreiben:
        return ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "strom1", 0.5, 0, 0);
    case Befehl::Lesen:
        return ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "strom1", &wert, &ganz, nullptr);
    case Befehl::Identitaet:
        return ZEMVKR3X_IDLesen(LEITUNG_PORT, '1', id);
    case Befehl::Funktion:
        return ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', "start");
    case Befehl::Schluessel:
        return ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key1", 0.0, 7, 0);
    case Befehl::Seed:
        return ZEMVKR3X_KalibrierParameterLesen(LEITUNG_PORT, '1', "seed", &wert, &ganz, &seed, nullptr);
    case Befehl::Status:
        return ZEMPLW1_StatusLesen(LEITUNG_PORT, '1', 1, &ganz);
    }
    return 1;
}

struct FehlerFall {
    Befehl befehl;
    FaultKind fehler;
    int code;
};

TEST_F(Fehlerklassen, AcknowledgementFaultsGiveTheCodesOfEachCommand) {
    const FehlerFall faelle[] = {
        {Befehl::Schreiben, FaultKind::Nak, -402051},
        {Befehl::Schreiben, FaultKind::Can, -405052},
        {Befehl::Schreiben, FaultKind::Silence, -403053},
        {Befehl::Schreiben, FaultKind::GarbageAck, -404054},
        {Befehl::Schreiben, FaultKind::TopBitAck, -403053},
        {Befehl::Lesen, FaultKind::Nak, -402099},
        {Befehl::Lesen, FaultKind::Can, -405100},
        {Befehl::Lesen, FaultKind::Silence, -403101},
        {Befehl::Lesen, FaultKind::GarbageAck, -404102},
        {Befehl::Lesen, FaultKind::TopBitAck, -403101},
        {Befehl::Identitaet, FaultKind::Nak, -402010},
        {Befehl::Identitaet, FaultKind::Can, -405011},
        {Befehl::Identitaet, FaultKind::Silence, -403012},
        {Befehl::Identitaet, FaultKind::GarbageAck, -404013},
        {Befehl::Identitaet, FaultKind::TopBitAck, -403012},
        {Befehl::Funktion, FaultKind::Nak, -402021},
        {Befehl::Funktion, FaultKind::Can, -405022},
        {Befehl::Funktion, FaultKind::Silence, -403023},
        {Befehl::Funktion, FaultKind::GarbageAck, -404024},
        {Befehl::Funktion, FaultKind::TopBitAck, -403023},
        {Befehl::Schluessel, FaultKind::Nak, -402051},
        {Befehl::Schluessel, FaultKind::Can, -405052},
        {Befehl::Schluessel, FaultKind::Silence, -403053},
        {Befehl::Schluessel, FaultKind::GarbageAck, -404054},
        {Befehl::Schluessel, FaultKind::TopBitAck, -403053},
        {Befehl::Seed, FaultKind::Nak, -402099},
        {Befehl::Seed, FaultKind::Can, -405100},
        {Befehl::Seed, FaultKind::Silence, -403101},
        {Befehl::Seed, FaultKind::GarbageAck, -404102},
        {Befehl::Seed, FaultKind::TopBitAck, -403101},
        {Befehl::Status, FaultKind::Nak, -402115},
        {Befehl::Status, FaultKind::Can, -405116},
        {Befehl::Status, FaultKind::Silence, -403117},
        {Befehl::Status, FaultKind::GarbageAck, -404118},
        {Befehl::Status, FaultKind::TopBitAck, -403117},
    };
    for (const FehlerFall& f : faelle) {
        const BefehlInfo info = Info(f.befehl);
        sim.addFault({0, info.passt, f.fehler, 1});
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << info.name << " fault " << static_cast<int>(f.fehler);
        sim.clearFaults();
        EXPECT_EQ(Ausfuehren(f.befehl), 0) << info.name << ": the port stays usable after a failure";
    }
}

TEST_F(Fehlerklassen, AnswerLineFaultsGiveTheCodesOfEachCommand) {
    const FehlerFall faelle[] = {
        {Befehl::Lesen, FaultKind::ErrLine, -409000},        {Befehl::Lesen, FaultKind::BadValue, -404105},
        {Befehl::Lesen, FaultKind::WrongEcho, -404104},      {Befehl::Lesen, FaultKind::NoCr, 0},
        {Befehl::Identitaet, FaultKind::WrongEcho, -404015}, {Befehl::Identitaet, FaultKind::NoCr, -404015},
        {Befehl::Seed, FaultKind::WrongEcho, -404104},       {Befehl::Seed, FaultKind::BadValue, -404109},
        {Befehl::Seed, FaultKind::ErrLine, -404109},         {Befehl::Seed, FaultKind::NoCr, -404103},
        {Befehl::Status, FaultKind::WrongEcho, -404120},     {Befehl::Status, FaultKind::BadValue, -404120},
        {Befehl::Status, FaultKind::ErrLine, -404120},       {Befehl::Status, FaultKind::NoCr, -404120},
    };
    for (const FehlerFall& f : faelle) {
        const BefehlInfo info = Info(f.befehl);
        sim.addFault({0, info.passt, f.fehler, 1});
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << info.name << " fault " << static_cast<int>(f.fehler);
        sim.clearFaults();
    }
}

TEST_F(Fehlerklassen, UnconvertibleValuesGiveTheCodeOfTheirAnswerKind) {
    const struct {
        const char* name;
        const char* passt;
        int code;
    } faelle[] = {
        {"strom1", "C1R", -404105},
        {"stromkurve", "WFR", -404106},
        {"status", "S0R", -404109},
    };
    for (const auto& f : faelle) {
        sim.addFault({0, f.passt, FaultKind::BadValue, 1});
        double wert = 0;
        int ganz = 0;
        EXPECT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', f.name, &wert, &ganz, nullptr), f.code)
            << f.name;
    }
}

TEST_F(Fehlerklassen, ATimeOutInsideTheAnswerLineIsAWrongAnswer) {
    const FehlerFall faelle[] = {
        {Befehl::Lesen, FaultKind::Silence, -404103},
        {Befehl::Identitaet, FaultKind::Silence, -404014},
        {Befehl::Seed, FaultKind::Silence, -404103},
        {Befehl::Status, FaultKind::Silence, -404119},
    };
    for (const FehlerFall& f : faelle) {
        GeskriptetAntwort antwort(sim, Ack("#1C1R0.5"));
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << Info(f.befehl).name;
    }
}

struct ZeilenFall {
    const char* name;
    char adresse;
    std::string zeile;
    int code;
    double wert;
};

TEST_F(Fehlerklassen, ParameterAnswerLinesAreCheckedAndConverted) {
    const ZeilenFall faelle[] = {
        {"status", '1', "#1S0R1A0F\r", 0, 0x1A0F},
        {"strom1", '1', "#1C1R0.5\r", 0, 0.5},
        {"strom1", '1', "#1C1R2\r", 0, 2.0},
        {"stromkurve", '1', "#1WFR2\r", 0, 2},
        {"stromkurve", '1', "#1WFR2.0\r", 0, 2}, // as "%d": the number that starts the text
        {"stromkurve", '1', "#1WFR x\r", -404106, 0},
        {"strom1", '1', "#1C1Rerr\r", -409000, 0},
        {"strom1", '1', "#1C1R err\r", -404105, 0},
        {"strom1", '1', "#1C1Rerr", -404103, 0}, // no CR: the line times out
        {"strom1", '1', "#1C2R0.5\r", -404104, 0},
        {"strom1", '1', "#2C1R0.5\r", -404104, 0},
        {"strom1", '1', "#1C1\r", -404104, 0},
        {"strom1", '1', "#1C1R\r", -404105, 0},
        // leading white space is skipped, text after the number ignored
        {"strom1", '1', "#1C1R0.5?\r", 0, 0.5},
        {"strom1", '1', "#1C1R  \t0.75\r", 0, 0.75},
        {"strom1", '1', "#1C1R 0.500x\r", 0, 0.5},
        {"status", '1', "#1S0R 1A0Fzz\r", 0, 0x1A0F},
        {"status", '1', "#1S0Rzz\r", -404109, 0},
        // the line is a string: a NUL byte ends it
        {"strom1", '1',
         "#1C1R0.5\0"s
         "9\r",
         0, 0.5},
        {"strom1", '1',
         "#1C1R\0"s
         "0.5\r",
         -404105, 0},
        {"strom1", '1',
         "#1C1\0"s
         "R0.5\r",
         -404104, 0},
        // without CR among its first 29 bytes a line is parsed as far as it goes
        {"strom1", '1', "#1C1R0.25" + std::string(30, ' '), 0, 0.25},
        {"strom1", '1', "#1C1R0.25" + std::string(19, ' ') + "x", 0, 0.25},
    };
    for (const ZeilenFall& f : faelle) {
        double wert = -1;
        int ganz = -1;
        {
            GeskriptetAntwort antwort(sim, Ack(f.zeile));
            EXPECT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, f.adresse, f.name, &wert, &ganz, nullptr), f.code)
                << f.zeile;
        }
        if (f.code == 0 && std::string(f.name) == "strom1") {
            EXPECT_DOUBLE_EQ(wert, f.wert) << f.zeile;
        }
        if (f.code == 0 && std::string(f.name) != "strom1") {
            EXPECT_EQ(ganz, static_cast<int>(f.wert)) << f.zeile;
        }
    }
}

TEST_F(Fehlerklassen, IdentityLinesMustEchoTheAddressAndEndWithCr) {
    const struct {
        char adresse;
        std::string zeile;
        int code;
        const char* id;
    } faelle[] = {
        {'2', "#2ZEM VKR3AX2b V2.01\r", 0, "ZEMVKR3AX2bV2.01"},
        {'3', "#2ZEM VKR3AX2b V2.01\r", -404015, ""},
        {'1', "#1" + std::string(27, 'A'), -404015, ""},
        {'1', "#1" + std::string(26, 'A') + "\r", 0, "AAAAAAAAAAAAAAAAAAAAAAAAAA"},
        {'1', "#1\r", -404015, ""},
        {'1', "#1ZEM\tX\r", -404015, ""},
        {'1', "#1  ZEM X\r", 0, "ZEMX"},
        {'1', "#1ZEM\0VKR\r"s, -404015, ""}, // the NUL ends the line before its CR
        {'1', "#1\0ZEM\r"s, -404015, ""},
        {'1', "*1ZEM\r", -404015, ""},
    };
    for (const auto& f : faelle) {
        char id[ZEMVKR3X_ID_BYTES] = "";
        GeskriptetAntwort antwort(sim, Ack(f.zeile));
        EXPECT_EQ(ZEMVKR3X_IDLesen(LEITUNG_PORT, f.adresse, id), f.code) << f.zeile;
        if (f.code == 0) {
            EXPECT_STREQ(id, f.id);
        }
    }
}

// Scanned like "%8x%8x%8x%6x": white space before a field is skipped, a field ends early at a
// character that cannot continue it, and text after the fourth field is ignored.
TEST_F(Fehlerklassen, SeedLinesNeedFourHexFields) {
    const uint64_t kSeed = 0x0123456789ABCDEFull;
    const struct {
        std::string ziffern;
        int code;
        uint64_t seed;
    } faelle[] = {
        {"0123456789ABCDEF00000000000000\r", 0, kSeed},
        {"00000000000000000000000100000\r", 0, 1ull << 32}, // 29 digits: g4 ends early
        {"0123456789ABCDEF000000000000001\r", 0, kSeed},    // 31 digits: the last one ignored
        {"0123456789ABCDEF00000000000000xyz\r", 0, kSeed},
        {"01234567 89ABCDEF\t00000000 000000\r", 0, kSeed},
        {"123 4567 89AB CDEF\r", 0, ((0x123ull << 32) + 0x4567) ^ ((0x89ABull << 32) + (0xCDEFull << 8))},
        {"000000000000000000000001\r", -404109, 0}, // 24 digits: three fields only
        {"0123456789ABCDEF\0"s
         "00000000000000\r",
         -404109, 0},
        {"0123456789ABCDEF00000000 \r", -404109, 0},
        {"G123456789ABCDEF00000000000000\r", -404109, 0},
        {"\r", -404109, 0},
    };
    for (const auto& f : faelle) {
        uint64_t seed = 0;
        GeskriptetAntwort antwort(sim, Ack("#qS0R" + f.ziffern));
        EXPECT_EQ(
            ZEMVKR3X_KalibrierParameterLesen(LEITUNG_PORT, '1', "seed", nullptr, nullptr, &seed, nullptr),
            f.code)
            << f.ziffern;
        EXPECT_EQ(seed, f.seed) << f.ziffern;
    }
}

TEST_F(Fehlerklassen, SiblingStatusLinesAreCheckedItemByItem) {
    const struct {
        int typ;
        std::string zeile;
        int code;
        int status;
    } faelle[] = {
        {1, "#1S1R5\r", 0, 5},         {1, "#1S1RFF\r", 0, 255},     {2, "#1S2R0a\r", 0, 10},
        {1, "#1S2R05\r", -404121, 0},  {2, "#1S1R05\r", -404122, 0}, {1, "#1S1R\r", -404120, 0},
        {1, "#1S1R123\r", -404120, 0}, {1, "#2S1R05\r", -404120, 0}, {1, "#1S1X05\r", -404120, 0},
        {1, "#1S1R05", -404119, 0},    {1, "#1S1R 5\r", 0, 5},       {1, "#1S1\0R05\r"s, -404120, 0},
    };
    for (const auto& f : faelle) {
        int status = -1;
        {
            GeskriptetAntwort antwort(sim, Ack(f.zeile));
            EXPECT_EQ(ZEMPLW1_StatusLesen(LEITUNG_PORT, '1', f.typ, &status), f.code) << f.zeile;
        }
        if (f.code == 0) {
            EXPECT_EQ(status, f.status) << f.zeile;
        }
    }
}

TEST_F(Fehlerklassen, StaleBytesNeverCountAsTheAnswer) {
    // A late acknowledgement waiting in the system's input queue ...
    sim.sendRaw("\x06");
    QThread::msleep(100);
    sim.addFault({0, "C1W", FaultKind::Silence, 1});
    EXPECT_EQ(Ausfuehren(Befehl::Schreiben), -403053);

    // ... and one already taken into the port layer's buffer with the previous answer.
    {
        GeskriptetAntwort antwort(sim, Ack("#1C1R0.5\r") + "\x06");
        EXPECT_EQ(Ausfuehren(Befehl::Lesen), 0);
    }
    QThread::msleep(100);
    sim.addFault({0, "DF1", FaultKind::Silence, 1});
    EXPECT_EQ(Ausfuehren(Befehl::Funktion), -403023);
}

TEST_F(Fehlerklassen, AFrameThatNeverLeavesEndsWithTheWriteCode) {
    const struct {
        Befehl befehl;
        int code;
    } faelle[] = {
        {Befehl::Schreiben, -101049}, {Befehl::Lesen, -101097},      {Befehl::Identitaet, -101008},
        {Befehl::Funktion, -101019},  {Befehl::Schluessel, -101049}, {Befehl::Seed, -101097},
        {Befehl::Status, -101113},
    };
    ASSERT_EQ(Rs232TestSetOutQStuck(LEITUNG_PORT, 1), 0);
    for (const auto& f : faelle) {
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << Info(f.befehl).name;
        // bound: the frame's time at 115200 baud (well below 1 ms) plus the port time-out
        EXPECT_GE(uhr.elapsed(), static_cast<qint64>(1000 * LEITUNG_TIMEOUT) - 5);
        EXPECT_LT(uhr.elapsed(), static_cast<qint64>(1000 * LEITUNG_TIMEOUT) + 400);
    }
    ASSERT_EQ(Rs232TestSetOutQStuck(LEITUNG_PORT, 0), 0);
    EXPECT_TRUE(RahmenVorMarke().empty()) << "no stuck frame may reach the line";
}

TEST_F(Fehlerklassen, AHangUpEndsTheExchangeWithoutWaitingOutTheTimeOut) {
    ASSERT_EQ(ZEMVKR3X_Timeout(LEITUNG_PORT, 3.0), 0);
    sim.addFault({0, "C1R", FaultKind::HangUp, 1});
    QElapsedTimer uhr;
    uhr.start();
    // The line may vanish while the frame is still leaving (write code) or while the
    // acknowledgement is awaited (no answer); either way at once.
    const int code = Ausfuehren(Befehl::Lesen);
    EXPECT_TRUE(code == -403101 || code == -101097) << code;
    EXPECT_NE(Ausfuehren(Befehl::Schreiben), 0) << "the line is gone";
    EXPECT_LT(uhr.elapsed(), 2000);
}

struct ZeitFall {
    Befehl befehl;
    FaultKind fehler;
    int millisekunden;
    int bytes;
    int code;
};

// Late, slow and flooding answers: each ends in its code, and once the simulator has put the
// whole answer on the line the next exchange is not disturbed by its remains.
TEST_F(Fehlerklassen, LateSlowAndFloodingAnswersEndInTheirCodes) {
    const ZeitFall faelle[] = {
        {Befehl::Lesen, FaultKind::Delay, 50, 0, 0}, // within the time-out of 100 ms
        {Befehl::Lesen, FaultKind::Delay, 200, 0, -403101},
        {Befehl::Schreiben, FaultKind::Delay, 200, 0, -403053},
        {Befehl::Identitaet, FaultKind::Trickle, 20, 0, 0}, // each byte within the time-out
        {Befehl::Funktion, FaultKind::Trickle, 150, 0, -403023},
        {Befehl::Lesen, FaultKind::Flood, 0, 2000, -404104}, // 29 bytes taken, no echo in them
        {Befehl::Identitaet, FaultKind::Flood, 0, 2000, -404015},
        {Befehl::Seed, FaultKind::Flood, 0, 2000, -404104},
        {Befehl::Status, FaultKind::Flood, 0, 2000, -404120},
        {Befehl::Schreiben, FaultKind::Flood, 0, 2000, 0}, // acknowledged; the rest is flushed
    };
    for (const ZeitFall& f : faelle) {
        const BefehlInfo info = Info(f.befehl);
        sim.addFault({0, info.passt, f.fehler, 1, f.millisekunden, f.bytes});
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << info.name << " fault " << static_cast<int>(f.fehler);
        if (f.fehler == FaultKind::Delay && f.code == 0) {
            EXPECT_GE(uhr.elapsed(), f.millisekunden - 1) << info.name;
        }
        ASSERT_TRUE(sim.waitForAnswersSent(3000));
        EXPECT_EQ(Ausfuehren(f.befehl), 0) << info.name << ": after the late answer";
    }
}

// A line that breaks off after half of its bytes: the read inside the line fails at once.
TEST_F(Fehlerklassen, AHangUpInsideTheAnswerLineIsAWrongAnswer) {
    const FehlerFall faelle[] = {
        {Befehl::Lesen, FaultKind::HangUpInLine, -404103},
        {Befehl::Identitaet, FaultKind::HangUpInLine, -404014},
        {Befehl::Seed, FaultKind::HangUpInLine, -404103},
        {Befehl::Status, FaultKind::HangUpInLine, -404119},
    };
    ASSERT_EQ(ZEMVKR3X_Timeout(LEITUNG_PORT, 3.0), 0);
    for (const FehlerFall& f : faelle) {
        // The line is gone afterwards: every case gets a simulator of its own.
        vkr3xsim::Simulator eigener;
        eigener.addDevice('1', vkr3xsim::DeviceKind::VersionB);
        const std::string pfad = eigener.open();
        ASSERT_FALSE(pfad.empty());
        eigener.start();
        qputenv("VKR3X_COM1", QByteArray::fromStdString(pfad));
        ASSERT_EQ(ZEMVKR3X_Open(LEITUNG_PORT, 115200), 0);
        ASSERT_EQ(ZEMVKR3X_Timeout(LEITUNG_PORT, 3.0), 0);
        eigener.addFault({0, Info(f.befehl).passt, f.fehler, 1});
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_EQ(Ausfuehren(f.befehl), f.code) << Info(f.befehl).name;
        EXPECT_LT(uhr.elapsed(), 2000) << "not the time-out of 3 s";
        ZEMVKR3X_Close(LEITUNG_PORT);
        eigener.stop();
    }
}

} // namespace
