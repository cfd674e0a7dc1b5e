#include "audio/alias_reduction.h"

#include "audio/band_tables.h"
#include "audio/lanes.h"
#include "audio/layer3_tables.h"

// The eight butterflies of a boundary, four at a time: the lines below it run backwards.
void reduceAliasing(float* x, const GranuleInfo& g)
{
    int boundaries = g.block_type == 2 ? (g.mixed_block_flag ? 1 : 0) : g.activeSubbands - 1;
    for (int s = 1; s <= boundaries; ++s) {
        float* boundary = x + kSubbandLines * s;
        for (int half = 0; half < 2; ++half) {
            float* upAt = boundary - 4 - 4 * half;
            float* downAt = boundary + 4 * half;
            Lanes cs = lanesAt(kAlias.cs + 4 * half), ca = lanesAt(kAlias.ca + 4 * half);
            Lanes u = reversed(lanesAt(upAt)), d = lanesAt(downAt);
            storeLanes(upAt, reversed(u * cs - d * ca));
            storeLanes(downAt, d * cs + u * ca);
        }
    }
}
