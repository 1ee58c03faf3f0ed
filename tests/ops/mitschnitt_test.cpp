// The record of exchanges as the line monitor and --trace show it: rows of a set read against
// the simulator with its failures, the bounded ring, and the CSV file read back.
#include "device/mitschnitt.h"
#include "device/zemvkr3x.h"
#include "ops/aufzeichnung.h"
#include "ops/com.h"
#include "ops/mitschnitt_text.h"
#include "ops/satztransfer.h"
#include "tests/device/simulator_leitung.h"

#include <QFile>
#include <QTemporaryDir>

#include <clocale>
#include <deque>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using vkr3xsim::FaultKind;

// The recorder hands out copies; the tests keep them for as long as the test runs.
const Austauschsatz* MitschnittSatz(uint64_t nummer) {
    static std::deque<Austauschsatz> kopien;
    Austauschsatz s;
    if (!MitschnittSatzLesen(nummer, &s)) return nullptr;
    return &kopien.emplace_back(s);
}

class Mitschnitt : public SimulatorLeitung {
  protected:
    void SetUp() override {
        SimulatorLeitung::SetUp();
        ComStrukturInitialisieren();
        gCom.portOffen = LEITUNG_PORT;
        gCom.adresse = '1';
        MitschnittLeeren();
        MitschnittEin(true);
    }
    void TearDown() override {
        MitschnittEin(false);
        MitschnittLeeren();
        SimulatorLeitung::TearDown();
    }

    static std::vector<const Austauschsatz*> Saetze() {
        std::vector<const Austauschsatz*> s;
        for (uint64_t n = MitschnittErste(); n <= MitschnittLetzte(); ++n)
            s.push_back(MitschnittSatz(n));
        return s;
    }
    static MitschnittZeile Zeile(const Austauschsatz& s, int sprache = 1, bool hex = false) {
        MitschnittZeile z;
        MitschnittZeileBilden(s, sprache, hex, &z);
        return z;
    }
    // The record of the frame with this text, or null.
    static const Austauschsatz* Satz(const std::string& rahmen) {
        for (const Austauschsatz* s : Saetze())
            if (std::string(s->gesendet, s->gesendetLaenge) == rahmen) return s;
        return nullptr;
    }
};

// A set read in which an optional value is refused (passed over) and a later one is never
// answered (the read ends): every frame is one row, in the order sent, with its outcome.
TEST_F(Mitschnitt, SetReadRowsShowEachFrameWithItsOutcomeIncludingNakPassOverAndTimeOut) {
    sim.setValue('1', "strom1", 1.25);
    sim.addFault({0, "P6R", FaultKind::Nak, 1});
    sim.addFault({0, "X3R", FaultKind::Silence, 1});
    Parametersatz satz{};
    ASSERT_EQ(ParametersatzLesen(0, &satz), -403101);

    const std::vector<std::string> rahmen = sim.frames();
    const std::vector<const Austauschsatz*> saetze = Saetze();
    ASSERT_EQ(saetze.size(), rahmen.size());
    for (size_t i = 0; i < rahmen.size(); ++i)
        EXPECT_EQ(std::string(saetze[i]->gesendet, saetze[i]->gesendetLaenge), rahmen[i]) << i;
    EXPECT_EQ(rahmen.back(), "#1X3R\r") << "the read ends at the silent value";

    const struct {
        const char* rahmen;
        int sprache;
        const char* gesendet;
        const char* empfangen;
        const char* bedeutung;
        const char* ergebnis;
        int code;
    } faelle[] = {
        {"#1C1R\r", 1, "#1C1R<CR>", "<ACK>#1C1R1.250<CR>", "strom1 lesen", "Antwort 1.250", 0},
        {"#1C1R\r", 2, "#1C1R<CR>", "<ACK>#1C1R1.250<CR>", "strom1 read", "Answer 1.250", 0},
        {"#1P6R\r", 1, "#1P6R<CR>", "<NAK>", "rfwv_auto_ac_gain lesen",
         "NAK: -402099 Fehlermeldung (NAK) vom Gerät erhalten", -402099},
        {"#1X3R\r", 1, "#1X3R<CR>", "", "dithtable_pwmcurr3 lesen",
         "Zeitüberschreitung: -403101 Keine Antwort vom Gerät", -403101},
        {"#1X3R\r", 2, "#1X3R<CR>", "", "dithtable_pwmcurr3 read", "Time-out: -403101 No answer from device",
         -403101},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.rahmen);
        const Austauschsatz* s = Satz(f.rahmen);
        ASSERT_NE(s, nullptr);
        const MitschnittZeile z = Zeile(*s, f.sprache);
        EXPECT_EQ(z.spalte[SP_ADRESSE], "1");
        EXPECT_EQ(z.spalte[SP_GESENDET], f.gesendet);
        EXPECT_EQ(z.spalte[SP_EMPFANGEN], f.empfangen);
        EXPECT_EQ(z.spalte[SP_BEDEUTUNG], f.bedeutung);
        EXPECT_EQ(z.spalte[SP_ERGEBNIS], f.ergebnis);
        EXPECT_EQ(s->code, f.code);
        EXPECT_EQ(MitschnittFehlgeschlagen(*s), f.code != 0);
    }
    const Austauschsatz* p6 = Satz("#1P6R\r");
    EXPECT_EQ(Zeile(*p6, 1, true).spalte[SP_GESENDET], "23 31 50 36 52 0D");
    EXPECT_EQ(Zeile(*p6, 1, true).spalte[SP_EMPFANGEN], "15");
    EXPECT_LE(saetze.front()->zeitMs, saetze.back()->zeitMs);
    EXPECT_LE(MitschnittJetztMs() - saetze.back()->zeitMs, 5000);
}

