#include "platform/desktop.h"

#include <X11/Xlib.h>

namespace {

// A connection of our own: it outlives every GLFW window and works before the first.
Display* desktopDisplay()
{
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        display = XOpenDisplay(nullptr);
    }
    return display;
}

}  // namespace

void setCursorPos(int x, int y)
{
    Display* display = desktopDisplay();
    if (!display) return;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XFlush(display);
}

void holdOffScreenSaver()
{
    Display* display = desktopDisplay();
    if (!display) return;
    XResetScreenSaver(display);
    XFlush(display);
}
