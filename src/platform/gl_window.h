#pragma once

#include <cstdint>

#include "platform/desktop.h"
#include "platform/message_queue.h"

// The window with its GL context, behind one table of functions per backend: a GLFW window on
// the display, a picture off-screen through EGL, or the canvas of a web page. The caller chooses
// the backend for the run. Each call is one step of making or releasing the window that can fail
// on its own, so the caller can say which one did.

// A backend's window; what it is only the backend knows.
struct GlWindow;
struct WindowBackend;

// A window on the display over GLFW, with its events, monitors and display modes.
const WindowBackend* glfwWindows();
// A picture of the size asked for, drawn off-screen through EGL: no display, no events, no monitor.
const WindowBackend* offscreenWindows();
// The page's canvas in a web browser (the browser build has only this one).
const WindowBackend* pageWindows();
// The backend a run has unless it chooses one: GLFW's on the desktop, the canvas in the browser.
const WindowBackend* platformWindows();

// The window layer for the whole run: the backend with its connection, the one live window,
// and the message queue that the window's events go into and that is filled by pumping the
// window system.
struct WindowSystem {
    const WindowBackend* backend = platformWindows();
    bool started = false;
    void* connection = nullptr;  // the backend's own, for those that keep one
    GlWindow* window = nullptr;  // the live window, or nullptr
    MessageQueue queue;
    Desktop desktop{};
    uint32_t lastScreenSaverHold = 0;  // when the screen saver was last held off, in ms
};

struct GlWindowRequest {
    const char* title;
    int width;  // client area
    int height;
    int colourBits;
    bool fullscreen;  // the display is switched to exactly width × height
    int stencilBits = 0;  // a stencil also moves the depth buffer to the format stored with it
    int monitor = 0;  // where fullscreen goes: its place in the monitor list, 0 the primary
    bool keepDesktopMode = false;  // fullscreen covers the monitor at the mode it has; no mode is set
};

enum class WindowFailure { kNone, kWindow, kPixelFormat, kContext };

// A GL entry point as the backend's loader returns it, to be cast to its own type.
using GlProc = void (*)();

// What a backend does; every call of the layer below goes to the chosen backend's entry.
struct WindowBackend {
    bool (*start)(WindowSystem& system);
    bool (*stop)(WindowSystem& system);
    bool (*offersMode)(int monitor, int width, int height);
    GlWindow* (*create)(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure);
    bool (*makeCurrent)(WindowSystem& system, GlWindow* window);
    void (*waitForRefresh)(WindowSystem& system, bool vsync);
    void (*drawableSize)(GlWindow* window, int& width, int& height);
    bool (*releaseContext)(WindowSystem& system);
    bool (*destroy)(WindowSystem& system, GlWindow* window);
    void (*show)(GlWindow* window);
    void (*swap)(const WindowSystem& system, GlWindow* window);
    void (*poll)(WindowSystem& system);
    GlProc (*procAddress)(const char* name);
};

// The red, green and blue bits of each colour depth a window may ask for.
struct ColourSizes {
    int colourBits;
    int red, green, blue;
};
// The sizes for `colourBits`; nullptr for a depth not listed, which leaves the choice to the backend.
const ColourSizes* colourSizesFor(int colourBits);

// Connects to the display once for the run (later calls find it done); false when there is no
// display to talk to.
bool startWindowing(WindowSystem& system);
// Disconnects, restoring the display mode; false when the window system reported an error.
bool stopWindowing(WindowSystem& system);
// The monitor has a video mode of exactly this size.
bool displayOffersMode(const WindowSystem& system, int monitor, int width, int height);

// A hidden window with a double-buffered RGBA context and a 16-bit depth buffer, which becomes
// the live window; its events are posted to the system's queue. nullptr with the failing step
// in failure.
GlWindow* createGlWindow(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure);
bool makeContextCurrent(WindowSystem& system, GlWindow* window);
// With the context current: buffer swaps wait for the display's refresh, or do not.
void waitForRefresh(WindowSystem& system, bool vsync);
// The window's drawable size in pixels, which a scaled desktop makes differ from its size in
// screen units.
void framebufferSize(const WindowSystem& system, GlWindow* window, int& width, int& height);
bool releaseContext(WindowSystem& system);
// Destroys the window, drops its queued messages and releases the keys it reported down;
// false when that reported an error.
bool destroyGlWindow(WindowSystem& system, GlWindow* window);
// Shows, raises and focuses the window; the cursor is hidden over it.
void showGlWindow(const WindowSystem& system, GlWindow* window);
void swapGlBuffers(const WindowSystem& system, GlWindow* window);
// With a context current: the GL function `name` as the context provides it, or nullptr;
// beyond GL 1.1 (framebuffer objects, for one) functions must be looked up this way.
GlProc glProcAddress(const WindowSystem& system, const char* name);

// Takes the oldest message; when none is queued, lets the window system deliver what it has
// first and, while a window is live, holds the screen saver off every 30 s. Never waits; the
// queue's rule for taps holds (see takeMessage).
bool peekMessage(WindowSystem& system, WindowMessage& message);
