#include "session/resize_view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "state/app.h"

namespace {

constexpr double kNearPlane = 10.0;
constexpr double kFarPlane = 10000.0;
// Only for a scene without a camera, which start-up refuses before any window exists.
constexpr float kFallbackLens = 45.0f;

// A window fills its framebuffer; desktop fullscreen, and a mode that did not give its size, keep
// the show's shape.
PictureFit fitFor(const App& app, int width, int height)
{
    if (!app.fullscreenMode) return fitPicture(width, height, false);
    if (app.desktopMode) return fitPicture(width, height, true);
    return fitModePicture(app.modeWidth, app.modeHeight, width, height);
}

}  // namespace

ViewSetup viewSetupFor(int width, int height, float lens)
{
    if (height == 0) height = 1;
    return {width, height, lens, static_cast<double>(width) / static_cast<double>(height), kNearPlane, kFarPlane};
}

void resizeView(App& app, int width, int height)
{
    PictureFit fit = fitFor(app, width, height);
    app.picture = fit;
    const SceneCamera* camera = app.scene.selectedCamera;
    ViewSetup view = viewSetupFor(fit.layoutWidth, fit.layoutHeight, camera ? camera->lens : kFallbackLens);
    app.viewWidth = view.width;
    app.viewHeight = view.height;
    app.show.greetsScrollY = 0;
    app.show.panel.panelCentreX = view.width / 2;
    glViewport(fit.x, fit.y, fit.width, fit.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(view.fovyDegrees, view.aspect, view.zNear, view.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
