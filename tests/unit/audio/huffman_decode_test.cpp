#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/band_tables.h"
#include "audio/generated/huffman_codewords.h"
#include "audio/layer3_tables.h"
#include "audio/huffman_decode.h"
#include "test_frames.h"

namespace {

const HuffmanCodeword& codeword(int table, int x, int y)
{
    for (int i = 0; i < kHuffmanCodewordCount; ++i) {
        const HuffmanCodeword& c = kHuffmanCodewords[i];
        if (c.table == table && c.x == x && c.y == y) return c;
    }
    std::abort();
}

// Signed values in Huffman order: pairs with table 1 (values -1..1), then quadruples with table A.
BitWriter encode(const std::vector<int>& pairValues, const std::vector<int>& quadValues)
{
    BitWriter b;
    for (size_t i = 0; i < pairValues.size(); i += 2) {
        const HuffmanCodeword& c = codeword(1, std::abs(pairValues[i]), std::abs(pairValues[i + 1]));
        b.put(c.bits, c.length);
        for (int k = 0; k < 2; ++k)
            if (pairValues[i + k]) b.put(pairValues[i + k] < 0, 1);
    }
    for (size_t i = 0; i < quadValues.size(); i += 4) {
        int packed = 0;
        for (int k = 0; k < 4; ++k) packed = packed << 1 | (quadValues[i + k] != 0);
        const HuffmanCodeword& c = codeword(32, packed, 0);
        b.put(c.bits, c.length);
        for (int k = 0; k < 4; ++k)
            if (quadValues[i + k]) b.put(quadValues[i + k] < 0, 1);
    }
    return b;
}

struct Spectrum : ::testing::Test {
    int32_t sf[kScaleFactors] = {};
    std::vector<float> out = std::vector<float>(576, 99.0f);

