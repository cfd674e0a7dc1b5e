#include "show/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/app.h"
#include "scene/draw_mesh.h"

namespace {

const GLfloat kFogColour[4] = {0.5f, 0.5f, 0.5f, 1.0f};

void lookFromSelectedCamera(App& app)
{
    const SceneCamera* cam = app.scene.selectedCamera;
    glLoadIdentity();
    gluLookAt(cam->eye.x, cam->eye.y, cam->eye.z, cam->target.x, cam->target.y, cam->target.z, 0.0, 0.0, 1.0);
}

}  // namespace

bool drawFrame(App& app)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Set after the clear: the first frame still shows the set-up's blue.
    glClearColor(1.0f, 1.0f, 1.0f, 0.5f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, kFogColour);
    glFogf(GL_FOG_DENSITY, 0.003f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, 1.0f);
    glFogf(GL_FOG_END, 1000.0f);
    glEnable(GL_FOG);
    lookFromSelectedCamera(app);
    drawScene(app);
    return true;
}

void drawScene(App& app)
{
    const Mesh* mesh = app.scene.meshes;
    for (int i = 0; i < app.scene.meshCount && mesh; ++i, mesh = mesh->next) drawMesh(*mesh);
}
