#include "audio/alias_reduction.h"

#include "audio/band_tables.h"
#include "audio/layer3_tables.h"

void reduceAliasing(float* x, const GranuleInfo& g)
{
    int boundaries = g.block_type == 2 ? (g.mixed_block_flag ? 1 : 0) : g.activeSubbands - 1;
    for (int s = 1; s <= boundaries; ++s) {
        float* up = x + kSubbandLines * s - 1;
        float* down = x + kSubbandLines * s;
        for (int i = 0; i < 8; ++i) {
            float u = up[-i], d = down[i];
            up[-i] = u * gAlias.cs[i] - d * gAlias.ca[i];
            down[i] = d * gAlias.cs[i] + u * gAlias.ca[i];
        }
    }
}
