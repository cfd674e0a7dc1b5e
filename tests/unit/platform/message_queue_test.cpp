#include <gtest/gtest.h>

#include <vector>

#include "platform/message_queue.h"

namespace {

std::vector<WindowMessage> seen;
bool passOn = false;

intptr_t recordingProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    seen.push_back({window, message, wParam, lParam});
    return passOn ? defWindowProc(window, message, wParam, lParam) : 42;
}

int windowA, windowB;

struct MessageQueueTest : ::testing::Test {
    void SetUp() override
    {
        // Keys an earlier test left down are released and taken with the rest.
        forgetWindow(&windowA);
        forgetWindow(&windowB);
        WindowMessage m;
        while (peekMessage(m) || peekMessage(m)) {
        }
        seen.clear();
        passOn = false;
        setWindowProc(recordingProc);
    }
    void TearDown() override { setWindowProc(nullptr); }
};

TEST_F(MessageQueueTest, EmptyQueueAnswersAtOnce)
{
    WindowMessage m{};
    EXPECT_FALSE(peekMessage(m));
}

TEST_F(MessageQueueTest, MessagesComeOutInOrderOneAtATime)
{
    postMessage({&windowA, WM_KEYDOWN, 82, 1});
    postMessage({&windowA, WM_KEYUP, 76, 1});
    postQuitMessage(3);
    WindowMessage m{};
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_KEYUP);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(m.window, nullptr);
    EXPECT_FALSE(peekMessage(m));
}

TEST_F(MessageQueueTest, ATapIsSplitSoThatOnePassSeesTheKeyDown)
{
    postMessage({&windowA, WM_KEYDOWN, 27, 1});
    postMessage({&windowA, WM_KEYUP, 27, 1});
    postMessage({&windowA, WM_KEYDOWN, 82, 1});
    WindowMessage m{};
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_FALSE(peekMessage(m));  // the loop draws and runs the keys here
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_KEYUP);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.wParam, 82u);
}

TEST_F(MessageQueueTest, RepeatsRunOnAndOtherKeysReleaseFreely)
{
    postMessage({&windowA, WM_KEYDOWN, 112, 1});
    postMessage({&windowA, WM_KEYDOWN, 112, 1});
    postMessage({&windowA, WM_KEYUP, 82, 1});
    postMessage({&windowA, WM_KEYUP, 112, 1});
    WindowMessage m{};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.wParam, 82u);
    EXPECT_FALSE(peekMessage(m));
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_KEYUP);
    EXPECT_EQ(m.wParam, 112u);
}

TEST_F(MessageQueueTest, AGoneWindowsMessagesAreDroppedButNotTheQuit)
{
    postMessage({&windowA, WM_SIZE, 0, 1});
    postMessage({&windowB, WM_SIZE, 0, 2});
    postQuitMessage(0);
    postMessage({&windowA, WM_CLOSE, 0, 0});
    forgetWindow(&windowA);
    WindowMessage m{};
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.window, &windowB);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_FALSE(peekMessage(m));
}

// Takes messages until the queue is empty (twice, past a tap's split), keeping the keys' messages.
std::vector<WindowMessage> drainKeys()
{
    std::vector<WindowMessage> keys;
    WindowMessage m{};
    while (peekMessage(m) || peekMessage(m))
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) keys.push_back(m);
    return keys;
}

TEST_F(MessageQueueTest, AGoneWindowReleasesTheKeysItReportedDown)
{
    postMessage({&windowA, WM_KEYDOWN, 82, 1});
    postMessage({&windowA, WM_KEYDOWN, 112, 1});
    postMessage({&windowA, WM_KEYDOWN, 76, 1});
    postMessage({&windowA, WM_KEYUP, 76, 1});
    drainKeys();
    postMessage({&windowA, WM_KEYDOWN, 27, 1});  // still queued: never reported, nothing to release
    forgetWindow(&windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, WM_KEYUP);
    EXPECT_EQ(keys[0].wParam, 82u);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, 112u);
    forgetWindow(&windowA);
    EXPECT_TRUE(drainKeys().empty());  // released once
}

TEST_F(MessageQueueTest, AKeyUpDroppedWithItsWindowIsStillDelivered)
{
    postMessage({&windowA, WM_KEYDOWN, 82, 1});
    drainKeys();
    postMessage({&windowA, WM_KEYUP, 82, 1});
    forgetWindow(&windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].message, WM_KEYUP);
    EXPECT_EQ(keys[0].wParam, 82u);
}

TEST_F(MessageQueueTest, OnlyTheGoneWindowsKeysAreReleased)
{
    postMessage({&windowA, WM_KEYDOWN, 82, 1});
    postMessage({&windowB, WM_KEYDOWN, 76, 1});
    drainKeys();
    forgetWindow(&windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, 82u);
}

TEST_F(MessageQueueTest, DispatchHandsTheMessageToTheProcedure)
{
    DispatchResult r = dispatchMessage({&windowA, WM_SIZE, 7, 0x01E00280});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].window, &windowA);
    EXPECT_EQ(seen[0].wParam, 7u);
    EXPECT_EQ(seen[0].lParam, 0x01E00280);
    EXPECT_EQ(r.result, 42);
    EXPECT_FALSE(r.passedToDefault);
}

TEST_F(MessageQueueTest, DispatchTellsWhetherTheDefaultHandledIt)
{
    passOn = true;
    EXPECT_TRUE(dispatchMessage({&windowA, WM_SYSCOMMAND, SC_SCREENSAVE, 0}).passedToDefault);
    passOn = false;
    EXPECT_FALSE(dispatchMessage({&windowA, WM_SYSCOMMAND, SC_SCREENSAVE, 0}).passedToDefault);
}

TEST(WindowMessages, WordPacking)
{
    uintptr_t packed = makeLong(640, 480);
    EXPECT_EQ(loWord(packed), 640u);
    EXPECT_EQ(hiWord(packed), 480u);
    EXPECT_EQ(hiWord(makeLong(WA_ACTIVE, 1)), 1u);
    EXPECT_EQ(loWord(makeLong(0x12345, 0)), 0x2345u);
}

}  // namespace
