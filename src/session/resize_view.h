#pragma once

struct App;

// The viewport and perspective for a client size: what resizeView hands to GL.
struct ViewSetup {
    int width;
    int height;  // never 0
    double fovyDegrees;
    double aspect;
    double zNear;
    double zFar;
};

ViewSetup viewSetupFor(int width, int height, float lens);
// Follows a new framebuffer size in pixels: viewport, projection from the selected camera's lens,
// overlay positions, and an identity model-view.
void resizeView(App& app, int width, int height);
