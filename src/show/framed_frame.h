#pragma once

struct App;
struct OffscreenTarget;

// Draws one frame of the demo into the picture rectangle of the last resize, with black bars
// around it when the rectangle does not fill the framebuffer; always true, as drawFrame.
bool drawFramedFrame(App& app);
// The same frame drawn into the off-screen target at its own size, then scaled into the picture
// rectangle of the last resize, with the bars around it; drawn directly where the rectangle is
// the target's size.
bool drawScaledFrame(App& app, OffscreenTarget& target);
