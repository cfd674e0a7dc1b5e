#pragma once

#include <cstdint>

#include "state/show_state.h"

// state = state × 214013 + 2531011 (mod 2^32); returns bits 16 to 30: 0 to 32767.
int32_t demoRand(RandomState& random);
