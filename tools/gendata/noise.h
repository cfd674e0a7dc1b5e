#pragma once

#include <cstdint>

// Integer hash of a lattice point; the same inputs give the same bits on every run.
uint32_t hashPoint(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 that repeats every `period` lattice cells, so textures tile.
float tiledNoise(float x, float y, int period, uint32_t seed);
// Sum of `octaves` layers of tiledNoise, each twice as fine and half as strong; 0..1.
float tiledFbm(float x, float y, int period, int octaves, uint32_t seed);

// 0 below e0, 1 above e1, a smooth S-curve between.
float smoothStep(float e0, float e1, float x);
// 0 below `start`, then rising with `steepness` until it reaches 1.
float ramp(float x, float start, float steepness);

// The generator's own random numbers (never the C library's, whose sequence varies).
struct Lcg {
    uint32_t state;
    uint32_t next();
    float unit();  // 0 <= value < 1
    float range(float lo, float hi);
};
