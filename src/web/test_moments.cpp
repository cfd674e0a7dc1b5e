#include "web/test_moments.h"

#include <algorithm>

#include "session/frame_schedule.h"
#include "session/test_clock.h"
#include "state/app.h"

namespace {

// capture's default frame rate, whose grid the moments are counted on.
constexpr FrameRate kCaptureRate{};

double gridMs(int64_t frame) { return frameTimeMs(0.0, frame, kCaptureRate); }

SceneCamera& flownCamera(App& app) { return app.scene.selectedCamera ? *app.scene.selectedCamera : app.show.spareCamera; }

void keepHeld(TestMoments& m, App& app)
{
    m.heldShow = app.show;
    m.heldCamera = flownCamera(app);
}

// The camera's record keeps its place in the scene's list; only what the frames change goes back.
void restoreHeld(const TestMoments& m, App& app)
{
    app.show = m.heldShow;
    SceneCamera& camera = flownCamera(app);
    camera.eye = m.heldCamera.eye;
    camera.target = m.heldCamera.target;
}

}  // namespace

void startTestMoments(TestMoments& m, std::vector<double> momentsMs)
{
    std::sort(momentsMs.begin(), momentsMs.end());
    m.moments = momentsMs;
    m.frames.clear();
    for (double ms : momentsMs) m.frames.push_back(gridFrameAtOrBefore(ms / 1000.0, kCaptureRate));
    m.next = 0;
    m.framesRun = 0;
}

bool drawTestMoment(TestMoments& m, App& app, double& shown)
{
    if (m.next < m.frames.size()) {
        int64_t frame = m.frames[m.next];
        shown = m.moments[m.next++];
        if (frame < m.framesRun) {
            // A second moment on the frame just drawn: that frame again, as it was.
            restoreHeld(m, app);
        } else {
            for (; m.framesRun < frame; ++m.framesRun) drawUnseenFrame(m.time, app, gridMs(m.framesRun));
            keepHeld(m, app);
            m.framesRun = frame + 1;
        }
        m.heldAt = app.picture;
        m.heldLights = app.lightsOn;
        drawShowFrame(m.time, app, gridMs(frame));
        return true;
    }
    if (m.moments.empty() || (app.picture == m.heldAt && app.lightsOn == m.heldLights)) return false;
    restoreHeld(m, app);
    m.heldAt = app.picture;
    m.heldLights = app.lightsOn;
    shown = m.moments.back();
    drawShowFrame(m.time, app, gridMs(m.frames.back()));
    return true;
}
