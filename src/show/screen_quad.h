#pragma once

#include <cstdint>

// The overlays' space: 800 × 600 units over the whole picture, whatever the window's size.
constexpr int32_t kOverlayWidth = 800;
constexpr int32_t kOverlayHeight = 600;

// A rectangle in overlay space, lower-left corner at (x, y).
struct OverlayRect {
    uint32_t width;
    uint32_t height;
    int32_t x;  // signed: an overlay may start left of the picture
    int32_t y;
};

// The whole texture stretched over the rectangle, alpha-blended above the 3D picture, which
// cannot hide it. Leaves blending on.
void drawScreenQuad(const OverlayRect& rect, uint32_t texture);
