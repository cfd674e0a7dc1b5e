#include "show/camera_timeline.h"

#include <algorithm>
#include <limits>

#include "show/demo_random.h"
#include "show/path_interpolation.h"
#include "state/app.h"
#include "state/demo_clock.h"
#include "state/effect_steps.h"

namespace {

constexpr float kScrollStartMs = 60200.0f;
constexpr float kEndFogStep = 0.001f;
constexpr int kShakeRange = 5;  // offsets of 0 to 4 units

SceneCamera& flownCamera(App& app)
{
    return app.scene.selectedCamera ? *app.scene.selectedCamera : app.show.spareCamera;
}

// The end of the last segment's window, after which the end phase begins.
double flightEnd(const CameraTimeline& timeline)
{
    if (timeline.segmentCount < 1) return 0.0;
    return windowEdgeMs(timeline.segments[timeline.segmentCount - 1].endTime);
}

float shakeOffset(ShowState& show)
{
    return static_cast<float>((demoRand(show.random) * show.cameraShake) % kShakeRange);
}

int32_t toInt32(int64_t steps)
{
    return static_cast<int32_t>(std::min<int64_t>(steps, std::numeric_limits<int32_t>::max()));
}

// The end fog's steps of this frame, each showing the density and then thickening it.
float stepEndFog(ShowState& state, int64_t steps)
{
    for (int64_t i = 0; i < steps; ++i) {
        float next = state.endFogDensity + kEndFogStep;
        state.endFogShown = state.endFogDensity;
        // Once the float no longer grows, nor will it in the steps left.
        if (next == state.endFogDensity) break;
        state.endFogDensity = next;
    }
    return state.endFogShown;
}

// How many steps the overlays take in this frame; one that comes on now counts from its start.
void countOverlaySteps(App& app, double nowMs, bool scrollWasOn, bool panelWasOn, double flightEndMs)
{
    ShowState& state = app.show;
    int64_t done = app.clock.stepInstantsDone;
    state.scrollSteps =
        toInt32(stepsThisFrame(app.stepRateHz, done, nowMs, scrollWasOn ? kRunningBefore : kScrollStartMs));
    state.panelSteps = toInt32(stepsThisFrame(app.stepRateHz, done, nowMs, panelWasOn ? kRunningBefore : flightEndMs));
}

}  // namespace

TimelineFrame evaluateTimeline(App& app, const CameraTimeline& timeline)
{
    ShowState& state = app.show;
    DemoTime time = readDemoTime(app.clock);
    float now = time.ms;
    TimelineFrame frame{};
    Vec3 eye{0.0f, 0.0f, 0.0f};
    Vec3 target{0.0f, 0.0f, 0.0f};
    for (int i = 0; i < timeline.segmentCount; ++i) {
        const PathSegment& segment = timeline.segments[i];
        if (!inWindow(now, segment.startTime, segment.endTime)) continue;
        if (segment.shake) state.cameraShake = 1;
        if (segment.setsFog) {
            frame.setsFogDensity = true;
            frame.fogDensity = segment.fogDensity;
        }
        eye = interpolatePath(app, segment.startTime, segment.endTime, timeline.posDebSource[i],
                              timeline.posFinSource[i]);
        target = interpolatePath(app, segment.startTime, segment.endTime, timeline.posDebTarget[i],
                                 timeline.posFinTarget[i]);
    }
    double flightEndMs = flightEnd(timeline);
    bool scrollWasOn = state.greetsScrollOn;
    bool panelWasOn = state.greetsPanelOn;
    if (now > kScrollStartMs && now < flightEndMs) state.greetsScrollOn = true;

    SceneCamera& camera = flownCamera(app);
    if (now > flightEndMs) {
        frame.setsFogDensity = true;
        frame.blackFog = true;
        int64_t fogSteps = stepsThisFrame(app.stepRateHz, app.clock.stepInstantsDone, time.exactMs, flightEndMs);
        frame.fogDensity = stepEndFog(state, fogSteps);
        state.greetsPanelOn = true;
    } else {
        camera.eye = eye;
        camera.target = target;
    }
    // Drawn z first, then y, then x.
    float offsetZ = shakeOffset(state);
    float offsetY = shakeOffset(state);
    float offsetX = shakeOffset(state);
    frame.lookFrom = {camera.eye.x + offsetX, camera.eye.y + offsetY, camera.eye.z + offsetZ};
    frame.lookAt = camera.target;
    // Nothing later in the frame reads the shake, so it can end here.
    state.cameraShake = 0;
    countOverlaySteps(app, time.exactMs, scrollWasOn, panelWasOn, flightEndMs);
    app.clock.stepInstantsDone = std::max(app.clock.stepInstantsDone, instantsUpTo(app.stepRateHz, time.exactMs));
    return frame;
}

TimelineFrame playCameraTimeline(App& app)
{
    return evaluateTimeline(app, kCameraTimeline);
}
