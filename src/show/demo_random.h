#pragma once

#include <cstdint>

// The show's one random generator, shared by the camera shake and the sparks. It is never
// seeded, so every run draws the same sequence.
struct RandomState {
    uint32_t state = 1;
};

extern RandomState gDemoRandom;

// state = state × 214013 + 2531011 (mod 2^32); returns bits 16 to 30: 0 to 32767.
int32_t demoRand(RandomState& random = gDemoRandom);
