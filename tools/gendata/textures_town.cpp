#include <algorithm>
#include <cmath>
#include <numbers>

#include "noise.h"
#include "texture_tools.h"
#include "textures.h"

namespace {

// A glazed window filling the rectangle [x0, x1) x [y0, y1) of a facade tile.
Colour windowPixel(int x, int y, int x0, int y0, int x1, int y1, int frame)
{
    const Colour kFrame{236, 234, 226}, kGlassLow{34, 52, 82}, kGlassHigh{96, 126, 164};
    if (x < x0 + frame || x >= x1 - frame || y < y0 + frame || y >= y1 - frame) return kFrame;
    if (std::abs(x - (x0 + x1) / 2) < frame / 2 + 1) return kFrame;
    Colour glass = mix(kGlassLow, kGlassHigh, float(y - y0) / float(y1 - y0));
    bool glint = ((x - x0) + (y - y0)) % 40 < 6;  // a diagonal reflection across the pane
    return glint ? mix(glass, {200, 215, 230}, 0.5f) : glass;
}

}  // namespace

Image paintPaving()
{
    return paintMasonry({256, 64, 32, 3, true, {172, 162, 144}, {78, 74, 68}, 0.09f, 16, 0.14f, 0.2f, 0.88f, 1});
}

Image paintBrick()
{
    return paintMasonry({128, 32, 16, 2, true, {156, 78, 56}, {188, 182, 170}, 0.14f, 16, 0.18f, 0.08f, 1.0f, 21});
}

Image paintGrass()
{
    constexpr int kSize = 128;
    const Colour kDark{52, 96, 34}, kLight{104, 146, 56};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float patches = fbmAt(x, y, kSize, 4, 3, 11);
        return mix(kDark, kLight, std::clamp(patches * 0.8f + (speckle(x, y, 12) + 0.5f) * 0.35f, 0.0f, 1.0f));
    });
}

// Two floors of two windows each; the scene gives every floor 40 units.
Image paintFacade()
{
    constexpr int kSize = 256, kCell = 128;
    const Colour kWall{214, 198, 168}, kBand{168, 156, 134};
    return paintImage(kSize, kSize, [&](int x, int y) {
        int cx = x % kCell, cy = y % kCell;
        if (cy < 8) return shade(kBand, grain(x, y, kSize, 32, 31), 0.1f);
        if (cx >= 34 && cx < 94 && cy >= 18 && cy < 24) return kBand;
        if (cx >= 38 && cx < 90 && cy >= 24 && cy < 108) return windowPixel(cx, cy, 38, 24, 90, 108, 4);
        return shade(kWall, grain(x, y, kSize, 16, 32), 0.08f);
    });
}

// One floor with a shuttered window.
Image paintPlaster()
{
    constexpr int kSize = 128;
    const Colour kOchre{204, 154, 96}, kShutter{62, 112, 74}, kOpening{40, 34, 30};
    return paintImage(kSize, kSize, [&](int x, int y) {
        if (y >= 28 && y < 104) {
            if (x >= 48 && x < 80) return (y > 64 && (x - 48) % 16 < 2) ? kShutter : kOpening;
            if ((x >= 30 && x < 48) || (x >= 80 && x < 98)) return (y % 6 < 1) ? scaled(kShutter, 0.7f) : kShutter;
        }
        return shade(kOchre, grain(x, y, kSize, 4, 41), 0.12f);
    });
}

Image paintRoofTile()
{
    constexpr int kSize = 128, kTile = 16;
    const Colour kClay{172, 74, 48};
    return paintImage(kSize, kSize, [&](int x, int y) {
        BlockCell cell = blockCell(x, y, kSize, kTile, kTile, 0, true);
        // Each tile is rounded across and shadowed where the row above overlaps it.
        float across = std::sin(std::numbers::pi_v<float> * (cell.localX + 0.5f) / kTile);
        float overlap = cell.localY > kTile - 4 ? 0.6f : 1.0f;
        Colour c = shade(kClay, blockTint(cell, 51), 0.1f);
        return scaled(c, (0.65f + 0.35f * across) * overlap);
    });
}

Image paintMarble()
{
    constexpr int kSize = 256;
    const Colour kWhite{236, 233, 226}, kVein{146, 146, 158};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float turbulence = fbmAt(x, y, kSize, 8, 5, 61);
        float wave = std::sin(kTau * (2.0f * x + 1.0f * y) / kSize + turbulence * 9.0f);
        float vein = std::pow(1.0f - std::fabs(wave), 10.0f);
        return mix(shade(kWhite, turbulence - 0.5f, 0.06f), kVein, vein * 0.8f);
    });
}

Image paintBronze()
{
    constexpr int kSize = 128;
    const Colour kMetal{168, 120, 56}, kPatina{72, 146, 124};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float sheen = fbmAt(x, y, kSize, 4, 3, 71);
        float patina = smoothStep(0.55f, 0.7f, fbmAt(x, y, kSize, 8, 4, 72));
        return mix(shade(kMetal, sheen - 0.5f, 0.5f), kPatina, patina * 0.85f);
    });
}

Image paintGranite()
{
    constexpr int kSize = 128;
    const Colour kGrey{124, 122, 128};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float fleck = speckle(x, y, 81);
        Colour c = shade(kGrey, grain(x, y, kSize, 16, 82), 0.15f);
        if (fleck < -0.42f) return scaled(c, 0.55f);
        if (fleck > 0.45f) return scaled(c, 1.35f);
        return c;
    });
}

Image paintWater()
{
    constexpr int kSize = 128;
    const Colour kDeep{28, 68, 108}, kLight{126, 176, 206};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float caustic = std::pow(1.0f - std::fabs(std::sin(fbmAt(x, y, kSize, 4, 4, 91) * 18.0f)), 6.0f);
        return mix(kDeep, kLight, caustic * 0.7f);
    });
}

// Flat roofs: gravel with the lines of the roofing sheets.
Image paintSlate()
{
    constexpr int kSize = 128;
    const Colour kGravel{84, 88, 96};
    return paintImage(kSize, kSize, [&](int x, int y) {
        if (x % 64 < 2 || y % 64 < 2) return scaled(kGravel, 0.7f);
        return shade(kGravel, speckle(x / 2, y / 2, 101), 0.3f);
    });
}
