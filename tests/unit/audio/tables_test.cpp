#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "audio/band_tables.h"
#include "audio/generated/mpeg2_partitions.h"
#include "audio/layer3_tables.h"
#include "reference_filterbank.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(Tables, GainAndPowerEntries)
{
    EXPECT_FLOAT_EQ(*gainEntry(-210), 1.0f);
    EXPECT_FLOAT_EQ(*gainEntry(0), static_cast<float>(std::pow(2.0, -52.5)));
    EXPECT_FLOAT_EQ(*gainEntry(-255), static_cast<float>(std::pow(2.0, 45 / 4.0)));
    EXPECT_FLOAT_EQ(gainEntry(1)[0] / gainEntry(0)[0], static_cast<float>(std::pow(2.0, -0.25)));
    // The largest index: global gain 0, mid/side, subblock gain 7, scale factor 31 + pre-emphasis 3, shift 2.
    EXPECT_EQ(kGainIndexMax, 2 + 7 * 8 + ((31 + 3) << 2));
    EXPECT_GT(*gainEntry(kGainIndexMax), 0.0f);
    EXPECT_EQ(kPowerTable[0], 0.0f);
    EXPECT_EQ(kPowerTable[1], 1.0f);
    EXPECT_FLOAT_EQ(kPowerTable[8], 16.0f);
    EXPECT_FLOAT_EQ(kPowerTable[8206], static_cast<float>(std::pow(8206.0, 4.0 / 3.0)));
}

TEST(Tables, AliasCoefficientsAreRotations)
{
    const double k[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(kAlias.cs[i] * kAlias.cs[i] + kAlias.ca[i] * kAlias.ca[i], 1.0, 1e-6);
        EXPECT_NEAR(kAlias.ca[i] / kAlias.cs[i], k[i], 1e-6);
    }
}

TEST(Tables, WindowsAreTheStandardsTimesTheCompensation)
{
    for (int type = 0; type < 4; ++type) {
        for (int i = 0; i < 36; ++i) {
            double comp = type == 2 ? (i < 12 ? 0.5 / std::cos((2 * i + 7) * kPi / 24) : 0)
                                    : 0.5 / std::cos((2 * i + 19) * kPi / 72);
            double expected = standardWindow(type, i) * comp;
            EXPECT_NEAR(kImdctWindows[type][i], expected, 1e-6 * std::max(1.0, std::fabs(expected))) << type << " " << i;
            EXPECT_EQ(kImdctOddWindows[type][i], i % 2 ? -kImdctWindows[type][i] : kImdctWindows[type][i]);
        }
    }
}