    int run(const BitWriter& bits, GranuleInfo& g, float* target = nullptr)
    {
        std::vector<uint8_t> data = bits.bytes;
        data.resize(data.size() + 8, 0);  // what the Huffman loops may look ahead
        BitReader r{data.data(), 0};
        return decodeSpectrum(target ? target : out.data(), sf, g, 0, 0, r);
    }
};

GranuleInfo longGranule(int globalGain, int bigValues, int bits)
{
    GranuleInfo g{};
    g.part2_3_length = bits;
    g.big_values = bigValues;
    g.table_select[0] = g.table_select[1] = g.table_select[2] = 1;
    g.region1FirstPair = 288;
    g.region2FirstPair = 288;
    g.gainPtr = gainEntry(-globalGain);
    for (const float*& w : g.windowGainPtr) w = g.gainPtr;
    return g;
}

double gain(double exponentQuarterSteps) { return std::pow(2.0, exponentQuarterSteps / 4.0); }

// Value 1 at the first line of long bands 0, 11 and 17 with their own scale factors.
TEST_F(Spectrum, LongBandGainsFollowScaleFactorsScaleAndPreEmphasis)
{
    const int lines[3] = {0, 62, 196};  // bands 0, 11, 17 at 44.1 kHz
    std::vector<int> values(2 * 99, 0);
    for (int line : lines) values[line] = 1;
    values[lines[1]] = -1;
    BitWriter bits = encode(values, {});
    sf[0] = 3;
    sf[11] = 2;
    sf[17] = 1;
    for (int scale = 0; scale < 2; ++scale) {
        for (int pre = 0; pre < 2; ++pre) {
            GranuleInfo g = longGranule(190, 99, bits.bitCount);
            g.scalefac_scale = scale;
            g.preflag = pre;
            ASSERT_EQ(run(bits, g), 0);
            double step = 2 * (1 + scale);  // quarter steps per scale-factor unit
            EXPECT_FLOAT_EQ(out[0], gain(190 - 210 - step * 3));
            EXPECT_FLOAT_EQ(out[62], -gain(190 - 210 - step * (2 + pre * 1)));
            EXPECT_FLOAT_EQ(out[196], gain(190 - 210 - step * (1 + pre * 3)));
            EXPECT_EQ(out[1], 0.0f);
            EXPECT_EQ(g.lastLongBand, 18);
            EXPECT_EQ(g.activeSubbands, kLongSubbandLimits[0][18]);
        }
    }
}

// Short values go to 3 x (band start + k) + window, with the window's subblock gain.
TEST_F(Spectrum, ShortBlocksAreInterleavedByWindow)
{
    GranuleInfo g = longGranule(210, 0, 0);
    g.block_type = 2;
    g.region1FirstPair = 18;
    for (int w = 0; w < 3; ++w) g.windowGainPtr[w] = g.gainPtr + 8 * w;
    // Huffman order: band 0 (4 lines) windows 0, 1, 2, then band 1 ... Value 1 at band 1, window 2, line 3.
    std::vector<int> values(24, 0);
    values[12 + 8 + 3] = 1;
    values[0] = -1;  // band 0, window 0, line 0
    BitWriter bits = encode(values, {});
    g.big_values = 12;
    g.part2_3_length = bits.bitCount;
    sf[3 * 1 + 2] = 1;  // band 1, window 2
    ASSERT_EQ(run(bits, g), 0);
    EXPECT_FLOAT_EQ(out[3 * (4 + 3) + 2], static_cast<float>(gain(-8 * 2 - 2 * 1)));
    EXPECT_FLOAT_EQ(out[0], -1.0f);
    int nonZero = 0;
    for (float v : out) nonZero += v != 0.0f;
    EXPECT_EQ(nonZero, 2);
    EXPECT_EQ(g.lastShortBands[0], 1);
    EXPECT_EQ(g.lastShortBands[1], 0);
    EXPECT_EQ(g.lastShortBands[2], 2);
    EXPECT_EQ(g.activeSubbands, kShortSubbandLimits[0][2]);
}

// Mixed blocks: long bands up to line 36, then short bands from band 3 on.
TEST_F(Spectrum, MixedBlocksPlaceLongThenShortBands)
{
    GranuleInfo g = longGranule(210, 0, 0);
    g.block_type = 2;
    g.mixed_block_flag = 1;
    std::vector<int> values(36 + 12, 0);
    values[35] = 1;       // long band 7, last line
    values[36 + 4 + 1] = 1;  // short band 3, window 1, line 1
    BitWriter bits = encode(values, {});
    g.big_values = 24;
    g.part2_3_length = bits.bitCount;
    ASSERT_EQ(run(bits, g), 0);
    EXPECT_EQ(out[35], 1.0f);
    EXPECT_EQ(out[36 + 3 * 1 + 1], 1.0f);
    EXPECT_EQ(g.lastLongBand, 8);
    EXPECT_EQ(g.lastShortBands[0], 3);
    EXPECT_EQ(g.lastShortBands[1], 4);
}

TEST_F(Spectrum, EmptyGranule)
{
    GranuleInfo g = longGranule(210, 0, 0);
    ASSERT_EQ(run(BitWriter{}, g), 0);
    for (float v : out) ASSERT_EQ(v, 0.0f);
    EXPECT_EQ(g.lastLongBand, 0);
}

// Region 1 starts at its boundary: there the second table's codes are read.
TEST_F(Spectrum, RegionsSwitchTablesAtTheirBoundaries)
{
    BitWriter bits;
    const HuffmanCodeword& a = codeword(1, 1, 0);
    const HuffmanCodeword& b = codeword(2, 2, 0);
    bits.put(a.bits, a.length);
    bits.put(0, 1);
    bits.put(b.bits, b.length);
    bits.put(0, 1);
    GranuleInfo g = longGranule(210, 2, bits.bitCount);
    g.table_select[1] = 2;
    g.region1FirstPair = 1;
    ASSERT_EQ(run(bits, g), 0);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_FLOAT_EQ(out[2], kPowerTable[2]);
}

// Count1 stops at the quadruple limit, and a quadruple cut by the budget, in its code word or in
// its signs, reads as zeros (as libmad decodes a stream whose last frame shine cut short).
TEST_F(Spectrum, QuadruplesStopAtTheLimitAndTheBudget)
{
    BitWriter bits = encode({}, {1, 0, 0, -1, 1, 1, 1, 1});
    GranuleInfo g = longGranule(210, 286, bits.bitCount);  // room for one quadruple only
    g.table_select[0] = g.table_select[1] = g.table_select[2] = 0;
    ASSERT_EQ(run(bits, g), 0);
    EXPECT_EQ(out[572], 1.0f);
    EXPECT_EQ(out[575], -1.0f);

    // The second quadruple is a 6-bit code word and four sign bits.
    auto cutAt = [&](int bitsLeftOut) {
        GranuleInfo cut = longGranule(210, 0, bits.bitCount - bitsLeftOut);
        cut.table_select[0] = cut.table_select[1] = cut.table_select[2] = 0;
        EXPECT_EQ(run(bits, cut), 0);
        EXPECT_EQ(out[0], 1.0f);
        EXPECT_EQ(out[3], -1.0f);
    };
    cutAt(5);  // inside the code word: the quadruple is all zeros
    for (int i = 4; i < 8; ++i) EXPECT_EQ(out[i], 0.0f);
    cutAt(3);  // inside its signs: all zeros too
    for (int i = 4; i < 8; ++i) EXPECT_EQ(out[i], 0.0f);
}

// The side channel combines with the mid values already decoded: left m + s, right m - s.
TEST_F(Spectrum, MidSideGivesLeftAndRight)
{
    std::vector<float> mid(576, 0.0f), side(576, 99.0f);
    mid[0] = 5.0f;
    mid[1] = 3.0f;
    mid[400] = 2.0f;
    BitWriter bits = encode({1, 0}, {});
    GranuleInfo g = longGranule(210, 1, bits.bitCount);
    std::vector<uint8_t> data = bits.bytes;
    data.resize(data.size() + 8, 0);  // what the Huffman loops may look ahead
    BitReader r{data.data(), 0};
    ASSERT_EQ(decodeSpectrumMidSide(mid.data(), side.data(), sf, g, 0, 0, r), 0);
    EXPECT_EQ(mid[0], 6.0f);
    EXPECT_EQ(side[0], 4.0f);
    EXPECT_EQ(mid[1], 3.0f);
    EXPECT_EQ(side[1], 3.0f);
    EXPECT_EQ(mid[400], 2.0f);
    EXPECT_EQ(side[400], 2.0f);
}

}  // namespace
