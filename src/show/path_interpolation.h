#pragma once

#include "scene/vec3.h"

struct App;

// Script times are float seconds; a window end lies at exactly 1000 times that float, in ms.
double windowEdgeMs(float seconds);
// True while startTime × 1000 < nowMs < endTime × 1000; both ends are open.
bool inWindow(float nowMs, float startTime, float endTime);

// The point a straight leg from `from` to `to` has reached at nowMs; outside the window (or on
// its edges) the leg has arrived at `to`.
Vec3 pointOnLeg(float nowMs, float startTime, float endTime, const Vec3& from, const Vec3& to);
// The same at the demo time, which it reads itself.
Vec3 interpolatePath(App& app, float startTime, float endTime, const Vec3& from, const Vec3& to);
