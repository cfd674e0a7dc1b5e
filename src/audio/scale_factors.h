#pragma once

#include <cstdint>

#include "audio/bit_reader.h"
#include "audio/side_info.h"

// One channel's scale factors of a granule, in the order the band maps consume them:
// long blocks 21 bands and a 0; short blocks 12 bands x 3 windows and three 0s; mixed blocks the
// long bands below line 36, then short bands 3..11 x 3 windows, then 0s.
constexpr int kScaleFactors = 39;

// Both return the number of bits read (the part 2 length). MPEG-1 granule 1 keeps the groups
// that scfsi marks from granule 0, which the array still holds.
int readScaleFactorsMpeg1(int32_t (&sf)[kScaleFactors], const GranuleInfo& g, BitReader& r);
// Sets g.preflag from the length table, and `largest` to the largest value each entry's length
// can hold (on the intensity channel that value means "not intensity-coded").
int readScaleFactorsMpeg2(int32_t (&sf)[kScaleFactors], int32_t (&largest)[kScaleFactors], GranuleInfo& g,
                          BitReader& r, bool intensityChannel);
