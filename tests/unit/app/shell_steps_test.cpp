#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/shell.h"
#include "session/show_session.h"
#include "app/window_proc.h"
#include "state/app.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"

namespace {

// What the recording steps saw and what they answer.
struct Script {
    std::vector<std::string> calls;
    std::deque<WindowMessage> inbox;
    bool sceneLoads = true;
    bool musicOpens = true;
    bool windowOpens = true;
    bool declined = false;
    int frames = 0;
    // Before the n-th call of handleKeys (1-based), this message is queued; 0: none.
    int keysCall = 0;
    int keysCallForMessage = 0;
    WindowMessage messageAtKeys{};
    int keysFailAt = 0;  // handleKeys returns false on this call
    int signalAtKeys = 0;  // a stop signal has arrived from this call of handleKeys on; 0: none
};

// Steps that log their calls and answer from the script.
struct RecordingSteps final : DemoSteps {
    Script script;
    MessageQueue posted;  // what the window procedure posts, moved on into the inbox

    void log(const std::string& call) { script.calls.push_back(call); }

    bool loadScene(App&) override
    {
        log("loadScene");
        return script.sceneLoads;
    }
    void setCursorPos(int x, int y) override { log("cursor " + std::to_string(x) + "," + std::to_string(y)); }
    bool openMusic(const char* name) override
    {
        log(std::string("openMusic ") + name);
        return script.musicOpens;
    }
    void startMusic(int loop) override { log("startMusic " + std::to_string(loop)); }
    bool openWindow(App& app, const WindowPlan& plan, bool fullscreen) override
    {
        log(std::string("openWindow ") + plan.title + " " + std::to_string(plan.width) + "x" +
            std::to_string(plan.height) + "x" + std::to_string(plan.colourBits) +
            (fullscreen && app.fullscreenMode ? " fullscreen" : " windowed"));
        return script.windowOpens;
    }
    bool windowDeclined() override { return script.declined; }
    bool peekMessage(WindowMessage& m) override
    {
        if (script.inbox.empty()) return false;
        m = script.inbox.front();
        script.inbox.pop_front();
        return true;
    }
    void dispatchMessage(App& app, const WindowMessage& m) override
    {
        log("dispatch " + std::to_string(m.message));
        onWindowMessage(app, posted, m);
        WindowMessage next{};
        while (takeMessage(posted, next)) script.inbox.push_back(next);
    }
    bool drawFrame(App&) override
    {
        log("draw");
        ++script.frames;
        return true;
    }
    void swapBuffers() override { log("swap"); }
    bool handleKeys(App&) override
    {
        log("keys");
        int call = ++script.keysCall;
        if (call == script.keysCallForMessage) script.inbox.push_back(script.messageAtKeys);
        return call != script.keysFailAt;
    }
    void closeWindow() override { log("closeWindow"); }
    void stopMusic() override { log("stopMusic"); }
    bool stopSignalled() override { return script.signalAtKeys != 0 && script.keysCall >= script.signalAtKeys; }
};

struct ShellStepsTest : ::testing::Test {
    App app{};
    RecordingSteps steps;
    Script& script = steps.script;
    // Queues a message for the loop to take after the given number of handleKeys calls.
    void afterKeys(int calls, WindowMessage m)
    {
        script.keysCallForMessage = calls;
        script.messageAtKeys = m;
    }
    std::vector<std::string> callsFrom(size_t first) const
    {
        return {script.calls.begin() + static_cast<long>(first), script.calls.end()};
    }
};

const WindowMessage kQuit = {nullptr, WM_QUIT, 0, 0};
const WindowMessage kEscapeDown = {nullptr, WM_KEYDOWN, kVkEscape, 1};

TEST_F(ShellStepsTest, StartUpAndShutDownOrder)
{
    afterKeys(1, kQuit);
    EXPECT_EQ(runDemo(app, steps), 0);
    std::vector<std::string> expected = {
        "loadScene", "cursor 320,240", "openMusic sorvel.mp3", "startMusic 1",
        "openWindow Zephal3D 800x600x16 fullscreen",
        "draw", "swap", "cursor 320,240", "keys",
        "closeWindow", "stopMusic",
    };
    EXPECT_EQ(script.calls, expected);
    EXPECT_TRUE(app.windowActive);
}

TEST_F(ShellStepsTest, WindowedAndMuteChangeOnlyTheWindowAndTheMusic)
{
    afterKeys(1, kQuit);
    EXPECT_EQ(runDemo(app, steps, StartChoices{.windowed = true, .mute = true}), 0);
    std::vector<std::string> expected = {
        "loadScene", "cursor 320,240",
        "openWindow Zephal3D 800x600x16 windowed",
        "draw", "swap", "cursor 320,240", "keys",
        "closeWindow", "stopMusic",
    };
    EXPECT_EQ(script.calls, expected);
}

TEST_F(ShellStepsTest, WithoutMusicNoThreadIsStarted)
{
    script.musicOpens = false;
    script.inbox.push_back(kQuit);
    EXPECT_EQ(runDemo(app, steps), 0);
    for (const std::string& call : script.calls) EXPECT_NE(call, "startMusic 1");
}

TEST_F(ShellStepsTest, ARefusedSceneStopsBeforeAnythingElse)
{
    script.sceneLoads = false;
    EXPECT_EQ(runDemo(app, steps), 1);
    EXPECT_EQ(script.calls, std::vector<std::string>{"loadScene"});
}

TEST_F(ShellStepsTest, AFailedFirstWindowEndsWithOneAndStopsTheMusic)
{
    script.windowOpens = false;
    EXPECT_EQ(runDemo(app, steps), 1);
    EXPECT_EQ(script.calls.back(), "stopMusic");
    EXPECT_EQ(script.frames, 0);
    script = Script{};
    script.windowOpens = false;
    script.declined = true;
    EXPECT_EQ(runDemo(app, steps), 0);  // the user chose to close
}

TEST_F(ShellStepsTest, MessagesComeFirstOnePerPassWithoutFrames)
{
    script.inbox = {{nullptr, WM_KEYDOWN, 'A', 1}, {nullptr, WM_KEYUP, 'A', 1}, kQuit};
    EXPECT_EQ(runMainLoop(app, steps), 0);
    std::vector<std::string> expected = {"dispatch 256", "dispatch 257"};
    EXPECT_EQ(script.calls, expected);
}

TEST_F(ShellStepsTest, EscapeEndsWithZeroAndTheFrameIsNotShown)
{
    app.windowActive = true;
    afterKeys(1, kEscapeDown);
    EXPECT_EQ(runMainLoop(app, steps), 0);
    std::vector<std::string> expected = {"draw", "swap", "cursor 320,240", "keys", "dispatch 256", "draw"};
    EXPECT_EQ(script.calls, expected);
}

TEST_F(ShellStepsTest, TheQuitMessagesCodeIsTheExitStatus)
{
    script.inbox.push_back({nullptr, WM_QUIT, 3, 0});
    EXPECT_EQ(runMainLoop(app, steps), 3);
    EXPECT_NE(app.quitRequested, 0);
}

TEST_F(ShellStepsTest, MinimisedTheLoopPresentsAndRunsKeysWithoutDrawing)
{
    app.windowActive = true;
    script.inbox.push_back({nullptr, WM_ACTIVATE, makeLong(WA_INACTIVE, 1), 0});
    afterKeys(2, kQuit);
    runMainLoop(app, steps);
    std::vector<std::string> expected = {"dispatch 6", "swap", "cursor 320,240", "keys",
                                         "swap", "cursor 320,240", "keys"};
    EXPECT_EQ(script.calls, expected);
}

TEST_F(ShellStepsTest, AFailedRecreationEndsTheLoop)
{
    app.windowActive = true;
    script.keysFailAt = 2;
    EXPECT_EQ(runMainLoop(app, steps), 1);
    EXPECT_EQ(script.frames, 2);
    script = Script{};
    app.quitRequested = 0;
    script.keysFailAt = 1;
    script.declined = true;  // No to the question after F1
    EXPECT_EQ(runMainLoop(app, steps), 0);
}

TEST_F(ShellStepsTest, AStopSignalEndsTheRunWithZeroBeforeTheNextFrame)
{
    script.signalAtKeys = 2;
    script.keysFailAt = 3;  // a third frame's keys would end the loop with 1
    EXPECT_EQ(runDemo(app, steps), 0);
    std::vector<std::string> expected = {"draw", "swap", "cursor 320,240", "keys", "draw", "swap",
                                         "cursor 320,240", "keys", "closeWindow", "stopMusic"};
    EXPECT_EQ(callsFrom(5), expected);
}

TEST(InitApp, StartValues)
{
    App app{};
    app.lightsOn = 1;
    app.show.panel.panelGrowth = 40;
    initApp(app);
    EXPECT_TRUE(app.windowActive);
    EXPECT_TRUE(app.fullscreenMode);
    EXPECT_EQ(app.lightsOn, 0);
    EXPECT_EQ(app.show.panel.panelGrowth, 0);
    EXPECT_EQ(app.quitRequested, 0);
}

}  // namespace
