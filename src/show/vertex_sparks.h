#pragma once

struct App;

// The meshes that sparkle: exactly 960 corners (320 triangles), one spark a corner.
constexpr int kSparkMeshCorners = 960;

// Points in fresh random colours just off every corner of each 960-corner mesh; every mesh is
// visited as many times as the scene has meshes. Leaves the colour opaque white.
void drawVertexSparks(App& app, int offset);
