#include "platform/time_source.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Global: the counter is the process's own, captured at static initialisation (program start).
const Clock::time_point programStart = Clock::now();

uint32_t readManual(void* context)
{
    return static_cast<ManualTime*>(context)->nowMs;
}

}  // namespace

uint32_t timeGetTime()
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - programStart);
    return static_cast<uint32_t>(ms.count());
}

uint32_t readTime(const TimeSource& source)
{
    return source.read ? source.read(source.context) : timeGetTime();
}

TimeSource manualTimeSource(ManualTime& time)
{
    return {readManual, &time};
}
