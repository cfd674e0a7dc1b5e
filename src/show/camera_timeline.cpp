#include "show/camera_timeline.h"

#include "show/demo_random.h"
#include "show/path_interpolation.h"
#include "state/app.h"
#include "state/demo_clock.h"

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

}  // namespace

TimelineFrame evaluateTimeline(App& app, const CameraTimeline& timeline)
{
    ShowState& state = app.show;
    float now = elapsedMs(app.clock);
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
    if (now > kScrollStartMs && now < flightEndMs) state.greetsScrollOn = true;

    SceneCamera& camera = flownCamera(app);
    if (now > flightEndMs) {
        frame.setsFogDensity = true;
        frame.fogDensity = state.endFogDensity;
        frame.blackFog = true;
        state.endFogDensity += kEndFogStep;
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
    return frame;
}

TimelineFrame playCameraTimeline(App& app)
{
    return evaluateTimeline(app, kCameraTimeline);
}
