#pragma once

#include <cstdint>

// Milliseconds of a monotonic counter that starts near zero when the program starts,
// so that its float conversion stays exact to the millisecond for hours.
uint32_t timeGetTime();

// Tests and tools put their own counter behind timeGetTime; nullptr restores the system one.
using TimeSourceFn = uint32_t (*)();
void setTimeSource(TimeSourceFn source);
