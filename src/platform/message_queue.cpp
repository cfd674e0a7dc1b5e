#include "platform/message_queue.h"

#include <algorithm>

namespace {

bool releasesKeyOfThisRun(const MessageQueue& queue, const WindowMessage& m)
{
    return m.message == WM_KEYUP &&
           std::find(queue.keysDownInRun.begin(), queue.keysDownInRun.end(), m.wParam) != queue.keysDownInRun.end();
}

// Follows what the procedure is told about each key, so a gone window can release its keys.
void trackKey(MessageQueue& queue, const WindowMessage& m)
{
    if (m.message != WM_KEYDOWN && m.message != WM_KEYUP) return;
    std::erase_if(queue.keysHeld, [&m](const WindowMessage& held) { return held.wParam == m.wParam; });
    if (m.message == WM_KEYDOWN) queue.keysHeld.push_back(m);
}

}  // namespace

void postMessage(MessageQueue& queue, const WindowMessage& message)
{
    queue.messages.push_back(message);
}

void postQuitMessage(MessageQueue& queue, int exitCode)
{
    postMessage(queue, {nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

bool takeMessage(MessageQueue& queue, WindowMessage& message)
{
    // A tap shorter than a frame must still be seen by one frame's key step: its key-up
    // waits until the queue has looked empty once.
    if (queue.messages.empty() || releasesKeyOfThisRun(queue, queue.messages.front())) {
        queue.keysDownInRun.clear();
        return false;
    }
    message = queue.messages.front();
    queue.messages.pop_front();
    if (message.message == WM_KEYDOWN) queue.keysDownInRun.push_back(message.wParam);
    trackKey(queue, message);
    return true;
}

void forgetWindow(MessageQueue& queue, WindowHandle window)
{
    if (!window) return;
    std::erase_if(queue.messages, [window](const WindowMessage& m) { return m.window == window; });
    // The window system drops the release of a key that went down in a window now gone.
    for (const WindowMessage& key : queue.keysHeld)
        if (key.window == window) postMessage(queue, {nullptr, WM_KEYUP, key.wParam, 0});
}
