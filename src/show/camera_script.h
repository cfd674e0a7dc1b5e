#pragma once

#include "scene/vec3.h"

constexpr int kMaxSegments = 60;

// One timed leg of the flight; it plays while its window, in float seconds, holds the demo time.
struct PathSegment {
    float startTime;
    float endTime;
    bool shake;         // sets the camera shake while it plays
    bool setsFog;       // applies its own fogDensity while it plays
    float fogDensity;
};

// The demo's script: segment i flies the eye from posDebSource[i] to posFinSource[i] and the
// target from posDebTarget[i] to posFinTarget[i].
struct CameraTimeline {
    int segmentCount;
    PathSegment segments[kMaxSegments];
    Vec3 posDebSource[kMaxSegments];
    Vec3 posFinSource[kMaxSegments];
    Vec3 posDebTarget[kMaxSegments];
    Vec3 posFinTarget[kMaxSegments];
};

extern const CameraTimeline kCameraTimeline;
