#pragma once

#include <cstdint>

#include "scene/scene.h"
#include "show/camera_script.h"

struct App;

// What the timeline keeps from frame to frame; a display-mode toggle restarts the clock but
// not this, so an overlay that is on stays on through the replayed flight.
struct TimelineState {
    int32_t cameraShake = 1;  // 1 at start: the very first frame shakes too
    float endFogDensity = 0.001f;
    bool greetsScrollOn = false;
    bool greetsPanelOn = false;
    SceneCamera spareCamera{};  // flown instead when the scene has no selected camera
};

extern TimelineState gTimeline;

// The view and fog of one frame as the timeline decided them.
struct TimelineFrame {
    Vec3 lookFrom;  // the camera's eye plus this frame's shake offsets
    Vec3 lookAt;
    bool setsFogDensity;
    float fogDensity;
    bool blackFog;  // end phase
};

// Reads the clock, flies the camera (the selected one, or the spare), sets the overlay flags
// and draws this frame's shake; everything but the GL calls.
TimelineFrame evaluateTimeline(App& app, TimelineState& state, const CameraTimeline& timeline = kCameraTimeline);

// One frame's view: the fog and the camera of the timeline, then the scene.
void playCameraTimeline(App& app);
