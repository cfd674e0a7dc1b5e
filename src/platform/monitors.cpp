#include "platform/monitors.h"

#include <GLFW/glfw3.h>

GLFWmonitor* monitorAt(int index)
{
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    if (!monitors || index < 0 || index >= count) return nullptr;
    return monitors[index];
}

std::string monitorListText()
{
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::string text;
    for (int i = 0; monitors && i < count; ++i) {
        const char* name = glfwGetMonitorName(monitors[i]);
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        text += std::to_string(i) + ": " + (name ? name : "(no name)");
        if (mode) text += " " + std::to_string(mode->width) + "x" + std::to_string(mode->height);
        text += "\n";
    }
    if (text.empty()) text = "(no monitor)\n";
    return text;
}
