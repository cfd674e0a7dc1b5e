#pragma once

#include "mesh_builder.h"

// The open land south and east of the town: the meadows of the crossing and the sunken
// valley. Both are height fields on one grid, so that they meet without a seam.

constexpr float kValleyFloor = -120;
constexpr float kLandSeamX = 3250;  // where the meadows end and the valley's ground begins
constexpr float kLandSouthY = -3550, kLandNorthY = 250, kLandEastX = 5450;
constexpr float kTownEastX = 1150, kTownSouthY = -1350;  // the edges of the town's lawns

// Hills up to 140 units high that flatten out towards the town and rise into the valley's rim.
float meadowHeight(float x, float y);
// The valley's flat floor and the steep rims around it.
float valleyHeight(float x, float y);
// A piece of land on the shared grid; its edges must lie on the grid's lines.
void addLand(MeshData& mesh, float x0, float y0, float x1, float y1, float (*height)(float, float), float scale);
