// Message composition: class by truncation, fallback, languages, user text.

#include "tests/errors/utf8.h"
#include "errors/fehler.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ostream>
#include <string>

namespace {

constexpr const char* FALLBACK_DE = "Ein unbekannter Fehler ist aufgetreten";
constexpr const char* FALLBACK_EN = "A unknown error occured";

// Puts the module back into its start state through the public functions.
void ModulZuruecksetzen() {
    ZEM_Fehlersprache(1);
    ZEM_Fehleruserstring("");
}

class Fehlermeldung : public ::testing::Test {
  protected:
    void SetUp() override { ModulZuruecksetzen(); }
    void TearDown() override { ModulZuruecksetzen(); }
};

std::string Wiederhole(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

bool IstGueltigesUtf8(const std::string& s) {
    return Utf8Zeichen(s) >= 0;
}

// ---- Table-driven: code and language -> text ----------------------------------------------

struct Fall {
    const char* name;
    int code;
    int sprache;
    const char* erwartet;
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.name;
}

class FehlermeldungFall : public ::testing::TestWithParam<Fall> {
  protected:
    void SetUp() override { ModulZuruecksetzen(); }
    void TearDown() override { ModulZuruecksetzen(); }
};

TEST_P(FehlermeldungFall, YieldsText) {
    const Fall& f = GetParam();
    ZEM_Fehlersprache(f.sprache);
    EXPECT_STREQ(ZEM_Fehlermeldung(f.code), f.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FehlermeldungFall,
    ::testing::Values(
        // code 0 and class 0
        Fall{"Zero_De", 0, 1, "Es ist kein Fehler aufgetreten"}, Fall{"Zero_En", 0, 2, "No error"},
        Fall{"Minus5IsClass0_De", -5, 1, "Es ist kein Fehler aufgetreten"},
        Fall{"Minus5IsClass0_En", -5, 2, "No error"},
        Fall{"Minus999IsClass0", -999, 1, "Es ist kein Fehler aufgetreten"},
        Fall{"Plus999IsClass0", 999, 2, "No error"},
        // class by truncation toward zero; the location never matters
        Fall{"Minus1000IsClass1_Fallback", -1000, 1, FALLBACK_DE},
        Fall{"Minus1500IsClass1_Fallback_De", -1500, 1, FALLBACK_DE},
        Fall{"Minus1500IsClass1_Fallback_En", -1500, 2, FALLBACK_EN},
        Fall{"Minus1999IsClass1_Fallback", -1999, 1, FALLBACK_DE},
        Fall{"Minus2000IsClass2", -2000, 1, "Ein Fehler ist aufgetreten"},
        Fall{"Minus2999IsClass2", -2999, 2, "A error occured"},
        Fall{"Minus400016_De", -400016, 1, "Unzulässige Geräteadresse"},
        Fall{"Minus400016_En", -400016, 2, "invalid deviceaddress"},
        Fall{"Minus400999IsClass400", -400999, 1, "Unzulässige Geräteadresse"},
        Fall{"Minus401000IsClass401", -401000, 1, "Unzulässiger Parameter"},
        Fall{"Minus403053_De", -403053, 1, "Keine Antwort vom Gerät"},
        Fall{"Minus403053_En", -403053, 2, "No answer from device"},
        Fall{"Minus409000", -409000, 2, "Device reports error in parameter"},
        Fall{"Minus122201", -122201, 1, "Serielle Schnittstelle ist nicht geöffnet"},
        Fall{"Minus1032999IsClass1032", -1032999, 2, "Emergency switch is on"},
        // classes without a row
        Fall{"Class10_Fallback", -10000, 1, FALLBACK_DE}, Fall{"Class104_Fallback", -104000, 2, FALLBACK_EN},
        Fall{"Class1006_Fallback", -1006001, 1, FALLBACK_DE},
        Fall{"Class1033_Fallback", -1033000, 2, FALLBACK_EN},
        Fall{"IntMin_Fallback", INT_MIN, 1, FALLBACK_DE},
        // classes 6 and 9 are empty in both languages
        Fall{"Class6_De", -6001, 1, ""}, Fall{"Class6_En", -6999, 2, ""}, Fall{"Class9_De", -9000, 1, ""},
        Fall{"Class9_En", -9500, 2, ""},
        // positive codes of 1000 and more have no row
        Fall{"Plus1000_Fallback", 1000, 1, FALLBACK_DE}, Fall{"Plus5000_Fallback_De", 5000, 1, FALLBACK_DE},
        Fall{"Plus5000_Fallback_En", 5000, 2, FALLBACK_EN},
        Fall{"Plus400016_Fallback", 400016, 2, FALLBACK_EN}, Fall{"IntMax_Fallback", INT_MAX, 1, FALLBACK_DE},
        // only 2 selects English
        Fall{"Language0IsGerman", -403053, 0, "Keine Antwort vom Gerät"},
        Fall{"Language3IsGerman", -403053, 3, "Keine Antwort vom Gerät"},
        Fall{"LanguageMinus1IsGerman", -403053, -1, "Keine Antwort vom Gerät"},
        Fall{"Language3FallbackIsGerman", -1500, 3, FALLBACK_DE},
        // line feeds are kept
        Fall{"LineFeeds", -350000, 2, "Timeout:\nPressure could not be generated."}),
    [](const ::testing::TestParamInfo<Fall>& info) { return std::string(info.param.name); });

// ---- Module state -------------------------------------------------------------------------

TEST_F(Fehlermeldung, StartsInGerman) {
    // Each test resets through ZEM_Fehlersprache(1), the documented initial value.
    EXPECT_STREQ(ZEM_Fehlermeldung(-403000), "Keine Antwort vom Gerät");
}

TEST_F(Fehlermeldung, LanguageSwitchesBackAndForth) {
    ZEM_Fehlersprache(2);
    EXPECT_STREQ(ZEM_Fehlermeldung(-300000), "File not found");
    ZEM_Fehlersprache(1);
    EXPECT_STREQ(ZEM_Fehlermeldung(-300000), "Datei nicht gefunden");
}

TEST_F(Fehlermeldung, ReturnsTheSameBufferWhichKeepsItsTextUntilTheNextCall) {
    const char* a = ZEM_Fehlermeldung(-400016);
    const std::string kopie = a;
    EXPECT_EQ(kopie, "Unzulässige Geräteadresse");
    EXPECT_STREQ(a, "Unzulässige Geräteadresse");
    const char* b = ZEM_Fehlermeldung(-403000);
    EXPECT_EQ(a, b);
    EXPECT_STREQ(b, "Keine Antwort vom Gerät");
}

TEST_F(Fehlermeldung, UserStringIsAppendedToTheNextMessageOnly) {
    ZEM_Fehleruserstring("\n\nerwartet:  1\ngefunden: 3");
    EXPECT_STREQ(ZEM_Fehlermeldung(-303107),
                 "Die Datei hat die falsche Versionsnummer\n\nerwartet:  1\ngefunden: 3");
    EXPECT_STREQ(ZEM_Fehlermeldung(-303107), "Die Datei hat die falsche Versionsnummer");
}

TEST_F(Fehlermeldung, UserStringGoesToWhicheverCodeComesNext) {
    ZEM_Fehleruserstring(" (x)");
    EXPECT_STREQ(ZEM_Fehlermeldung(0), "Es ist kein Fehler aufgetreten (x)");
    EXPECT_STREQ(ZEM_Fehlermeldung(0), "Es ist kein Fehler aufgetreten");
}

TEST_F(Fehlermeldung, UserStringIsAppendedToFallbackAndToEmptyClasses) {
    ZEM_Fehlersprache(2);
    ZEM_Fehleruserstring("!");
    EXPECT_STREQ(ZEM_Fehlermeldung(5000), "A unknown error occured!");
    ZEM_Fehleruserstring("only this");
    EXPECT_STREQ(ZEM_Fehlermeldung(-6001), "only this");
    EXPECT_STREQ(ZEM_Fehlermeldung(-6001), "");
    ZEM_Fehleruserstring("nine");
    EXPECT_STREQ(ZEM_Fehlermeldung(-9000), "nine");
}

TEST_F(Fehlermeldung, NewUserStringReplacesThePendingOne) {
    ZEM_Fehleruserstring(" alt");
    ZEM_Fehleruserstring(" neu");
    EXPECT_STREQ(ZEM_Fehlermeldung(-3000), "Timeout erreicht neu");
}

TEST_F(Fehlermeldung, EmptyOrNullUserStringClearsThePendingOne) {
    ZEM_Fehleruserstring(" alt");
    ZEM_Fehleruserstring("");
    EXPECT_STREQ(ZEM_Fehlermeldung(-3000), "Timeout erreicht");
    ZEM_Fehleruserstring(" alt");
    ZEM_Fehleruserstring(nullptr);
    EXPECT_STREQ(ZEM_Fehlermeldung(-3000), "Timeout erreicht");
}

TEST_F(Fehlermeldung, UserStringIsCopied) {
    char puffer[] = " eins";
    ZEM_Fehleruserstring(puffer);
    std::strcpy(puffer, " zwei");
    EXPECT_STREQ(ZEM_Fehlermeldung(-3000), "Timeout erreicht eins");
}

// ---- Limits -------------------------------------------------------------------------------

TEST_F(Fehlermeldung, UserStringOf299CharactersIsKept) {
    const std::string text(299, 'a');
    ZEM_Fehleruserstring(text.c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), text);
}

TEST_F(Fehlermeldung, UserStringIsCutAt299Characters) {
    ZEM_Fehleruserstring(std::string(300, 'a').c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), std::string(299, 'a'));
    ZEM_Fehleruserstring(std::string(1000, 'b').c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), std::string(299, 'b'));
}

