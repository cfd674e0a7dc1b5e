#include <gtest/gtest.h>

#include <vector>

#include "platform/message_queue.h"

namespace {

int windowA, windowB;

struct MessageQueueTest : ::testing::Test {
    MessageQueue queue;
    // Takes messages until the queue is empty (twice, past a tap's split), keeping the keys' messages.
    std::vector<WindowMessage> drainKeys()
    {
        std::vector<WindowMessage> keys;
        WindowMessage m{};
        while (takeMessage(queue, m) || takeMessage(queue, m))
            if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) keys.push_back(m);
        return keys;
    }
};

TEST_F(MessageQueueTest, EmptyQueueAnswersAtOnce)
{
    WindowMessage m{};
    EXPECT_FALSE(takeMessage(queue, m));
}

TEST_F(MessageQueueTest, MessagesComeOutInOrderOneAtATime)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 82, 0});
    postMessage(queue, {&windowA, WM_KEYUP, 76, 0});
    postQuitMessage(queue, 3);
    WindowMessage m{};
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_KEYUP);
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(m.window, nullptr);
    EXPECT_FALSE(takeMessage(queue, m));
}

TEST_F(MessageQueueTest, ATapIsSplitSoThatOnePassSeesTheKeyDown)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 27, 0});
    postMessage(queue, {&windowA, WM_KEYUP, 27, 0});
    postMessage(queue, {&windowA, WM_KEYDOWN, 82, 0});
    WindowMessage m{};
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_FALSE(takeMessage(queue, m));  // the loop draws and runs the keys here
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_KEYUP);
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.wParam, 82u);
}

TEST_F(MessageQueueTest, RepeatsRunOnAndOtherKeysReleaseFreely)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 112, 0});
    postMessage(queue, {&windowA, WM_KEYDOWN, 112, 0});
    postMessage(queue, {&windowA, WM_KEYUP, 82, 0});
    postMessage(queue, {&windowA, WM_KEYUP, 112, 0});
    WindowMessage m{};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.wParam, 82u);
    EXPECT_FALSE(takeMessage(queue, m));
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_KEYUP);
    EXPECT_EQ(m.wParam, 112u);
}

TEST_F(MessageQueueTest, AGoneWindowsMessagesAreDroppedButNotTheQuit)
{
    postMessage(queue, {&windowA, WM_SIZE, 0, 1});
    postMessage(queue, {&windowB, WM_SIZE, 0, 2});
    postQuitMessage(queue, 0);
    postMessage(queue, {&windowA, WM_CLOSE, 0, 0});
    forgetWindow(queue, &windowA);
    WindowMessage m{};
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.window, &windowB);
    ASSERT_TRUE(takeMessage(queue, m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_FALSE(takeMessage(queue, m));
}

TEST_F(MessageQueueTest, AGoneWindowReleasesTheKeysItReportedDown)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 82, 0});
    postMessage(queue, {&windowA, WM_KEYDOWN, 112, 0});
    postMessage(queue, {&windowA, WM_KEYDOWN, 76, 0});
    postMessage(queue, {&windowA, WM_KEYUP, 76, 0});
    drainKeys();
    postMessage(queue, {&windowA, WM_KEYDOWN, 27, 0});  // still queued: never reported, nothing to release
    forgetWindow(queue, &windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, WM_KEYUP);
    EXPECT_EQ(keys[0].wParam, 82u);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, 112u);
    forgetWindow(queue, &windowA);
    EXPECT_TRUE(drainKeys().empty());  // released once
}

TEST_F(MessageQueueTest, AKeyUpDroppedWithItsWindowIsStillDelivered)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 82, 0});
    drainKeys();
    postMessage(queue, {&windowA, WM_KEYUP, 82, 0});
    forgetWindow(queue, &windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].message, WM_KEYUP);
    EXPECT_EQ(keys[0].wParam, 82u);
}

TEST_F(MessageQueueTest, OnlyTheGoneWindowsKeysAreReleased)
{
    postMessage(queue, {&windowA, WM_KEYDOWN, 82, 0});
    postMessage(queue, {&windowB, WM_KEYDOWN, 76, 0});
    drainKeys();
    forgetWindow(queue, &windowA);
    std::vector<WindowMessage> keys = drainKeys();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, 82u);
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
