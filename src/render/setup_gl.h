#pragma once

struct App;

// Puts a fresh GL context into the demo's state: scene textures, fixed state, first view, the
// overlays. False when a scene texture could not be loaded.
bool setupGL(App& app);
void placeInitialCamera(App& app);
