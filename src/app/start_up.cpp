#include "app/shell.h"
#include "session/show_session.h"
#include "state/app.h"

namespace {

const char* const kMusicFile = "sorvel.mp3";
constexpr int kLoopMusic = 1;

const WindowPlan kFirstWindow = {"Zephal3D", 800, 600, 16};

}  // namespace

int runDemo(App& app, DemoSteps& steps, const StartChoices& choices)
{
    initApp(app);
    if (!steps.loadScene(app)) return kExitFailure;
    app.fullscreenMode = !choices.windowed;
    app.desktopMode = choices.desktop;
    app.stepRateHz = choices.stepRateHz;
    steps.setCursorPos(kCursorX, kCursorY);
    if (!choices.mute && steps.openMusic(kMusicFile)) steps.startMusic(kLoopMusic);

    if (!steps.openWindow(app, kFirstWindow, app.fullscreenMode)) {
        // The music must not play on behind a program that is ending.
        steps.stopMusic();
        return steps.windowDeclined() ? kExitOk : kExitFailure;
    }
    int status = runMainLoop(app, steps);
    steps.closeWindow();
    steps.stopMusic();
    return status;
}
