#include "platform/desktop.h"

#include <X11/Xlib.h>

namespace {

Display* connection(Desktop& desktop)
{
    if (!desktop.tried) {
        desktop.tried = true;
        desktop.display = XOpenDisplay(nullptr);
    }
    return static_cast<Display*>(desktop.display);
}

}  // namespace

void setCursorPos(Desktop& desktop, int x, int y)
{
    Display* display = connection(desktop);
    if (!display) return;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XFlush(display);
}

void holdOffScreenSaver(Desktop& desktop)
{
    Display* display = connection(desktop);
    if (!display) return;
    XResetScreenSaver(display);
    XFlush(display);
}

void closeDesktop(Desktop& desktop)
{
    if (desktop.display) XCloseDisplay(static_cast<Display*>(desktop.display));
    desktop = Desktop{};
}
