#pragma once

#include <cstdint>

#include "audio/scale_factors.h"
#include "audio/side_info.h"

// Intensity stereo: above channel 1's highest non-zero band, channel 0's values are shared out
// between both channels by the position that channel 1's scale factor gives. Bands whose position
// is not intensity-coded are left alone: in MPEG-1 positions 7 and above, in MPEG-2 the largest
// value of the scale factor's length (`largest`, from readScaleFactorsMpeg2) and positions above 15.
void applyIntensityStereo(float* ch0, float* ch1, const int32_t (&sf1)[kScaleFactors], const int32_t* largest,
                          const GranuleInfo& g1, int samplingIndex, bool midSide, bool mpeg2);
