// The window layer's off-screen backend: a pbuffer through EGL, with no X connection at all.
// A pbuffer, not a framebuffer object: with the same colour and depth formats it draws the
// pixels a window under Xvfb shows, where a framebuffer object differs on depth edges.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <new>
#include <vector>

#include "platform/gl_window.h"

namespace {

// More devices than a machine has: Mesa lists its software device and one per GPU.
constexpr EGLint kMaxDevices = 16;
// A window's request that names no colour depth gets what the capture windows have always had.
constexpr ColourSizes kDefaultColour = {24, 8, 8, 8};
// The window's depth buffer (as the GLFW backend asks for it); a stencil may move it to 24 bits.
constexpr EGLint kDepthBits = 16;

struct OffscreenWindow {
    EGLSurface surface;
    EGLContext context;
    int width, height;
};

OffscreenWindow* windowOf(GlWindow* window) { return reinterpret_cast<OffscreenWindow*>(window); }
GlWindow* handleOf(OffscreenWindow* window) { return reinterpret_cast<GlWindow*>(window); }
EGLDisplay displayOf(const WindowSystem& system) { return static_cast<EGLDisplay>(system.connection); }

// `name` is one of the space-separated words of `list` (a prefix of a longer name is not).
bool hasExtension(const char* list, const char* name)
{
    size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)); at += length) {
        bool starts = at == list || at[-1] == ' ';
        if (starts && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}

template <typename Function>
Function lookUp(const char* name)
{
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

// Mesa's software device: the renderer Xvfb's windows are drawn by, whatever GPU the machine has.
EGLDisplay softwareDevice(const char* clientExtensions)
{
    if (!hasExtension(clientExtensions, "EGL_EXT_device_enumeration") ||
        !hasExtension(clientExtensions, "EGL_EXT_platform_device"))
        return EGL_NO_DISPLAY;
    auto queryDevices = lookUp<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    auto deviceString = lookUp<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    auto platformDisplay = lookUp<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    EGLDeviceEXT devices[kMaxDevices];
    EGLint count = 0;
    if (!queryDevices || !deviceString || !platformDisplay || !queryDevices(kMaxDevices, devices, &count))
        return EGL_NO_DISPLAY;
    for (EGLint i = 0; i < count; ++i)
        if (hasExtension(deviceString(devices[i], EGL_EXTENSIONS), "EGL_MESA_device_software"))
            return platformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
    return EGL_NO_DISPLAY;
}

// Mesa's surfaceless platform, where the software device is not listed.
EGLDisplay surfacelessPlatform(const char* clientExtensions)
{
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
    auto platformDisplay = lookUp<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    return platformDisplay ? platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                           : EGL_NO_DISPLAY;
}

bool start(WindowSystem& system)
{
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    EGLDisplay display = softwareDevice(clientExtensions);
    if (display == EGL_NO_DISPLAY) display = surfacelessPlatform(clientExtensions);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        eglTerminate(display);
        return false;
    }
    system.connection = display;
    return true;
}

bool stop(WindowSystem& system)
{
    // The display itself stays initialised for the process (EGL hands out the same one again):
    // each eglTerminate unloads Mesa's driver, which loses some of its memory every time.
    system.connection = nullptr;
    return eglReleaseThread() == EGL_TRUE;
}

bool offersMode(int, int, int)
{
    return false;  // no monitor, no modes
}

bool hasSizes(EGLDisplay display, EGLConfig config, const ColourSizes& colour)
{
    EGLint red = 0, green = 0, blue = 0, alpha = 0;
    eglGetConfigAttrib(display, config, EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, config, EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, config, EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display, config, EGL_ALPHA_SIZE, &alpha);
    return red == colour.red && green == colour.green && blue == colour.blue && alpha == 0;
}

// The window's formats exactly: EGL lists deeper colour (10 bits a channel) before 8, and an
// alpha channel beside the one without; depth and stencil come smallest first, as GLX picks them.
bool chooseConfig(EGLDisplay display, const GlWindowRequest& request, EGLConfig& chosen)
{
    const ColourSizes* asked = colourSizesFor(request.colourBits);
    const ColourSizes& colour = asked ? *asked : kDefaultColour;
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,  EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,     colour.red,       EGL_GREEN_SIZE,      colour.green,
                                 EGL_BLUE_SIZE,    colour.blue,      EGL_DEPTH_SIZE,      kDepthBits,
                                 EGL_STENCIL_SIZE, request.stencilBits, EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, nullptr, 0, &count) || count <= 0) return false;
    std::vector<EGLConfig> configs(static_cast<size_t>(count));
    if (!eglChooseConfig(display, attributes, configs.data(), count, &count)) return false;
    for (EGLint i = 0; i < count; ++i) {
        if (!hasSizes(display, configs[i], colour)) continue;
        chosen = configs[i];
        return true;
    }
    return false;
}

