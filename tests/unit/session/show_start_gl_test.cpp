#include "gl_scene_fixture.h"
#include "session/show_session.h"
#include "state/demo_clock.h"

namespace {

struct ShowStart : TextureGl {
    ManualTime time{4321};
    void SetUp() override
    {
        TextureGl::SetUp();
        initApp(*app, manualTimeSource(time));
    }
};

TEST_F(ShowStart, SetsTheViewAndStartsTheClockAtZeroOnTheCounterItWasGiven)
{
    writeImage("floor.bmp", 4, 4, solid(4, 4, {200, 100, 0}));
    addMaterial("floor.bmp");
    ASSERT_TRUE(startShowView(*app, 64, 48));
    EXPECT_EQ(app->viewWidth, 64);
    EXPECT_EQ(app->viewHeight, 48);
    EXPECT_NE(app->textureNames[0], 0u);
    EXPECT_EQ(elapsedMs(app->clock), 0.0f);
    time.nowMs = 5321;
    EXPECT_EQ(elapsedMs(app->clock), 1000.0f);
}

TEST_F(ShowStart, ARefusedSceneTextureLeavesTheClockAsItWas)
{
    addMaterial("missing.bmp");
    app->clock.clockStartMs = -1.0f;
    EXPECT_FALSE(startShowView(*app, 64, 48));
    EXPECT_EQ(app->clock.clockStartMs, -1.0f);
}

}  // namespace
