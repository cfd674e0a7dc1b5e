#include "platform/message_queue.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/desktop.h"
#include "platform/gl_window.h"

namespace {

// A key-up's lParam: a repeat count of 1, as the window layer sends it.
constexpr intptr_t kReleaseLParam = 1;

std::deque<WindowMessage> queue;
// Keys whose key-down was taken since the queue last looked empty.
std::vector<uintptr_t> keysDownInRun;
// Keys the procedure has been told are down, with the window that told it.
std::vector<WindowMessage> keysHeld;
WindowProc windowProc = nullptr;
bool defaultReached = false;

bool asksForScreenSaver(const WindowMessage& m)
{
    return m.message == WM_SYSCOMMAND && (m.wParam == SC_SCREENSAVE || m.wParam == SC_MONITORPOWER);
}

bool releasesKeyOfThisRun(const WindowMessage& m)
{
    return m.message == WM_KEYUP && std::find(keysDownInRun.begin(), keysDownInRun.end(), m.wParam) != keysDownInRun.end();
}

// Follows what the procedure is told about each key, so a gone window can release its keys.
void trackKey(const WindowMessage& m)
{
    if (m.message != WM_KEYDOWN && m.message != WM_KEYUP) return;
    std::erase_if(keysHeld, [&m](const WindowMessage& held) { return held.wParam == m.wParam; });
    if (m.message == WM_KEYDOWN) keysHeld.push_back(m);
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
    // A tap shorter than a frame must still be seen by one frame's key step: its key-up
    // waits until the queue has looked empty once.
    if (queue.empty() || releasesKeyOfThisRun(queue.front())) {
        keysDownInRun.clear();
        return false;
    }
    message = queue.front();
    queue.pop_front();
    if (message.message == WM_KEYDOWN) keysDownInRun.push_back(message.wParam);
    trackKey(message);
    return true;
}

void forgetWindow(WindowHandle window)
{
    if (!window) return;
    std::erase_if(queue, [window](const WindowMessage& m) { return m.window == window; });
    // The window system drops the release of a key that went down in a window now gone.
    for (const WindowMessage& held : keysHeld)
        if (held.window == window) postMessage({nullptr, WM_KEYUP, held.wParam, kReleaseLParam});
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
