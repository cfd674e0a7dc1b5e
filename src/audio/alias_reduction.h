#pragma once

#include "audio/side_info.h"

// Alias-reduction butterflies between neighbouring sub-bands, in place on one channel's spectrum:
// none for short blocks, the lowest boundary for mixed ones, else every boundary below activeSubbands.
void reduceAliasing(float* x, const GranuleInfo& g);
