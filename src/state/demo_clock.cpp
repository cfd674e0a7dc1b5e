#include "state/demo_clock.h"

#include "state/app.h"
#include "platform/time_source.h"

void startClock(App& app)
{
    app.clockStartMs = static_cast<float>(timeGetTime());
}

float elapsedMs(App& app)
{
    // Both readings are rounded to float before the subtraction.
    float now = static_cast<float>(timeGetTime());
    app.lastElapsedMs = now - app.clockStartMs;
    return app.lastElapsedMs;
}
