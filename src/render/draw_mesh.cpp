#include "render/draw_mesh.h"

#include <GL/gl.h>

#include <cmath>

void drawMesh(const Mesh& mesh)
{
    glPushMatrix();
    glTranslatef(mesh.localFrame[3][0], mesh.localFrame[3][1], mesh.localFrame[3][2]);
    // Every corner below the count, as a loop over a float count would send.
    int count = mesh.cornerCount > 0.0f ? static_cast<int>(std::ceil(mesh.cornerCount)) : 0;
    if (count > 0 && mesh.corners) {
        const MeshCorner* corners = mesh.corners;
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(MeshCorner), &corners->position);
        glNormalPointer(GL_FLOAT, sizeof(MeshCorner), &corners->normal);
        glTexCoordPointer(2, GL_FLOAT, sizeof(MeshCorner), &corners->u);
        glDrawArrays(GL_TRIANGLES, 0, count);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        // The GL leaves the current normal and texture coordinate undefined after arrays; the next
        // frame's sparks are drawn with the last corner's, as glBegin/glEnd would leave them.
        const MeshCorner& last = corners[count - 1];
        glNormal3f(last.normal.x, last.normal.y, last.normal.z);
        glTexCoord2f(last.u, last.v);
    }
    glPopMatrix();
}
