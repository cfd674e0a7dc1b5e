#include <gtest/gtest.h>

#include "frame_schedule.h"

namespace {

using Times = std::vector<uint32_t>;

TEST(FrameSchedule, StepsUpToEachShotAndDrawsItExactly)
{
    EXPECT_EQ(frameTimes(0, 20, {50}), (Times{0, 20, 40, 50}));
    EXPECT_EQ(frameTimes(0, 20, {50, 90}), (Times{0, 20, 40, 50, 70, 90}));
    EXPECT_EQ(frameTimes(1000, 500, {2000, 1000}), (Times{1000, 1500, 2000}));
}

TEST(FrameSchedule, RepeatedAndEarlyShotsShareAFrame)
{
    EXPECT_EQ(frameTimes(0, 20, {40, 40}), (Times{0, 20, 40}));
    EXPECT_EQ(frameTimes(500, 20, {100, 540}), (Times{500, 520, 540}));
}

TEST(FrameSchedule, ZeroStepStillAdvances)
{
    EXPECT_EQ(frameTimes(0, 0, {3}), (Times{0, 1, 2, 3}));
}

TEST(FrameSchedule, LargeStepsDoNotWrapAround)
{
    EXPECT_EQ(frameTimes(4000000000u, 300000000u, {4294967295u}), (Times{4000000000u, 4294967295u}));
}

}  // namespace
