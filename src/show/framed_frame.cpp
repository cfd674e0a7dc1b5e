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

bool drawScaledFrame(App& app, OffscreenTarget& target)
{
    if (!drawsIntoTarget(target, app.picture)) return drawFramedFrame(app);
    drawIntoTarget(target);
    bool drawn = drawFrame(app);
    showTarget(target, app.picture);
    return drawn;
}
