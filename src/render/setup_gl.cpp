#include "render/setup_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/app.h"
#include "app/demo_clock.h"

void placeInitialCamera(App& app)
{
    const SceneCamera* cam = app.scene.selectedCamera;
    glLoadIdentity();
    gluLookAt(cam->eye.x, cam->eye.y, cam->eye.z, cam->target.x, cam->target.y, cam->target.z, 0.0, 0.0, 1.0);
}

bool setupGL(App& app)
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 1.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    placeInitialCamera(app);
    startClock(app);
    return true;
}
