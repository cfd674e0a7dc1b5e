// The window layer's backend in the browser: the "window" is the page's canvas with its WebGL
// context, made through emscripten's GLFW, and filling the page at the display's own pixels;
// there are no display modes to change.
#include <GLFW/glfw3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/gl_window.h"
#include "platform/key_map.h"
#include "platform/mode_keeper.h"
#include "platform/web/fixed_function.h"

namespace {

// Gives the canvas the size it shows at, in device pixels, or the size the page was told to
// draw at (Module.canvasSize, for tests); true when that changed its size.
EM_JS(bool, fitCanvasToPage, (), {
    var canvas = Module['canvas'];
    var ratio = window.devicePixelRatio || 1;
    var size = Module['canvasSize'] ||
               [Math.round(canvas.clientWidth * ratio), Math.round(canvas.clientHeight * ratio)];
    var width = Math.max(1, size[0]), height = Math.max(1, size[1]);
    if (canvas.width == width && canvas.height == height) return false;
    canvas.width = width;
    canvas.height = height;
    return true;
});

// The layer's handle is the GLFW window itself.
GLFWwindow* glfwWindowOf(GlWindow* window) { return reinterpret_cast<GLFWwindow*>(window); }
GlWindow* handleOf(GLFWwindow* window) { return reinterpret_cast<GlWindow*>(window); }

void canvasSize(int& width, int& height) { emscripten_get_canvas_element_size("#canvas", &width, &height); }

void onKey(GLFWwindow* window, int key, int, int action, int)
{
    // The browser already gives letters as the keyboard layout prints them.
    int vk = virtualKeyFor(key, nullptr);
    if (vk == 0) return;
    auto* system = static_cast<WindowSystem*>(glfwGetWindowUserPointer(window));
    uint32_t message = action != GLFW_RELEASE ? WM_KEYDOWN : WM_KEYUP;
    postMessage(system->queue, {handleOf(window), message, static_cast<uintptr_t>(vk), 0});
}

EM_BOOL onPageResize(int, const EmscriptenUiEvent*, void* context)
{
    auto& system = *static_cast<WindowSystem*>(context);
    if (!system.window || !fitCanvasToPage()) return EM_FALSE;
    int width = 0, height = 0;
    canvasSize(width, height);
    postMessage(system.queue, {system.window, WM_SIZE, 0, static_cast<intptr_t>(makeLong(width, height))});
    return EM_FALSE;
}

bool start(WindowSystem&) { return glfwInit() == GLFW_TRUE; }

bool stop(WindowSystem&)
{
    glfwTerminate();
    return true;
}

// The page takes any size; there is no mode to ask for.
bool offersMode(int, int, int) { return true; }

GlWindow* create(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, 16);
    glfwWindowHint(GLFW_STENCIL_BITS, request.stencilBits);
    // The show clears with alpha 0.5, which a canvas with alpha would blend with the page.
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
    GLFWwindow* window = glfwCreateWindow(request.width, request.height, request.title, nullptr, nullptr);
    // Without WebGL there is no context, which is the only part that can fail here.
    failure = window ? WindowFailure::kNone : WindowFailure::kContext;
    if (!window) return nullptr;
    resetFixedFunction();
    glfwSetWindowUserPointer(window, &system);
    glfwSetKeyCallback(window, onKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &system, EM_FALSE, onPageResize);
    fitCanvasToPage();
    return handleOf(window);
}

bool makeCurrent(WindowSystem&, GlWindow* window)
{
    glfwMakeContextCurrent(glfwWindowOf(window));
    return glfwGetCurrentContext() == glfwWindowOf(window);
}

// Frames come with the browser's animation frames, which follow the display.
void waitForRefresh(WindowSystem&, bool) {}

void drawableSize(GlWindow*, int& width, int& height) { canvasSize(width, height); }

bool releaseContext(WindowSystem&)
{
    glfwMakeContextCurrent(nullptr);
    return true;
}

bool destroy(WindowSystem&, GlWindow* window)
{
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    glfwDestroyWindow(glfwWindowOf(window));
    return true;
}

// The canvas is on the page already; the page hides the pointer over it.
void show(GlWindow*) {}

// The browser shows the frame when the animation frame's callback returns.
void swap(const WindowSystem&, GlWindow*) {}

// The page's events arrive between frames, each straight into the queue.
void poll(WindowSystem&) {}

// The GL is the one the program links: the fixed-function layer over WebGL.
GlProc procAddress(const char*) { return nullptr; }

const WindowBackend kPageBackend = {
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

const WindowBackend* pageWindows() { return &kPageBackend; }

const WindowBackend* platformWindows() { return pageWindows(); }

// No display mode changes in a browser, so the crash keeper has nothing to be told.
void noteModeChangeComing() {}
void noteModeChangeDone() {}
