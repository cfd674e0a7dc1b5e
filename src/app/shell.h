#pragma once

#include "platform/window_messages.h"

struct App;

// Everything start-up, the main loop and shut-down call, in one table, so that the order
// of the steps can be followed with recording stand-ins.
struct DemoSteps {
    bool (*loadScene)(App& app);
    void (*setCursorPos)(int x, int y);
    int (*openMusic)(const char* fileName);
    void (*startMusic)(int loop);
    bool (*openWindow)(App& app, const char* title, int width, int height, int colourBits, bool fullscreen);
    bool (*windowDeclined)();
    bool (*peekMessage)(WindowMessage& message);
    void (*dispatchMessage)(const WindowMessage& message);
    bool (*drawFrame)(App& app);
    void (*swapBuffers)();
    bool (*handleKeys)(App& app);
    void (*closeWindow)();
    void (*stopMusic)();
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
};

// The real steps of the demo.
const DemoSteps& demoSteps();

// The App's start values: window active, fullscreen, lights and panel off.
void initApp(App& app);
// The whole run: start-up, main loop, shut-down. Returns the exit status.
int runDemo(App& app, const DemoSteps& steps, const StartChoices& choices = {});
// Messages first, one per pass; a frame whenever the queue is empty. Returns the exit status.
int runMainLoop(App& app, const DemoSteps& steps);
