#pragma once

// The virtual-key code for a GLFW key, 0 for a key that has none. layoutName is what the
// keyboard layout prints on the key (glfwGetKeyName) or nullptr: letters follow the layout,
// as Windows' codes do, while the digit row and every other key keep their place.
int virtualKeyFor(int glfwKey, const char* layoutName);
