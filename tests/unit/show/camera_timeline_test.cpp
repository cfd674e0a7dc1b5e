#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "show/camera_timeline.h"
#include "show_test_support.h"

namespace {

// The script's control points as the demo's design gives them (eye start, eye end, target start,
// target end of each segment), written out here so that a wrong point in the program's table fails.
struct DesignLeg {
    Vec3 eyeFrom, eyeTo, targetFrom, targetTo;
};
const DesignLeg kDesignLegs[24] = {
    {{-107.25005f, -948.4507f, 52.307007f}, {-118.90645f, -765.0155f, 48.307007f},
     {-180.97122f, -585.11456f, 23.182861f}, {-287.7559f, -434.9591f, 98.18286f}},
    {{-118.90645f, -765.0155f, 48.307007f}, {-341.42737f, -610.21246f, 126.30701f},
     {-287.7559f, -434.9591f, 98.18286f}, {20.575836f, -530.20874f, 217.18286f}},
    {{-341.42737f, -610.21246f, 126.30701f}, {-141.55147f, -780.7823f, 254.307f},
     {20.575836f, -530.20874f, 217.18286f}, {-51.254665f, -421.20895f, 121.18286f}},
    {{-212.86737f, -745.84f, 342.307f}, {-170.3764f, -605.84863f, 198.307f},
     {-134.50485f, -383.47803f, 68.18286f}, {-42.05065f, -258.02765f, 74.18286f}},
    {{-212.86737f, -745.84f, 342.307f}, {-170.3764f, -605.84863f, 198.307f},
     {-134.50485f, -383.47803f, 68.18286f}, {-42.05065f, -258.02765f, 74.18286f}},
    {{-170.3764f, -605.84863f, 198.307f}, {-129.00568f, -530.61536f, 194.307f},
     {-42.05065f, -258.02765f, 74.18286f}, {116.92516f, -253.19135f, 191.18286f}},
    {{-129.00568f, -530.61536f, 194.307f}, {-122.54804f, -548.2258f, 138.307f},
     {116.92516f, -253.19135f, 191.18286f}, {93.75492f, -247.12811f, 44.18286f}},
    {{-122.54804f, -548.2258f, 138.307f}, {-203.58853f, -353.82736f, 175.307f},
     {93.75492f, -247.12811f, 44.18286f}, {167.11264f, -348.59924f, 125.18286f}},
    {{-203.58853f, -353.82736f, 175.307f}, {-29.517445f, -499.50345f, 144.307f},
     {167.11264f, -348.59924f, 125.18286f}, {147.90271f, -173.97543f, 174.18286f}},
    {{-29.517445f, -499.50345f, 144.307f}, {-11.212803f, -391.59543f, 164.307f},
     {147.90271f, -173.97543f, 174.18286f}, {358.95972f, -412.04614f, 132.18286f}},
    {{-11.212803f, -391.59543f, 164.307f}, {3.273527f, -463.33606f, 164.307f},
     {358.95972f, -412.04614f, 132.18286f}, {125.83329f, -113.443245f, 127.18286f}},
    {{3.273527f, -463.33606f, 164.307f}, {39.29328f, -418.95322f, 164.307f},
     {125.83329f, -113.443245f, 127.18286f}, {377.18906f, -266.40054f, 20.182861f}},
    {{-29.517445f, -499.50345f, 144.307f}, {-11.212803f, -391.59543f, 164.307f},
     {147.90271f, -173.97543f, 174.18286f}, {358.95972f, -412.04614f, 132.18286f}},
    {{-11.212803f, -391.59543f, 164.307f}, {3.273527f, -463.33606f, 164.307f},
     {358.95972f, -412.04614f, 132.18286f}, {125.83329f, -113.443245f, 127.18286f}},
    {{3.273527f, -463.33606f, 164.307f}, {39.29328f, -418.95322f, 164.307f},
     {125.83329f, -113.443245f, 127.18286f}, {377.18906f, -266.40054f, 20.182861f}},
    {{-83.32352f, -2747.1877f, 290.307f}, {1910.435f, -2067.3933f, 290.307f},
     {257.0487f, -2600.2402f, 269.18286f}, {2241.7427f, -1901.0162f, 252.18286f}},
    {{5048.6943f, -225.06587f, -49.692993f}, {3924.8867f, -283.5847f, -49.692993f},
     {4679.7007f, -260.98987f, -79.81714f}, {4049.3054f, -632.82135f, -60.81714f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    {{3627.6436f, -133.47638f, -29.692993f}, {4543.494f, -921.03296f, -29.692993f},
     {3945.1108f, -324.9441f, -93.81714f}, {4775.3726f, -631.76025f, -90.81714f}},
};

// A demo time inside segment `number` (from 1) and how far through its window it lies.
struct Probe {
    int number;
    uint32_t ms;
    float u;
};
// One probe per segment, where that segment decides the frame (11.5 s belongs to segment 4).
const Probe kProbes[] = {
    {1, 3000, 0.5f},   {2, 7500, 0.5f},   {3, 12500, 0.7f},  {4, 11500, 0.5f},  {5, 13500, 0.5f},
    {6, 14500, 0.5f},  {7, 15500, 0.5f},  {8, 18000, 0.5f},  {9, 22000, 0.5f},  {10, 26000, 0.5f},
    {11, 30000, 0.5f}, {12, 33000, 0.5f}, {13, 34500, 0.5f}, {14, 35700, 0.5f}, {15, 36900, 0.5f},
    {16, 41800, 0.5f}, {17, 50000, 0.5f}, {18, 55000, 0.5f}, {19, 56250, 0.5f}, {20, 56450, 0.5f},
    {21, 56650, 0.5f}, {22, 56950, 0.5f}, {23, 57600, 0.5f}, {24, 68200, 0.5f},
};

struct CameraTimelineTest : ::testing::Test {
    App app{};
    ManualTime time;
    TestScene records;
    SceneCamera* camera = nullptr;
    void SetUp() override
    {
        resetShow(app);
        camera = &records.addCamera(app.scene);
        startManualClock(app, time);
    }
    TimelineFrame frameAt(uint32_t ms)
    {
        time.nowMs = ms;
        return playCameraTimeline(app);
    }
    // Where segment `number` (from 1) puts eye and target a fraction u through its leg.
    static Vec3 eyeOf(int number, float u)
    {
        const DesignLeg& leg = kDesignLegs[number - 1];
        return lerp(leg.eyeFrom, leg.eyeTo, u);
    }
    static Vec3 targetOf(int number, float u)
    {
        const DesignLeg& leg = kDesignLegs[number - 1];
        return lerp(leg.targetFrom, leg.targetTo, u);
    }
};

void expectNear(const Vec3& got, const Vec3& want)
{
    // The legs span hundreds of units; a hundredth is float rounding, not a wrong leg.
    EXPECT_NEAR(got.x, want.x, 1e-2);
    EXPECT_NEAR(got.y, want.y, 1e-2);
    EXPECT_NEAR(got.z, want.z, 1e-2);
}

bool isOrigin(const Vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

TEST_F(CameraTimelineTest, EverySegmentFliesTheLegsOfTheDesign)
{
    for (const Probe& p : kProbes) {
        frameAt(p.ms);
        SCOPED_TRACE(testing::Message() << "segment " << p.number << " at " << p.ms << " ms");
        expectNear(camera->eye, eyeOf(p.number, p.u));
        expectNear(camera->target, targetOf(p.number, p.u));
    }
}

TEST_F(CameraTimelineTest, OverlappingSegmentsLetTheLaterOneDecide)
{
    frameAt(11500);
    expectNear(camera->eye, eyeOf(4, 0.5f));
    expectNear(camera->target, targetOf(4, 0.5f));
    frameAt(12500);
    expectNear(camera->eye, eyeOf(3, 0.7f));
    expectNear(camera->target, targetOf(3, 0.7f));
    frameAt(13500);
    expectNear(camera->eye, eyeOf(5, 0.5f));
}

TEST_F(CameraTimelineTest, JointsAndGapsLookFromTheOriginAtTheOrigin)
{
    frameAt(3000);  // the first frame, which shakes
    const uint32_t noWindow[] = {6000, 35100, 36300, 37600, 45900, 56100, 56350, 56550, 56800, 57050, 58150};
    for (uint32_t ms : noWindow) {
        TimelineFrame frame = frameAt(ms);
        EXPECT_TRUE(isOrigin(camera->eye) && isOrigin(camera->target)) << ms << " ms";
        EXPECT_TRUE(isOrigin(frame.lookFrom) && isOrigin(frame.lookAt)) << ms << " ms";
    }
}

TEST_F(CameraTimelineTest, FirstFrameAtZeroShakesOffTheOrigin)
{
    // Generator values 41, 18467, 6334 are drawn for z, y and x: offsets 1, 2 and 4.
    TimelineFrame frame = frameAt(0);
    EXPECT_TRUE(isOrigin(camera->eye));
    EXPECT_EQ(frame.lookFrom.x, 4.0f);
    EXPECT_EQ(frame.lookFrom.y, 2.0f);
    EXPECT_EQ(frame.lookFrom.z, 1.0f);
    EXPECT_TRUE(isOrigin(frame.lookAt));
    EXPECT_EQ(app.show.cameraShake, 0);
}

TEST_F(CameraTimelineTest, ShakesOnlyInSegmentsThirteenToFifteen)
{
    frameAt(1000);
    auto offset = [&](uint32_t ms) {
        TimelineFrame frame = frameAt(ms);
        return Vec3{frame.lookFrom.x - camera->eye.x, frame.lookFrom.y - camera->eye.y, frame.lookFrom.z - camera->eye.z};
    };
    for (uint32_t ms : {2000u, 20000u, 33999u, 35000u, 37500u, 40000u, 70000u, 80000u}) EXPECT_TRUE(isOrigin(offset(ms))) << ms;
    int moved = 0;
    for (uint32_t ms = 34010; ms < 37400; ms += 10) {
        if (ms >= 35000 && ms <= 35200) continue;
        if (ms > 36200 && ms <= 36400) continue;
        RandomState replay = app.show.random;
        Vec3 d = offset(ms);
        float z = static_cast<float>(demoRand(replay) % 5);
        float y = static_cast<float>(demoRand(replay) % 5);
        float x = static_cast<float>(demoRand(replay) % 5);
        // The eye's float sum with the offset may round by a fraction of a unit.
        ASSERT_NEAR(d.x, x, 1e-4) << ms;
        ASSERT_NEAR(d.y, y, 1e-4) << ms;
        ASSERT_NEAR(d.z, z, 1e-4) << ms;
        moved += !isOrigin(d);
    }
    EXPECT_GT(moved, 200);
}

TEST_F(CameraTimelineTest, FogDensityChangesOnlyInSegmentSixteen)
{
    TimelineFrame flight = frameAt(3000);
    EXPECT_FALSE(flight.setsFogDensity);
    EXPECT_FALSE(flight.blackFog);
    for (uint32_t ms : {37801u, 40000u, 45799u}) {
        TimelineFrame frame = frameAt(ms);
        EXPECT_TRUE(frame.setsFogDensity) << ms;
        EXPECT_EQ(frame.fogDensity, 0.001f);
        EXPECT_FALSE(frame.blackFog);
    }
    // 37.8f lies just below 37.8, so 37800 ms is already inside segment 16.
    EXPECT_TRUE(frameAt(37800).setsFogDensity);
    EXPECT_FALSE(frameAt(37799).setsFogDensity);
    EXPECT_FALSE(frameAt(46500).setsFogDensity);
}

TEST_F(CameraTimelineTest, EndPhaseFreezesTheCameraUnderThickeningBlackFog)
{
    frameAt(78199);
    Vec3 lastEye = camera->eye;
    Vec3 lastTarget = camera->target;
    expectNear(lastEye, eyeOf(24, 19.999f / 20.0f));
    EXPECT_FALSE(app.show.greetsPanelOn);

    float density = 0.0f;
    for (uint32_t ms : {78200u, 78201u, 90000u}) {
        TimelineFrame frame = frameAt(ms);
        EXPECT_TRUE(frame.blackFog);
        EXPECT_TRUE(frame.setsFogDensity);
        EXPECT_GT(frame.fogDensity, density);
        density = frame.fogDensity;
        EXPECT_EQ(camera->eye.x, lastEye.x);
        EXPECT_EQ(camera->target.y, lastTarget.y);
        EXPECT_EQ(frame.lookFrom.z, lastEye.z);
    }
    EXPECT_FLOAT_EQ(density, 0.003f);
    EXPECT_FLOAT_EQ(app.show.endFogDensity, 0.004f);
    EXPECT_TRUE(app.show.greetsPanelOn);
}

TEST_F(CameraTimelineTest, ScrollComesOnAfterSixtyPointTwoSecondsWithinTheFlight)
{
    frameAt(60200);
    EXPECT_FALSE(app.show.greetsScrollOn);
    frameAt(60201);
    EXPECT_TRUE(app.show.greetsScrollOn);
    EXPECT_FALSE(app.show.greetsPanelOn);
    frameAt(80000);
    EXPECT_TRUE(app.show.greetsScrollOn);
    EXPECT_TRUE(app.show.greetsPanelOn);
}

TEST_F(CameraTimelineTest, NoFrameDuringTheScrollWindowLeavesTheScrollOff)
{
    frameAt(50000);
    frameAt(78200);
    EXPECT_FALSE(app.show.greetsScrollOn);
    EXPECT_TRUE(app.show.greetsPanelOn);
}

TEST_F(CameraTimelineTest, RestartedClockReplaysTheFlightWithTheOverlaysOn)
{
    frameAt(70000);
    frameAt(79000);
    time.nowMs = 200000;
    startClock(app.clock);
    time.nowMs = 203000;
    TimelineFrame frame = playCameraTimeline(app);
    EXPECT_FALSE(frame.blackFog);
    expectNear(camera->eye, eyeOf(1, 0.5f));
    EXPECT_TRUE(app.show.greetsScrollOn);
    EXPECT_TRUE(app.show.greetsPanelOn);
}

// The steps a run of frames every `frameMs` from 60 s to 82.08 s takes: the end fog each frame
// shows (by its time) and the overlays' steps in all.
struct SteppedRun {
    std::map<uint32_t, float> fogAt;
    int64_t scrollSteps = 0, panelSteps = 0;
};

SteppedRun runFramesEvery(uint32_t frameMs, int32_t stepRateHz)
{
    auto app = std::make_unique<App>();
    ManualTime time;
    TestScene records;
    resetShow(*app);
    records.addCamera(app->scene);
    startManualClock(*app, time);
    app->stepRateHz = stepRateHz;
    SteppedRun steps;
    for (uint32_t ms = 60000; ms <= 82080; ms += frameMs) {
        time.nowMs = ms;
        TimelineFrame frame = playCameraTimeline(*app);
        if (frame.blackFog) steps.fogAt[ms] = frame.fogDensity;
        if (app->show.greetsScrollOn) steps.scrollSteps += app->show.scrollSteps;
        if (app->show.greetsPanelOn) steps.panelSteps += app->show.panelSteps;
    }
    return steps;
}

// With a step rate of 50, frames at 100, 50, 25 and 8.3 a second show the same end fog at the
// same moment and step the overlays as often (none in a fast frame, several in a slow one, an
// effect that comes on within a frame from its start only); without it the slower frames step less.
TEST(CameraTimelineSteps, AStepRateStepsTheSameAtAnyFrameRate)
{
    SteppedRun at50 = runFramesEvery(20, 50);
    // Hand-counted: the scroll from the instant after 60.2 s to 82.08 s; the panel and the fog
    // from 78.2 s on, as 78.2f lies just below 78.2: the end fog's first frame shows 0.001, its
    // 195th 0.195.
    EXPECT_EQ(at50.scrollSteps, (82080 - 60200) / 20);
    EXPECT_EQ(at50.panelSteps, (82080 - 78200) / 20 + 1);
    EXPECT_FLOAT_EQ(at50.fogAt.at(78200), 0.001f);
    EXPECT_NEAR(at50.fogAt.at(82080), 0.195f, 1e-5);
    for (uint32_t frameMs : {10u, 40u, 120u}) {
        SCOPED_TRACE(testing::Message() << "a frame every " << frameMs << " ms");
        SteppedRun other = runFramesEvery(frameMs, 50);
        EXPECT_EQ(other.scrollSteps, at50.scrollSteps);
        EXPECT_EQ(other.panelSteps, at50.panelSteps);
        for (const auto& [ms, fog] : other.fogAt) {
            auto same = at50.fogAt.find(ms);
            if (same != at50.fogAt.end()) {
                EXPECT_EQ(fog, same->second) << ms << " ms";
            }
        }
    }
    EXPECT_EQ(runFramesEvery(40, 0).panelSteps, (82080 - 78200) / 40 + 1);
}

TEST_F(CameraTimelineTest, SceneWithoutCameraFliesTheSpare)
{
    app.scene.selectedCamera = nullptr;
    TimelineFrame frame = frameAt(3000);
    expectNear(app.show.spareCamera.eye, eyeOf(1, 0.5f));
    expectNear(frame.lookAt, targetOf(1, 0.5f));
    frame = frameAt(79000);
    expectNear(frame.lookAt, targetOf(1, 0.5f));
}

}  // namespace
