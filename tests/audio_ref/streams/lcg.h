#pragma once

#include <cstdint>

// A small fixed random generator, so every run makes the same test streams.
struct Lcg {
    uint32_t state;
    uint32_t bits()
    {
        state = state * 1664525u + 1013904223u;
        return state;
    }
    double uniform() { return static_cast<int32_t>(bits()) / 2147483648.0; }  // [-1, 1)
    int below(int n) { return static_cast<int>((bits() >> 8) % static_cast<uint32_t>(n)); }
    bool percent(int p) { return below(100) < p; }
};
