#include <gtest/gtest.h>

#include "session/frame_schedule.h"

namespace {

constexpr FrameRate k60{60, 1};
constexpr FrameRate kNtsc{30000, 1001};

TEST(FrameSchedule, EachFrameTimeIsWorkedOutOnItsOwn)
{
    // 1000 / 60 ms a frame: frame 3 at 50 ms, not at 3 × 17 = 51 ms.
    EXPECT_DOUBLE_EQ(frameTimeMs(0.0, 3, k60), 50.0);
    EXPECT_DOUBLE_EQ(frameTimeMs(0.0, 60, k60), 1000.0);
    EXPECT_DOUBLE_EQ(frameTimeMs(60.2, 1, k60), 60216.666666666664);
    // 1001 / 30000 s a frame: frame 30000 at 1001 s.
    EXPECT_DOUBLE_EQ(frameTimeMs(0.0, 30000, kNtsc), 1001000.0);
}

TEST(FrameSchedule, CountIsTheRangeTimesTheRate)
{
    EXPECT_EQ(frameCount(0.0, 80.2, k60), 4812);
    EXPECT_EQ(frameCount(60.2, 61.2, k60), 60);
    EXPECT_EQ(frameCount(1.0, 1.01, k60), 1);  // a part of a frame starts one
    EXPECT_EQ(frameCount(2.0, 2.0, k60), 0);
    EXPECT_EQ(frameCount(3.0, 2.0, k60), 0);
    EXPECT_EQ(frameCount(0.0, 1.001, kNtsc), 30);
}

TEST(FrameSchedule, MomentShowsTheGridFrameAtOrBeforeIt)
{
    EXPECT_EQ(gridFrameAtOrBefore(0.0, k60), 0);
    EXPECT_EQ(gridFrameAtOrBefore(2.05, k60), 123);  // 2.05 × 60 is 122.99999999999999 in binary
    EXPECT_EQ(gridFrameAtOrBefore(0.349, k60), 20);
    EXPECT_EQ(gridFrameAtOrBefore(35.1, FrameRate{50, 1}), 1755);
}

}  // namespace
