#include <gtest/gtest.h>

#include "app/app.h"
#include "app/window_proc.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "show/greets_overlays.h"

namespace {

App app{};
SceneCamera camera{};

intptr_t testProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return handleWindowMessage(app, window, message, wParam, lParam);
}

struct WindowProcTest : ::testing::Test {
    void SetUp() override
    {
        app = App{};
        camera.lens = 45.0f;
        app.scene.selectedCamera = &camera;
        setWindowProc(testProc);
        WindowMessage m;
        while (peekMessage(m) || peekMessage(m)) {
        }
    }
    void TearDown() override { setWindowProc(nullptr); }
    DispatchResult send(uint32_t message, uintptr_t wParam, intptr_t lParam = 0)
    {
        return dispatchMessage({nullptr, message, wParam, lParam});
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
    EXPECT_EQ(send(WM_CLOSE, 0).result, 0);
    WindowMessage m{};
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 0u);
}

TEST_F(WindowProcTest, ScreenSaverAndPowerOffAreSwallowedOtherCommandsAreNot)
{
    EXPECT_FALSE(send(WM_SYSCOMMAND, SC_SCREENSAVE).passedToDefault);
    EXPECT_FALSE(send(WM_SYSCOMMAND, SC_MONITORPOWER).passedToDefault);
    EXPECT_TRUE(send(WM_SYSCOMMAND, 0xF020).passedToDefault);  // minimise
    EXPECT_TRUE(send(WM_SYSCOMMAND, SC_SCREENSAVE | 2).passedToDefault);
    EXPECT_TRUE(send(0x0200, 0).passedToDefault);  // any other message
}

TEST_F(WindowProcTest, SizeResizesTheViewAndRestartsTheScroll)
{
    greetsScrollY = 300;
    send(WM_SIZE, 0, static_cast<intptr_t>(makeLong(641, 0)));
    EXPECT_EQ(app.viewWidth, 641);
    EXPECT_EQ(app.viewHeight, 1);
    EXPECT_EQ(greetsScrollY, 0);
    EXPECT_EQ(panelCentreX, 320);
}

}  // namespace
