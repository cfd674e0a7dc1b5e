#include "session/show_window.h"

#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/report.h"
#include "session/scene_loading.h"
#include "session/show_session.h"
#include "session/test_clock.h"
#include "show/framed_frame.h"
#include "state/app.h"

namespace {

// The buffers the show's pictures have always been drawn in: 8 bits a channel, and a stencil,
// which gives the depth buffer the precision of the format it is stored with.
constexpr int kColourBits = 24;
constexpr int kStencilBits = 8;

bool fail(const char* what, const std::string& message)
{
    report(what, message);
    return false;
}

// Where the off-screen picture cannot be had, the way to the other picture is named.
const char* const kUseTheWindow = "; --window draws in a window on the X display instead";

// The window, or the picture off-screen, with its GL context current.
bool openPicture(ShowWindow& show, int width, int height)
{
    show.windows.backend = show.onDisplay ? glfwWindows() : offscreenWindows();
    if (!startWindowing(show.windows)) {
        if (show.onDisplay) return fail("display", "none for --window (run it under with-xvfb)");
        return fail("off-screen", std::string("EGL cannot start Mesa's software device or its surfaceless "
                                              "platform (libEGL with libegl-mesa0 has them)") + kUseTheWindow);
    }
    WindowFailure failure = WindowFailure::kNone;
    GlWindowRequest request = {"Zephal3D capture", width, height, kColourBits, false, kStencilBits};
    GlWindow* window = createGlWindow(show.windows, request, failure);
    if (window && makeContextCurrent(show.windows, window)) return true;
    if (show.onDisplay) return fail("display", "cannot open a GL window");
    return fail("off-screen", "EGL gives no " + std::to_string(width) + "x" + std::to_string(height) +
                                  " picture with 8-bit RGB, a 24-bit depth and an 8-bit stencil" + kUseTheWindow);
}

}  // namespace

bool openShowWindow(ShowWindow& show, App& app, const std::string& dataDir, int width, int height)
{
    if (chdir(dataDir.c_str()) != 0) return fail("data", "cannot enter the data folder " + dataDir);
    show.time.nowMs = 0;
    initApp(app, manualTimeSource(show.time));
    if (!loadScene(app)) return false;
    if (!openPicture(show, width, height)) return false;
    showGlWindow(show.windows, show.windows.window);
    framebufferSize(show.windows, show.windows.window, show.width, show.height);
    if (!startShowView(app, show.width, show.height))
        return fail("data", "the scene's textures could not be loaded");
    return true;
}

void closeShowWindow(ShowWindow& show)
{
    closeOffscreenTarget(show.offscreen);
    if (show.windows.window) destroyGlWindow(show.windows, show.windows.window);
    stopWindowing(show.windows);
}

bool useRenderSize(ShowWindow& show, int width, int height)
{
    return startRenderSize(show.offscreen, show.windows, width, height);
}

void setShowTime(ShowWindow& show, App& app, double ms) { setShowTime(show.time, app, ms); }
void drawUnseenFrame(ShowWindow& show, App& app, double ms) { drawUnseenFrame(show.time, app, ms); }

void drawShowFrame(ShowWindow& show, App& app, double ms)
{
    setShowTime(show.time, app, ms);
    drawScaledFrame(app, show.offscreen);
}

void present(const ShowWindow& show)
{
    if (show.windows.window) swapGlBuffers(show.windows, show.windows.window);
}

std::vector<uint8_t> readPicture(const ShowWindow& show)
{
    size_t rowBytes = static_cast<size_t>(show.width) * 3;
    std::vector<uint8_t> bottomUp(rowBytes * show.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, show.width, show.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> rgb(bottomUp.size());
    for (int y = 0; y < show.height; ++y)
        std::copy_n(&bottomUp[(show.height - 1 - y) * rowBytes], rowBytes, &rgb[y * rowBytes]);
    return rgb;
}