// One exchange per fault: what came back, how the monitor names it, and the command's code
// (answers rejected after the exchange included).
TEST_F(Mitschnitt, EveryKindOfAnswerIsShownReadablyWithItsCode) {
    const struct {
        const char* match;
        FaultKind fehler;
        bool lesen;
        const char* empfangen;
        const char* ergebnisAnfang;
        int code;
    } faelle[] = {
        {"C1W", FaultKind::Can, false, "<CAN>", "CAN: -405052 ", -405052},
        {"C1W", FaultKind::TopBitAck, false, "<0x86>", "-403053 Keine Antwort", -403053},
        {"C1W", FaultKind::GarbageAck, false, "?", "-404054 Fehlerhafte", -404054},
        {"C1R", FaultKind::ErrLine, true, "<ACK>#1C1Rerr<CR>", "-409000 Gerät meldet", -409000},
        {"C1R", FaultKind::WrongEcho, true, "<ACK>#1", "-404104 Fehlerhafte", -404104},
        {"", FaultKind::Nak, false, "<NAK>", "NAK: -402051 ", -402051},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.empfangen);
        sim.addFault({0, f.match, f.fehler, 1});
        double wert = 0;
        const int code = f.lesen
                             ? ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "strom1", &wert, nullptr, nullptr)
                             : ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "strom1", 0.5, 0, 0);
        sim.clearFaults();
        EXPECT_EQ(code, f.code);
        const Austauschsatz* s = MitschnittSatz(MitschnittLetzte());
        ASSERT_NE(s, nullptr);
        const MitschnittZeile z = Zeile(*s);
        EXPECT_EQ(z.spalte[SP_EMPFANGEN].rfind(f.empfangen, 0), 0u) << z.spalte[SP_EMPFANGEN];
        EXPECT_EQ(z.spalte[SP_ERGEBNIS].rfind(f.ergebnisAnfang, 0), 0u) << z.spalte[SP_ERGEBNIS];
        EXPECT_EQ(s->code, f.code);
    }
}

