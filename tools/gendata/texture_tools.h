#pragma once

#include <cstdint>

#include "image.h"

// Shared pieces of the procedural textures.

// Where a pixel falls in a wall of blocks (bricks, slabs, plates) laid in rows.
struct BlockCell {
    bool joint;   // on the mortar or the gap between blocks
    int column;   // which block, for per-block tints
    int row;
    int localX;   // pixel position inside the block
    int localY;
    float edge;   // distance in pixels to the nearest joint, for bevels
};
// Blocks of blockW x blockH pixels with joints `joint` pixels wide in a texture of `size`
// pixels; every other row is shifted by half a block when `staggered`.
BlockCell blockCell(int x, int y, int size, int blockW, int blockH, int joint, bool staggered);

// A tint in -1..1 that is fixed for one block and differs from block to block.
float blockTint(const BlockCell& cell, uint32_t seed);
// Cloudy noise in 0..1 with `cells` features across a texture of `size` pixels, repeating with it.
float fbmAt(int x, int y, int size, int cells, int octaves, uint32_t seed);
// Fine grain in -1..1, repeating over a texture of `size` pixels.
float grain(int x, int y, int size, int cells, uint32_t seed);
// Per-pixel speckle in -0.5..0.5.
float speckle(int x, int y, uint32_t seed);

constexpr float kTau = 6.28318531f;

// A wall of blocks in mortar: slabs, bricks, ashlar.
struct Masonry {
    int size, blockW, blockH, joint;
    bool staggered;
    Colour block, mortar;
    float tint;       // how much one block differs from the next
    int grainCells;   // how coarse the blocks' grain is
    float grain;      // and how strong
    float mortarGrain;
    float bevel;      // brightness of the blocks' edges, 1 for none
    uint32_t seed;
};
Image paintMasonry(const Masonry& m);
// The colour brightened or darkened by `amount` (-1..1) times `strength`.
Colour shade(const Colour& c, float amount, float strength);
