#pragma once

#include <cstdint>

#include "audio/bit_reader.h"

// Layer III side information: per granule and channel, the bit budget, gains, block type and
// Huffman table choices.
struct GranuleInfo {
    int32_t scfsi;  // -1: read every scale factor; in MPEG-1 granule 1 the four reuse bits
    int32_t part2_3_length;
    int32_t big_values;  // clamped to 288
    int32_t scalefac_compress;
    int32_t block_type;  // 0 normal, 1 start, 2 short, 3 stop
    int32_t mixed_block_flag;
    int32_t table_select[3];
    int32_t lastShortBands[3];  // per window, one past the highest short band with a non-zero value
    int32_t lastLongBand;       // one past the highest long band with a non-zero value
    int32_t activeSubbands;     // sub-bands the filter bank transforms
    int32_t region1FirstPair;
    int32_t region2FirstPair;
    int32_t preflag;
    int32_t scalefac_scale;
    int32_t count1table_select;
    const float* windowGainPtr[3];  // gainPtr moved by 8 entries per unit of subblock gain
    const float* gainPtr;           // gain-table entry of -global_gain (two further with mid/side)
};

struct SideInfo {
    uint32_t main_data_begin;
    uint32_t private_bits;
    GranuleInfo gr[2][2];  // [channel][granule]; MPEG-2 uses granule 0 only
};

// Both read every field of the block; false when a granule is impossible (window switching
// with block type 0), which drops the frame.
bool readSideInfoMpeg1(SideInfo& si, BitReader& r, int channels, bool midSide, int samplingIndex);
bool readSideInfoMpeg2(SideInfo& si, BitReader& r, int channels, bool midSide, int samplingIndex);
