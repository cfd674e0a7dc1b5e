#include <gtest/gtest.h>

#include <vector>

#include "show/path_interpolation.h"
#include "show_test_support.h"

namespace {

struct PathInterpolationTest : ::testing::Test {
    App app{};
    Vec3 from{10.0f, -20.0f, 4.0f};
    Vec3 to{30.0f, 40.0f, -4.0f};
    ManualTime time;
    void SetUp() override { startManualClock(app, time); }
    Vec3 at(uint32_t ms, float start, float end)
    {
        time.nowMs = ms;
        return interpolatePath(app, start, end, from, to);
    }
};

void expectPoint(const Vec3& got, const Vec3& want)
{
    EXPECT_FLOAT_EQ(got.x, want.x);
    EXPECT_FLOAT_EQ(got.y, want.y);
    EXPECT_FLOAT_EQ(got.z, want.z);
}

TEST_F(PathInterpolationTest, MovesAtConstantSpeedThroughTheWindow)
{
    expectPoint(at(3000, 2.0f, 4.0f), {20.0f, 10.0f, 0.0f});
    expectPoint(at(2500, 2.0f, 4.0f), {15.0f, -5.0f, 2.0f});
    expectPoint(at(3999, 2.0f, 4.0f), lerp(from, to, 0.9995f));
}

TEST_F(PathInterpolationTest, EdgesAndOutsideGiveTheEndPoint)
{
    expectPoint(at(2000, 2.0f, 4.0f), to);
    expectPoint(at(4000, 2.0f, 4.0f), to);
    expectPoint(at(1000, 2.0f, 4.0f), to);
    expectPoint(at(9000, 2.0f, 4.0f), to);
}

TEST_F(PathInterpolationTest, EmptyOrReversedWindowGivesTheEndPoint)
{
    expectPoint(at(5000, 5.0f, 5.0f), to);
    expectPoint(at(5000, 6.0f, 4.0f), to);
}

TEST_F(PathInterpolationTest, StandingLegStaysPut)
{
    from = to;
    expectPoint(at(2700, 2.0f, 4.0f), to);
}

// The window ends lie at 1000 times the float seconds, formed exactly: 35.2f is a little above
// 35.2, 78.2f a little below.
TEST(PathWindow, EdgesAreTheExactProductsOfTheFloatSeconds)
{
    EXPECT_NEAR(windowEdgeMs(35.2f), 35200.00076, 1e-5);
    EXPECT_NEAR(windowEdgeMs(78.2f), 78199.997, 1e-3);
    EXPECT_FALSE(inWindow(35200.0f, 35.2f, 36.2f));
    EXPECT_TRUE(inWindow(35201.0f, 35.2f, 36.2f));
    EXPECT_TRUE(inWindow(78199.0f, 58.2f, 78.2f));
    EXPECT_FALSE(inWindow(78199.998f, 58.2f, 78.2f));
    EXPECT_FALSE(inWindow(0.0f, 0.0f, 6.0f));
    EXPECT_FALSE(inWindow(6000.0f, 0.0f, 6.0f));
    EXPECT_FALSE(inWindow(6000.0f, 6.0f, 9.0f));
}

// The clock that runs on between the caller's window test and this call's own reading.
uint32_t nextReading(void* context)
{
    auto& readings = *static_cast<std::vector<uint32_t>*>(context);
    uint32_t value = readings.front();
    if (readings.size() > 1) readings.erase(readings.begin());
    return value;
}

TEST_F(PathInterpolationTest, ReadsTheClockItselfOnEveryCall)
{
    std::vector<uint32_t> readings = {0, 3999, 4000};
    app.clock.source = {nextReading, &readings};
    startClock(app.clock);
    expectPoint(interpolatePath(app, 2.0f, 4.0f, from, to), lerp(from, to, 0.9995f));
    expectPoint(interpolatePath(app, 2.0f, 4.0f, from, to), to);
}

}  // namespace
