#include "platform/gl_window.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "platform/key_map.h"
#include "platform/message_queue.h"
#include "platform/time_source.h"
#include "platform/video_mode.h"

namespace {

// How often the window is asked whether the screen saver may start (well below X's default 10 min).
constexpr uint32_t kScreenSaverAskMs = 30000;

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

bool windowingStarted = false;
GLFWwindow* liveWindow = nullptr;
uint32_t lastScreenSaverAsk = 0;
int errorCount = 0;
int lastError = 0;

void onGlfwError(int code, const char* description)
{
    ++errorCount;
    lastError = code;
    std::fprintf(stderr, "GLFW: %s\n", description);
}

void post(GLFWwindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    postMessage({window, message, wParam, lParam});
}

void onKey(GLFWwindow* window, int key, int scancode, int action, int)
{
    int vk = virtualKeyFor(key, glfwGetKeyName(key, scancode));
    if (vk == 0) return;
    // A repeat is a key-down like a press: a held key keeps sending them.
    bool down = action != GLFW_RELEASE;
    intptr_t lParam = 1 | ((scancode & 0xFF) << 16) | (action == GLFW_REPEAT ? 1 << 30 : 0);
    post(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), lParam);
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
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
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

void installCallbacks(GLFWwindow* window)
{
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

void askAboutScreenSaver()
{
    uint32_t now = timeGetTime();
    if (now - lastScreenSaverAsk < kScreenSaverAskMs) return;
    lastScreenSaverAsk = now;
    post(liveWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    post(liveWindow, WM_SYSCOMMAND, SC_MONITORPOWER, 0);
}

}  // namespace

bool startWindowing()
{
    if (windowingStarted) return true;
    glfwSetErrorCallback(onGlfwError);
    windowingStarted = glfwInit() == GLFW_TRUE;
    // One connection for the whole run: a new one would hand the next window the old window's
    // id, and a window manager that has not yet seen the old one go treats the new one as it.
    if (windowingStarted) std::atexit([] { stopWindowing(); });
    return windowingStarted;
}

bool stopWindowing()
{
    int errorsBefore = errorCount;
    glfwTerminate();
    windowingStarted = false;
    return errorCount == errorsBefore;
}

bool displayOffersMode(int width, int height)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (!monitor) return false;
    int count = 0;
    const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
    return modes && findVideoMode(modes, count, width, height);
}

GLFWwindow* createGlWindow(const GlWindowRequest& request, WindowFailure& failure)
{
    applyHints(request);
    GLFWmonitor* monitor = request.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    if (monitor) {
        int count = 0;
        const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
        const GLFWvidmode* mode = modes ? findVideoMode(modes, count, request.width, request.height) : nullptr;
        if (mode) glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    }
    lastError = 0;
    GLFWwindow* window = glfwCreateWindow(request.width, request.height, request.title, monitor, nullptr);
    if (!window) {
        failure = failureFor(lastError);
        return nullptr;
    }
    failure = WindowFailure::kNone;
    installCallbacks(window);
    if (!monitor) placeFrameAtOrigin(window);
    liveWindow = window;
    lastScreenSaverAsk = timeGetTime();
    return window;
}

bool makeContextCurrent(GLFWwindow* window)
{
    int errorsBefore = errorCount;
    glfwMakeContextCurrent(window);
    return errorCount == errorsBefore && glfwGetCurrentContext() == window;
}

bool releaseContext()
{
    int errorsBefore = errorCount;
    glfwMakeContextCurrent(nullptr);
    return errorCount == errorsBefore;
}

bool destroyGlWindow(GLFWwindow* window)
{
    int errorsBefore = errorCount;
    forgetWindow(window);
    glfwDestroyWindow(window);
    if (window == liveWindow) liveWindow = nullptr;
    return errorCount == errorsBefore;
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

void pollWindowEvents()
{
    if (!windowingStarted) return;
    glfwPollEvents();
    if (liveWindow) askAboutScreenSaver();
}
