#include "state/demo_clock.h"

void startClock(DemoClock& clock)
{
    clock.clockStartMs = static_cast<float>(readTime(clock.source));
}

float elapsedMs(const DemoClock& clock)
{
    // Both readings are rounded to float before the subtraction.
    float now = static_cast<float>(readTime(clock.source));
    return now - clock.clockStartMs;
}
