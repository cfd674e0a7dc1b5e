#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "audio/alias_reduction.h"
#include "audio/band_tables.h"
#include "audio/layer3_tables.h"
#include "audio/stereo.h"

namespace {

struct Stereo : ::testing::Test {
    std::vector<float> left = std::vector<float>(576), right = std::vector<float>(576, 0.0f);
    int32_t sf1[kScaleFactors] = {};
    int32_t largest[kScaleFactors] = {};
    GranuleInfo g1{};

    void SetUp() override
    {
        for (int i = 0; i < 576; ++i) left[i] = 1.0f + i / 1000.0f;
    }
    float v(int line) const { return 1.0f + line / 1000.0f; }
};

const int32_t* longStarts = kLongBandStarts[0];

TEST_F(Stereo, Mpeg1LongBandsAboveTheRightChannelsLastBand)
{
    g1.lastLongBand = 10;
    sf1[9] = 3;    // below: not touched
    sf1[10] = 0;   // all right
    sf1[11] = 3;   // centre
    sf1[12] = 7;   // not intensity-coded
    sf1[13] = 9;   // beyond the positions: not intensity-coded either
    sf1[20] = 6;   // all left; band 21 takes this position
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 0, false, false);
    int l9 = longStarts[9], l10 = longStarts[10], l11 = longStarts[11], l12 = longStarts[12], l13 = longStarts[13];
    EXPECT_EQ(left[l9], v(l9));
    EXPECT_EQ(right[l9], 0.0f);
    EXPECT_EQ(left[l10], 0.0f);
    EXPECT_FLOAT_EQ(right[l10], v(l10));
    EXPECT_FLOAT_EQ(left[l11], 0.5f * v(l11));
    EXPECT_FLOAT_EQ(right[l11], 0.5f * v(l11));
    EXPECT_EQ(left[l12], v(l12));
    EXPECT_EQ(right[l12], 0.0f);
    EXPECT_EQ(left[l13], v(l13));
    EXPECT_EQ(right[l13], 0.0f);
    for (int line = longStarts[20]; line < 576; ++line) {
        EXPECT_FLOAT_EQ(left[line], v(line));
        EXPECT_NEAR(right[line], 0.0f, 1e-6f);
        ASSERT_TRUE(std::isfinite(right[line]));
    }
}

TEST_F(Stereo, MidSideVariantRestoresTheSqrt2)
{
    g1.lastLongBand = 0;
    sf1[0] = 3;
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 0, true, false);
    EXPECT_FLOAT_EQ(left[0], static_cast<float>(0.5 * std::numbers::sqrt2));
    EXPECT_FLOAT_EQ(right[0], static_cast<float>(0.5 * std::numbers::sqrt2));
}

// In MPEG-2 the largest value of a scale factor's length says "not intensity-coded", so 7 is a
// position where lengths are four bits and 15 is not.
TEST_F(Stereo, Mpeg2PositionsByScalefacCompressLowBit)
{
    g1.lastLongBand = 0;
    g1.scalefac_compress = 1;  // steps of 2^-0.5
    for (int32_t& l : largest) l = 15;
    sf1[0] = 1;
    sf1[1] = 4;
    sf1[2] = 7;   // a position with four-bit lengths
    sf1[3] = 20;  // reached with five-bit lengths: right 2^-5
    largest[3] = 31;
    sf1[4] = 15;  // the largest four-bit value: not intensity-coded
    sf1[5] = 7;
    largest[5] = 7;  // the largest three-bit value: not intensity-coded
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 3, false, true);
    const int32_t* s = kLongBandStarts[3];
    EXPECT_FLOAT_EQ(left[s[0]], static_cast<float>(v(s[0]) * std::pow(2.0, -0.5)));
    EXPECT_FLOAT_EQ(right[s[0]], v(s[0]));
    EXPECT_FLOAT_EQ(left[s[1]], v(s[1]));
    EXPECT_FLOAT_EQ(right[s[1]], static_cast<float>(v(s[1]) * 0.5));
    EXPECT_FLOAT_EQ(left[s[2]], static_cast<float>(v(s[2]) * std::pow(2.0, -2)));
    EXPECT_FLOAT_EQ(right[s[2]], v(s[2]));
    EXPECT_FLOAT_EQ(left[s[3]], v(s[3]));
    EXPECT_FLOAT_EQ(right[s[3]], static_cast<float>(v(s[3]) * std::pow(2.0, -5)));
    for (int band : {4, 5}) {
        EXPECT_EQ(left[s[band]], v(s[band])) << band;
        EXPECT_EQ(right[s[band]], 0.0f) << band;
    }
}

