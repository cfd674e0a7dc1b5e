#pragma once

struct App;

// Draws one frame of the demo into the picture rectangle of the last resize, with black bars
// around it when the rectangle does not fill the framebuffer; always true, as drawFrame.
bool drawFramedFrame(App& app);
