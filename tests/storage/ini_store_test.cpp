// INI store: the text form as read and written, the integer parser and safe replacement.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>

#include "storage/ini_store.h"
#include "tests/storage/dateigrenze.h"
#include "tests/storage/dateihilfen.h"

namespace {

class IniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = Ini_New(1);
        ASSERT_NE(store, nullptr);
    }
    void TearDown() override { Ini_Dispose(store); }

    std::string Pfad(const char* name) const { return dir.filePath(name).toStdString(); }
    int Lesen(const std::string& inhalt) {
        DateiSchreiben(Pfad("t.ini"), inhalt);
        return Ini_ReadFromFile(store, Pfad("t.ini").c_str());
    }
    std::string Geschrieben() {
        EXPECT_EQ(Ini_WriteToFile(store, Pfad("aus.ini").c_str()), 0);
        return DateiInhalt(Pfad("aus.ini"));
    }

    QTemporaryDir dir;
    IniStore store = nullptr;
};

struct Lesefall {
    const char* name;
    std::string datei;
    const char* sektion;
    const char* tag;
    int ergebnis;
    long wert; // expected when ergebnis is 1
};

TEST_F(IniTest, ReadsTheTextFormLineByLine) {
    const std::string lang300 = "[s]\r\nport = 7" + std::string(291, ' ') + "9\r\n";
    ASSERT_EQ(lang300.size() - 7, 300u); // the item line without header and line ends
    const Lesefall faelle[] = {
        {"CR LF", "[s]\r\nport = 3\r\n", "s", "port", 1, 3},
        {"LF CR", "[s]\n\rport = 3\n\r", "s", "port", 1, 3},
        {"CR only", "[s]\rport = 3\r", "s", "port", 1, 3},
        {"NUL ends a line", std::string("[s]\0port = 3", 12), "s", "port", 1, 3},
        {"no line end at the end", "[s]\r\nport = 3", "s", "port", 1, 3},
        {"CR CR leaves an empty line", "[s]\r\rport = 3\r\r", "s", "port", 1, 3},
        {"blanks around everything", "  [ VKR3AX2 ]  \r\n\t port\t=  4 \r\n", "vkr3ax2", "PORT", 1, 4},
        {"names in another case", "[vkr3ax2]\r\nPORT = 4\r\n", " VKR3AX2 ", "port", 1, 4},
        {"value in quotes", "[s]\r\nport = \"3\"\r\n", "s", "port", 1, 3},
        {"blanks inside quotes", "[s]\r\nport = \" 3 \"\r\n", "s", "port", 1, 3},
        {"empty quotes", "[s]\r\nport = \"\"\r\n", "s", "port", 0, 0},
        {"semicolon belongs to the value", "[s]\r\nport = 3 ; comment\r\n", "s", "port", -5021, 0},
        {"comment line", "[s]\r\n; port = 3\r\n", "s", "port", 0, 0},
        {"indented comment line", "[s]\r\n  ;port = 3\r\n", "s", "port", 0, 0},
        {"empty value", "[s]\r\nport =\r\n", "s", "port", 0, 0},
        {"empty tag", "[s]\r\n = 3\r\n", "s", "", 0, 0},
        {"line without separator", "[s]\r\nport 3\r\n", "s", "port 3", 0, 0},
        {"separator inside the value", "[s]\r\nport = 3=4\r\n", "s", "port", -5021, 0},
        {"item before the first header", "port = 3\r\n[s]\r\n", "s", "port", 0, 0},
        {"header without end", "[s]\r\n[t\r\nport = 3\r\n", "s", "port", 1, 3},
        {"text after the header", "[s]\r\n[t] x\r\nport = 3\r\n", "s", "port", 1, 3},
        {"empty header name", "[s]\r\n[ ]\r\nport = 3\r\n", "s", "port", 1, 3},
        {"last bracket ends the name", "[a]b]\r\nport = 3\r\n", "a]b", "port", 1, 3},
        {"missing section", "[s]\r\nport = 3\r\n", "t", "port", 0, 0},
        {"300-character line cut to 255", lang300, "s", "port", 1, 7},
        {"continuation joined", "[s]\r\nz Line0001 = 1\r\nz Line0002 = 2\r\nz Line0003 = 3\r\n", "s", "z", 1,
         123},
        {"continuation base not compared", "[s]\r\na Line0001 = 1\r\nb Line0002 = 2\r\n", "s", "a", 1, 12},
        {"a new run starts at 1", "[s]\r\na Line0001 = 1\r\nb Line1 = 2\r\n", "s", "b", 1, 2},
        {"a run ends at another item", "[s]\r\na Line0001 = 1\r\nx = 0\r\na Line0002 = 2\r\n", "s", "a", 1,
         1},
        {"not a continuation tag", "[s]\r\na Line0001x = 1\r\n", "s", "a Line0001x", 1, 1},
    };
    for (const Lesefall& f : faelle) {
        Ini_Dispose(store);
        store = Ini_New(1);
        ASSERT_EQ(Lesen(f.datei), 0) << f.name;
        long wert = -99;
        EXPECT_EQ(Ini_GetInt(store, f.sektion, f.tag, &wert), f.ergebnis) << f.name;
        EXPECT_EQ(wert, f.ergebnis == 1 ? f.wert : -99) << f.name;
    }
}

