#pragma once

#include "app/shell.h"
#include "web/page_song.h"
#include "web/test_moments.h"

// The demo's steps in the browser: the shell's window and keyboard steps on the canvas, the music
// through the page, and the test clock when the page's address asks for moments.
struct WebSteps final : DemoSteps {
    Shell shell{};
    PageSong song;
    TestMoments* moments = nullptr;  // the test clock, when on
    long framesDrawn = 0;

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
