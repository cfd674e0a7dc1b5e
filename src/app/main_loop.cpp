#include "app/shell.h"
#include "platform/virtual_keys.h"
#include "state/app.h"

LoopPass runLoopPass(App& app, DemoSteps& steps, int& status)
{
    if (app.quitRequested) return LoopPass::kEnded;
    // A stop signal (Ctrl-C, kill, a closed terminal) ends the run as a close request does.
    if (steps.stopSignalled()) {
        app.quitRequested = 1;
        status = kExitOk;
        return LoopPass::kMessage;
    }
    WindowMessage message{};
    if (steps.peekMessage(message)) {
        if (message.message == WM_QUIT) {
            app.quitRequested = 1;
            status = static_cast<int>(message.wParam);
        } else {
            steps.dispatchMessage(app, message);
        }
        return LoopPass::kMessage;
    }
    if (app.windowActive && !steps.drawFrame(app)) {
        app.quitRequested = 1;
        return LoopPass::kFrame;
    }
    // Escape ends the run before this frame is shown.
    if (app.keyDown[kVkEscape]) {
        app.quitRequested = 1;
        return LoopPass::kFrame;
    }
    steps.swapBuffers();
    steps.setCursorPos(kCursorX, kCursorY);
    if (!steps.handleKeys(app)) {
        app.quitRequested = 1;
        status = steps.windowDeclined() ? kExitOk : kExitFailure;
    }
    return LoopPass::kFrame;
}

int runMainLoop(App& app, DemoSteps& steps)
{
    int status = kExitOk;
    while (runLoopPass(app, steps, status) != LoopPass::kEnded) {
    }
    return status;
}
