#pragma once

#include <cstdint>
#include <vector>

// Colours are painted as floats in 0..255 and rounded once, when the pixel is stored.
struct Colour {
    float r, g, b;
};

Colour mix(const Colour& a, const Colour& b, float t);
Colour scaled(const Colour& c, float k);

// A 24-bit picture, bottom row first as the BMP file and the GL upload keep it.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

Image makeImage(int width, int height, const Colour& fill);
void setPixel(Image& image, int x, int y, const Colour& c);
Colour pixelAt(const Image& image, int x, int y);
// Fills every pixel from paint(x, y), x and y counted from the bottom left.
template <typename Paint>
Image paintImage(int width, int height, Paint paint)
{
    Image image = makeImage(width, height, {0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) setPixel(image, x, y, paint(x, y));
    return image;
}
bool saveImage(const char* path, const Image& image);
