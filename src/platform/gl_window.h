#pragma once

// The window with its GL context, over GLFW. Each call is one step of making or releasing
// the window that can fail on its own, so the caller can say which one did.

struct GLFWwindow;

struct GlWindowRequest {
    const char* title;
    int width;  // client area
    int height;
    int colourBits;
    bool fullscreen;  // the display is switched to exactly width × height
};

enum class WindowFailure { kNone, kWindow, kPixelFormat, kContext };

// Connects to the display once for the run (later calls find it done) and disconnects when
// the program ends; false when there is no display to talk to.
bool startWindowing();
// Disconnects, restoring the display mode; false when the window system reported an error.
bool stopWindowing();
// The primary monitor has a video mode of exactly this size.
bool displayOffersMode(int width, int height);

// A hidden window with a double-buffered RGBA context and a 16-bit depth buffer; its events
// are posted to the message queue. nullptr with the failing step in failure.
GLFWwindow* createGlWindow(const GlWindowRequest& request, WindowFailure& failure);
bool makeContextCurrent(GLFWwindow* window);
bool releaseContext();
// Destroys the window, drops its queued messages and releases the keys it reported down;
// false when that reported an error.
bool destroyGlWindow(GLFWwindow* window);
// Shows, raises and focuses the window; the cursor is hidden over it.
void showGlWindow(GLFWwindow* window);
void swapGlBuffers(GLFWwindow* window);

// Lets GLFW deliver its pending events into the message queue, without waiting.
void pollWindowEvents();