// Meanings of the other commands, from the driver's own tables.
TEST_F(Mitschnitt, MeaningsNameProgramsDeviceFunctionsIdentityAndServiceSteps) {
    char id[ZEMVKR3X_ID_BYTES];
    ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "programmladen", 0, 3, 0), 0);
    ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "programmspeichern", 0, 12, 0), 0);
    ASSERT_EQ(ZEMVKR3X_ParameterSchreiben(LEITUNG_PORT, '1', "strom2", 2.5, 0, 0), 0);
    ASSERT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '1', "fehlerloeschen"), 0);
    ASSERT_EQ(ZEMVKR3X_DeviceFunction(LEITUNG_PORT, '&', "stopp"), 0);
    ASSERT_EQ(ZEMVKR3X_IDLesen(LEITUNG_PORT, '1', id), 0);
    ZEMVKR3X_KalibrierParameterSchreiben(LEITUNG_PORT, '1', "key2", 0, 4660, 0);
    const struct {
        const char* bedeutung;
        const char* bedeutungEn;
        const char* ergebnis;
    } erwartet[] = {
        {"Programm 3 laden", "Load program 3", "ACK"},
        {"Programm 12 speichern", "Store program 12", "ACK"},
        {"strom2 = 2.500", "strom2 = 2.500", "ACK"},
        {"Gerätefunktion fehlerloeschen", "Device function fehlerloeschen", "ACK"},
        {"Gerätefunktion stopp", "Device function stopp", "gesendet (an alle)"},
        {"Identität lesen", "Read identity", nullptr},
        {"Service-Modus: key2 = 4660", "Service mode: key2 = 4660", nullptr},
    };
    const std::vector<const Austauschsatz*> saetze = Saetze();
    ASSERT_EQ(saetze.size(), std::size(erwartet));
    for (size_t i = 0; i < saetze.size(); ++i) {
        EXPECT_EQ(Zeile(*saetze[i]).spalte[SP_BEDEUTUNG], erwartet[i].bedeutung);
        EXPECT_EQ(Zeile(*saetze[i], 2).spalte[SP_BEDEUTUNG], erwartet[i].bedeutungEn);
        if (erwartet[i].ergebnis) {
            EXPECT_EQ(Zeile(*saetze[i]).spalte[SP_ERGEBNIS], erwartet[i].ergebnis);
        }
    }
    std::string identitaet = Zeile(*saetze[5]).spalte[SP_ERGEBNIS];
    std::erase(identitaet, ' ');
    EXPECT_EQ(identitaet, std::string("Antwort") + id) << "the identity as the regulator sent it";
    EXPECT_EQ(Zeile(*saetze[6]).spalte[SP_ADRESSE], "1")
        << "the shifted service address shows as the device's";
}

// The ring keeps the newest 20,000 records; older ones are gone, numbering goes on.
TEST_F(Mitschnitt, RingHoldsTheLast20000Exchanges) {
    const char rahmen[] = "#1C0R\r";
    for (int i = 1; i <= 25000; ++i) {
        const std::string antwort = "\x06#1C0R" + std::to_string(i) + "\r";
        MitschnittAufnehmen(1, i, rahmen, 6, antwort.data(), static_cast<int>(antwort.size()),
                            Ausgang::Antwort, 0);
    }
    EXPECT_EQ(MitschnittLetzte(), 25000u);
    EXPECT_EQ(MitschnittErste(), 5001u);
    EXPECT_EQ(MitschnittLetzte() - MitschnittErste() + 1, static_cast<uint64_t>(MITSCHNITT_KAPAZITAET));
    EXPECT_EQ(MitschnittSatz(5000), nullptr);
    EXPECT_EQ(MitschnittSatz(25001), nullptr);
    for (uint64_t n : {5001u, 12345u, 25000u}) {
        const Austauschsatz* s = MitschnittSatz(n);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->zeitMs, static_cast<int64_t>(n));
        EXPECT_EQ(Zeile(*s).spalte[SP_ERGEBNIS], "Antwort " + std::to_string(n));
    }
    MitschnittLeeren();
    EXPECT_GT(MitschnittErste(), MitschnittLetzte());
    MitschnittEin(false);
    MitschnittAufnehmen(1, 1, rahmen, 6, "", 0, Ausgang::Zeitueberschreitung, -403101);
    EXPECT_EQ(MitschnittLetzte(), 0u) << "nothing is recorded while recording is off";
}

// Workers on two ports record at once: every record is kept whole, and an answer check marks
// the record of its own thread's exchange, never the other port's.
TEST_F(Mitschnitt, TwoPortsRecordingAtOnceKeepEachCheckWithItsOwnExchange) {
    MitschnittLeeren();
    auto arbeiter = [](int port) {
        const std::string rahmen = "#" + std::to_string(port) + "C1R\r";
        for (int i = 0; i < 4000; ++i) {
            MitschnittAufnehmen(port, i, rahmen.data(), 6, "\x06", 1, Ausgang::Antwort, 0);
            if (i % 2) MitschnittAuswertung(-404000 - port);
        }
    };
    std::thread a(arbeiter, 1), b(arbeiter, 2);
    a.join();
    b.join();
    ASSERT_EQ(MitschnittLetzte() - MitschnittErste() + 1, 8000u);
    int markiert[3] = {};
    for (uint64_t n = MitschnittErste(); n <= MitschnittLetzte(); ++n) {
        const Austauschsatz* s = MitschnittSatz(n);
        ASSERT_EQ(s->gesendet[1], '0' + s->port);
        ASSERT_EQ(s->zeitMs % 2 != 0, s->code != 0) << n;
        if (s->code != 0) {
            EXPECT_EQ(s->code, -404000 - s->port) << n;
            ++markiert[s->port];
        }
    }
    EXPECT_EQ(markiert[1], 2000);
    EXPECT_EQ(markiert[2], 2000);
}

