#pragma once

#include <cstdint>

#include "audio/bit_reader.h"
#include "audio/scale_factors.h"
#include "audio/side_info.h"

// Decodes one granule's Huffman-coded spectrum and requantises it in the same pass, placing each
// value at its line through the band map (short blocks interleaved by window). Sets the band
// limits and activeSubbands of g. Returns 0, or 1 when the data ran past part2_3_length.
int decodeSpectrum(float* out, const int32_t (&sf)[kScaleFactors], GranuleInfo& g, int samplingIndex,
                   int part2Bits, BitReader& r);

// The same for the side channel of a mid/side granule, with the mid values already in `mid`:
// leaves left in `mid` and right in `side`.
int decodeSpectrumMidSide(float* mid, float* side, const int32_t (&sf)[kScaleFactors], GranuleInfo& g,
                          int samplingIndex, int part2Bits, BitReader& r);
