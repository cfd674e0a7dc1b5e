#include "scene/draw_mesh.h"

#include <GL/gl.h>

void drawMesh(const Mesh& mesh)
{
    glPushMatrix();
    glTranslatef(mesh.localFrame[3][0], mesh.localFrame[3][1], mesh.localFrame[3][2]);
    glBegin(GL_TRIANGLES);
    for (int k = 0; k < mesh.cornerCount; ++k) {
        const MeshCorner& c = mesh.corners[k];
        glNormal3f(c.normal.x, c.normal.y, c.normal.z);
        glTexCoord2f(c.u, c.v);
        glVertex3f(c.position.x, c.position.y, c.position.z);
    }
    glEnd();
    glPopMatrix();
}
