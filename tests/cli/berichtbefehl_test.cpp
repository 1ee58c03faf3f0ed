// "vkr3x report": the record made without a display, with and without a regulator.

#include "tests/bericht/pdftext.h"
#include "tests/cli/cli_fixture.h"

#include "params/parametersatz.h"
#include "storage/programmdatei.h"

#include <QFileInfo>

#include <regex>

namespace {

// A version-b regulator at address 1 and a version-a one at address 2.
class Berichtbefehl : public CliTest {
  protected:
    void GeraeteAnschliessen() override {
        sim.addDevice('1', vkr3xsim::DeviceKind::VersionB);
        sim.addDevice('2', vkr3xsim::DeviceKind::VersionA);
    }
    void SetUp() override {
        CliTest::SetUp();
        // Raised free-wheeling voltage set away from the defaults in every set: without a
        // regulator the report shows it everywhere.
        ParameterStrukturInitialisieren();
        for (Parametersatz& p : gPar)
            p.rfwv_value = 7.5;
        ASSERT_EQ(ProgrammdateiSchreiben(Datei("anlage.vkr").c_str()), 0);
    }
    std::string Bericht(QStringList args, bool mitLeitung, int* status) {
        const Lauf l = Starten(QStringList{"report", QString::fromStdString(Datei("anlage.vkr")), "-o",
                                           QString::fromStdString(Datei("bericht.pdf"))} +
                                   args,
                               mitLeitung);
        *status = l.exitCode;
        EXPECT_TRUE(l.aus.empty()) << l.aus;
        return l.exitCode == 0 ? PdfText(QString::fromStdString(Datei("bericht.pdf"))) : l.fehler;
    }
};

TEST_F(Berichtbefehl, TheRegulatorsVersionDecidesTheFreeWheelingGroup) {
    struct Fall {
        const char* adresse;
        const char* version;
        bool freilauf;
    };
    for (const Fall& f : {Fall{"1", "Version\\s+VKR3AX2b, Gerät unterstützt Dithertabelle", true},
                          Fall{"2", "Version\\s+VKR3AX2a", false}}) {
        int status = -1;
        const std::string text = Bericht({"--address", f.adresse}, true, &status);
        ASSERT_EQ(status, 0) << text;
        EXPECT_TRUE(std::regex_search(text, std::regex(std::string("Regler\\s+ZEM-VKR3AX2"))));
        EXPECT_TRUE(std::regex_search(text, std::regex(f.version))) << text;
        EXPECT_TRUE(std::regex_search(
            text, std::regex(std::string("Verbindung\\s+COM 1 \\(.*\\), Adresse ") + f.adresse)));
        EXPECT_EQ(text.find("Erhöhte Freilaufspannung") != std::string::npos, f.freilauf) << f.adresse;
    }
}

TEST_F(Berichtbefehl, WithoutDisplayOrRegulatorInEnglishWithTheFreeTexts) {
    umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        umgebung.remove(name);
    int status = -1;
    const std::string text = Bericht(
        {"--lang", "en", "--machine", "Press 7", "--operator", "Ann Example", "--remark", "Valve A swapped"},
        false, &status);
    ASSERT_EQ(status, 0) << text;
    for (const char* muster :
         {R"(Regulator\s+not connected)", R"(Machine\s+Press 7)", R"(Operator\s+Ann Example)",
          R"(Remark\s+Valve A swapped)", R"(Program file\s+anlage\.vkr)", R"(Raised Freewheeling Voltage)",
          R"(Program 1\s+same as Working parameters)"})
        EXPECT_TRUE(std::regex_search(text, std::regex(muster))) << muster << "\n" << text;
}

TEST_F(Berichtbefehl, ARegulatorThatDoesNotAnswerFailsTheCommandAndWritesNothing) {
    int status = -1;
    const std::string fehler = Bericht({"--address", "5"}, true, &status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(fehler.find("Keine Antwort vom Gerät (403"), std::string::npos) << fehler;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Datei("bericht.pdf"))));
}

} // namespace
