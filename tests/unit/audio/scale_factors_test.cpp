#include <gtest/gtest.h>

#include <vector>

#include "audio/layer3_tables.h"
#include "audio/scale_factors.h"
#include "test_frames.h"

namespace {

struct ScaleFactors : ::testing::Test {
    int32_t sf[kScaleFactors];
    int32_t largest[kScaleFactors];
    BitWriter bits;
    std::vector<int> written;

    void SetUp() override { std::fill(std::begin(sf), std::end(sf), 77); }
    // Writes n values of `width` bits (a ramp that fits the width).
    void values(int n, int width)
    {
        for (int i = 0; i < n; ++i) {
            int v = width ? (static_cast<int>(written.size()) * 5 + 1) % (1 << width) : 0;
            bits.put(v, width);
            written.push_back(v);
        }
    }
    BitReader reader()
    {
        bits.bytes.resize(bits.bytes.size() + 2, 0);
        return BitReader{bits.bytes.data(), 0};
    }
    void expectLayout(int from, const std::vector<int>& expected)
    {
        for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(sf[from + i], expected[i]) << "entry " << from + i;
    }
};

GranuleInfo granule(int blockType, bool mixed, int compress, int scfsi = -1)
{
    GranuleInfo g{};
    g.block_type = blockType;
    g.mixed_block_flag = mixed;
    g.scalefac_compress = compress;
    g.scfsi = scfsi;
    return g;
}

TEST_F(ScaleFactors, Mpeg1LongBlocks)
{
    values(11, 3);  // scalefac_compress 12: slen1 3, slen2 2
    values(10, 2);
    BitReader r = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(0, false, 12), r), 11 * 3 + 10 * 2);
    expectLayout(0, written);
    EXPECT_EQ(sf[21], 0);
    EXPECT_EQ(bitsFrom(r, bits.bytes.data()), 53);
}

// Granule 1 keeps the groups its reuse bits mark (bands 0-5, 6-10, 11-15, 16-20) from granule 0.
TEST_F(ScaleFactors, Mpeg1ReuseBitsKeepGranuleZerosGroups)
{
    for (int i = 0; i < 21; ++i) sf[i] = 100 + i;
    values(5, 4);  // scalefac_compress 15: slen1 4, slen2 3; group 1 read
    values(5, 3);  // group 3 read
    BitReader r = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(1, false, 15, 0b1010), r), 5 * 4 + 5 * 3);
    expectLayout(0, {100, 101, 102, 103, 104, 105});
    expectLayout(6, {written.begin(), written.begin() + 5});
    expectLayout(11, {111, 112, 113, 114, 115});
    expectLayout(16, {written.begin() + 5, written.end()});

    for (int i = 0; i < 21; ++i) sf[i] = 100 + i;
    BitReader none = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(0, false, 15, 0b1111), none), 0);
    for (int i = 0; i < 21; ++i) EXPECT_EQ(sf[i], 100 + i);
    EXPECT_EQ(none.bytePtr, bits.bytes.data());
}

TEST_F(ScaleFactors, Mpeg1ShortAndMixedBlocks)
{
    values(18, 4);  // scalefac_compress 14: slen1 4, slen2 2
    values(18, 2);
    BitReader r = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(2, false, 14), r), 18 * 6);
    expectLayout(0, written);
    expectLayout(36, {0, 0, 0});

    written.clear();
    bits = BitWriter{};
    values(17, 4);
    values(18, 2);
    BitReader m = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(2, true, 14), m), 17 * 4 + 18 * 2);
    expectLayout(0, written);
    expectLayout(35, {0, 0, 0});
}

TEST_F(ScaleFactors, ZeroLengthsReadNothing)
{
    BitReader r = reader();
    EXPECT_EQ(readScaleFactorsMpeg1(sf, granule(0, false, 0), r), 0);
    expectLayout(0, std::vector<int>(22, 0));
    EXPECT_EQ(r.bytePtr, bits.bytes.data());
}

TEST_F(ScaleFactors, Mpeg2PartitionsByScalefacCompress)
{
    // 217: x / 16 = 13 gives slen1 2, slen2 3; x % 16 = 9 gives slen3 2, slen4 1; partitions 6 5 5 5.
    values(6, 2);
    values(5, 3);
    values(5, 2);
    values(5, 1);
    BitReader r = reader();
    GranuleInfo g = granule(0, false, 217);
    g.preflag = 1;
    EXPECT_EQ(readScaleFactorsMpeg2(sf, largest, g, r, false), 6 * 2 + 5 * 3 + 5 * 2 + 5);
    EXPECT_EQ(g.preflag, 0);
    expectLayout(0, written);
    expectLayout(21, {0});

    GranuleInfo pre = granule(0, false, 511);  // x = 11: slen 3, 2; partitions 11 10; pre-emphasis
    BitReader none = reader();
    readScaleFactorsMpeg2(sf, largest, pre, none, false);
    EXPECT_EQ(pre.preflag, 1);
}

// On the intensity channel the lengths come from scalefac_compress / 2 and may be five bits wide.
TEST_F(ScaleFactors, Mpeg2IntensityChannel)
{
    // 201 / 2 = 100: slen 2, 4, 4 (100 / 36, 28 / 6, 100 % 6 = 4); partitions 7 7 7.
    values(7, 2);
    values(7, 4);
    values(7, 4);
    BitReader r = reader();
    GranuleInfo g = granule(0, false, 201);
    EXPECT_EQ(readScaleFactorsMpeg2(sf, largest, g, r, true), 7 * 2 + 7 * 4 + 7 * 4);
    expectLayout(0, written);
    for (int i = 0; i < 21; ++i) EXPECT_EQ(largest[i], i < 7 ? 3 : 15) << i;
}

// Mixed blocks below 32 kHz keep six long bands: 6 long values, 27 short, then zeros.
TEST_F(ScaleFactors, Mpeg2MixedBlocksMatchTheMixedBandMap)
{
    values(6, 1);  // 400 + 4 x (5 x 1 + 1) = 424: slen 1, 1, 0; partitions 6 9 12 6
    values(9, 1);
    values(12, 0);
    values(6, 0);
    BitReader r = reader();
    GranuleInfo g = granule(2, true, 424);
    EXPECT_EQ(readScaleFactorsMpeg2(sf, largest, g, r, false), 15);
    expectLayout(0, written);
    expectLayout(33, {0, 0, 0, 0, 0});
    EXPECT_EQ(mixedLongBands(3) + 27 + 3, kBandMaps[3][kMixedKind].count) << "the map consumes what was read";
}

}  // namespace
