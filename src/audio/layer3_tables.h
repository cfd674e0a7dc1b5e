#pragma once

#include <cstdint>

#include "audio/band_tables.h"
#include "audio/lanes.h"

// Constant tables of requantisation, stereo processing and the hybrid filter bank, computed by
// tools/mpeg_tables (src/audio/generated/decoder_tables.cpp).

// Gain table: entry i = 2^(-(i + 210) / 4). The lowest index is -global_gain; the highest adds
// the mid/side step (2), the largest subblock gain (7 x 8) and the largest scale factor with
// pre-emphasis, shifted by the largest scalefac_scale ((31 + 3) << 2).
constexpr int kGainIndexMin = -256;
constexpr int kGainIndexMax = 2 + 7 * 8 + ((31 + 3) << 2);
extern const float kGainTable[kGainIndexMax - kGainIndexMin + 1];
inline const float* gainEntry(int i) { return kGainTable - kGainIndexMin + i; }

// x^(4/3) for every magnitude a code word and its linbits can give: 15 + 8191.
constexpr int kPowerEntries = 8207;
extern const float kPowerTable[kPowerEntries];

struct AliasCoefficients {
    float ca[8];
    float cs[8];
};
extern const AliasCoefficients kAlias;

// IMDCT windows by block type, with the output scaling of the fast transforms folded in;
// the odd sub-bands' copies carry the frequency inversion (odd entries negated).
extern const float kImdctWindows[4][36];
extern const float kImdctOddWindows[4][36];
// Both for four neighbouring sub-bands from an even one: even, odd, even, odd.
extern const Lanes kImdctWindowLanes[4][36];
extern const float kImdct36Constants[9];  // 0.5 / cos((2i + 1) pi / 36)
extern const float kImdct3Constants[3];   // 0.5 / cos((2i + 1) pi / 12)
// cos(pi/6), cos(pi/3), cos(pi/9), cos(5pi/9), cos(7pi/9), cos(pi/18), cos(11pi/18), cos(13pi/18)
extern const float kSingleConstants[8];

// Intensity ratios [left, right, left x sqrt 2, right x sqrt 2][position]; MPEG-2 by the low
// bit of scalefac_compress. MPEG-1 positions 7 and above are not intensity-coded (rows left 0);
// MPEG-2 positions reach 30, as a scale factor of up to 5 bits holds them.
constexpr int kIntensityPositions = 32;
extern const float kIntensityMpeg1[4][kIntensityPositions];
extern const float kIntensityMpeg2[2][4][kIntensityPositions];

// Where each band's values go, in the order the Huffman data gives them.
struct BandMapEntry {
    int16_t pairs;      // value pairs in the band (one window of it for short bands)
    int16_t firstLine;  // where its first value goes
    int8_t window;      // 0..2 for short bands, 3 for long bands
    int8_t band;
};
enum BlockKind { kLongKind = 0, kShortKind = 1, kMixedKind = 2 };
inline BlockKind blockKind(int blockType, int mixedBlockFlag)
{
    return blockType != 2 ? kLongKind : mixedBlockFlag ? kMixedKind : kShortKind;
}
struct BandMap {
    BandMapEntry entries[3 * kShortBands];
    int count;
};
extern const BandMap kBandMaps[kSamplingIndices][3];

// Sub-bands that hold the bands below band j.
extern const int32_t kLongSubbandLimits[kSamplingIndices][kLongBands + 1];
extern const int32_t kShortSubbandLimits[kSamplingIndices][kShortBands + 1];

// MPEG-2 scale-factor lengths, packed: slen1..4 in bits 0-2, 3-5, 6-8, 9-11, the partition table
// in bits 12-14 and pre-emphasis in bit 15; by scalefac_compress, and by scalefac_compress / 2
// on the intensity channel.
extern const uint32_t kMpeg2ScaleLengths[512];
extern const uint32_t kMpeg2IntensityScaleLengths[256];

// Pre-emphasis per long band, [preflag][band].
extern const int32_t kPreemphasis[2][kLongBands];
