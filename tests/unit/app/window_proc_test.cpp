#include <gtest/gtest.h>

#include "app/window_proc.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "state/app.h"

namespace {

struct WindowProcTest : ::testing::Test {
    App app{};
    SceneCamera camera{};
    MessageQueue queue;
    void SetUp() override
    {
        camera.lens = 45.0f;
        app.scene.selectedCamera = &camera;
    }
    void send(uint32_t message, uintptr_t wParam, intptr_t lParam = 0)
    {
        onWindowMessage(app, queue, {nullptr, message, wParam, lParam});
    }
};

TEST_F(WindowProcTest, ActivationFollowsTheMinimisedWordOnly)
{
    send(WM_ACTIVATE, makeLong(WA_ACTIVE, 1));
    EXPECT_FALSE(app.windowActive);
    send(WM_ACTIVATE, makeLong(WA_INACTIVE, 0));
    EXPECT_TRUE(app.windowActive);  // unfocused but visible: keeps drawing
    send(WM_ACTIVATE, makeLong(WA_INACTIVE, 1));
    EXPECT_FALSE(app.windowActive);
}

TEST_F(WindowProcTest, AHeldKeyStaysDownUntilItsKeyUp)
{
    send(WM_KEYDOWN, kVkF1);
    send(WM_KEYDOWN, kVkF1);
    send(WM_KEYDOWN, kVkF1);
    EXPECT_TRUE(app.keyDown[kVkF1]);
    send(WM_KEYUP, kVkF1);
    EXPECT_FALSE(app.keyDown[kVkF1]);
}

TEST_F(WindowProcTest, CodesBeyondTheTableAreIgnored)
{
    // Code 256 would be the byte after the table: windowActive.
    app.windowActive = false;
    send(WM_KEYDOWN, 256);
    send(WM_KEYDOWN, static_cast<uintptr_t>(-1));
    EXPECT_FALSE(app.windowActive);
    for (bool down : app.keyDown) EXPECT_FALSE(down);
}

TEST_F(WindowProcTest, CloseAsksTheLoopToQuitWithZero)
{
    send(WM_CLOSE, 0);
    WindowMessage m{};
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 0u);
}

TEST_F(WindowProcTest, SizeResizesTheViewAndRestartsTheScroll)
{
    app.show.greetsScrollY = 300;
    send(WM_SIZE, 0, static_cast<intptr_t>(makeLong(641, 0)));
    EXPECT_EQ(app.viewWidth, 641);
    EXPECT_EQ(app.viewHeight, 1);
    EXPECT_EQ(app.show.greetsScrollY, 0);
    EXPECT_EQ(app.show.panel.panelCentreX, 320);
}

}  // namespace
