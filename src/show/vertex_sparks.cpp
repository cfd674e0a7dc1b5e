#include "show/vertex_sparks.h"

#include <GL/gl.h>

#include "state/app.h"
#include "show/demo_random.h"

namespace {

constexpr float kSparkMeshCorners = 960.0f;  // a mesh of 320 triangles
constexpr float kSparkSize = 10.0f;
constexpr float kSparkAlpha = 0.5f;
constexpr float kColourScale = 32767.0f;

float randomChannel(RandomState& random)
{
    return static_cast<float>(demoRand(random)) / kColourScale;
}

void sparkPass(const Mesh& mesh, float offset, RandomState& random)
{
    glPushMatrix();
    glTranslatef(mesh.localFrame[3][0], mesh.localFrame[3][1], mesh.localFrame[3][2]);
    if (mesh.cornerCount == kSparkMeshCorners && mesh.corners) {
        glPointSize(kSparkSize);
        glBegin(GL_POINTS);
        for (int k = 0; k < mesh.cornerCount; ++k) {
            // Drawn blue first, then green, then red.
            float blue = randomChannel(random);
            float green = randomChannel(random);
            float red = randomChannel(random);
            glColor4f(red, green, blue, kSparkAlpha);
            const MeshCorner& c = mesh.corners[k];
            glVertex3f(c.position.x + c.normal.x + offset, c.position.y + c.normal.y + offset,
                       c.position.z + c.normal.z + offset);
        }
        glEnd();
    }
    glPopMatrix();
}

}  // namespace

void drawVertexSparks(App& app, int offset)
{
    const Scene& scene = app.scene;
    const Mesh* mesh = scene.meshes;
    for (int i = 0; i < scene.meshCount && mesh; ++i, mesh = mesh->next) {
        for (int pass = 0; pass < scene.meshCount; ++pass) sparkPass(*mesh, static_cast<float>(offset), app.show.random);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
