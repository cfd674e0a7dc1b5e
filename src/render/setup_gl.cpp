#include "render/setup_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "state/app.h"
#include "render/texture_loading.h"

void placeInitialCamera(App& app)
{
    const SceneCamera* cam = app.scene.selectedCamera;
    glLoadIdentity();
    if (!cam) return;  // a scene without cameras is seen from the origin's identity view
    gluLookAt(cam->eye.x, cam->eye.y, cam->eye.z, cam->target.x, cam->target.y, cam->target.z, 0.0, 0.0, 1.0);
}

bool setupGL(App& app)
{
    // After a display-mode toggle the scene still holds the overlays' materials of the last set-up.
    dropOverlayMaterials(app);
    app.greetsScrollTexture = 0;
    app.greetsPanelTexture = 0;
    if (!loadSceneTextures(app)) return false;
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 1.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    placeInitialCamera(app);
    app.greetsScrollTexture = addOverlayTexture(app, "greets.bmp", "greetsalpha.bmp");
    app.greetsPanelTexture = addOverlayTexture(app, "greets2.bmp", "greets2alpha.bmp");
    return true;
}
