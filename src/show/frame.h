#pragma once

struct App;

// Draws one frame of the demo; always true (no frame ends the demo).
bool drawFrame(App& app);
// The scene as the camera sees it, then the overlays.
void drawScene(App& app);
