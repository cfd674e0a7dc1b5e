#pragma once

#include "scene/scene.h"

// Reads a .3DS file into a cleared scene: -1 when the file cannot be opened, else 1.
int load3ds(Scene& scene, const char* fileName);
