#include "app/window_proc.h"

#include <iterator>

#include "app/app.h"
#include "app/resize_view.h"
#include "platform/message_queue.h"

namespace {

void setKey(App& app, uintptr_t virtualKey, bool down)
{
    if (virtualKey < std::size(app.keyDown)) app.keyDown[virtualKey] = down;
}

}  // namespace

intptr_t handleWindowMessage(App& app, WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // The high word says minimised; losing the focus alone does not stop the drawing.
        app.windowActive = hiWord(wParam) == 0;
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    case WM_CLOSE:
        postQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
        setKey(app, wParam, true);
        return 0;
    case WM_KEYUP:
        setKey(app, wParam, false);
        return 0;
    case WM_SIZE:
        resizeView(app, static_cast<int>(loWord(lParam)), static_cast<int>(hiWord(lParam)));
        return 0;
    }
    return defWindowProc(window, message, wParam, lParam);
}

intptr_t onWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return handleWindowMessage(gApp, window, message, wParam, lParam);
}
