// The parameter record: its byte image (program files store it raw) and its defaults.
#include <gtest/gtest.h>

#include <cstring>

#include "params/parametersatz.h"

namespace {

template <typename T> T Lesen(const unsigned char* bild, size_t offset) {
    // Little-endian decoding independent of the host, to pin the file format.
    unsigned char b[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        b[i] = bild[offset + i];
    uint64_t roh = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        roh |= static_cast<uint64_t>(b[i]) << (8 * i);
    T wert;
    if constexpr (sizeof(T) == 8) {
        std::memcpy(&wert, &roh, 8);
    } else {
        uint32_t r32 = static_cast<uint32_t>(roh);
        std::memcpy(&wert, &r32, 4);
    }
    return wert;
}

TEST(Parametersatz, ByteImageHasTheFileLayout) {
    Parametersatz p{};
    p.stromkurve = 0x01020304;
    p.strom1 = 1.5;
    p.reglerki = -2.25;
    p.endstuferegeln = 7;
    p.strom_step = 0.125;
    p.dithertyp = 3;
    p.rfwv_current_step_on = 1;
    p.rfwv_value = 39.5;
    p.dithtable_pwmcurr[9] = 6.0;
    p.dithtable_dithamp[0] = 0.5;
    p.dithtable_dithamp[9] = 1.0;
    unsigned char bild[sizeof p];
    std::memcpy(bild, &p, sizeof p);

    EXPECT_EQ(sizeof bild, 376u);
    EXPECT_EQ(bild[0], 0x04); // little-endian
    EXPECT_EQ(Lesen<int32_t>(bild, 0), 0x01020304);
    EXPECT_EQ(Lesen<double>(bild, 8), 1.5);
    EXPECT_EQ(Lesen<double>(bild, 96), -2.25);
    EXPECT_EQ(Lesen<int32_t>(bild, 104), 7);
    EXPECT_EQ(Lesen<double>(bild, 112), 0.125);
    EXPECT_EQ(Lesen<int32_t>(bild, 136), 3);
    EXPECT_EQ(Lesen<int32_t>(bild, 188), 1);
    EXPECT_EQ(Lesen<double>(bild, 208), 39.5);
    EXPECT_EQ(Lesen<double>(bild, 216 + 8 * 9), 6.0);
    EXPECT_EQ(Lesen<double>(bild, 296), 0.5);
    EXPECT_EQ(Lesen<double>(bild, 368), 1.0);
}

TEST(Parametersatz, InitialisationSetsEveryDefaultAndKeepsStatusAndPadding) {
    for (int satz = 0; satz < PARAMETERSAETZE; ++satz) {
        std::memset(&gPar[satz], 0xA5, sizeof(Parametersatz));
        gPar[satz].status_stromaktiv = satz;
    }
    gParIndex = 9;
    ParameterStrukturInitialisieren();
    EXPECT_EQ(gParIndex, 0);
    for (int satz = 0; satz < PARAMETERSAETZE; ++satz) {
        const Parametersatz& p = gPar[satz];
        SCOPED_TRACE(satz);
        EXPECT_EQ(p.stromkurve, 1);
        EXPECT_EQ(p.strom1, 0.1);
        EXPECT_EQ(p.strom2, 0.5);
        EXPECT_EQ(p.zeit1, 1000.0);
        EXPECT_EQ(p.zeit2, 1000.0);
        EXPECT_EQ(p.zeit3, 1000.0);
        EXPECT_EQ(p.zeit4, 1000.0);
        EXPECT_EQ(p.frequenz, 1000.0);
        EXPECT_EQ(p.spannung, 12.0);
        EXPECT_EQ(p.zyklen, 1.0);
        EXPECT_EQ(p.reserviert, 100.0);
        EXPECT_EQ(p.reglerkp, 20.0);
        EXPECT_EQ(p.reglerki, 10.0);
        EXPECT_EQ(p.endstuferegeln, 0);
        EXPECT_EQ(p.strom_step, 0.01);
        EXPECT_EQ(p.status_stromaktiv, satz);
        EXPECT_EQ(p.ditherstrom, 0.1);
        EXPECT_EQ(p.dithertyp, 0);
        EXPECT_EQ(p.ditherfrequenz, 100.0);
        EXPECT_EQ(p.reglergain, 50.0);
        EXPECT_EQ(p.rfwv_always_on, 0);
        EXPECT_EQ(p.rfwv_automatic_mode, 0);
        EXPECT_EQ(p.rfwv_auto_ac_gain, 20.0);
        EXPECT_EQ(p.rfwv_auto_ac_filter_freq, 63.0);
        EXPECT_EQ(p.rfwv_jump_to_0_on, 0);
        EXPECT_EQ(p.rfwv_current_step_on, 0);
        EXPECT_EQ(p.rfwv_current_step_value, 0.1);
        EXPECT_EQ(p.rfwv_enable_time, 1.0);
        EXPECT_EQ(p.rfwv_value, 5.0);
        for (int n = 0; n < 10; ++n) {
            EXPECT_EQ(p.dithtable_pwmcurr[n], 0.0);
            EXPECT_EQ(p.dithtable_dithamp[n], 0.0);
        }
        // The gaps carry whatever they held: records loaded from files keep their bytes.
        EXPECT_EQ(static_cast<uint32_t>(p.luecke1), 0xA5A5A5A5u);
        EXPECT_EQ(static_cast<uint32_t>(p.luecke2), 0xA5A5A5A5u);
        EXPECT_EQ(static_cast<uint32_t>(p.luecke3), 0xA5A5A5A5u);
    }
}

} // namespace
