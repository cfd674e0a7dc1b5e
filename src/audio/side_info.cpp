#include "audio/side_info.h"

#include <algorithm>

#include "audio/band_tables.h"
#include "audio/layer3_tables.h"

namespace {

constexpr int kMaxBigValues = 288;
constexpr int kMidSideGainSteps = 2;  // 2^-0.5, the 1/sqrt 2 of the mid/side matrix
constexpr int kSubblockGainSteps = 8;
constexpr int kShortRegion1Pair = 18;
constexpr int kLongRegion1PairMpeg2 = 27;
constexpr int kNoRegion2 = 288;

// The standard's window-switching regions for MPEG-1, and the MPEG-2 variant.
int switchedRegion1(int blockType, bool mpeg2)
{
    return (mpeg2 && blockType != 2) ? kLongRegion1PairMpeg2 : kShortRegion1Pair;
}

// One granule of one channel; false for the impossible window switching with block type 0.
bool readGranule(GranuleInfo& g, BitReader& r, bool midSide, int samplingIndex, bool mpeg2)
{
    g.part2_3_length = static_cast<int32_t>(readBits(r, 12));
    g.big_values = std::min<int32_t>(kMaxBigValues, static_cast<int32_t>(readBitsShort(r, 9)));
    int globalGain = static_cast<int>(readBitsShort(r, 8));
    g.gainPtr = gainEntry(-globalGain + (midSide ? kMidSideGainSteps : 0));
    g.scalefac_compress = static_cast<int32_t>(mpeg2 ? readBits(r, 9) : readBitsShort(r, 4));
    bool valid = true;
    if (readBit(r)) {
        g.block_type = static_cast<int32_t>(readBitsShort(r, 2));
        g.mixed_block_flag = static_cast<int32_t>(readBit(r));
        g.table_select[0] = static_cast<int32_t>(readBitsShort(r, 5));
        g.table_select[1] = static_cast<int32_t>(readBitsShort(r, 5));
        g.table_select[2] = 0;
        for (const float*& w : g.windowGainPtr) w = g.gainPtr + kSubblockGainSteps * static_cast<int>(readBitsShort(r, 3));
        valid = g.block_type != 0;
        g.region1FirstPair = switchedRegion1(g.block_type, mpeg2);
        g.region2FirstPair = kNoRegion2;
    } else {
        for (int32_t& t : g.table_select) t = static_cast<int32_t>(readBitsShort(r, 5));
        int region0 = static_cast<int>(readBitsShort(r, 4));
        int region1 = static_cast<int>(readBitsShort(r, 3));
        // Counts may name bands past the last: the region then reaches the end of the granule.
        const int32_t* starts = kLongBandStarts[samplingIndex];
        g.region1FirstPair = starts[std::min(region0 + 1, kLongBands)] / 2;
        g.region2FirstPair = starts[std::min(region0 + region1 + 2, kLongBands)] / 2;
        g.block_type = 0;
        g.mixed_block_flag = 0;
        for (const float*& w : g.windowGainPtr) w = g.gainPtr;
    }
    g.preflag = mpeg2 ? 0 : static_cast<int32_t>(readBit(r));
    g.scalefac_scale = static_cast<int32_t>(readBit(r));
    g.count1table_select = static_cast<int32_t>(readBit(r));
    return valid;
}

}  // namespace

bool readSideInfoMpeg1(SideInfo& si, BitReader& r, int channels, bool midSide, int samplingIndex)
{
    si.main_data_begin = readBits(r, 9);
    si.private_bits = readBitsShort(r, channels == 1 ? 5 : 3);
    for (int ch = 0; ch < channels; ++ch) {
        si.gr[ch][0].scfsi = -1;
        si.gr[ch][1].scfsi = static_cast<int32_t>(readBitsShort(r, 4));
    }
    bool valid = true;
    for (int gr = 0; gr < 2; ++gr) {
        for (int ch = 0; ch < channels; ++ch) valid &= readGranule(si.gr[ch][gr], r, midSide, samplingIndex, false);
    }
    return valid;
}

bool readSideInfoMpeg2(SideInfo& si, BitReader& r, int channels, bool midSide, int samplingIndex)
{
    si.main_data_begin = readBits(r, 8);
    si.private_bits = readBitsShort(r, channels == 1 ? 1 : 2);
    bool valid = true;
    for (int ch = 0; ch < channels; ++ch) {
        si.gr[ch][0].scfsi = -1;
        valid &= readGranule(si.gr[ch][0], r, midSide, samplingIndex, true);
    }
    return valid;
}
