// The window layer's GLFW backend: a window on the display with its events, monitors and modes.
#include <GLFW/glfw3.h>

#include "platform/gl_window.h"
#include "platform/key_map.h"
#include "platform/monitors.h"
#include "platform/report.h"
#include "platform/time_source.h"
#include "platform/video_mode.h"

namespace {

// How often the screen saver is held off while the window lives (well below X's default 10 min).
constexpr uint32_t kScreenSaverHoldMs = 30000;

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

// The layer's handle is the GLFW window itself.
GLFWwindow* glfwWindowOf(GlWindow* window) { return reinterpret_cast<GLFWwindow*>(window); }
GlWindow* handleOf(GLFWwindow* window) { return reinterpret_cast<GlWindow*>(window); }

void onGlfwError(int code, const char* description)
{
    ++glfwErrors.count;
    glfwErrors.last = code;
    report("GLFW", description);
}

void post(GLFWwindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto* system = static_cast<WindowSystem*>(glfwGetWindowUserPointer(window));
    postMessage(system->queue, {handleOf(window), message, wParam, lParam});
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
    if (const ColourSizes* sizes = colourSizesFor(request.colourBits)) {
        glfwWindowHint(GLFW_RED_BITS, sizes->red);
        glfwWindowHint(GLFW_GREEN_BITS, sizes->green);
        glfwWindowHint(GLFW_BLUE_BITS, sizes->blue);
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

bool start(WindowSystem&)
{
    glfwSetErrorCallback(onGlfwError);
    return glfwInit() == GLFW_TRUE;
}

bool stop(WindowSystem&)
{
    int errorsBefore = glfwErrors.count;
    glfwTerminate();
    return glfwErrors.count == errorsBefore;
}

bool offersMode(int monitorIndex, int width, int height)
{
    GLFWmonitor* monitor = monitorAt(monitorIndex);
    if (!monitor) return false;
    int count = 0;
    const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
    return modes && findVideoMode(modes, count, width, height);
}

// Fullscreen at the mode the monitor has: its size, and hints that match the mode in force.
void keepCurrentMode(GLFWmonitor* monitor, int& width, int& height)
{
    // Asking for exactly the mode in force makes GLFW leave the display as it is.
    const GLFWvidmode* current = glfwGetVideoMode(monitor);
    if (!current) return;
    glfwWindowHint(GLFW_RED_BITS, current->redBits);
    glfwWindowHint(GLFW_GREEN_BITS, current->greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, current->blueBits);
    glfwWindowHint(GLFW_REFRESH_RATE, current->refreshRate);
    width = current->width;
    height = current->height;
}

GlWindow* create(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    applyHints(request);
    GLFWmonitor* monitor = request.fullscreen ? monitorAt(request.monitor) : nullptr;
    int width = request.width, height = request.height;
    if (monitor && request.keepDesktopMode) {
        keepCurrentMode(monitor, width, height);
    } else if (monitor) {
        int count = 0;
        const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
        const GLFWvidmode* mode = modes ? findVideoMode(modes, count, request.width, request.height) : nullptr;
        if (mode) glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    }
    glfwErrors.last = 0;
    GLFWwindow* window = glfwCreateWindow(width, height, request.title, monitor, nullptr);
    if (!window) {
        failure = failureFor(glfwErrors.last);
        return nullptr;
    }
    failure = WindowFailure::kNone;
    installCallbacks(system, window);
    if (!monitor) placeFrameAtOrigin(window);
    system.lastScreenSaverHold = timeGetTime();
    return handleOf(window);
}

bool makeCurrent(WindowSystem&, GlWindow* window)
{
    int errorsBefore = glfwErrors.count;
    glfwMakeContextCurrent(glfwWindowOf(window));
    return glfwErrors.count == errorsBefore && glfwGetCurrentContext() == glfwWindowOf(window);
}

void waitForRefresh(WindowSystem&, bool vsync)
{
    glfwSwapInterval(vsync ? 1 : 0);
}

void drawableSize(GlWindow* window, int& width, int& height)
{
    glfwGetFramebufferSize(glfwWindowOf(window), &width, &height);
}

bool releaseContext(WindowSystem&)
{
    int errorsBefore = glfwErrors.count;
    glfwMakeContextCurrent(nullptr);
    return glfwErrors.count == errorsBefore;
}

bool destroy(WindowSystem&, GlWindow* window)
{
    int errorsBefore = glfwErrors.count;
    glfwDestroyWindow(glfwWindowOf(window));
    return glfwErrors.count == errorsBefore;
}

void show(GlWindow* handle)
{
    GLFWwindow* window = glfwWindowOf(handle);
    glfwShowWindow(window);
    glfwFocusWindow(window);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void swap(const WindowSystem&, GlWindow* window)
{
    glfwSwapBuffers(glfwWindowOf(window));
}

void poll(WindowSystem& system)
{
    glfwPollEvents();
    if (system.window) holdScreenSaver(system);
}

GlProc procAddress(const char* name)
{
    return glfwGetProcAddress(name);
}

const WindowBackend kGlfwBackend = {
    .start = start,
    .stop = stop,
    .offersMode = offersMode,
    .create = create,
    .makeCurrent = makeCurrent,
    .waitForRefresh = waitForRefresh,
    .drawableSize = drawableSize,
    .releaseContext = releaseContext,
    .destroy = destroy,
    .show = show,
    .swap = swap,
    .poll = poll,
    .procAddress = procAddress,
};

}  // namespace

const WindowBackend* glfwWindows() { return &kGlfwBackend; }

const WindowBackend* platformWindows() { return glfwWindows(); }
