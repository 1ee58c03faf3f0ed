// Value texts: what converts, what does not, and how written values are rounded.
#include "device/werttext.h"
#include "device/zemvkr3x.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct ReellFall {
    std::string text;
    bool ok;
    double wert;
};

// As scanf's "%f": white space skipped, the longest numeric prefix converted, the rest ignored.
TEST(Werttext, RealTextsConvertTheNumberThatStartsThem) {
    const ReellFall faelle[] = {
        {"0.5\r", true, 0.5},
        {"2", true, 2.0},
        {" 1.25\r", true, 1.25},
        {"\t\n 1.25\r", true, 1.25},
        {"-0.001\r", true, -0.001},
        {"+6.000\r", true, 6.0},
        {"1e3\r", true, 1000.0},
        {"5.\r", true, 5.0},
        {".5\r", true, 0.5},
        {"1.000" + std::string(19, ' '), true, 1.0}, // line cut off without CR, padded
        {"0.500x\r", true, 0.5},
        {"0.5 7\r", true, 0.5},
        {"1,5\r", true, 1.0},
        {"1e\r", true, 1.0}, // an exponent needs digits, else the number ends before the 'e'
        {"1e+x\r", true, 1.0},
        {"2.5.1\r", true, 2.5},
        {"0x1p3\r", true, 0.0}, // no hexadecimal floats: "0" and trailing text
        {"", false, 0},
        {"\r", false, 0},
        {"   ", false, 0},
        {".\r", false, 0},
        {"-\r", false, 0},
        {"-.e1\r", false, 0},
        {"inf\r", false, 0},
        {"nan\r", false, 0},
        {"xyz\r", false, 0},
        {"err\r", false, 0},
        {"--1\r", false, 0},
        {"1e999\r", false, 0}, // beyond double
    };
    for (const ReellFall& f : faelle) {
        double wert = -77.0;
        EXPECT_EQ(ReellLesen(f.text.data(), static_cast<int>(f.text.size()), &wert), f.ok) << f.text;
        if (f.ok)
            EXPECT_DOUBLE_EQ(wert, f.wert) << f.text;
        else
            EXPECT_EQ(wert, -77.0) << "a failed conversion must not store: " << f.text;
    }
}

TEST(Werttext, ConversionStopsAtTheGivenLength) {
    const char text[] = {'1', '2', '3', '4'}; // no terminator anywhere
    double wert = 0;
    ASSERT_TRUE(ReellLesen(text, 2, &wert));
    EXPECT_EQ(wert, 12.0);
    int ganz = 0;
    ASSERT_TRUE(GanzzahlLesen(text, 3, &ganz));
    EXPECT_EQ(ganz, 123);
    ASSERT_TRUE(HexLesen(text, 1, &ganz));
    EXPECT_EQ(ganz, 1);
    const char nulVorne[] = {' ', '\0', '7'};
    EXPECT_FALSE(ReellLesen(nulVorne, 3, &wert)) << "a NUL is not white space";
}

struct GanzFall {
    std::string text;
    bool ok;
    int wert;
};

TEST(Werttext, IntegerTextsConvertTheirLeadingDecimalNumberWithinInt) {
    const GanzFall faelle[] = {
        {"2\r", true, 2},
        {"0", true, 0},
        {"-5\r", true, -5},
        {"+7\r", true, 7},
        {" 12\r", true, 12},
        {"2.0\r", true, 2},
        {"2.5\r", true, 2},
        {"1 2\r", true, 1},
        {"1A\r", true, 1},
        {"007\r", true, 7},
        {"2147483647\r", true, 2147483647},
        {"\r", false, 0},
        {"x\r", false, 0},
        {"+-1\r", false, 0},
        {"- 1\r", false, 0},
        {"2147483648\r", false, 0}, // beyond int
    };
    for (const GanzFall& f : faelle) {
        int wert = -77;
        EXPECT_EQ(GanzzahlLesen(f.text.data(), static_cast<int>(f.text.size()), &wert), f.ok) << f.text;
        EXPECT_EQ(wert, f.ok ? f.wert : -77) << f.text;
    }
}