// MPEG-2: the last band, which has no scale factor, takes the position of the band below when
// that band is intensity-coded too, and position 0 (both channels alike) when the coded region
// begins with it. These are the results of the standard's reference output for l3-test46.
TEST_F(Stereo, Mpeg2LastBandPosition)
{
    const int32_t* s = kLongBandStarts[3];
    for (int32_t& l : largest) l = 7;
    sf1[20] = 3;  // left 2^-0.5 with scalefac_compress 0 (steps of 2^-0.25)
    g1.lastLongBand = 21;
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 3, false, true);
    EXPECT_EQ(left[s[20]], v(s[20])) << "below the region";
    EXPECT_EQ(left[s[21]], v(s[21]));
    EXPECT_EQ(right[s[21]], v(s[21]));

    SetUp();
    g1.lastLongBand = 20;
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 3, false, true);
    for (int band : {20, 21}) {
        EXPECT_FLOAT_EQ(left[s[band]], static_cast<float>(v(s[band]) * std::pow(2.0, -0.5))) << band;
        EXPECT_EQ(right[s[band]], v(s[band])) << band;
    }

    SetUp();
    g1.block_type = 2;
    g1.lastShortBands[0] = 12;
    g1.lastShortBands[1] = g1.lastShortBands[2] = 11;
    sf1[3 * 11 + 0] = sf1[3 * 11 + 1] = sf1[3 * 11 + 2] = 2;  // right 2^-0.25
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 3, false, true);
    const int32_t* w = kShortBandStarts[3];
    EXPECT_EQ(right[3 * w[12]], v(3 * w[12])) << "window 0: the region begins with band 12";
    EXPECT_FLOAT_EQ(right[3 * w[12] + 1], static_cast<float>(v(3 * w[12] + 1) * std::pow(2.0, -0.25)));
}

// Each window from its own first zero band; band 12 takes band 11's position.
TEST_F(Stereo, ShortBlocksPerWindow)
{
    g1.block_type = 2;
    g1.lastShortBands[0] = 11;
    g1.lastShortBands[1] = 13;
    g1.lastShortBands[2] = 12;
    sf1[3 * 11 + 0] = 0;
    sf1[3 * 11 + 2] = 0;
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 0, false, false);
    const int32_t* s = kShortBandStarts[0];
    for (int line = 3 * s[11]; line < 576; line += 3) {
        EXPECT_EQ(left[line], 0.0f) << line;        // window 0: bands 11 and 12
        EXPECT_EQ(left[line + 1], v(line + 1));      // window 1: nothing above band 12
    }
    EXPECT_EQ(left[3 * s[11] + 2], v(3 * s[11] + 2));  // window 2 starts at band 12
    EXPECT_EQ(left[3 * s[12] + 2], 0.0f);
}

// The long part of a mixed block only when every window is free of values from band 3 on.
TEST_F(Stereo, MixedBlocksLongPartOnlyWhenTheShortPartIsEmpty)
{
    g1.block_type = 2;
    g1.mixed_block_flag = 1;
    g1.lastLongBand = 7;
    g1.lastShortBands[0] = g1.lastShortBands[1] = g1.lastShortBands[2] = 3;
    for (int i = 0; i < kScaleFactors; ++i) sf1[i] = 7;
    sf1[7] = 0;                  // long band 7
    sf1[8 + 3 * (5 - 3) + 1] = 0;  // short band 5, window 1
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 0, false, false);
    EXPECT_EQ(left[30], 0.0f);
    EXPECT_EQ(left[3 * kShortBandStarts[0][5] + 1], 0.0f);
    EXPECT_EQ(left[3 * kShortBandStarts[0][5]], v(3 * kShortBandStarts[0][5]));

    SetUp();
    g1.lastShortBands[1] = 4;
    applyIntensityStereo(left.data(), right.data(), sf1, largest, g1, 0, false, false);
    EXPECT_EQ(left[30], v(30));
}

TEST_F(Stereo, AliasReductionButterfliesAtSubbandBoundaries)
{
    std::vector<float> x(576, 0.0f);
    x[17] = 1.0f;
    x[18] = 2.0f;
    GranuleInfo g{};
    g.activeSubbands = 2;
    reduceAliasing(x.data(), g);
    EXPECT_FLOAT_EQ(x[17], kAlias.cs[0] - 2.0f * kAlias.ca[0]);
    EXPECT_FLOAT_EQ(x[18], 2.0f * kAlias.cs[0] + kAlias.ca[0]);
    EXPECT_EQ(x[35], 0.0f);

    std::vector<float> one(576, 0.0f);
    one[17] = 1.0f;
    g.activeSubbands = 1;
    reduceAliasing(one.data(), g);
    EXPECT_EQ(one[17], 1.0f);
    EXPECT_EQ(one[18], 0.0f);

    g.block_type = 2;
    g.activeSubbands = 32;
    reduceAliasing(one.data(), g);
    EXPECT_EQ(one[18], 0.0f);
    g.mixed_block_flag = 1;
    one[35] = 1.0f;
    reduceAliasing(one.data(), g);
    EXPECT_NE(one[18], 0.0f);
    EXPECT_EQ(one[36], 0.0f) << "mixed blocks: only the boundary between sub-bands 0 and 1";
}

}  // namespace
