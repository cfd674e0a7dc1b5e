#include "web/web_steps.h"

#include <GL/gl.h>

#include <string>

#include "app/keyboard_commands.h"
#include "app/window_proc.h"
#include "session/scene_loading.h"
#include "show/framed_frame.h"
#include "state/app.h"
#include "web/page_calls.h"

namespace {

// The frame just drawn as a binary PPM, top row first, while the canvas still holds it.
std::vector<uint8_t> canvasPicture(int width, int height)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<uint8_t> ppm(header.begin(), header.end());
    ppm.reserve(header.size() + static_cast<size_t>(width) * height * 3);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            ppm.insert(ppm.end(), pixel, pixel + 3);
        }
    return ppm;
}

bool drawMoment(TestMoments& moments, App& app)
{
    double shown = 0.0;
    if (!drawTestMoment(moments, app, shown)) return false;
    const PictureFit& fit = app.picture;
    pagePicture(shown, canvasPicture(fit.framebufferWidth, fit.framebufferHeight));
    return true;
}

}  // namespace

bool WebSteps::loadScene(App& app) { return ::loadScene(app); }
// A page may not move the pointer; the page hides it over the canvas instead.
void WebSteps::setCursorPos(int, int) {}
bool WebSteps::openMusic(const char* fileName)
{
    bool opened = openSong(song, fileName);
    if (!opened) pageOfferSound(false);
    return opened;
}
// The browser starts sound only after a gesture: the page offers it, and the song loops there.
void WebSteps::startMusic(int) { pageOfferSound(true); }
bool WebSteps::openWindow(App& app, const WindowPlan& plan, bool fullscreen)
{
    return ::openWindow(app, shell, plan, fullscreen);
}
bool WebSteps::windowDeclined() { return shell.declined; }
bool WebSteps::peekMessage(WindowMessage& message) { return ::peekMessage(shell.windows, message); }
void WebSteps::dispatchMessage(App& app, const WindowMessage& message)
{
    onWindowMessage(app, shell.windows.queue, message);
}
bool WebSteps::drawFrame(App& app)
{
    bool drawn = moments ? drawMoment(*moments, app) : drawFramedFrame(app);
    if (drawn && ++framesDrawn == 1) pageFirstFrame();
    return true;
}
void WebSteps::swapBuffers() { ::swapBuffers(shell); }
bool WebSteps::handleKeys(App& app)
{
    // F1 switches the browser's fullscreen in the page's own key handler, as browsers allow that
    // only inside the key's event; the show goes on in the same canvas.
    return ::handleKeys(app, [](App&) { return true; });
}
void WebSteps::closeWindow() { ::closeWindow(shell); }
void WebSteps::stopMusic() { pageStopSound(); }
// A page gets no signals: closing the tab ends it all.
bool WebSteps::stopSignalled() { return false; }
