#include <gtest/gtest.h>

#include "state/demo_clock.h"
#include "platform/time_source.h"

namespace {

struct DemoClockTest : ::testing::Test {
    ManualTime now{};
    DemoClock clock{manualTimeSource(now), 0.0f, 0.0, 0};
};

TEST_F(DemoClockTest, CountsFromStart)
{
    now.nowMs = 5000;
    startClock(clock);
    EXPECT_EQ(elapsedMs(clock), 0.0f);
    now.nowMs = 8123;
    EXPECT_EQ(elapsedMs(clock), 3123.0f);
}

TEST_F(DemoClockTest, RestartGoesBackToZero)
{
    now.nowMs = 100;
    startClock(clock);
    now.nowMs = 90000;
    EXPECT_EQ(elapsedMs(clock), 89900.0f);
    startClock(clock);
    now.nowMs = 90001;
    EXPECT_EQ(elapsedMs(clock), 1.0f);
}

TEST_F(DemoClockTest, LargeCounterValuesLoseMillisecondsAsFloats)
{
    // Past 2^24 ms the float readings step by 2 ms; the program's counter starts near 0 to avoid it.
    now.nowMs = (1u << 24);
    startClock(clock);
    now.nowMs = (1u << 24) + 1;
    EXPECT_EQ(elapsedMs(clock), 0.0f);
    now.nowMs = (1u << 24) + 2;
    EXPECT_EQ(elapsedMs(clock), 2.0f);
}

TEST(SystemTimeSource, StartsNearZeroAndNeverGoesBack)
{
    uint32_t a = timeGetTime();
    uint32_t b = timeGetTime();
    EXPECT_LT(a, 60u * 1000u);  // the counter starts with the program
    EXPECT_GE(b, a);
}

}  // namespace
