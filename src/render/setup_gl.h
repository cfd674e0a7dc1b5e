#pragma once

struct App;

// Puts a fresh GL context into the demo's state and starts the demo clock.
// False when a scene texture could not be loaded.
bool setupGL(App& app);
void placeInitialCamera(App& app);
