#include "platform/video_mode.h"

#include <GLFW/glfw3.h>

const GLFWvidmode* findVideoMode(const GLFWvidmode* modes, int count, int width, int height)
{
    const GLFWvidmode* best = nullptr;
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode& m = modes[i];
        if (m.width != width || m.height != height) continue;
        if (!best || m.refreshRate > best->refreshRate) best = &m;
    }
    return best;
}
