#include "state/effect_steps.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerSecond = 1000.0;
// A time given in decimal (or as k / fps) is not exact in binary: an instant's position closer
// than this to a whole number is taken as that number, so the instant at that time counts.
constexpr double kInstantSlack = 1e-6;

}  // namespace

int64_t instantsUpTo(int32_t rateHz, double demoMs)
{
    if (rateHz <= 0 || !(demoMs >= 0.0)) return 0;
    return static_cast<int64_t>(std::floor(demoMs * rateHz / kMsPerSecond + kInstantSlack)) + 1;
}

int64_t stepsThisFrame(int32_t rateHz, int64_t instantsDone, double nowMs, double onsetMs)
{
    if (rateHz <= 0) return 1;
    int64_t before = std::max(instantsDone, instantsUpTo(rateHz, onsetMs));
    return std::max<int64_t>(0, instantsUpTo(rateHz, nowMs) - before);
}
