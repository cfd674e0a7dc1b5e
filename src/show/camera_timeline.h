#pragma once

#include <cstdint>

#include "scene/scene.h"
#include "show/camera_script.h"

struct App;

// The view and fog of one frame as the timeline decided them.
struct TimelineFrame {
    Vec3 lookFrom;  // the camera's eye plus this frame's shake offsets
    Vec3 lookAt;
    bool setsFogDensity;
    float fogDensity;
    bool blackFog;  // end phase
};

// Reads the clock, flies the camera (the selected one, or the show's spare), sets the overlay
// flags and draws this frame's shake; no GL calls.
TimelineFrame evaluateTimeline(App& app, const CameraTimeline& timeline);

// The demo's own script evaluated for this frame.
TimelineFrame playCameraTimeline(App& app);
