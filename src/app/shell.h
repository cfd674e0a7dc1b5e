#pragma once

#include "app/window.h"
#include "platform/time_source.h"
#include "platform/window_messages.h"

struct App;
struct BenchmarkRun;

// Everything start-up, the main loop and shut-down call, behind one interface, so that the
// order of the steps can be followed with recording stand-ins.
struct DemoSteps {
    virtual bool loadScene(App& app) = 0;
    virtual void setCursorPos(int x, int y) = 0;
    virtual bool openMusic(const char* fileName) = 0;
    virtual void startMusic(int loop) = 0;
    virtual bool openWindow(App& app, const WindowPlan& plan, bool fullscreen) = 0;
    virtual bool windowDeclined() = 0;
    virtual bool peekMessage(WindowMessage& message) = 0;
    virtual void dispatchMessage(App& app, const WindowMessage& message) = 0;
    virtual bool drawFrame(App& app) = 0;
    virtual void swapBuffers() = 0;
    virtual bool handleKeys(App& app) = 0;
    virtual void closeWindow() = 0;
    virtual void stopMusic() = 0;
    virtual bool stopSignalled() = 0;

protected:
    ~DemoSteps() = default;
};

// The real steps of the demo, with the window side they own for the run.
struct DesktopSteps final : DemoSteps {
    Shell shell{};
    BenchmarkRun* benchmark = nullptr;  // times every frame when set

    bool loadScene(App& app) override;
    void setCursorPos(int x, int y) override;
    bool openMusic(const char* fileName) override;
    void startMusic(int loop) override;
    bool openWindow(App& app, const WindowPlan& plan, bool fullscreen) override;
    bool windowDeclined() override;
    bool peekMessage(WindowMessage& message) override;
    void dispatchMessage(App& app, const WindowMessage& message) override;
    bool drawFrame(App& app) override;
    void swapBuffers() override;
    bool handleKeys(App& app) override;
    void closeWindow() override;
    void stopMusic() override;
    bool stopSignalled() override;
};

// Where the mouse cursor is held while the demo runs.
constexpr int kCursorX = 320;
constexpr int kCursorY = 240;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;

// How a run starts; the defaults are the demo's own.
struct StartChoices {
    bool windowed = false;  // a framed window from the start, without the display-mode question
    bool mute = false;      // no music read, no sound device opened
    bool desktop = false;   // fullscreen keeps the monitor's mode (F1: the 640 × 480 window)
    int stepRateHz = 0;     // the effects that step once a frame step HZ times a second of demo time
    TimeSource clock{};     // what the demo clock reads: the system counter unless a test clock is given
};

// The whole run: start-up, main loop, shut-down. Returns the exit status.
int runDemo(App& app, DemoSteps& steps, const StartChoices& choices = {});
// Messages first, one per pass; a frame whenever the queue is empty. Returns the exit status.
int runMainLoop(App& app, DemoSteps& steps);

// The same run in pieces, for a host that calls the program once a frame (the browser):
// start-up up to the open window, false with the exit status when the run ends there;
// one pass of the main loop, which handles one message or draws one frame, or finds the run
// ended (status then holds its exit status); and the shut-down after the last pass.
bool startDemo(App& app, DemoSteps& steps, const StartChoices& choices, int& status);
enum class LoopPass { kMessage, kFrame, kEnded };
LoopPass runLoopPass(App& app, DemoSteps& steps, int& status);
void endDemo(DemoSteps& steps);