TEST_F(Fehlermeldung, UserStringCutCountsCharactersNotBytes) {
    // 298 + 2 = 300 characters in 302 bytes: the cut keeps "ä" whole and drops "ö".
    ZEM_Fehleruserstring((std::string(298, 'a') + "äö").c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), std::string(298, 'a') + "ä");
    // Four-byte characters: 297 + 3 = 300 characters; two emoji are kept whole.
    ZEM_Fehleruserstring((std::string(297, 'a') + "😀😀😀").c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), std::string(297, 'a') + "😀😀");
    // 299 two-byte characters are all kept (598 bytes would not fit the message buffer, so
    // class 6 shows what fits: 249 whole characters in 498 bytes).
    ZEM_Fehleruserstring(Wiederhole("ß", 299).c_str());
    EXPECT_EQ(std::string(ZEM_Fehlermeldung(-6000)), Wiederhole("ß", 249));
}

TEST_F(Fehlermeldung, MessageNeverExceeds499BytesAndIsNeverCutInsideACharacter) {
    ZEM_Fehleruserstring(Wiederhole("😀", 400).c_str());
    const std::string m = ZEM_Fehlermeldung(-1002000); // longest catalogue text, 196 bytes
    EXPECT_LE(m.size(), static_cast<std::size_t>(FEHLERTEXT_BYTES - 1));
    EXPECT_EQ(m.size(), 196u + 75u * 4u);
    EXPECT_TRUE(IstGueltigesUtf8(m));
    EXPECT_EQ(m.rfind("Die Anzahl der Prüfschritte", 0), 0u);

    for (const char* zeichen : {"a", "ä", "€", "😀"}) {
        for (int code : {-6000, -1002000, -1000, 0}) {
            ZEM_Fehleruserstring(Wiederhole(zeichen, 299).c_str());
            const std::string t = ZEM_Fehlermeldung(code);
            EXPECT_LE(t.size(), static_cast<std::size_t>(FEHLERTEXT_BYTES - 1)) << zeichen << " " << code;
            EXPECT_TRUE(IstGueltigesUtf8(t)) << zeichen << " " << code;
        }
    }
}

TEST_F(Fehlermeldung, LongestTextWithLongestAsciiUserStringFitsWhole) {
    // 192 + 299 characters: the longest text with the longest user text still fits.
    const std::string user(299, 'x');
    ZEM_Fehleruserstring(user.c_str());
    ZEM_Fehlersprache(2);
    const std::string m = ZEM_Fehlermeldung(-1002000);
    EXPECT_EQ(m.size(),
              std::strlen("The current amount of teststeps is not equivalent to the\namount of teststeps "
                          "in the data-file for this BA-Nr.\nThe BA-File was probably createt "
                          "with\n a different sequence.") +
                  299u);
    EXPECT_EQ(m.substr(m.size() - 299), user);
}

} // namespace
