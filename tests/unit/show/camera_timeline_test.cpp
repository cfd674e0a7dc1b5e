#include <gtest/gtest.h>

#include "show/camera_timeline.h"
#include "show_test_support.h"

namespace {

const CameraTimeline& script = kCameraTimeline;

struct CameraTimelineTest : ::testing::Test {
    App app{};
    TestScene records;
    SceneCamera* camera = nullptr;
    void SetUp() override
    {
        resetShow(app);
        camera = &records.addCamera(app.scene);
        startFakeClock(app);
    }
    void TearDown() override { setTimeSource(nullptr); }
    TimelineFrame frameAt(uint32_t ms)
    {
        fakeNowMs = ms;
        return evaluateTimeline(app, gTimeline);
    }
    // Where segment `number` (from 1) puts eye and target a fraction u through its leg.
    Vec3 eyeOf(int number, float u) const
    {
        return lerp(script.posDebSource[number - 1], script.posFinSource[number - 1], u);
    }
    Vec3 targetOf(int number, float u) const
    {
        return lerp(script.posDebTarget[number - 1], script.posFinTarget[number - 1], u);
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

TEST(CameraScript, HoldsTheTwentyFourSegmentsInStartOrder)
{
    ASSERT_EQ(script.segmentCount, 24);
    EXPECT_EQ(script.segments[0].startTime, 0.0f);
    EXPECT_EQ(script.segments[23].endTime, 78.2f);
    for (int i = 1; i < script.segmentCount; ++i)
        EXPECT_LE(script.segments[i - 1].startTime, script.segments[i].startTime) << "segment " << i + 1;
    // Segment 6 goes on where 4 and 5 end; 13 to 15 replay 10 to 12; 19 to 23 replay 18.
    EXPECT_EQ(script.posDebSource[5].x, script.posFinSource[4].x);
    EXPECT_EQ(script.posFinTarget[14].z, script.posFinTarget[11].z);
    EXPECT_EQ(script.posDebSource[22].y, script.posDebSource[17].y);
    EXPECT_EQ(script.posFinTarget[23].x, 4775.3726f);
}

TEST_F(CameraTimelineTest, MidpointOfTheFirstLegAtThreeSeconds)
{
    frameAt(3000);
    expectNear(camera->eye, eyeOf(1, 0.5f));
    expectNear(camera->target, targetOf(1, 0.5f));
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
    EXPECT_EQ(gTimeline.cameraShake, 0);
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
        RandomState replay = gDemoRandom;
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
    EXPECT_FALSE(gTimeline.greetsPanelOn);

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
    EXPECT_FLOAT_EQ(gTimeline.endFogDensity, 0.004f);
    EXPECT_TRUE(gTimeline.greetsPanelOn);
}

TEST_F(CameraTimelineTest, ScrollComesOnAfterSixtyPointTwoSecondsWithinTheFlight)
{
    frameAt(60200);
    EXPECT_FALSE(gTimeline.greetsScrollOn);
    frameAt(60201);
    EXPECT_TRUE(gTimeline.greetsScrollOn);
    EXPECT_FALSE(gTimeline.greetsPanelOn);
    frameAt(80000);
    EXPECT_TRUE(gTimeline.greetsScrollOn);
    EXPECT_TRUE(gTimeline.greetsPanelOn);
}

TEST_F(CameraTimelineTest, NoFrameDuringTheScrollWindowLeavesTheScrollOff)
{
    frameAt(50000);
    frameAt(78200);
    EXPECT_FALSE(gTimeline.greetsScrollOn);
    EXPECT_TRUE(gTimeline.greetsPanelOn);
}

TEST_F(CameraTimelineTest, RestartedClockReplaysTheFlightWithTheOverlaysOn)
{
    frameAt(70000);
    frameAt(79000);
    fakeNowMs = 200000;
    startClock(app);
    fakeNowMs = 203000;
    TimelineFrame frame = evaluateTimeline(app, gTimeline);
    EXPECT_FALSE(frame.blackFog);
    expectNear(camera->eye, eyeOf(1, 0.5f));
    EXPECT_TRUE(gTimeline.greetsScrollOn);
    EXPECT_TRUE(gTimeline.greetsPanelOn);
}

TEST_F(CameraTimelineTest, SceneWithoutCameraFliesTheSpare)
{
    app.scene.selectedCamera = nullptr;
    TimelineFrame frame = frameAt(3000);
    expectNear(gTimeline.spareCamera.eye, eyeOf(1, 0.5f));
    expectNear(frame.lookAt, targetOf(1, 0.5f));
    frame = frameAt(79000);
    expectNear(frame.lookAt, targetOf(1, 0.5f));
}

}  // namespace
