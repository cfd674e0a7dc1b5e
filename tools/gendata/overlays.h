#pragma once

#include <span>

#include "image.h"

// The two greets overlays: a colour picture and a mask whose red channel is the alpha.
struct OverlayImages {
    Image colour;
    Image mask;
};

struct TextLine {
    const char* text;
    int scale;  // 1 for body text, 2 for titles
};

std::span<const TextLine> greetsScrollText();
std::span<const TextLine> greetsPanelText();

// The full-screen greetings scroll: lettering on a transparent background.
OverlayImages paintGreetsScroll();
// The end panel: credits in a gold frame on a dark, slightly translucent ground.
OverlayImages paintGreetsPanel();

// Whether every line fits the overlay's width and all lines its height.
bool greetsScrollFits();
bool greetsPanelFits();
