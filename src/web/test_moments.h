#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/time_source.h"
#include "scene/scene.h"
#include "state/picture_fit.h"
#include "state/show_state.h"

struct App;

// The page's test clock (#t=MS,... in its address): the demo clock stands at chosen moments, and
// every frame of capture's grid from 0 runs on the way, unseen but for the frame that shows a
// moment, so that the effects that step once a frame stand where capture has them. The last
// moment is held: redrawn, as it was, only when the canvas changes size or the lights are switched.
struct TestMoments {
    ManualTime time{};
    std::vector<double> moments;  // ms, ascending
    std::vector<int64_t> frames;  // the grid frame that shows each
    size_t next = 0;              // the moment to draw next
    int64_t framesRun = 0;        // grid frames run (unseen or drawn) so far
    ShowState heldShow{};         // the show as the held frame starts, and its camera
    SceneCamera heldCamera{};
    PictureFit heldAt{};          // the fit and the light toggle it was last drawn with
    int32_t heldLights = 0;
};

// The moments asked for, sorted; the App's demo clock must read `moments.time`.
void startTestMoments(TestMoments& moments, std::vector<double> momentsMs);
// Draws the next moment, or the held one again if the canvas or the lights changed: false when nothing was
// drawn. `shown` is the moment drawn, in ms.
bool drawTestMoment(TestMoments& moments, App& app, double& shown);
