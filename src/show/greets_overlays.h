#pragma once

#include <cstdint>

#include "show/screen_quad.h"

struct App;

// One frame's step of each overlay and the rectangle it then covers; the overlays move by a
// fixed step per frame, not by the clock.
OverlayRect stepGreetsScroll(App& app);
OverlayRect stepGreetsPanel(App& app);

// A step and a drawing each; an overlay whose texture was refused (name 0) still steps but is
// not drawn.
void drawGreetsScroll(App& app);
void drawGreetsPanel(App& app);
