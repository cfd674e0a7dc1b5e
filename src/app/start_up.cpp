#include "app/shell.h"
#include "session/show_session.h"
#include "state/app.h"

namespace {

const char* const kMusicFile = "sorvel.mp3";
constexpr int kLoopMusic = 1;

const WindowPlan kFirstWindow = {"Zephal3D", 800, 600, 16};

}  // namespace

bool startDemo(App& app, DemoSteps& steps, const StartChoices& choices, int& status)
{
    initApp(app, choices.clock);
    status = kExitFailure;
    if (!steps.loadScene(app)) return false;
    app.fullscreenMode = !choices.windowed;
    app.desktopMode = choices.desktop;
    app.stepRateHz = choices.stepRateHz;
    steps.setCursorPos(kCursorX, kCursorY);
    if (!choices.mute && steps.openMusic(kMusicFile)) steps.startMusic(kLoopMusic);

    if (!steps.openWindow(app, kFirstWindow, app.fullscreenMode)) {
        // The music must not play on behind a program that is ending.
        steps.stopMusic();
        status = steps.windowDeclined() ? kExitOk : kExitFailure;
        return false;
    }
    status = kExitOk;
    return true;
}

void endDemo(DemoSteps& steps)
{
    steps.closeWindow();
    steps.stopMusic();
}

int runDemo(App& app, DemoSteps& steps, const StartChoices& choices)
{
    int status = kExitOk;
    if (!startDemo(app, steps, choices, status)) return status;
    status = runMainLoop(app, steps);
    endDemo(steps);
    return status;
}
