#pragma once

#include "scene/scene.h"

// Sends one mesh as GL triangles from vertex arrays, translated back to its origin.
void drawMesh(const Mesh& mesh);
