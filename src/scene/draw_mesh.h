#pragma once

#include "scene/scene.h"

// Sends one mesh as GL triangles in immediate mode, translated back to its origin.
void drawMesh(const Mesh& mesh);
