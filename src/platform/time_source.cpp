#include "platform/time_source.h"

#include <atomic>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Global: the counter is the process's own, captured at static initialisation (program start).
const Clock::time_point programStart = Clock::now();

uint32_t systemCounter()
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - programStart);
    return static_cast<uint32_t>(ms.count());
}

// Global: the process's one millisecond counter, which tests and tools replace as a whole.
std::atomic<TimeSourceFn> currentSource{systemCounter};

}  // namespace

uint32_t timeGetTime()
{
    return currentSource.load(std::memory_order_relaxed)();
}

void setTimeSource(TimeSourceFn source)
{
    currentSource.store(source ? source : systemCounter, std::memory_order_relaxed);
}
