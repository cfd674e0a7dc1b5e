#include <gtest/gtest.h>

#include "state/app.h"
#include "state/demo_clock.h"
#include "platform/time_source.h"

namespace {

uint32_t fakeNow;
uint32_t fakeCounter() { return fakeNow; }

struct DemoClockTest : ::testing::Test {
    App app{};
    void SetUp() override { setTimeSource(fakeCounter); }
    void TearDown() override { setTimeSource(nullptr); }
};

TEST_F(DemoClockTest, CountsFromStart)
{
    fakeNow = 5000;
    startClock(app);
    EXPECT_EQ(elapsedMs(app), 0.0f);
    fakeNow = 8123;
    EXPECT_EQ(elapsedMs(app), 3123.0f);
    EXPECT_EQ(app.lastElapsedMs, 3123.0f);
}

TEST_F(DemoClockTest, RestartGoesBackToZero)
{
    fakeNow = 100;
    startClock(app);
    fakeNow = 90000;
    EXPECT_EQ(elapsedMs(app), 89900.0f);
    startClock(app);
    fakeNow = 90001;
    EXPECT_EQ(elapsedMs(app), 1.0f);
}

TEST_F(DemoClockTest, LargeCounterValuesLoseMillisecondsAsFloats)
{
    // Past 2^24 ms the float readings step by 2 ms; the program's counter starts near 0 to avoid it.
    fakeNow = (1u << 24);
    startClock(app);
    fakeNow = (1u << 24) + 1;
    EXPECT_EQ(elapsedMs(app), 0.0f);
    fakeNow = (1u << 24) + 2;
    EXPECT_EQ(elapsedMs(app), 2.0f);
}

TEST(SystemTimeSource, StartsNearZeroAndNeverGoesBack)
{
    setTimeSource(nullptr);
    uint32_t a = timeGetTime();
    uint32_t b = timeGetTime();
    EXPECT_LT(a, 60u * 1000u);  // the counter starts with the program
    EXPECT_GE(b, a);
}

}  // namespace