// Splits one CSV line (RFC 4180 quoting, no line breaks inside fields).
std::vector<std::string> CsvFelder(const std::string& zeile) {
    std::vector<std::string> felder(1);
    bool zitat = false;
    for (size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (zitat && c == '"' && i + 1 < zeile.size() && zeile[i + 1] == '"') {
            felder.back() += '"';
            ++i;
        } else if (c == '"') {
            zitat = !zitat;
        } else if (c == ',' && !zitat) {
            felder.emplace_back();
        } else {
            felder.back() += c;
        }
    }
    return felder;
}

std::vector<std::vector<std::string>> CsvLesen(const std::string& pfad) {
    std::vector<std::vector<std::string>> zeilen;
    std::ifstream f(pfad);
    for (std::string zeile; std::getline(f, zeile);)
        zeilen.push_back(CsvFelder(zeile));
    return zeilen;
}

TEST_F(Mitschnitt, CsvSavedAndReadBackHoldsEveryRowOrOnlyTheFailures) {
    sim.addFault({0, "P7R", FaultKind::Nak, 1});
    sim.addFault({0, "Y9R", FaultKind::ErrLine, 1});
    Parametersatz satz{};
    ParametersatzLesen(0, &satz);
    QTemporaryDir ordner;
    const std::string alle = ordner.filePath("alle.csv").toStdString();
    const std::string fehler = ordner.filePath("fehler.csv").toStdString();
    ASSERT_EQ(MitschnittCsvSpeichern(alle.c_str(), 2, false), 0);
    ASSERT_EQ(MitschnittCsvSpeichern(fehler.c_str(), 2, true), 0);

    const auto zeilen = CsvLesen(alle);
    const std::vector<const Austauschsatz*> saetze = Saetze();
    ASSERT_EQ(zeilen.size(), saetze.size() + 1);
    EXPECT_EQ(zeilen[0], (std::vector<std::string>{"time", "address", "sent", "received", "sent_hex",
                                                   "received_hex", "meaning", "outcome", "code"}));
    for (size_t i = 0; i < saetze.size(); ++i) {
        const MitschnittZeile z = Zeile(*saetze[i], 2);
        const std::vector<std::string> erwartet = {MitschnittZeit(saetze[i]->zeitMs, true),
                                                   z.spalte[SP_ADRESSE],
                                                   z.spalte[SP_GESENDET],
                                                   z.spalte[SP_EMPFANGEN],
                                                   BytesHex(saetze[i]->gesendet, saetze[i]->gesendetLaenge),
                                                   BytesHex(saetze[i]->empfangen, saetze[i]->empfangenLaenge),
                                                   z.spalte[SP_BEDEUTUNG],
                                                   z.spalte[SP_ERGEBNIS],
                                                   std::to_string(saetze[i]->code)};
        EXPECT_EQ(zeilen[i + 1], erwartet) << i;
    }
    const auto nurFehler = CsvLesen(fehler);
    ASSERT_EQ(nurFehler.size(), 3u);
    EXPECT_EQ(nurFehler[1][2], "#1P7R<CR>");
    EXPECT_EQ(nurFehler[1][7], "NAK: -402099 Errormessage (NAK) received from device");
    EXPECT_EQ(nurFehler[2][3], "<ACK>#1Y9Rerr<CR>");
    EXPECT_EQ(nurFehler[2][8], "-409000");
    EXPECT_EQ(MitschnittCsvSpeichern(ordner.filePath("fehlt/x.csv").toStdString().c_str(), 2, false),
              -308601);
}

