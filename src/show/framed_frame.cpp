#include "show/framed_frame.h"

#include <GL/gl.h>

#include "render/offscreen_target.h"
#include "show/frame.h"
#include "state/app.h"

namespace {

// The bars are black whatever the frame's own clear colour, which the frame keeps for itself.
void clearBars()
{
    GLfloat frameColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, frameColour);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(frameColour[0], frameColour[1], frameColour[2], frameColour[3]);
}

// Only the bars, for a frame whose picture covers the rest: a software GL spends a full clear's
// time on every pixel.
void clearBarsAround(const PictureFit& fit)
{
    int right = fit.x + fit.width, top = fit.y + fit.height;
    const int bars[4][4] = {{0, 0, fit.x, fit.framebufferHeight},
                            {right, 0, fit.framebufferWidth - right, fit.framebufferHeight},
                            {fit.x, 0, fit.width, fit.y},
                            {fit.x, top, fit.width, fit.framebufferHeight - top}};
    glEnable(GL_SCISSOR_TEST);
    for (const auto& bar : bars) {
        if (bar[2] <= 0 || bar[3] <= 0) continue;
        glScissor(bar[0], bar[1], bar[2], bar[3]);
        clearBars();
    }
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

bool drawFramedFrame(App& app)
{
    const PictureFit& fit = app.picture;
    if (!hasBars(fit)) return drawFrame(app);
    clearBars();
    // The frame's own clear would otherwise paint the bars too.
    glEnable(GL_SCISSOR_TEST);
    glScissor(fit.x, fit.y, fit.width, fit.height);
    bool drawn = drawFrame(app);
    glDisable(GL_SCISSOR_TEST);
    return drawn;
}

bool drawScaledFrame(App& app, const OffscreenTarget& target)
{
    drawIntoTarget(target);
    bool drawn = drawFrame(app);
    showTarget(target, app.picture);
    clearBarsAround(app.picture);
    return drawn;
}
