#include "texture_tools.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

BlockCell blockCell(int x, int y, int size, int blockW, int blockH, int joint, bool staggered)
{
    int row = y / blockH;
    int shifted = (x + ((staggered && (row & 1)) ? blockW / 2 : 0)) % size;
    int column = shifted / blockW;
    int lx = shifted % blockW, ly = y % blockH;
    float edge = static_cast<float>(std::min({lx - joint, blockW - 1 - lx, ly - joint, blockH - 1 - ly}));
    return {lx < joint || ly < joint, column, row, lx, ly, edge};
}

float blockTint(const BlockCell& cell, uint32_t seed)
{
    return static_cast<float>(hashPoint(cell.column, cell.row, seed) >> 8) / 8388608.0f - 1.0f;
}

float fbmAt(int x, int y, int size, int cells, int octaves, uint32_t seed)
{
    return tiledFbm(float(x) * cells / size, float(y) * cells / size, cells, octaves, seed);
}

float grain(int x, int y, int size, int cells, uint32_t seed) { return fbmAt(x, y, size, cells, 4, seed) * 2 - 1; }

float speckle(int x, int y, uint32_t seed) { return static_cast<float>(hashPoint(x, y, seed) & 255) / 255.0f - 0.5f; }

Image paintMasonry(const Masonry& m)
{
    return paintImage(m.size, m.size, [&](int x, int y) {
        BlockCell cell = blockCell(x, y, m.size, m.blockW, m.blockH, m.joint, m.staggered);
        if (cell.joint) return shade(m.mortar, grain(x, y, m.size, 32, m.seed), m.mortarGrain);
        Colour c = shade(m.block, blockTint(cell, m.seed + 1), m.tint);
        c = shade(c, grain(x, y, m.size, m.grainCells, m.seed + 2), m.grain);
        return cell.edge < 2 ? scaled(c, m.bevel) : c;
    });
}

Colour shade(const Colour& c, float amount, float strength) { return scaled(c, 1.0f + amount * strength); }
