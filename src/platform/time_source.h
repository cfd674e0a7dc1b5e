#pragma once

#include <cstdint>

// Milliseconds of a monotonic counter that starts near zero when the program starts,
// so that its float conversion stays exact to the millisecond for hours.
uint32_t timeGetTime();

// A millisecond counter given to whoever keeps time: the system's (timeGetTime) when `read` is
// null, as in a record that starts zeroed, or one that a tool or a test sets by hand.
struct TimeSource {
    uint32_t (*read)(void* context);
    void* context;
};
uint32_t readTime(const TimeSource& source);

// A counter that stands where its owner last put it.
struct ManualTime {
    uint32_t nowMs;
};
TimeSource manualTimeSource(ManualTime& time);
