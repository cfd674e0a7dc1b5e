#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "common/bmp_writer.h"

Colour mix(const Colour& a, const Colour& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(const Colour& c, float k) { return {c.r * k, c.g * k, c.b * k}; }

Image makeImage(int width, int height, const Colour& fill)
{
    Image image{width, height, PixelBuffer(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(width) * height, 3)))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) setPixel(image, x, y, fill);
    return image;
}

static uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f))); }

void setPixel(Image& image, int x, int y, const Colour& c)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
    p[0] = toByte(c.r);
    p[1] = toByte(c.g);
    p[2] = toByte(c.b);
}

Colour pixelAt(const Image& image, int x, int y)
{
    const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
    return {float(p[0]), float(p[1]), float(p[2])};
}

bool saveImage(const char* path, const Image& image)
{
    const uint8_t* first = image.pixels.get();
    return writeBmp24(path, image.width, image.height, std::vector<uint8_t>(first, first + imageBytes(image)));
}
