#pragma once

#include <cstdint>

#include "platform/desktop.h"
#include "platform/message_queue.h"

// The window with its GL context, over GLFW. Each call is one step of making or releasing
// the window that can fail on its own, so the caller can say which one did.

struct GLFWwindow;

// The window layer for the whole run: the connection, the one live window, and the message
// queue that the window's events go into and that is filled by pumping the window system.
struct WindowSystem {
    bool started;
    GLFWwindow* window;  // the live window, or nullptr
    MessageQueue queue;
    Desktop desktop;
    uint32_t lastScreenSaverHold;  // when the screen saver was last held off, in ms
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

// Connects to the display once for the run (later calls find it done); false when there is no
// display to talk to.
bool startWindowing(WindowSystem& system);
// Disconnects, restoring the display mode; false when the window system reported an error.
bool stopWindowing(WindowSystem& system);
// The monitor has a video mode of exactly this size.
bool displayOffersMode(int monitor, int width, int height);

// A hidden window with a double-buffered RGBA context and a 16-bit depth buffer, which becomes
// the live window; its events are posted to the system's queue. nullptr with the failing step
// in failure.
GLFWwindow* createGlWindow(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure);
bool makeContextCurrent(GLFWwindow* window);
// With the context current: buffer swaps wait for the display's refresh, or do not.
void waitForRefresh(bool vsync);
// The window's drawable size in pixels, which a scaled desktop makes differ from its size in
// screen units.
void framebufferSize(GLFWwindow* window, int& width, int& height);
bool releaseContext();
// Destroys the window, drops its queued messages and releases the keys it reported down;
// false when that reported an error.
bool destroyGlWindow(WindowSystem& system, GLFWwindow* window);
// Shows, raises and focuses the window; the cursor is hidden over it.
void showGlWindow(GLFWwindow* window);
void swapGlBuffers(GLFWwindow* window);
// The size GL draws the window's client area in, in pixels.
void glWindowSize(GLFWwindow* window, int& width, int& height);

// A GL function beyond GL 1.1, by name, from the current context's driver; nullptr when the
// driver has none by that name (whether the context offers it is the GL's version to say).
using GlFunction = void (*)();
GlFunction glFunction(const char* name);

// Takes the oldest message; when none is queued, lets the window system deliver what it has
// first and, while a window is live, holds the screen saver off every 30 s. Never waits; the
// queue's rule for taps holds (see takeMessage).
bool peekMessage(WindowSystem& system, WindowMessage& message);