TEST_F(IniTest, IntegerParserAcceptsOnlyPlainDecimal32BitNumbers) {
    const struct {
        const char* text;
        int ergebnis;
        long wert;
    } faelle[] = {
        {"7", 1, 7},
        {"+7", 1, 7},
        {"-7", 1, -7},
        {"007", 1, 7},
        {"\"  -7\t\"", 1, -7},
        {"2147483647", 1, 2147483647L},
        {"-2147483648", 1, -2147483648L},
        {"\"   \"", 0, 0},
        {"- 7", -5021, 0},
        {"+-7", -5021, 0},
        {"0x10", -5021, 0},
        {"7x", -5021, 0},
        {"7 7", -5021, 0},
        {"1e3", -5021, 0},
        {"-", -5021, 0},
        {"2147483648", -5021, 0},
        {"-2147483649", -5021, 0},
        {"4294967296", -5021, 0},
        {"99999999999999999999", -5021, 0},
    };
    std::string datei = "[s]\r\n";
    for (size_t i = 0; i < std::size(faelle); ++i)
        datei += "v" + std::to_string(i) + " = " + faelle[i].text + "\r\n";
    ASSERT_EQ(Lesen(datei), 0);
    for (size_t i = 0; i < std::size(faelle); ++i) {
        long wert = -99;
        EXPECT_EQ(Ini_GetInt(store, "s", ("v" + std::to_string(i)).c_str(), &wert), faelle[i].ergebnis)
            << faelle[i].text;
        EXPECT_EQ(wert, faelle[i].ergebnis == 1 ? faelle[i].wert : -99) << faelle[i].text;
    }
}

TEST_F(IniTest, WritesTheSevenLinesOfTheSettings) {
    // Put in no particular order: sorting fixes the order of the file.
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "sprache", 1), 0);
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "port", 1), 0);
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "baudrate", 9600), 0);
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "lport", 1), 0);
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "adresse", 49), 0);
    EXPECT_EQ(Geschrieben(), "[VKR3AX2]\r\nadresse = 49\r\nbaudrate = 9600\r\nlport = 1\r\nport = 1\r\n"
                             "sprache = 1\r\n\r\n");
    EXPECT_EQ(Dateinamen(dir.path()), QStringList{"aus.ini"}); // no temporary file left
}

TEST_F(IniTest, PutReplacesEveryItemOfTheTagAndKeepsSectionsSorted) {
    ASSERT_EQ(Lesen("[s]\r\nport = 3\r\nPORT = 5\r\nx = -1\r\n[a]\r\nv = 1\r\n"), 0);
    long wert = 0;
    EXPECT_EQ(Ini_GetInt(store, "s", "port", &wert), 1);
    EXPECT_TRUE(wert == 3 || wert == 5);
    ASSERT_EQ(Ini_PutInt(store, "S", "Port", -9), 0);
    ASSERT_EQ(Ini_PutInt(store, "m", "v", 0), 0);
    EXPECT_EQ(Geschrieben(), "[a]\r\nv = 1\r\n\r\n[m]\r\nv = 0\r\n\r\n[s]\r\nPort = -9\r\nx = -1\r\n\r\n");
}

TEST_F(IniTest, LongValuesAreWrittenInPiecesOf80AndJoinedWhenRead) {
    const std::string a(100, 'a'), b(100, 'b');
    ASSERT_EQ(Lesen("[s]\r\nt Line0001 = " + a + "\r\nt Line0002 = " + b + "\r\nq Line0001 = \"" + a +
                    "\"\r\nq Line0002 = \"1\"\r\n"),
              0);
    const std::string erwartet = "[s]\r\n"
                                 "q Line0001 = \"" +
                                 a.substr(0, 80) +
                                 "\"\r\n"
                                 "q Line0002 = \"" +
                                 a.substr(80) +
                                 "1\"\r\n"
                                 "t Line0001 = " +
                                 a.substr(0, 80) +
                                 "\r\n"
                                 "t Line0002 = " +
                                 a.substr(80) + b.substr(0, 60) +
                                 "\r\n"
                                 "t Line0003 = " +
                                 b.substr(60) +
                                 "\r\n"
                                 "\r\n";
    EXPECT_EQ(Geschrieben(), erwartet);
    // Read back, the pieces make the same store again.
    Ini_Dispose(store);
    store = Ini_New(1);
    ASSERT_EQ(Ini_ReadFromFile(store, Pfad("aus.ini").c_str()), 0);
    EXPECT_EQ(Geschrieben(), erwartet);
}

