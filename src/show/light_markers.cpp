#include "show/light_markers.h"

#include <GL/gl.h>

#include "state/app.h"

namespace {

constexpr Vec3 kLightEndOffset = {20.0f, 20.0f, 20.0f};
constexpr Vec3 kTargetEndOffset = {2.0f, 5.0f, 2.0f};
constexpr float kMarkerColour[3] = {0.0f, 1.0f, 1.0f};

void markerCorner(const Vec3& at, const Vec3& offset)
{
    glColor3fv(kMarkerColour);
    glVertex3f(at.x + offset.x, at.y + offset.y, at.z + offset.z);
}

}  // namespace

void drawLightMarkers(App& app)
{
    constexpr Vec3 none = {0.0f, 0.0f, 0.0f};
    const SceneLight* light = app.scene.lights;
    for (int i = 0; i < app.scene.lightCount && light; ++i, light = light->next) {
        // Only a spotlight has a target; a marker from any other light to itself would have
        // no area, so it gets none.
        if (light->kind != kSpotLight) continue;
        glBegin(GL_QUADS);
        markerCorner(light->position, none);
        markerCorner(light->position, kLightEndOffset);
        markerCorner(light->spotTarget, none);
        markerCorner(light->spotTarget, kTargetEndOffset);
        glEnd();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}
