#pragma once

#include <cstdint>

struct App;
struct Mesh;

// The fog density of every frame whose segment does not set its own.
constexpr float kSceneFogDensity = 0.003f;

// Draws one frame of the demo; always true (no frame ends the demo).
bool drawFrame(App& app);
// With the camera's view loaded: light markers, sparks, meshes, then the overlays.
void drawScene(App& app);
// The texture of the mesh's first face material, or 0 when it has none.
uint32_t meshTexture(const App& app, const Mesh& mesh);
