#pragma once

#include "platform/time_source.h"

// The demo time's state: the counter it reads and that counter's reading at the last start.
struct DemoClock {
    TimeSource source;
    float clockStartMs;
};

// Demo time: milliseconds since the last startClock, as a 32-bit float.
void startClock(DemoClock& clock);
float elapsedMs(const DemoClock& clock);
