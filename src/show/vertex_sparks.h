#pragma once

struct App;

// Points in fresh random colours just off every corner of each 960-corner mesh; every mesh is
// visited as many times as the scene has meshes. Leaves the colour opaque white.
void drawVertexSparks(App& app, int offset);
