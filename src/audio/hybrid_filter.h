#pragma once

#include "audio/side_info.h"

// The second halves of each granule's transforms, kept for the next granule of the channel:
// [half][channel][32 t + s] for slot t of sub-band s; the channel's selector names the half that
// holds the previous granule's.
struct HybridState {
    float overlap[2][2][576];
    int selector[2];
};

// One channel's 576 spectral values to 18 time slots of 32 sub-band samples (slot t, sub-band s
// at 32 t + s): inverse MDCT, window, overlap-add and frequency inversion of the odd sub-bands.
void hybridFilter(HybridState& state, const float* spectrum, float* slots, int channel, const GranuleInfo& g);
