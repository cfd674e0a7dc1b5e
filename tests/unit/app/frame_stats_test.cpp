#include <gtest/gtest.h>

#include <vector>

#include "app/frame_stats.h"

namespace {

const Stretch kStretches[] = {{"sparks", 20000.0, 24000.0}, {"scroll", 60200.0, 78201.0}, {"flight", 0.0, 78201.0}};

TEST(FrameStats, RatesOfTheRunItsSlowestPercentAndEachStretch)
{
    std::vector<FrameTiming> frames(100, {1000.0, 10.0});
    frames.insert(frames.end(), 50, {21000.0, 20.0});
    frames.insert(frames.end(), 49, {61000.0, 10.0});
    frames.push_back({30000.0, 100.0});
    FrameStats stats = frameStats(frames, kStretches);
    EXPECT_EQ(stats.frames, 200);
    EXPECT_NEAR(stats.averageFps, 200 * 1000.0 / 2590.0, 1e-9);
    // The slowest 1 % of 200 frames are two: 100 ms and 20 ms.
    EXPECT_NEAR(stats.onePercentLowFps, 2 * 1000.0 / 120.0, 1e-9);
    EXPECT_DOUBLE_EQ(stats.slowestMs, 100.0);
    ASSERT_EQ(stats.stretches.size(), 3u);
    // A frame counts in the first stretch that holds it: the flight gets only what is left.
    EXPECT_EQ(stats.stretches[0].frames, 50);
    EXPECT_NEAR(stats.stretches[0].fps, 50.0, 1e-9);
    EXPECT_EQ(stats.stretches[1].frames, 49);
    EXPECT_NEAR(stats.stretches[1].fps, 100.0, 1e-9);
    EXPECT_EQ(stats.stretches[2].frames, 101);
    EXPECT_NEAR(stats.stretches[2].fps, 101 * 1000.0 / 1100.0, 1e-9);
}

TEST(FrameStats, NoFramesGiveZerosNotADivisionByZero)
{
    FrameStats stats = frameStats({}, kStretches);
    EXPECT_EQ(stats.averageFps + stats.onePercentLowFps + stats.stretches[2].fps, 0.0);
}

}  // namespace
