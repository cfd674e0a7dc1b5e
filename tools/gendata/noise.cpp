#include "noise.h"

#include <algorithm>
#include <cmath>

uint32_t hashPoint(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

static float latticeValue(int x, int y, int period, uint32_t seed)
{
    int wx = ((x % period) + period) % period;
    int wy = ((y % period) + period) % period;
    return static_cast<float>(hashPoint(wx, wy, seed) >> 8) / 16777216.0f;
}

static float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

float tiledNoise(float x, float y, int period, uint32_t seed)
{
    int x0 = static_cast<int>(std::floor(x));
    int y0 = static_cast<int>(std::floor(y));
    float fx = smooth(x - x0);
    float fy = smooth(y - y0);
    float a = latticeValue(x0, y0, period, seed);
    float b = latticeValue(x0 + 1, y0, period, seed);
    float c = latticeValue(x0, y0 + 1, period, seed);
    float d = latticeValue(x0 + 1, y0 + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

float tiledFbm(float x, float y, int period, int octaves, uint32_t seed)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * tiledNoise(x, y, period, seed + i);
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / weight;
}

float smoothStep(float e0, float e1, float x)
{
    float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float ramp(float x, float start, float steepness) { return std::clamp((x - start) * steepness, 0.0f, 1.0f); }

uint32_t Lcg::next()
{
    state = state * 1664525u + 1013904223u;
    return state;
}

float Lcg::unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }

float Lcg::range(float lo, float hi) { return lo + (hi - lo) * unit(); }
