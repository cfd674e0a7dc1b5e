#include "show/screen_quad.h"

#include <GL/gl.h>

namespace {

// Corners in drawing order: texture coordinate and place in the rectangle, both 0 or 1.
constexpr float kCorners[4][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};

}  // namespace

void drawScreenQuad(const OverlayRect& rect, uint32_t texture)
{
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kOverlayWidth, 0.0, kOverlayHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, texture);

    float left = static_cast<float>(rect.x);
    float bottom = static_cast<float>(rect.y);
    // Summed in float so that a rectangle near the integer limits cannot overflow.
    float width = static_cast<float>(rect.width);
    float height = static_cast<float>(rect.height);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (const auto& c : kCorners) {
        glTexCoord2f(c[0], c[1]);
        glVertex2f(left + c[0] * width, bottom + c[1] * height);
    }
    glEnd();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}