TEST_F(IniTest, TextsAreWrittenQuotedAndReadBackAsTheyWere) {
    const std::string lang = "/dev/serial/by-id/usb-" + std::string(90, 'x') + "-if00-port0";
    const char* texte[] = {"/dev/ttyUSB0", " blanks around ", lang.c_str(), "a = \"b\""};
    for (size_t i = 0; i < std::size(texte); ++i)
        ASSERT_EQ(Ini_PutString(store, "s", ("t" + std::to_string(i)).c_str(), texte[i]), 0);
    ASSERT_EQ(Ini_PutString(store, "s", "leer", "  "), 0);
    const std::string text = Geschrieben();
    EXPECT_NE(text.find("t0 = \"/dev/ttyUSB0\"\r\n"), std::string::npos) << text;
    Ini_Dispose(store);
    store = Ini_New(1);
    ASSERT_EQ(Ini_ReadFromFile(store, Pfad("aus.ini").c_str()), 0);
    for (size_t i = 0; i < std::size(texte); ++i) {
        std::string gelesen;
        EXPECT_EQ(Ini_GetString(store, "S", ("T" + std::to_string(i)).c_str(), &gelesen), 1) << i;
        EXPECT_EQ(gelesen, texte[i]);
    }
    std::string unveraendert = "?";
    EXPECT_EQ(Ini_GetString(store, "s", "fehlt", &unveraendert), 0);
    EXPECT_EQ(Ini_GetString(store, "s", "leer", &unveraendert), 0) << "blank counts as missing";
    EXPECT_EQ(unveraendert, "?");
    EXPECT_EQ(Ini_GetString(nullptr, "s", "t0", &unveraendert), -65);
}

TEST_F(IniTest, MissingFileLeavesTheStoreEmpty) {
    EXPECT_EQ(Ini_ReadFromFile(store, Pfad("fehlt.ini").c_str()), -5001);
    EXPECT_EQ(Geschrieben(), "");
}

TEST_F(IniTest, NullHandlesAreRefused) {
    long wert = 0;
    EXPECT_EQ(Ini_PutInt(nullptr, "s", "t", 1), -65);
    EXPECT_EQ(Ini_GetInt(nullptr, "s", "t", &wert), -65);
    Ini_Dispose(nullptr);
}

TEST_F(IniTest, TheTemporaryFileTakesTheFirstFreeNumber) {
    DateiSchreiben(Pfad("ini$$0.TMP"), "fremd");
    ASSERT_EQ(Ini_PutInt(store, "s", "t", 1), 0);
    EXPECT_EQ(Ini_WriteToFile(store, Pfad("aus.ini").c_str()), 0);
    EXPECT_EQ(Dateinamen(dir.path()), (QStringList{"aus.ini", "ini$$0.TMP"}));
    EXPECT_EQ(DateiInhalt(Pfad("ini$$0.TMP")), "fremd");
}

TEST_F(IniTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    ASSERT_EQ(Ini_PutInt(store, "VKR3AX2", "baudrate", 115200), 0);
    const std::string alt = "[VKR3AX2]\r\nbaudrate = 4800\r\n\r\n";
    DateiSchreiben(Pfad("alt.ini"), alt);
    ASSERT_TRUE(QDir(dir.path()).mkdir("verzeichnis.ini"));

    EXPECT_EQ(Ini_WriteToFile(store, Pfad("fehlt/x.ini").c_str()), -95);
    EXPECT_EQ(Ini_WriteToFile(store, Pfad("verzeichnis.ini").c_str()), -95);
    {
        Dateigroessengrenze grenze(10); // the new text does not fit, as on a full disk
        ASSERT_TRUE(grenze.gesetzt);
        EXPECT_EQ(Ini_WriteToFile(store, Pfad("alt.ini").c_str()), -93);
    }
    EXPECT_EQ(DateiInhalt(Pfad("alt.ini")), alt);
    EXPECT_EQ(Dateinamen(dir.path()), (QStringList{"alt.ini", "verzeichnis.ini"}));
}

} // namespace
