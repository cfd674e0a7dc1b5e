#pragma once

#include <cstdint>

// A float's bit pattern and back, as std::bit_cast gives them, through the compiler's builtin:
// the C++ library of the browser build has no std::bit_cast.
constexpr uint32_t floatBits(float value) { return __builtin_bit_cast(uint32_t, value); }
constexpr float floatFromBits(uint32_t bits) { return __builtin_bit_cast(float, bits); }
