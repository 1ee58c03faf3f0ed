// The catalogue table: size, order, encoding and spot checks of single rows.

#include "tests/errors/utf8.h"
#include "errors/fehlerkatalog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string_view>

namespace {

TEST(Fehlerkatalog, Has156Rows) {
    EXPECT_EQ(Fehlerkatalog().size(), 156u);
    EXPECT_EQ(FEHLERKATALOG_ZEILEN, 156);
}

TEST(Fehlerkatalog, ClassesAreUniqueAndAscendingFrom0To1032) {
    const auto katalog = Fehlerkatalog();
    ASSERT_FALSE(katalog.empty());
    EXPECT_EQ(katalog.front().klasse, 0);
    EXPECT_EQ(katalog.back().klasse, 1032);
    for (std::size_t i = 1; i < katalog.size(); ++i)
        EXPECT_LT(katalog[i - 1].klasse, katalog[i].klasse) << "row " << i;
}

TEST(Fehlerkatalog, TextsAreValidUtf8AndAtMost192Characters) {
    int laengster = 0;
    for (const auto& zeile : Fehlerkatalog()) {
        for (const char* text : {zeile.deutsch, zeile.englisch}) {
            ASSERT_NE(text, nullptr) << "class " << zeile.klasse;
            const int n = Utf8Zeichen(text);
            EXPECT_GE(n, 0) << "class " << zeile.klasse << " is not UTF-8";
            if (n > laengster) laengster = n;
        }
    }
    EXPECT_EQ(laengster, 192); // class 1002, German
}

TEST(Fehlerkatalog, OnlyClasses6And9AreEmpty) {
    for (const auto& zeile : Fehlerkatalog()) {
        const bool leer = zeile.klasse == 6 || zeile.klasse == 9;
        EXPECT_EQ(std::strlen(zeile.deutsch) == 0, leer) << "class " << zeile.klasse;
        EXPECT_EQ(std::strlen(zeile.englisch) == 0, leer) << "class " << zeile.klasse;
    }
}

struct Stichprobe {
    int klasse;
    const char* deutsch;
    const char* englisch;
};

void PrintTo(const Stichprobe& s, std::ostream* os) {
    *os << "class " << s.klasse;
}

class FehlerkatalogStichprobe : public ::testing::TestWithParam<Stichprobe> {};

TEST_P(FehlerkatalogStichprobe, RowHoldsItsExactTexts) {
    const Stichprobe& s = GetParam();
    const FehlerkatalogZeile* zeile = FehlerkatalogZeileSuchen(s.klasse);
    ASSERT_NE(zeile, nullptr);
    EXPECT_EQ(zeile->klasse, s.klasse);
    EXPECT_STREQ(zeile->deutsch, s.deutsch);
    EXPECT_STREQ(zeile->englisch, s.englisch);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FehlerkatalogStichprobe,
    ::testing::Values(
        Stichprobe{0, "Es ist kein Fehler aufgetreten", "No error"},
        Stichprobe{116, "Keine oder falsche Antwort vom vom seriellem Gerät",
                   "No or unexpected answer form serial device"},
        Stichprobe{303, "Die Datei hat die falsche Versionsnummer", "Wrong fileversion"},
        Stichprobe{351, "Timeout:\nDruck hat sich nicht stabilisiert.",
                   "Timeout:\nPreassure did not stabilize."},
        Stichprobe{400, "Unzulässige Geräteadresse", "invalid deviceaddress"},
        Stichprobe{403, "Keine Antwort vom Gerät", "No answer from device"},
        Stichprobe{507, "Wert zu groß.", "Value too big."},
        Stichprobe{
            1002,
            "Die Anzahl der Prüfschritte stimmt nicht mit der Anzahl\nder Prüfschritte in der "
            "Protokolldatei für diese BA-Nr. überein.\nWahrscheinlich wurde dieser Auftrag mit "
            "einer\nanderen Sequenz erstellt.",
            "The current amount of teststeps is not equivalent to the\namount of teststeps in the "
            "data-file for this BA-Nr.\nThe BA-File was probably createt with\n a different sequence."},
        Stichprobe{1032, "Der Notausschalter ist gedrückt", "Emergency switch is on"}),
    [](const ::testing::TestParamInfo<Stichprobe>& info) {
        return "Class" + std::to_string(info.param.klasse);
    });

TEST(Fehlerkatalog, ClassesWithoutRowAreNotFound) {
    for (int klasse : {1, 10, 99, 104, 109, 121, 1006, 1009, 1033, 2000, -1, 2147483})
        EXPECT_EQ(FehlerkatalogZeileSuchen(klasse), nullptr) << "class " << klasse;
}

} // namespace
