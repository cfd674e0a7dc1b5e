#include "session/frame_schedule.h"

#include <cmath>

namespace {

constexpr double kMsPerSecond = 1000.0;
// Seconds are given in decimal and are not exact in binary: a frame position closer than this
// to a whole number is taken as that number.
constexpr double kFrameSlack = 1e-6;

double framesIn(double seconds, FrameRate rate)
{
    return seconds * static_cast<double>(rate.num) / static_cast<double>(rate.den);
}

}  // namespace

double frameTimeMs(double fromSeconds, int64_t k, FrameRate rate)
{
    double offsetMs = static_cast<double>(k) * kMsPerSecond * static_cast<double>(rate.den) /
                      static_cast<double>(rate.num);
    return fromSeconds * kMsPerSecond + offsetMs;
}

int64_t frameCount(double fromSeconds, double toSeconds, FrameRate rate)
{
    if (!(toSeconds > fromSeconds)) return 0;
    return static_cast<int64_t>(std::ceil(framesIn(toSeconds - fromSeconds, rate) - kFrameSlack));
}

int64_t gridFrameAtOrBefore(double seconds, FrameRate rate)
{
    if (!(seconds > 0.0)) return 0;
    return static_cast<int64_t>(std::floor(framesIn(seconds, rate) + kFrameSlack));
}
