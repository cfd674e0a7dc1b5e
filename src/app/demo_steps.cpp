#include "app/app.h"
#include "app/keyboard_commands.h"
#include "app/music.h"
#include "app/scene_loading.h"
#include "app/shell.h"
#include "app/window.h"
#include "platform/desktop.h"
#include "platform/message_queue.h"
#include "platform/stop_signals.h"
#include "show/frame.h"

const DemoSteps& demoSteps()
{
    static const DemoSteps steps = {
        loadScene,
        setCursorPos,
        openMusic,
        startMusic,
        openWindow,
        windowDeclined,
        peekMessage,
        [](const WindowMessage& message) { dispatchMessage(message); },
        drawFrame,
        swapBuffers,
        [](App& app) { return handleKeys(app); },
        closeWindow,
        stopMusic,
        stopSignalArrived,
    };
    return steps;
}