// Whatever bytes a faulty line delivers (a NUL after a BREAK, 8-bit bytes, CSV's own quote and
// comma, a line as long as the buffer holds), each CSV record reads back into the same nine
// fields, the received bytes in their readable form, and the file stays UTF-8.
TEST_F(Mitschnitt, HostileAnswerBytesReadBackFieldForFieldFromTheCsv) {
    const std::string lang(40, '7');
    const std::string antworten[] = {
        std::string("0.5\0"
                    "7",
                    5),
        "\xE4\xFC\x86",
        "1\"2",
        "3,4",
        "\"",
        lang,
        std::string("\0\"\xE4", 3),
    };
    const char rahmen[] = "#1C1R\r";
    for (const std::string& a : antworten) {
        const std::string empfangen = "\x06#1C1R" + a + "\r";
        MitschnittAufnehmen(1, MitschnittJetztMs(), rahmen, 6, empfangen.data(),
                            static_cast<int>(empfangen.size()), Ausgang::Antwort, 0);
    }
    QTemporaryDir ordner;
    const std::string pfad = ordner.filePath("feindlich.csv").toStdString();
    ASSERT_EQ(MitschnittCsvSpeichern(pfad.c_str(), 1, false), 0);

    QFile datei(QString::fromStdString(pfad));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    EXPECT_EQ(QString::fromUtf8(inhalt).toUtf8(), inhalt) << "valid UTF-8";
    EXPECT_EQ(inhalt.indexOf('\0'), -1);
    const auto zeilen = CsvLesen(pfad);
    const std::vector<const Austauschsatz*> saetze = Saetze();
    ASSERT_EQ(zeilen.size(), std::size(antworten) + 1);
    for (size_t i = 0; i < saetze.size(); ++i) {
        const Austauschsatz& s = *saetze[i];
        const MitschnittZeile z = Zeile(s);
        const std::string lesbar = BytesLesbar(antworten[i].data(), static_cast<int>(antworten[i].size()));
        EXPECT_EQ(zeilen[i + 1], (std::vector<std::string>{MitschnittZeit(s.zeitMs, true), "1", "#1C1R<CR>",
                                                           z.spalte[SP_EMPFANGEN], "23 31 43 31 52 0D",
                                                           BytesHex(s.empfangen, s.empfangenLaenge),
                                                           "strom1 lesen", "Antwort " + lesbar, "0"}))
            << i;
        EXPECT_EQ(z.spalte[SP_EMPFANGEN], BytesLesbar(s.empfangen, s.empfangenLaenge));
    }
    EXPECT_EQ(zeilen[1][7], "Antwort 0.5<NUL>7");
    EXPECT_EQ(zeilen[7][7], "Antwort <NUL>\"<0xE4>");
}

// A locale that writes a decimal comma (German desktops), built into dir when the system has
// none installed. False when neither works.
bool KommaLocaleSetzen(const QTemporaryDir& dir) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        const std::string ziel = dir.path().toStdString();
        const std::string befehl = "localedef -i de_DE -f UTF-8 '" + ziel + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(befehl.c_str()) < 0) return false; // warnings still give a usable locale
        ::setenv("LOCPATH", ziel.c_str(), 1);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) return false;
    }
    return std::localeconv()->decimal_point == std::string(",");
}

// Under a comma locale the trend recording keeps its six fields and the monitor's CSV its nine.
TEST_F(Mitschnitt, UnderACommaLocaleRecordingsKeepPointsAndTheirFields) {
    QTemporaryDir ordner;
    ASSERT_TRUE(KommaLocaleSetzen(ordner)) << "no locale with a decimal comma (package locales)";
    const std::string verlauf = ordner.filePath("verlauf.csv").toStdString();
    ASSERT_EQ(AufzeichnungStarten(verlauf), 0);
    const auto zeit = std::chrono::system_clock::now();
    const Istwertprobe proben[] = {{1.234, 23.5, 0x0100, 2.0, 0},
                                   {0.0, 0.0, 0x2A09, STROMAKTIV_UNBEKANNT, 1}};
    for (const Istwertprobe& p : proben)
        ASSERT_EQ(AufzeichnungSchreiben(p, zeit), 0);
    AufzeichnungBeenden();
    sim.setValue('1', "strom1", 1.25);
    double wert = 0;
    ASSERT_EQ(ZEMVKR3X_ParameterLesen(LEITUNG_PORT, '1', "strom1", &wert, nullptr, nullptr), 0);
    const std::string monitor = ordner.filePath("monitor.csv").toStdString();
    ASSERT_EQ(MitschnittCsvSpeichern(monitor.c_str(), 2, false), 0);
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");

    const auto zeilen = CsvLesen(verlauf);
    ASSERT_EQ(zeilen.size(), 3u);
    const std::vector<std::vector<std::string>> werte = {{"1.234", "23.5", "0x0100", "2", "0"},
                                                         {"0.000", "0.0", "0x2A09", "not reported", "1"}};
    for (size_t i = 0; i < werte.size(); ++i) {
        ASSERT_EQ(zeilen[i + 1].size(), zeilen[0].size()) << i;
        EXPECT_EQ(std::vector<std::string>(zeilen[i + 1].begin() + 1, zeilen[i + 1].end()), werte[i]) << i;
    }
    const auto mitschnitt = CsvLesen(monitor);
    ASSERT_EQ(mitschnitt.size(), 2u);
    ASSERT_EQ(mitschnitt[1].size(), 9u);
    EXPECT_EQ(mitschnitt[1][7], "Answer 1.250");
}

} // namespace
