#pragma once

#include <cstdint>

#include "platform/time_source.h"

// The demo time's state: the counter it reads and that counter's reading at the last start.
struct DemoClock {
    TimeSource source;
    float clockStartMs;
    // The same start unrounded, and the step instants the effects have taken since it (see
    // effect_steps.h): counted from an exact time, so that no instant is lost or taken twice.
    double exactStartMs;
    int64_t stepInstantsDone;
};

// Demo time: milliseconds since the last startClock, as a 32-bit float.
void startClock(DemoClock& clock);
float elapsedMs(const DemoClock& clock);

// One reading of the counter: the demo time as the show's script sees it, and exactly.
struct DemoTime {
    float ms;
    double exactMs;
};
DemoTime readDemoTime(const DemoClock& clock);
