// The page's test clock on the demo's own data, drawn off-screen: what it draws again must be what
// it drew, as the effects that step once a frame must not step for a picture drawn twice.
#include "web/test_moments.h"

#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "session/resize_view.h"
#include "session/show_window.h"
#include "state/app.h"
#include "state/show_state.h"

namespace {

// The scene is read once for all the tests: its records live as long as the process, as in the demo.
struct HeldShow : ::testing::Test {
    static inline ShowWindow show;
    static inline bool opened = false;
    TestMoments moments;

    static void SetUpTestSuite()
    {
        useMessageBoxes(consoleMessageBoxes());
        opened = openShowWindow(show, gApp, Z3D_DEMO_DATA, 800, 600);
    }
    static void TearDownTestSuite() { closeShowWindow(show); }
    void SetUp() override
    {
        ASSERT_TRUE(opened);
        startShow(gApp.show);
        gApp.clock.source = manualTimeSource(moments.time);
    }

    std::vector<uint8_t> drawn()
    {
        double shown = -1.0;
        EXPECT_TRUE(drawTestMoment(moments, gApp, shown));
        return readPicture(show);
    }
};

// 61.5 s: the greets scroll rises 3 pixels a frame, so a step too many shows.
TEST_F(HeldShow, TheHeldMomentDrawnAgainAfterAResizeIsThePictureItWas)
{
    startTestMoments(moments, {61500.0});
    std::vector<uint8_t> first = drawn();
    double shown = -1.0;
    EXPECT_FALSE(drawTestMoment(moments, gApp, shown)) << "nothing changed, nothing is drawn";
    resizeView(gApp, 640, 480);
    drawn();
    resizeView(gApp, 800, 600);
    EXPECT_EQ(drawn(), first);
}

TEST_F(HeldShow, TwoMomentsOnOneGridFrameShowThatFrameBoth)
{
    startTestMoments(moments, {61505.0, 61500.0});
    EXPECT_EQ(drawn(), drawn());
}

}  // namespace