GlWindow* create(WindowSystem& system, const GlWindowRequest& request, WindowFailure& failure)
{
    // No screen to fill: a fullscreen request gets the picture of the size asked for.
    EGLDisplay display = displayOf(system);
    EGLConfig config{};
    if (!chooseConfig(display, request, config)) {
        failure = WindowFailure::kPixelFormat;
        return nullptr;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        failure = WindowFailure::kContext;
        return nullptr;
    }
    const EGLint size[] = {EGL_WIDTH, request.width, EGL_HEIGHT, request.height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    if (surface == EGL_NO_SURFACE) {
        eglDestroyContext(display, context);
        failure = WindowFailure::kWindow;
        return nullptr;
    }
    auto* window = new (std::nothrow) OffscreenWindow{surface, context, request.width, request.height};
    if (!window) {
        eglDestroySurface(display, surface);
        eglDestroyContext(display, context);
        failure = WindowFailure::kWindow;
        return nullptr;
    }
    failure = WindowFailure::kNone;
    return handleOf(window);
}

// Mesa makes a pbuffer of any size, but draws no further than the largest viewport.
bool fitsTheViewport(const OffscreenWindow& window)
{
    auto getIntegers = lookUp<void (*)(GLenum, GLint*)>("glGetIntegerv");
    if (!getIntegers) return true;  // an EGL that hands out no core functions: nothing to check by
    GLint largest[2] = {0, 0};
    getIntegers(GL_MAX_VIEWPORT_DIMS, largest);
    return window.width <= largest[0] && window.height <= largest[1];
}

bool unbind(WindowSystem& system)
{
    return eglMakeCurrent(displayOf(system), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) == EGL_TRUE;
}

bool makeCurrent(WindowSystem& system, GlWindow* handle)
{
    OffscreenWindow* window = windowOf(handle);
    if (!eglMakeCurrent(displayOf(system), window->surface, window->surface, window->context)) return false;
    if (fitsTheViewport(*window)) return true;
    unbind(system);
    return false;
}

void waitForRefresh(WindowSystem&, bool)
{
    // Nothing is shown, so nothing waits.
}

void drawableSize(GlWindow* window, int& width, int& height)
{
    width = windowOf(window)->width;
    height = windowOf(window)->height;
}

bool destroy(WindowSystem& system, GlWindow* handle)
{
    OffscreenWindow* window = windowOf(handle);
    EGLDisplay display = displayOf(system);
    // A current surface and context would only be marked for deletion.
    bool ok = eglGetCurrentContext() != window->context || unbind(system);
    ok = eglDestroySurface(display, window->surface) == EGL_TRUE && ok;
    ok = eglDestroyContext(display, window->context) == EGL_TRUE && ok;
    delete window;
    return ok;
}

void show(GlWindow*) {}

void swap(const WindowSystem&, GlWindow*)
{
    // A pbuffer has no front buffer to show: the picture stays where it was drawn.
}

void poll(WindowSystem&)
{
    // No window system, so no events.
}

GlProc procAddress(const char* name)
{
    return eglGetProcAddress(name);
}

const WindowBackend kOffscreenBackend = {
    .start = start,
    .stop = stop,
    .offersMode = offersMode,
    .create = create,
    .makeCurrent = makeCurrent,
    .waitForRefresh = waitForRefresh,
    .drawableSize = drawableSize,
    .releaseContext = unbind,
    .destroy = destroy,
    .show = show,
    .swap = swap,
    .poll = poll,
    .procAddress = procAddress,
};

}  // namespace

const WindowBackend* offscreenWindows() { return &kOffscreenBackend; }