TEST(Werttext, HexTextsConvertLikeStrtoulWithinThirtyTwoBits) {
    const GanzFall faelle[] = {
        {"1A0F\r", true, 0x1A0F},  {"1a0f", true, 0x1A0F}, {"0\r", true, 0},        {"FFFFFFFF\r", true, -1},
        {"000000001\r", true, 1},  {" 2B\r", true, 0x2B},  {"1A0G\r", true, 0x1A0}, {"0x1A\r", true, 0x1A},
        {"0Xff", true, 0xFF},      {"0xg\r", true, 0},     {"-1\r", true, -1},      {"+10\r", true, 16},
        {"100000000\r", false, 0}, {"\r", false, 0},       {"xyz\r", false, 0},     {"-\r", false, 0},
    };
    for (const GanzFall& f : faelle) {
        int wert = -77;
        EXPECT_EQ(HexLesen(f.text.data(), static_cast<int>(f.text.size()), &wert), f.ok) << f.text;
        EXPECT_EQ(wert, f.ok ? f.wert : -77) << f.text;
    }
}

TEST(Werttext, FixedWidthHexFieldsSkipWhiteSpaceAndTakeAtMostTheirWidth) {
    const std::string text = "0123456789ABCDEF012 \t0x1234567xyz";
    const int n = static_cast<int>(text.size());
    int pos = 0;
    uint32_t a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(HexFeldLesen(text.data(), n, &pos, 8, &a));
    ASSERT_TRUE(HexFeldLesen(text.data(), n, &pos, 8, &b));
    EXPECT_EQ(a, 0x01234567u);
    EXPECT_EQ(b, 0x89ABCDEFu);
    ASSERT_TRUE(HexFeldLesen(text.data(), n, &pos, 8, &c)) << "a short field";
    EXPECT_EQ(c, 0x012u);
    EXPECT_EQ(pos, 19);
    ASSERT_TRUE(HexFeldLesen(text.data(), n, &pos, 8, &d)) << "white space before a field is skipped";
    EXPECT_EQ(d, 0x123456u) << "the prefix counts towards the width";
    EXPECT_EQ(pos, 29);
    EXPECT_TRUE(HexFeldLesen(text.data(), n, &pos, 6, &d));
    EXPECT_EQ(d, 7u);
    EXPECT_FALSE(HexFeldLesen(text.data(), n, &pos, 6, &d)) << "no number left";
    EXPECT_EQ(pos, 30);
}

TEST(Werttext, Hexchar2IntKnowsBothCases) {
    const struct {
        char zeichen;
        int wert;
    } faelle[] = {{'0', 0},  {'9', 9},  {'a', 10},  {'f', 15}, {'A', 10}, {'F', 15}, {'g', -1},
                  {'G', -1}, {' ', -1}, {'\0', -1}, {'/', -1}, {':', -1}, {'@', -1}};
    for (const auto& f : faelle)
        EXPECT_EQ(Hexchar2Int(f.zeichen), f.wert) << static_cast<int>(f.zeichen);
}

struct FormatFall {
    double wert;
    int nachkomma;
    const char* text;
};

TEST(Werttext, RealValuesAreRoundedToTheirDecimals) {
    const FormatFall faelle[] = {
        {6.0, 3, "6.000"},   {0.0009, 3, "0.001"},  {0.5, 3, "0.500"},    {1000.0, 0, "1000"},
        {0.0, 0, "0"},       {65535.1, 0, "65535"}, {12.34, 1, "12.3"},   {12.36, 1, "12.4"},
        {20.0, 2, "20.00"},  {-0.001, 3, "-0.001"}, {-0.05, 0, "0"},      {-0.0004, 3, "0.000"},
        {-0.001, 2, "0.00"}, {999.5, 0, "1000"},    {0.0015, 3, "0.002"},
    };
    for (const FormatFall& f : faelle) {
        char text[32];
        const int n = ReellFormatieren(text, sizeof(text), f.wert, f.nachkomma);
        EXPECT_STREQ(text, f.text) << f.wert << " with " << f.nachkomma;
        EXPECT_EQ(n, static_cast<int>(std::strlen(f.text)));
    }
}

TEST(Werttext, FormattingRefusesWhatDoesNotFit) {
    char text[8];
    EXPECT_EQ(ReellFormatieren(text, sizeof(text), std::nan(""), 3), -1);
    EXPECT_EQ(ReellFormatieren(text, sizeof(text), INFINITY, 0), -1);
    EXPECT_EQ(ReellFormatieren(text, 6, 65535.0, 0), 5);
    EXPECT_EQ(ReellFormatieren(text, 5, 65535.0, 0), -1) << "no room for the NUL";
    EXPECT_EQ(GanzzahlFormatieren(text, sizeof(text), 65535), 5);
    EXPECT_STREQ(text, "65535");
    EXPECT_EQ(GanzzahlFormatieren(text, sizeof(text), -12), 3);
    EXPECT_STREQ(text, "-12");
    EXPECT_EQ(GanzzahlFormatieren(text, 3, 100), -1);
}

} // namespace
