#pragma once

#include <string>

struct GLFWmonitor;

// The monitors as the window system lists them, the primary first (GLFW's order); the window
// system must be started.

// The monitor at this place in the list, or nullptr when there is none there.
GLFWmonitor* monitorAt(int index);
// One line per monitor: its number, name and current size, e.g. "0: screen 1024x768".
std::string monitorListText();
