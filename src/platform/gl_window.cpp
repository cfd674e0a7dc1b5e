#include "platform/gl_window.h"

#include <GLFW/glfw3.h>

#include "platform/key_map.h"
#include "platform/mode_keeper.h"
#include "platform/monitors.h"
#include "platform/report.h"
#include "platform/time_source.h"
#include "platform/video_mode.h"

namespace {

// How often the screen saver is held off while the window lives (well below X's default 10 min).
constexpr uint32_t kScreenSaverHoldMs = 30000;

struct ColourHints {
    int colourBits;
    int red, green, blue;
};
const ColourHints kColourHints[] = {{16, 5, 6, 5}, {24, 8, 8, 8}, {32, 8, 8, 8}};

struct FailureForError {
    int glfwError;
    WindowFailure failure;
};
// What a failed glfwCreateWindow means in terms of the steps it takes at once.
const FailureForError kCreateFailures[] = {
    {GLFW_FORMAT_UNAVAILABLE, WindowFailure::kPixelFormat},
    {GLFW_API_UNAVAILABLE, WindowFailure::kContext},
    {GLFW_VERSION_UNAVAILABLE, WindowFailure::kContext},
};

struct ErrorCount {
    int count;
    int last;
};
// Global: GLFW's error callback gets no user pointer.
ErrorCount glfwErrors;

void onGlfwError(int code, const char* description)
{
    ++glfwErrors.count;
    glfwErrors.last = code;
    report("GLFW", description);
}

void post(GLFWwindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto* system = static_cast<WindowSystem*>(glfwGetWindowUserPointer(window));
    postMessage(system->queue, {window, message, wParam, lParam});
}

void onKey(GLFWwindow* window, int key, int scancode, int action, int)
{
    int vk = virtualKeyFor(key, glfwGetKeyName(key, scancode));
    if (vk == 0) return;
    // A repeat is a key-down like a press: a held key keeps sending them.
    bool down = action != GLFW_RELEASE;
    post(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), 0);
}

void onClose(GLFWwindow* window)
{
    // Closing is the program's decision: the request becomes a WM_CLOSE message.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    post(window, WM_CLOSE, 0, 0);
}

void onFramebufferSize(GLFWwindow* window, int width, int height)
{
    post(window, WM_SIZE, 0, static_cast<intptr_t>(makeLong(width, height)));
}

void postActivation(GLFWwindow* window)
{
    uintptr_t state = glfwGetWindowAttrib(window, GLFW_FOCUSED) ? WA_ACTIVE : WA_INACTIVE;
    uint32_t minimised = glfwGetWindowAttrib(window, GLFW_ICONIFIED) ? 1 : 0;
    post(window, WM_ACTIVATE, makeLong(static_cast<uint32_t>(state), minimised), 0);
}

void onIconify(GLFWwindow* window, int) { postActivation(window); }
void onFocus(GLFWwindow* window, int) { postActivation(window); }

void applyHints(const GlWindowRequest& request)
{
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    // A message box taking the focus must not minimise the fullscreen window.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 16);
    glfwWindowHint(GLFW_STENCIL_BITS, request.stencilBits);
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
    for (const ColourHints& h : kColourHints) {
        if (h.colourBits != request.colourBits) continue;
        glfwWindowHint(GLFW_RED_BITS, h.red);
        glfwWindowHint(GLFW_GREEN_BITS, h.green);
        glfwWindowHint(GLFW_BLUE_BITS, h.blue);
    }
}

WindowFailure failureFor(int glfwError)
{
    for (const FailureForError& f : kCreateFailures)
        if (f.glfwError == glfwError) return f.failure;
    return WindowFailure::kWindow;
}

void installCallbacks(WindowSystem& system, GLFWwindow* window)
{
    glfwSetWindowUserPointer(window, &system);
    glfwSetKeyCallback(window, onKey);
    glfwSetWindowCloseCallback(window, onClose);
    glfwSetFramebufferSizeCallback(window, onFramebufferSize);
    glfwSetWindowIconifyCallback(window, onIconify);
    glfwSetWindowFocusCallback(window, onFocus);
}

// The outer frame at the top left corner of the screen, as a window placed at (0, 0).
void placeFrameAtOrigin(GLFWwindow* window)
{
    int left = 0, top = 0;
    glfwGetWindowFrameSize(window, &left, &top, nullptr, nullptr);
    glfwSetWindowPos(window, left, top);
}

