#pragma once

#include <cstdint>

#include "scene/scene.h"
#include "state/demo_clock.h"
#include "state/picture_fit.h"
#include "state/show_state.h"

// The one application object: zero at load, lives for the whole run.
struct App {
    bool keyDown[256];  // by virtual-key code
    bool windowActive;  // false while minimised: no frames drawn
    bool fullscreenMode;
    uint32_t* textureNames;  // GL texture name per material number
    int32_t quitRequested;
    int32_t viewWidth;
    int32_t viewHeight;
    DemoClock clock;
    bool lightsKeyLatch;
    int32_t lightsOn;
    Scene scene;
    // The greets overlays' own texture names (0: that overlay is not drawn).
    uint32_t greetsScrollTexture;
    uint32_t greetsPanelTexture;
    // Materials the overlays appended behind the scene's own; the next GL set-up drops them.
    int32_t overlayMaterialCount;
    // Where R appends the camera; null: "traj.txt" in the working directory.
    const char* trajectoryPath;
    ShowState show;
    // Fullscreen keeps the monitor's own mode and shows the 800 × 600 layout in a 4:3 rectangle.
    bool desktopMode;
    // The display mode the design's fullscreen switched to; 0 × 0 when the window asked for none.
    int32_t modeWidth, modeHeight;
    // The effects that step once a frame step once per 1/stepRateHz s of demo time; 0: once a frame.
    int32_t stepRateHz;
    // Where the last resize put the picture in the framebuffer.
    PictureFit picture;
};

// The one global the program has: everything the main thread works on hangs off it.
extern App gApp;
