#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "platform/video_mode.h"

namespace {

GLFWvidmode mode(int w, int h, int rate) { return {w, h, 8, 8, 8, rate}; }

TEST(VideoMode, OnlyTheExactSizeCounts)
{
    const GLFWvidmode modes[] = {mode(1024, 768, 60), mode(800, 601, 60), mode(801, 600, 60)};
    EXPECT_EQ(findVideoMode(modes, 3, 800, 600), nullptr);
    EXPECT_EQ(findVideoMode(modes, 3, 1024, 768), &modes[0]);
    EXPECT_EQ(findVideoMode(modes, 0, 1024, 768), nullptr);
}

TEST(VideoMode, TheFastestOfSeveralRefreshRates)
{
    const GLFWvidmode modes[] = {mode(800, 600, 56), mode(640, 480, 85), mode(800, 600, 72), mode(800, 600, 60)};
    EXPECT_EQ(findVideoMode(modes, 4, 800, 600), &modes[2]);
}

}  // namespace