// The demo swallows the screen saver and the monitor's power-off for as long as its window lives.
void holdScreenSaver(WindowSystem& system)
{
    uint32_t now = timeGetTime();
    if (now - system.lastScreenSaverHold < kScreenSaverHoldMs) return;
    system.lastScreenSaverHold = now;
    holdOffScreenSaver(system.desktop);
}

}  // namespace

bool startWindowing(WindowSystem& system)
{
    // One connection for the whole run: a new one would hand the next window the old window's
    // id, and a window manager that has not yet seen the old one go treats the new one as it.
    if (system.started) return true;
    glfwSetErrorCallback(onGlfwError);
    system.started = glfwInit() == GLFW_TRUE;
    return system.started;
}

bool stopWindowing(WindowSystem& system)
{
    closeDesktop(system.desktop);
    if (!system.started) return true;
    int errorsBefore = glfwErrors.count;
    glfwTerminate();
    system.started = false;
    system.window = nullptr;
    return glfwErrors.count == errorsBefore;
}

bool displayOffersMode(int monitorIndex, int width, int height)
{
    GLFWmonitor* monitor = monitorAt(monitorIndex);
    if (!monitor) return false;
    int count = 0;
    const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
    return modes && findVideoMode(modes, count, width, height);
}

GLFWwindow* createGlWindow(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    applyHints(request);
    GLFWmonitor* monitor = request.fullscreen ? monitorAt(request.monitor) : nullptr;
    int width = request.width, height = request.height;
    if (monitor && request.keepDesktopMode) {
        // Asking for exactly the mode in force makes GLFW leave the display as it is.
        const GLFWvidmode* current = glfwGetVideoMode(monitor);
        if (current) {
            glfwWindowHint(GLFW_RED_BITS, current->redBits);
            glfwWindowHint(GLFW_GREEN_BITS, current->greenBits);
            glfwWindowHint(GLFW_BLUE_BITS, current->blueBits);
            glfwWindowHint(GLFW_REFRESH_RATE, current->refreshRate);
            width = current->width;
            height = current->height;
        }
    } else if (monitor) {
        int count = 0;
        const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
        const GLFWvidmode* mode = modes ? findVideoMode(modes, count, request.width, request.height) : nullptr;
        if (mode) glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    }
    // A fullscreen window sets its mode as it is made: the keeper is to see what that changes.
    bool setsMode = monitor && !request.keepDesktopMode;
    if (setsMode) noteModeChangeComing();
    glfwErrors.last = 0;
    GLFWwindow* window = glfwCreateWindow(width, height, request.title, monitor, nullptr);
    if (setsMode) noteModeChangeDone();
    if (!window) {
        failure = failureFor(glfwErrors.last);
        return nullptr;
    }
    failure = WindowFailure::kNone;
    installCallbacks(system, window);
    if (!monitor) placeFrameAtOrigin(window);
    system.window = window;
    system.lastScreenSaverHold = timeGetTime();
    return window;
}

bool makeContextCurrent(GLFWwindow* window)
{
    int errorsBefore = glfwErrors.count;
    glfwMakeContextCurrent(window);
    return glfwErrors.count == errorsBefore && glfwGetCurrentContext() == window;
}

void waitForRefresh(bool vsync)
{
    glfwSwapInterval(vsync ? 1 : 0);
}

void framebufferSize(GLFWwindow* window, int& width, int& height)
{
    glfwGetFramebufferSize(window, &width, &height);
}

bool releaseContext()
{
    int errorsBefore = glfwErrors.count;
    glfwMakeContextCurrent(nullptr);
    return glfwErrors.count == errorsBefore;
}

bool destroyGlWindow(WindowSystem& system, GLFWwindow* window)
{
    int errorsBefore = glfwErrors.count;
    forgetWindow(system.queue, window);
    glfwDestroyWindow(window);
    if (window == system.window) system.window = nullptr;
    return glfwErrors.count == errorsBefore;
}

void showGlWindow(GLFWwindow* window)
{
    glfwShowWindow(window);
    glfwFocusWindow(window);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void swapGlBuffers(GLFWwindow* window)
{
    glfwSwapBuffers(window);
}

void glWindowSize(GLFWwindow* window, int& width, int& height)
{
    glfwGetFramebufferSize(window, &width, &height);
}

bool peekMessage(WindowSystem& system, WindowMessage& message)
{
    if (system.queue.messages.empty() && system.started) {
        glfwPollEvents();
        if (system.window) holdScreenSaver(system);
    }
    return takeMessage(system.queue, message);
}
