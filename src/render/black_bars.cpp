#include "render/black_bars.h"

#include <GL/gl.h>

void clearToBlack()
{
    // Read back rather than pushed: the page's GL has no attribute stack.
    GLfloat frameColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, frameColour);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(frameColour[0], frameColour[1], frameColour[2], frameColour[3]);
}
