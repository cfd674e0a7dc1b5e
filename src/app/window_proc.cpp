#include "app/window_proc.h"

#include <iterator>

#include "session/resize_view.h"
#include "platform/message_queue.h"
#include "state/app.h"

namespace {

void setKey(App& app, uintptr_t virtualKey, bool down)
{
    if (virtualKey < std::size(app.keyDown)) app.keyDown[virtualKey] = down;
}

}  // namespace

void onWindowMessage(App& app, MessageQueue& queue, const WindowMessage& message)
{
    switch (message.message) {
    case WM_ACTIVATE:
        // The high word says minimised; losing the focus alone does not stop the drawing.
        app.windowActive = hiWord(message.wParam) == 0;
        break;
    case WM_CLOSE:
        postQuitMessage(queue, 0);
        break;
    case WM_KEYDOWN:
        setKey(app, message.wParam, true);
        break;
    case WM_KEYUP:
        setKey(app, message.wParam, false);
        break;
    case WM_SIZE:
        resizeView(app, static_cast<int>(loWord(message.lParam)), static_cast<int>(hiWord(message.lParam)));
        break;
    }
}