TEST(Tables, IntensityRatios)
{
    EXPECT_FLOAT_EQ(kIntensityMpeg1[0][0], 0.0f);
    EXPECT_FLOAT_EQ(kIntensityMpeg1[1][0], 1.0f);
    EXPECT_FLOAT_EQ(kIntensityMpeg1[0][3], 0.5f);
    EXPECT_FLOAT_EQ(kIntensityMpeg1[1][3], 0.5f);
    EXPECT_FLOAT_EQ(kIntensityMpeg1[0][6], 1.0f);
    EXPECT_NEAR(kIntensityMpeg1[1][6], 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(kIntensityMpeg1[2][3], static_cast<float>(0.5 * std::numbers::sqrt2));
    for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(kIntensityMpeg1[0][i] + kIntensityMpeg1[1][i], 1.0f);
    for (int j = 0; j < 2; ++j) {
        const float(*r)[kIntensityPositions] = kIntensityMpeg2[j];
        double base = std::pow(2.0, -(j + 1) / 4.0);
        EXPECT_FLOAT_EQ(r[0][0], 1.0f);
        EXPECT_FLOAT_EQ(r[1][0], 1.0f);
        EXPECT_FLOAT_EQ(r[0][1], static_cast<float>(base));
        EXPECT_FLOAT_EQ(r[1][1], 1.0f);
        EXPECT_FLOAT_EQ(r[0][2], 1.0f);
        EXPECT_FLOAT_EQ(r[1][2], static_cast<float>(base));
        EXPECT_FLOAT_EQ(r[0][15], static_cast<float>(std::pow(base, 8)));
        EXPECT_FLOAT_EQ(r[3][14], static_cast<float>(std::pow(base, 7) * std::numbers::sqrt2));
    }
}

// Every band map puts each of the 576 lines exactly once, in the standard's order.
TEST(Tables, BandMapsCoverEveryLineOnce)
{
    for (int s = 0; s < kSamplingIndices; ++s) {
        for (int kind = 0; kind < 3; ++kind) {
            const BandMap& map = kBandMaps[s][kind];
            std::vector<int> hits(576, 0);
            for (int e = 0; e < map.count; ++e) {
                const BandMapEntry& b = map.entries[e];
                int step = b.window == 3 ? 1 : 3;
                for (int k = 0; k < 2 * b.pairs; ++k) ++hits.at(b.firstLine + k * step);
            }
            for (int line = 0; line < 576; ++line) ASSERT_EQ(hits[line], 1) << s << " " << kind << " " << line;
        }
        // Line 36, where a mixed block's short part starts, ends long band 8 (6 below 32 kHz, 3 at
        // 8 kHz) and starts short band 3, except at 8 kHz, where lines 12 to 16 of band 1 remain.
        struct Mixed {
            int longBands, firstShortBand, firstShortPairs;
        } mixed = s < 3 ? Mixed{8, 3, 2} : s == 8 ? Mixed{3, 1, 2} : Mixed{6, 3, 3};
        const BandMap& m = kBandMaps[s][kMixedKind];
        EXPECT_EQ(mixedLongBands(s), mixed.longBands);
        EXPECT_EQ(m.count, mixed.longBands + 3 * (13 - mixed.firstShortBand));
        EXPECT_EQ(m.entries[mixed.longBands].firstLine, 36);
        EXPECT_EQ(m.entries[mixed.longBands].band, mixed.firstShortBand);
        EXPECT_EQ(m.entries[mixed.longBands].pairs, mixed.firstShortPairs) << s;
        int shortBand1 = s == 8 ? 8 : 4;
        EXPECT_EQ(kBandMaps[s][kShortKind].entries[5].firstLine, 3 * shortBand1 + 2);  // band 1, window 2
    }
}

TEST(Tables, BandStartsAt24kHzAreTheStandards)
{
    EXPECT_EQ(kLongBandStarts[4][18], 332);
    EXPECT_EQ(kLongBandStarts[4][18] - kLongBandStarts[4][17], 54);
    EXPECT_EQ(kLongBandStarts[4][19] - kLongBandStarts[4][18], 62);
}

// Sub-bands that hold something when lines [0, lines) may be non-zero, after the alias
// butterflies (eight lines each side of a boundary) have spread them.
int subbandsReached(int lines, bool aliasing)
{
    std::vector<bool> live(576, false);
    for (int i = 0; i < lines; ++i) live[i] = true;
    for (int s = 1; aliasing && s < 32; ++s) {
        bool below = false;
        for (int i = 1; i <= 8; ++i) below = below || live[18 * s - i];
        for (int i = 0; i < 8 && below; ++i) live[18 * s + i] = true;
    }
    int top = 0;
    for (int i = 0; i < 576; ++i) if (live[i]) top = i / 18 + 1;
    return top;
}

TEST(Tables, SubbandLimitsCoverWhatTheBandsAndAliasReductionReach)
{
    for (int s = 0; s < kSamplingIndices; ++s) {
        for (int j = 1; j <= kLongBands; ++j)
            EXPECT_GE(kLongSubbandLimits[s][j], subbandsReached(kLongBandStarts[s][j], true)) << s << " " << j;
        for (int j = 1; j <= kShortBands; ++j)
            EXPECT_GE(kShortSubbandLimits[s][j], subbandsReached(3 * kShortBandStarts[s][j], false)) << s << " " << j;
        EXPECT_EQ(kLongSubbandLimits[s][kLongBands], 32);
        EXPECT_EQ(kShortSubbandLimits[s][kShortBands], 32);
        EXPECT_LE(kLongSubbandLimits[s][5], s == 8 ? 4 : 3) << "low bands do not ask for the whole filter bank";
    }
}

uint32_t lengths(int s1, int s2, int s3, int s4, int table, int pre)
{
    return uint32_t(s1 | s2 << 3 | s3 << 6 | s4 << 9 | table << 12 | pre << 15);
}

TEST(Tables, Mpeg2ScaleFactorLengths)
{
    EXPECT_EQ(kMpeg2ScaleLengths[0], lengths(0, 0, 0, 0, 0, 0));
    EXPECT_EQ(kMpeg2ScaleLengths[399], lengths(4, 4, 3, 3, 0, 0));
    EXPECT_EQ(kMpeg2ScaleLengths[400], lengths(0, 0, 0, 0, 1, 0));
    EXPECT_EQ(kMpeg2ScaleLengths[499], lengths(4, 4, 3, 0, 1, 0));
    EXPECT_EQ(kMpeg2ScaleLengths[500], lengths(0, 0, 0, 0, 2, 1));
    EXPECT_EQ(kMpeg2ScaleLengths[511], lengths(3, 2, 0, 0, 2, 1));
    EXPECT_EQ(kMpeg2IntensityScaleLengths[179], lengths(4, 5, 5, 0, 3, 0));
    EXPECT_EQ(kMpeg2IntensityScaleLengths[180], lengths(0, 0, 0, 0, 4, 0));
    EXPECT_EQ(kMpeg2IntensityScaleLengths[243], lengths(3, 3, 3, 0, 4, 0));
    EXPECT_EQ(kMpeg2IntensityScaleLengths[255], lengths(3, 2, 0, 0, 5, 0));
    const int sums[3] = {21, 36, 33};
    for (int kind = 0; kind < 3; ++kind) {
        for (int table = 0; table < 6; ++table) {
            const uint8_t* p = kMpeg2PartitionSizes[kind][table];
            EXPECT_EQ(p[0] + p[1] + p[2] + p[3], sums[kind]);
        }
    }
}

}  // namespace
