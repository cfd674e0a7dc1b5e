#include "show/framed_frame.h"

#include <GL/gl.h>

#include "render/black_bars.h"
#include "render/offscreen_target.h"
#include "show/frame.h"
#include "state/app.h"

bool drawFramedFrame(App& app)
{
    const PictureFit& fit = app.picture;
    if (!hasBars(fit)) return drawFrame(app);
    clearToBlack();
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
