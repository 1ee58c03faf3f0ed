// Error popups, recorded by the platform's popup test hook.

#include "errors/fehler.h"
#include "platform/popup_hook.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

class Fehlerpopup : public ::testing::Test {
  protected:
    void SetUp() override {
        ZEM_Fehlersprache(1);
        ZEM_Fehleruserstring("");
        PopupHook_Activate();
    }
    void TearDown() override {
        PopupHook_Deactivate();
        ZEM_Fehlersprache(1);
        ZEM_Fehleruserstring("");
    }

    // The only popup shown since SetUp.
    static const PopupRecord& EinzigesPopup() {
        const auto& records = PopupHook_Records();
        EXPECT_EQ(records.size(), 1u);
        static const PopupRecord leer{};
        return records.empty() ? leer : records.front();
    }
};

// ---- Table-driven: ZEM_Fehlerpopup --------------------------------------------------------

struct PopupFall {
    const char* name;
    int code;
    int sprache;
    const char* titel;
    const char* meldung;
};

void PrintTo(const PopupFall& f, std::ostream* os) {
    *os << f.name;
}

class FehlerpopupFall : public Fehlerpopup, public ::testing::WithParamInterface<PopupFall> {};

TEST_P(FehlerpopupFall, ShowsTitleAndMessage) {
    const PopupFall& f = GetParam();
    ZEM_Fehlersprache(f.sprache);
    ZEM_Fehlerpopup(f.code);
    const PopupRecord& p = EinzigesPopup();
    EXPECT_EQ(p.kind, PopupKind::Message);
    EXPECT_EQ(p.title, f.titel);
    EXPECT_EQ(p.message, f.meldung);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FehlerpopupFall,
    ::testing::Values(
        PopupFall{"Minus400016_De", -400016, 1, "Fehler #400016", "Unzulässige Geräteadresse"},
        PopupFall{"Minus400016_En", -400016, 2, "Error #400016", "invalid deviceaddress"},
        PopupFall{"Minus400016_Language0", -400016, 0, "Fehler #400016", "Unzulässige Geräteadresse"},
        PopupFall{"Minus400016_Language3", -400016, 3, "Fehler #400016", "Unzulässige Geräteadresse"},
        PopupFall{"Minus301101_De", -301101, 1, "Fehler #301101", "Fehler beim Schreiben auf Datei"},
        PopupFall{"Minus308103_En", -308103, 2, "Error #308103", "Error opening file"},
        PopupFall{"Class9_EmptyMessage_De", -9000, 1, "Fehler #9000", ""},
        PopupFall{"Class9_EmptyMessage_En", -9123, 2, "Error #9123", ""},
        PopupFall{"Class0", -5, 1, "Fehler #5", "Es ist kein Fehler aufgetreten"},
        PopupFall{"Zero", 0, 2, "Error #0", "No error"},
        PopupFall{"Class1_Fallback", -1500, 2, "Error #1500", "A unknown error occured"},
        PopupFall{"Positive5000_De", 5000, 1, "Fehler #-5000", "Ein unbekannter Fehler ist aufgetreten"},
        PopupFall{"Positive5000_En", 5000, 2, "Error #-5000", "A unknown error occured"},
        PopupFall{"Class5_NotSilent", -5999, 1, "Fehler #5999", "Datum/Zeit Funktion fehlgeschlagen"},
        PopupFall{"Class7_NotSilent", -7000, 1, "Fehler #7000", "Ein unerwarteter Fehler ist aufgetreten"},
        PopupFall{"IntMin", INT_MIN, 1, "Fehler #2147483648", "Ein unbekannter Fehler ist aufgetreten"}),
    [](const ::testing::TestParamInfo<PopupFall>& info) { return std::string(info.param.name); });

// ---- Class 6 ------------------------------------------------------------------------------

TEST_F(Fehlerpopup, Class6ShowsNoPopup) {
    for (int code : {-6000, -6001, -6500, -6999}) {
        ZEM_Fehlerpopup(code);
        ZEM_Fehlerpopup2(code, "Titel");
    }
    EXPECT_TRUE(PopupHook_Records().empty());
}

TEST_F(Fehlerpopup, Class6PopupLeavesThePendingUserStringPending) {
    ZEM_Fehleruserstring(" (pending)");
    ZEM_Fehlerpopup(-6001);
    EXPECT_TRUE(PopupHook_Records().empty());
    EXPECT_STREQ(ZEM_Fehlermeldung(-6001), " (pending)");
}

