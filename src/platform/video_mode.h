#pragma once

struct GLFWvidmode;

// The mode of exactly this size with the highest refresh rate, or nullptr: fullscreen
// must switch the display to the requested size, not to the nearest one.
const GLFWvidmode* findVideoMode(const GLFWvidmode* modes, int count, int width, int height);
