#pragma once

#include <cstdint>

#include "audio/scale_factors.h"
#include "audio/side_info.h"

// Intensity stereo: above channel 1's highest non-zero band, channel 0's values are shared out
// between both channels by the position that channel 1's scale factor gives. Positions that are
// not intensity-coded (7, MPEG-1 positions above 7, MPEG-2 positions above 15) are left alone.
void applyIntensityStereo(float* ch0, float* ch1, const int32_t (&sf1)[kScaleFactors], const GranuleInfo& g1,
                          int samplingIndex, bool midSide, bool mpeg2);