TEST_F(Fehlerpopup, NeighboursOfClass6AreShown) {
    ZEM_Fehlerpopup(-5999);
    ZEM_Fehlerpopup(-7000);
    EXPECT_EQ(PopupHook_Records().size(), 2u);
}

// ---- User string --------------------------------------------------------------------------

TEST_F(Fehlerpopup, WrongFileVersionInEnglishWithExpectedAndFound) {
    ZEM_Fehlersprache(2);
    ZEM_Fehleruserstring("\n\nexpected:  1\nfound: 3");
    ZEM_Fehlerpopup(-303107);
    const PopupRecord& p = EinzigesPopup();
    EXPECT_EQ(p.title, "Error #303107");
    EXPECT_EQ(p.message, "Wrong fileversion\n\nexpected:  1\nfound: 3");
}

TEST_F(Fehlerpopup, PopupConsumesTheUserString) {
    ZEM_Fehleruserstring("\n\nerwartet:  1\ngefunden: 3");
    ZEM_Fehlerpopup(-303107);
    ZEM_Fehlerpopup(-303107);
    const auto& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].message, "Die Datei hat die falsche Versionsnummer\n\nerwartet:  1\ngefunden: 3");
    EXPECT_EQ(records[1].message, "Die Datei hat die falsche Versionsnummer");
    EXPECT_STREQ(ZEM_Fehlermeldung(-303107), "Die Datei hat die falsche Versionsnummer");
}

TEST_F(Fehlerpopup, MessageBufferHoldsThePopupsMessageAfterwards) {
    ZEM_Fehlerpopup(-403053);
    // The popup composed its message through ZEM_Fehlermeldung; nothing else changed since.
    EXPECT_EQ(EinzigesPopup().message, "Keine Antwort vom Gerät");
}

// ---- ZEM_Fehlerpopup2 ---------------------------------------------------------------------

TEST_F(Fehlerpopup, Popup2TitleIsCallerTextAndNumberInEitherLanguage) {
    ZEM_Fehlerpopup2(-400016, "Prüfung");
    ZEM_Fehlersprache(2);
    ZEM_Fehlerpopup2(-400016, "Prüfung");
    const auto& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].title, "Prüfung #400016");
    EXPECT_EQ(records[0].message, "Unzulässige Geräteadresse");
    EXPECT_EQ(records[1].title, "Prüfung #400016");
    EXPECT_EQ(records[1].message, "invalid deviceaddress");
}

TEST_F(Fehlerpopup, Popup2WithPositiveCodeAndEmptyOrNullTitle) {
    ZEM_Fehlerpopup2(5000, "");
    ZEM_Fehlerpopup2(-9000, nullptr);
    const auto& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].title, " #-5000");
    EXPECT_EQ(records[0].message, "Ein unbekannter Fehler ist aufgetreten");
    EXPECT_EQ(records[1].title, " #9000");
    EXPECT_EQ(records[1].message, "");
}

TEST_F(Fehlerpopup, Popup2TitleIsLimitedTo99Characters) {
    ZEM_Fehlerpopup2(-400016, std::string(90, 't').c_str()); // 90 + 8 = 98: whole
    ZEM_Fehlerpopup2(-400016, std::string(91, 't').c_str()); // 91 + 8 = 99: whole
    ZEM_Fehlerpopup2(-400016, std::string(92, 't').c_str()); // 100: last digit cut
    ZEM_Fehlerpopup2(-400016, std::string(97, 't').c_str()); // 97 + " #" only
    ZEM_Fehlerpopup2(-400016, std::string(500, 't').c_str());
    const auto& records = PopupHook_Records();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].title, std::string(90, 't') + " #400016");
    EXPECT_EQ(records[1].title, std::string(91, 't') + " #400016");
    EXPECT_EQ(records[2].title, std::string(92, 't') + " #40001");
    EXPECT_EQ(records[3].title, std::string(97, 't') + " #");
    EXPECT_EQ(records[4].title, std::string(99, 't'));
    for (const auto& r : records)
        EXPECT_EQ(r.message, "Unzulässige Geräteadresse");
}

TEST_F(Fehlerpopup, Popup2TitleLimitCountsCharactersNotBytes) {
    std::string titel;
    for (int i = 0; i < 98; ++i)
        titel += "ü";
    ZEM_Fehlerpopup2(-400016, titel.c_str());
    EXPECT_EQ(EinzigesPopup().title, titel + " "); // 99 characters, 197 bytes
}

} // namespace
