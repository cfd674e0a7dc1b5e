#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Pixel memory comes from malloc/calloc, so a large zeroed buffer costs nothing until written.
struct FreePixels {
    void operator()(uint8_t* pixels) const { std::free(pixels); }
};
using PixelBuffer = std::unique_ptr<uint8_t[], FreePixels>;

// A picture as GL's texture upload takes it: RGB bytes, no row padding, bottom row first.
struct Image {
    int32_t width = 0;
    int32_t height = 0;
    PixelBuffer pixels;  // width × height × 3
};

inline size_t imageBytes(const Image& image)
{
    return static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3;
}
