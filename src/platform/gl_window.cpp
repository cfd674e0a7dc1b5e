#include "platform/gl_window.h"

#include "platform/mode_keeper.h"

namespace {

const ColourSizes kColourSizes[] = {{16, 5, 6, 5}, {24, 8, 8, 8}, {32, 8, 8, 8}};

}  // namespace

const ColourSizes* colourSizesFor(int colourBits)
{
    for (const ColourSizes& sizes : kColourSizes)
        if (sizes.colourBits == colourBits) return &sizes;
    return nullptr;
}

bool startWindowing(WindowSystem& system)
{
    // One connection for the whole run: a new one would hand the next window the old window's
    // id, and a window manager that has not yet seen the old one go treats the new one as it.
    if (system.started) return true;
    system.started = system.backend->start(system);
    return system.started;
}

bool stopWindowing(WindowSystem& system)
{
    closeDesktop(system.desktop);
    if (!system.started) return true;
    bool ok = system.backend->stop(system);
    system.started = false;
    system.window = nullptr;
    return ok;
}

bool displayOffersMode(const WindowSystem& system, int monitor, int width, int height)
{
    return system.backend->offersMode(monitor, width, height);
}

GlWindow* createGlWindow(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    // A fullscreen window sets its mode as it is made: the keeper is to see what that changes.
    bool setsMode = request.fullscreen && !request.keepDesktopMode;
    if (setsMode) noteModeChangeComing();
    GlWindow* window = system.backend->create(system, request, failure);
    if (setsMode) noteModeChangeDone();
    if (window) system.window = window;
    return window;
}

bool makeContextCurrent(WindowSystem& system, GlWindow* window)
{
    return system.backend->makeCurrent(system, window);
}

void waitForRefresh(WindowSystem& system, bool vsync)
{
    system.backend->waitForRefresh(system, vsync);
}

void framebufferSize(const WindowSystem& system, GlWindow* window, int& width, int& height)
{
    system.backend->drawableSize(window, width, height);
}

bool releaseContext(WindowSystem& system)
{
    return system.backend->releaseContext(system);
}

bool destroyGlWindow(WindowSystem& system, GlWindow* window)
{
    forgetWindow(system.queue, window);
    bool ok = system.backend->destroy(system, window);
    if (window == system.window) system.window = nullptr;
    return ok;
}

void showGlWindow(const WindowSystem& system, GlWindow* window)
{
    system.backend->show(window);
}

void swapGlBuffers(const WindowSystem& system, GlWindow* window)
{
    system.backend->swap(system, window);
}

GlProc glProcAddress(const WindowSystem& system, const char* name)
{
    return system.backend->procAddress(name);
}

bool peekMessage(WindowSystem& system, WindowMessage& message)
{
    if (system.queue.messages.empty() && system.started) system.backend->poll(system);
    return takeMessage(system.queue, message);
}
