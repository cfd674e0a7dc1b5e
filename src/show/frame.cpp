#include "show/frame.h"

#include <GL/gl.h>

#include <GL/glu.h>

#include "render/draw_mesh.h"
#include "show/camera_timeline.h"
#include "show/greets_overlays.h"
#include "show/light_markers.h"
#include "show/vertex_sparks.h"
#include "state/app.h"

namespace {

const GLfloat kFogColour[4] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat kFogStart = 1.0f;  // start and end act only in linear mode, not in GL_EXP
constexpr GLfloat kFogEnd = 1000.0f;
constexpr int kSparkOffset = 1;
const GLfloat kBlackFog[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// This frame's fog change and the camera's view, as the timeline decided them.
void applyTimelineFrame(const TimelineFrame& frame)
{
    if (frame.setsFogDensity) glFogf(GL_FOG_DENSITY, frame.fogDensity);
    if (frame.blackFog) glFogfv(GL_FOG_COLOR, kBlackFog);
    glLoadIdentity();
    // With the eye on the target (the gaps between segments) GLU builds a view that sends every
    // vertex to w = 0, so the GL clips the whole scene away and the frame stays white.
    gluLookAt(frame.lookFrom.x, frame.lookFrom.y, frame.lookFrom.z, frame.lookAt.x, frame.lookAt.y,
              frame.lookAt.z, 0.0, 0.0, 1.0);
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
    glFogf(GL_FOG_DENSITY, kSceneFogDensity);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, kFogStart);
    glFogf(GL_FOG_END, kFogEnd);
    glEnable(GL_FOG);
    applyTimelineFrame(playCameraTimeline(app));
    drawScene(app);
    return true;
}

uint32_t meshTexture(const App& app, const Mesh& mesh)
{
    if (!app.textureNames || mesh.faceCount < 1 || !mesh.faceMaterials) return 0;
    int32_t material = mesh.faceMaterials[0];
    // The overlays' materials come after the scene's and have no entry in the table.
    float sceneMaterials = app.scene.materialCount - static_cast<float>(app.overlayMaterialCount);
    if (material < 0 || material >= sceneMaterials) return 0;
    return app.textureNames[material];
}

void drawScene(App& app)
{
    drawLightMarkers(app);
    drawVertexSparks(app, kSparkOffset);
    const Mesh* mesh = app.scene.meshes;
    for (int i = 0; i < app.scene.meshCount && mesh; ++i, mesh = mesh->next) {
        glBindTexture(GL_TEXTURE_2D, meshTexture(app, *mesh));
        drawMesh(*mesh);
    }
    if (app.show.greetsScrollOn) drawGreetsScroll(app);
    if (app.show.greetsPanelOn) drawGreetsPanel(app);
}
