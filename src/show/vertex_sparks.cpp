#include "show/vertex_sparks.h"

#include <GL/gl.h>

#include "show/demo_random.h"
#include "state/app.h"

namespace {

constexpr int kRandomsPerSpark = 3;
constexpr float kSparkSize = 10.0f;
constexpr float kSparkAlpha = 0.5f;
constexpr float kColourScale = 32767.0f;

// One pass over a spark mesh as vertex arrays: 27 KB, on the stack of the frame.
struct SparkPass {
    GLfloat colours[kSparkMeshCorners][4];
    GLfloat positions[kSparkMeshCorners][3];
};

float randomChannel(RandomState& random)
{
    return static_cast<float>(demoRand(random)) / kColourScale;
}

// With blending, logic ops and the stencil test off, and a depth test that lets equal depths
// through, a pass writes every pixel of its points afresh: only a mesh's last pass can show.
bool laterPassesOverwrite()
{
    if (glIsEnabled(GL_BLEND) || glIsEnabled(GL_COLOR_LOGIC_OP) || glIsEnabled(GL_STENCIL_TEST)) return false;
    if (!glIsEnabled(GL_DEPTH_TEST)) return true;
    GLint func = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    return func == GL_LEQUAL || func == GL_ALWAYS;
}

void placeSparks(const Mesh& mesh, float offset, SparkPass& pass)
{
    for (int k = 0; k < kSparkMeshCorners; ++k) {
        const MeshCorner& c = mesh.corners[k];
        pass.positions[k][0] = c.position.x + c.normal.x + offset;
        pass.positions[k][1] = c.position.y + c.normal.y + offset;
        pass.positions[k][2] = c.position.z + c.normal.z + offset;
    }
}

void colourSparks(SparkPass& pass, RandomState& random)
{
    for (auto& colour : pass.colours) {
        // Drawn blue first, then green, then red.
        float blue = randomChannel(random);
        float green = randomChannel(random);
        float red = randomChannel(random);
        colour[0] = red;
        colour[1] = green;
        colour[2] = blue;
        colour[3] = kSparkAlpha;
    }
}

// A pass that would not show still draws its colours, so the shake of later frames stays the same.
void skipColours(RandomState& random)
{
    for (int i = 0; i < kSparkMeshCorners * kRandomsPerSpark; ++i) demoRand(random);
}

void sendSparks(const Mesh& mesh, const SparkPass& pass)
{
    glPushMatrix();
    glTranslatef(mesh.localFrame[3][0], mesh.localFrame[3][1], mesh.localFrame[3][2]);
    glPointSize(kSparkSize);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, pass.positions);
    glColorPointer(4, GL_FLOAT, 0, pass.colours);
    glDrawArrays(GL_POINTS, 0, kSparkMeshCorners);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}

}  // namespace

void drawVertexSparks(App& app, int offset)
{
    const Scene& scene = app.scene;
    bool onlyLastShows = laterPassesOverwrite();
    SparkPass pass;
    const Mesh* mesh = scene.meshes;
    for (int i = 0; i < scene.meshCount && mesh; ++i, mesh = mesh->next) {
        if (mesh->cornerCount != kSparkMeshCorners || !mesh->corners) continue;
        placeSparks(*mesh, static_cast<float>(offset), pass);
        for (int p = 0; p < scene.meshCount; ++p) {
            if (onlyLastShows && p < scene.meshCount - 1) {
                skipColours(app.show.random);
                continue;
            }
            colourSparks(pass, app.show.random);
            sendSparks(*mesh, pass);
        }
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
