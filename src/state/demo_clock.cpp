#include "state/demo_clock.h"

void startClock(DemoClock& clock)
{
    uint32_t reading = readTime(clock.source);
    clock.clockStartMs = static_cast<float>(reading);
    clock.exactStartMs = reading;
    clock.stepInstantsDone = 0;
}

float elapsedMs(const DemoClock& clock)
{
    return readDemoTime(clock).ms;
}

DemoTime readDemoTime(const DemoClock& clock)
{
    uint32_t reading = readTime(clock.source);
    // Both readings are rounded to float before the subtraction.
    float now = static_cast<float>(reading);
    return {now - clock.clockStartMs, reading - clock.exactStartMs};
}
