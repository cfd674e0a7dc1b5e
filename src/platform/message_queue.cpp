#include "platform/message_queue.h"

#include <algorithm>
#include <deque>

#include "platform/desktop.h"
#include "platform/gl_window.h"

namespace {

std::deque<WindowMessage> queue;
WindowProc windowProc = nullptr;
bool defaultReached = false;

bool asksForScreenSaver(const WindowMessage& m)
{
    return m.message == WM_SYSCOMMAND && (m.wParam == SC_SCREENSAVE || m.wParam == SC_MONITORPOWER);
}

}  // namespace

void postMessage(const WindowMessage& message)
{
    queue.push_back(message);
}

void postQuitMessage(int exitCode)
{
    postMessage({nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

bool peekMessage(WindowMessage& message)
{
    if (queue.empty()) pollWindowEvents();
    if (queue.empty()) return false;
    message = queue.front();
    queue.pop_front();
    return true;
}

void discardMessagesFor(WindowHandle window)
{
    if (!window) return;
    std::erase_if(queue, [window](const WindowMessage& m) { return m.window == window; });
}

void setWindowProc(WindowProc proc)
{
    windowProc = proc;
}

DispatchResult dispatchMessage(const WindowMessage& message)
{
    defaultReached = false;
    intptr_t result = windowProc ? windowProc(message.window, message.message, message.wParam, message.lParam)
                                 : defWindowProc(message.window, message.message, message.wParam, message.lParam);
    // A screen-saver or power-off request the procedure swallowed is held off.
    if (asksForScreenSaver(message) && !defaultReached) holdOffScreenSaver();
    return {result, defaultReached};
}

intptr_t defWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    // Moving, minimising and closing are the window manager's business on X; nothing to do here.
    defaultReached = true;
    return 0;
}
