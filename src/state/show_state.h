#pragma once

#include <cstdint>

#include "scene/scene.h"

// The show's one random generator, shared by the camera shake and the sparks; never seeded.
struct RandomState {
    uint32_t state;
};

// The greets panel as it grows frame by frame over the end of the show.
struct GreetsPanel {
    int32_t panelGrowth;
    int32_t panelWidth;
    int32_t panelY;  // bottom edge of the panel; it keeps its place across resizes
    int32_t panelCentreX;  // half the window width, stored by every resize
};

// What the show keeps from frame to frame. A display-mode toggle restarts the clock but not
// this, so an overlay that is on stays on through the replayed flight.
struct ShowState {
    int32_t cameraShake;  // 1 at start: the very first frame shakes too
    float endFogDensity;  // what the next step of the end fog shows
    float endFogShown;  // what the last step showed, kept through a frame without a step
    bool greetsScrollOn;
    bool greetsPanelOn;
    RandomState random;
    int32_t greetsScrollY;  // bottom edge of the scroll; every resize resets it
    GreetsPanel panel;
    // This frame's steps of the overlays, as the timeline counted them (see effect_steps.h).
    int32_t scrollSteps;
    int32_t panelSteps;
    SceneCamera spareCamera;  // flown instead when the scene has no selected camera
};

// The start values: shake on, end fog at 0.001, the generator at 1, overlays off and at 0, a
// step a frame.
void startShow(ShowState& show);
