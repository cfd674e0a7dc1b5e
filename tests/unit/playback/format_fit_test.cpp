#include <gtest/gtest.h>

#include "audio/format_fit.h"

namespace {

struct FormatFitTest : ::testing::Test {
    FormatTable formats;
    void SetUp() override
    {
        AudioParams initial;
        probeFormats(formats, initial);
    }
};

constexpr int kStereo16 = 0x110;

TEST_F(FormatFitTest, EveryMpegRateFitsItselfAsSixteenBitStereo)
{
    for (int rate : {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000}) {
        AudioParams params;
        ASSERT_TRUE(fitFormat(formats, params, rate)) << rate;
        EXPECT_EQ(params.rate, rate);
        EXPECT_EQ(params.channels, 2);
        EXPECT_EQ(params.format, kStereo16);
    }
}

TEST_F(FormatFitTest, RatesOutsideTheTableFallBackToHalfThenQuarter)
{
    struct Case {
        int streamRate;
        int outputRate;
    };
    for (Case c : {Case{88200, 44100}, Case{96000, 48000}, Case{64000, 32000}, Case{176400, 44100},
                   Case{192000, 48000}}) {
        AudioParams params;
        ASSERT_TRUE(fitFormat(formats, params, c.streamRate)) << c.streamRate;
        EXPECT_EQ(params.rate, c.outputRate);
        EXPECT_EQ(params.format, kStereo16);
    }
}

TEST(FormatTable, NothingFitsBeforeTheProbe)
{
    FormatTable unprobed;
    AudioParams params;
    EXPECT_FALSE(fitFormat(unprobed, params, 44100));
    EXPECT_EQ(params.rate, -1);
}

TEST_F(FormatFitTest, UnknownRateFitsNothingAndLeavesTheParametersAlone)
{
    for (int rate : {0, 7000, 44099, 1000000}) {
        AudioParams params;
        EXPECT_FALSE(fitFormat(formats, params, rate)) << rate;
        EXPECT_EQ(params.rate, -1);
        EXPECT_EQ(params.channels, -1);
        EXPECT_EQ(params.format, -1);
    }
}

}  // namespace
