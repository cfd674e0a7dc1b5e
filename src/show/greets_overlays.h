#pragma once

#include <cstdint>

#include "show/screen_quad.h"

struct App;

// One frame's steps of each overlay (one, or as many as the timeline counted for a step rate) and
// the rectangle it then covers.
OverlayRect stepGreetsScroll(App& app);
OverlayRect stepGreetsPanel(App& app);

// A step and a drawing each; an overlay whose texture was refused (name 0) still steps but is
// not drawn.
void drawGreetsScroll(App& app);
void drawGreetsPanel(App& app);
