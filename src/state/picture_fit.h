#pragma once

// Where the show's picture goes in a framebuffer of some pixel size, and what size its layout
// (the projection's aspect, the overlays' limits and centre) sees.
struct PictureFit {
    int framebufferWidth, framebufferHeight;
    int x, y, width, height;  // the viewport, in framebuffer pixels from the lower left
    int layoutWidth, layoutHeight;

    bool operator==(const PictureFit&) const = default;
};

// The show's own shape and layout size: its 800 × 600 picture.
constexpr int kShowLayoutWidth = 800;
constexpr int kShowLayoutHeight = 600;

// keepShowShape false: the whole framebuffer, laid out at its own size (a height of 0 counts
// as 1). true: the largest centred rectangle of the show's shape, laid out as 800 × 600.
PictureFit fitPicture(int framebufferWidth, int framebufferHeight, bool keepShowShape);
// Fullscreen that switched the display to a mode of modeWidth × modeHeight: the whole framebuffer,
// laid out at its own size, when it came out that size; otherwise (an emulated mode that a
// compositor scales, a mode change that failed quietly) the show's shape as desktop fullscreen
// keeps it. A mode of 0 × 0 asks nothing: the whole framebuffer.
PictureFit fitModePicture(int modeWidth, int modeHeight, int framebufferWidth, int framebufferHeight);
// The fit leaves bars around the picture that the frame does not cover.
bool hasBars(const PictureFit& fit);
