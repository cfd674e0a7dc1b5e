#include <gtest/gtest.h>

#include "session/resize_view.h"

namespace {

TEST(ResizeView, PerspectiveFromTheLensAndTheClientSize)
{
    ViewSetup v = viewSetupFor(800, 600, 45.0f);
    EXPECT_EQ(v.width, 800);
    EXPECT_EQ(v.height, 600);
    EXPECT_DOUBLE_EQ(v.fovyDegrees, 45.0);
    EXPECT_DOUBLE_EQ(v.aspect, 800.0 / 600.0);
    EXPECT_DOUBLE_EQ(v.zNear, 10.0);
    EXPECT_DOUBLE_EQ(v.zFar, 10000.0);
}

TEST(ResizeView, ZeroHeightCountsAsOne)
{
    ViewSetup v = viewSetupFor(640, 0, 30.0f);
    EXPECT_EQ(v.height, 1);
    EXPECT_DOUBLE_EQ(v.aspect, 640.0);
    EXPECT_DOUBLE_EQ(v.fovyDegrees, 30.0);
}

TEST(ResizeView, AspectIsComputedInDoubles)
{
    EXPECT_DOUBLE_EQ(viewSetupFor(1, 3, 45.0f).aspect, 1.0 / 3.0);
}

}  // namespace
