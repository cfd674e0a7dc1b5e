#include <gtest/gtest.h>

#include <vector>

#include "audio/layer3_tables.h"
#include "audio/side_info.h"
#include "test_frames.h"

namespace {

struct SideInformation : ::testing::Test {

    // Reads back the side information that the test frame writes.
    bool read(const TestFrame& f, SideInfo& si)
    {
        bytes = sideInfoBytes(f);
        bytes.resize(bytes.size() + 4, 0);
        BitReader r{bytes.data(), 0};
        bool mpeg2 = f.header.version != 3;
        int channels = f.header.mode == 3 ? 1 : 2;
        bool midSide = f.header.mode == 1 && (f.header.modeExt & 2);
        int sampling = f.header.samplingBits + (mpeg2 ? 3 : 0);
        bool ok = mpeg2 ? readSideInfoMpeg2(si, r, channels, midSide, sampling) : readSideInfoMpeg1(si, r, channels, midSide, sampling);
        bitsRead = bitsFrom(r, bytes.data());
        return ok;
    }
    std::vector<uint8_t> bytes;
    long bitsRead = 0;
};

TEST_F(SideInformation, Mpeg1StereoFields)
{
    TestFrame f;
    f.mainDataBegin = 300;
    f.scfsi[1] = 0b1010;
    f.granules[0][0] = {.part23 = 1234, .bigValues = 100, .globalGain = 150, .scalefacCompress = 9,
                        .tables = {5, 13, 24}, .region0 = 3, .region1 = 2, .preflag = true, .count1B = true};
    f.granules[1][1] = {.part23 = 77, .bigValues = 300, .globalGain = 200, .windowSwitching = true, .blockType = 2,
                        .mixed = true, .tables = {7, 9}, .subblockGain = {1, 0, 7}, .scalefacScale = true};
    SideInfo si{};
    ASSERT_TRUE(read(f, si));
    EXPECT_EQ(bitsRead, 32 * 8);
    EXPECT_EQ(si.main_data_begin, 300u);
    EXPECT_EQ(si.gr[0][0].scfsi, -1);
    EXPECT_EQ(si.gr[1][1].scfsi, 0b1010);
    const GranuleInfo& a = si.gr[0][0];
    EXPECT_EQ(a.part2_3_length, 1234);
    EXPECT_EQ(a.big_values, 100);
    EXPECT_EQ(a.gainPtr, gainEntry(-150));
    EXPECT_EQ(a.scalefac_compress, 9);
    EXPECT_EQ(a.block_type, 0);
    EXPECT_EQ(a.table_select[2], 24);
    EXPECT_EQ(a.region1FirstPair, kLongBandStarts[0][4] / 2);
    EXPECT_EQ(a.region2FirstPair, kLongBandStarts[0][7] / 2);
    EXPECT_EQ(a.preflag, 1);
    EXPECT_EQ(a.count1table_select, 1);
    const GranuleInfo& b = si.gr[1][1];
    EXPECT_EQ(b.big_values, 288) << "clamped";
    EXPECT_EQ(b.block_type, 2);
    EXPECT_EQ(b.mixed_block_flag, 1);
    EXPECT_EQ(b.table_select[2], 0);
    EXPECT_EQ(b.windowGainPtr[0], gainEntry(-200 + 8));
    EXPECT_EQ(b.windowGainPtr[1], gainEntry(-200));
    EXPECT_EQ(b.windowGainPtr[2], gainEntry(-200 + 56));
    EXPECT_EQ(b.region1FirstPair, 18);
    EXPECT_EQ(b.region2FirstPair, 288);
    EXPECT_EQ(b.scalefac_scale, 1);
}

// Region counts that name bands past the last one end the region at the end of the granule.
TEST_F(SideInformation, RegionCountsPastTheLastBandReachTheEnd)
{
    TestFrame f;
    f.granules[0][0].region0 = 15;
    f.granules[0][0].region1 = 7;
    SideInfo si{};
    ASSERT_TRUE(read(f, si));
    EXPECT_EQ(si.gr[0][0].region1FirstPair, kLongBandStarts[0][16] / 2);
    EXPECT_EQ(si.gr[0][0].region2FirstPair, 288);
}

TEST_F(SideInformation, MidSideMovesEveryGainTwoSteps)
{
    TestFrame f;
    f.header.mode = 1;
    f.header.modeExt = 2;
    f.granules[0][1].globalGain = 180;
    SideInfo si{};
    ASSERT_TRUE(read(f, si));
    EXPECT_EQ(si.gr[1][0].gainPtr, gainEntry(-180 + 2));
}

TEST_F(SideInformation, Mpeg2AndSingleChannelLayouts)
{
    TestFrame lsf;
    lsf.header.version = 2;
    lsf.mainDataBegin = 255;
    lsf.granules[0][0] = {.scalefacCompress = 511, .windowSwitching = true, .blockType = 1};
    lsf.granules[0][1] = {.scalefacCompress = 300, .windowSwitching = true, .blockType = 2};
    SideInfo si{};
    ASSERT_TRUE(read(lsf, si));
    EXPECT_EQ(bitsRead, 17 * 8) << "8 + 2 + 2 x 63 bits, no preflag";
    EXPECT_EQ(si.main_data_begin, 255u);
    EXPECT_EQ(si.gr[0][0].scalefac_compress, 511);
    EXPECT_EQ(si.gr[0][0].region1FirstPair, 27);
    EXPECT_EQ(si.gr[1][0].region1FirstPair, 18);

    TestFrame mono;
    mono.header.mode = 3;
    mono.mainDataBegin = 5;
    mono.granules[1][0].part23 = 99;
    ASSERT_TRUE(read(mono, si));
    EXPECT_EQ(bitsRead, 17 * 8) << "9 + 5 + 4 + 2 x 59 bits";
    EXPECT_EQ(si.gr[0][1].part2_3_length, 99);
}

TEST_F(SideInformation, WindowSwitchingWithBlockTypeZeroIsRefused)
{
    TestFrame f;
    f.granules[1][0].windowSwitching = true;
    SideInfo si{};
    EXPECT_FALSE(read(f, si));
    EXPECT_EQ(bitsRead, 32 * 8) << "the rest is still read";
}

}  // namespace
