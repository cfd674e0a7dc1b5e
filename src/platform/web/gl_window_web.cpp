// The window layer of gl_window.h in the browser: the "window" is the page's canvas with its
// WebGL context, made through emscripten's GLFW, and filling the page at the display's own
// pixels; there are no display modes to change.
#include <GLFW/glfw3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/gl_window.h"
#include "platform/key_map.h"
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

void post(GLFWwindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto* system = static_cast<WindowSystem*>(glfwGetWindowUserPointer(window));
    postMessage(system->queue, {window, message, wParam, lParam});
}

void onKey(GLFWwindow* window, int key, int, int action, int)
{
    // The browser already gives letters as the keyboard layout prints them.
    int vk = virtualKeyFor(key, nullptr);
    if (vk == 0) return;
    post(window, action != GLFW_RELEASE ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), 0);
}

EM_BOOL onPageResize(int, const EmscriptenUiEvent*, void* context)
{
    auto& system = *static_cast<WindowSystem*>(context);
    if (!system.window || !fitCanvasToPage()) return EM_FALSE;
    int width = 0, height = 0;
    glWindowSize(system.window, width, height);
    post(system.window, WM_SIZE, 0, static_cast<intptr_t>(makeLong(width, height)));
    return EM_FALSE;
}

void applyHints(const GlWindowRequest& request)
{
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, 16);
    glfwWindowHint(GLFW_STENCIL_BITS, request.stencilBits);
    // The show clears with alpha 0.5, which a canvas with alpha would blend with the page.
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
}

}  // namespace

bool startWindowing(WindowSystem& system)
{
    if (!system.started) system.started = glfwInit() == GLFW_TRUE;
    return system.started;
}

bool stopWindowing(WindowSystem& system)
{
    if (system.started) glfwTerminate();
    system.started = false;
    system.window = nullptr;
    return true;
}

// The page takes any size; there is no mode to ask for.
bool displayOffersMode(int, int, int) { return true; }

GLFWwindow* createGlWindow(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    applyHints(request);
    GLFWwindow* window = glfwCreateWindow(request.width, request.height, request.title, nullptr, nullptr);
    // Without WebGL there is no context, which is the only part that can fail here.
    failure = window ? WindowFailure::kNone : WindowFailure::kContext;
    if (!window) return nullptr;
    resetFixedFunction();
    glfwSetWindowUserPointer(window, &system);
    glfwSetKeyCallback(window, onKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &system, EM_FALSE, onPageResize);
    fitCanvasToPage();
    system.window = window;
    return window;
}

bool makeContextCurrent(GLFWwindow* window)
{
    glfwMakeContextCurrent(window);
    return glfwGetCurrentContext() == window;
}

// Frames come with the browser's animation frames, which follow the display.
void waitForRefresh(bool) {}

void framebufferSize(GLFWwindow* window, int& width, int& height) { glWindowSize(window, width, height); }

bool releaseContext()
{
    glfwMakeContextCurrent(nullptr);
    return true;
}

bool destroyGlWindow(WindowSystem& system, GLFWwindow* window)
{
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    forgetWindow(system.queue, window);
    glfwDestroyWindow(window);
    if (window == system.window) system.window = nullptr;
    return true;
}

// The canvas is on the page already; the page hides the cursor over it.
void showGlWindow(GLFWwindow*) {}

// The browser shows the frame when the animation frame's callback returns.
void swapGlBuffers(GLFWwindow*) {}

void glWindowSize(GLFWwindow*, int& width, int& height)
{
    emscripten_get_canvas_element_size("#canvas", &width, &height);
}

// The page's events arrive between frames, each straight into the queue.
bool peekMessage(WindowSystem& system, WindowMessage& message) { return takeMessage(system.queue, message); }
