#include "show/path_interpolation.h"

#include "state/app.h"
#include "state/demo_clock.h"

namespace {

constexpr double kMsPerSecond = 1000.0f;

}  // namespace

double windowEdgeMs(float seconds)
{
    return static_cast<double>(seconds) * kMsPerSecond;
}

bool inWindow(float nowMs, float startTime, float endTime)
{
    return windowEdgeMs(startTime) < nowMs && nowMs < windowEdgeMs(endTime);
}

Vec3 interpolatePath(App& app, float startTime, float endTime, const Vec3& from, const Vec3& to)
{
    return pointOnLeg(elapsedMs(app.clock), startTime, endTime, from, to);
}

Vec3 pointOnLeg(float nowMs, float startTime, float endTime, const Vec3& from, const Vec3& to)
{
    if (!inWindow(nowMs, startTime, endTime)) return to;
    double duration = static_cast<double>(endTime - startTime) * kMsPerSecond;
    double u = (nowMs - windowEdgeMs(startTime)) / duration;
    Vec3 delta = to - from;
    return {static_cast<float>(from.x + u * delta.x), static_cast<float>(from.y + u * delta.y),
            static_cast<float>(from.z + u * delta.z)};
}
