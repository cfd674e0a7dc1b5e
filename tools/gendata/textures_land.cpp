#include <algorithm>
#include <cmath>

#include "bitmap_font.h"
#include "noise.h"
#include "texture_tools.h"
#include "textures.h"

namespace {

// Letters that the glyph stones carry, one per block of the carving grid.
constexpr char kCarvedSigns[] = "ZEPHAL3D*+=&?OXIVTAMN";

}  // namespace

Image paintMeadow()
{
    constexpr int kSize = 256;
    const Colour kGreen{86, 128, 50}, kHay{156, 152, 74}, kDarkGreen{56, 92, 40};
    return paintImage(kSize, kSize, [&](int x, int y) {
        Colour c = mix(kGreen, kHay, ramp(fbmAt(x, y, kSize, 4, 3, 111), 0.45f, 3));
        c = mix(c, kDarkGreen, ramp(fbmAt(x, y, kSize, 8, 3, 112), 0.6f, 3));
        return shade(c, grain(x, y, kSize, 64, 113), 0.12f);
    });
}

// Riveted plates with a brushed grain.
Image paintSteel()
{
    constexpr int kSize = 128, kPlate = 64, kRivetInset = 8;
    const Colour kMetal{140, 145, 152}, kSeam{60, 62, 66}, kRivetLit{196, 200, 206}, kRivetShade{96, 98, 104};
    return paintImage(kSize, kSize, [&](int x, int y) {
        BlockCell cell = blockCell(x, y, kSize, kPlate, kPlate, 2, false);
        if (cell.joint) return kSeam;
        for (int rx : {kRivetInset, kPlate - kRivetInset})
            for (int ry : {kRivetInset, kPlate - kRivetInset}) {
                int dx = cell.localX - rx, dy = cell.localY - ry;
                if (dx * dx + dy * dy <= 9) return dy > 0 ? kRivetLit : kRivetShade;
            }
        Colour c = shade(kMetal, blockTint(cell, 122), 0.06f);
        return shade(c, speckle(0, y, 121) + grain(x, y, kSize, 8, 123) * 0.5f, 0.1f);
    });
}

// Cast concrete: the lines of its formwork and the holes of the form ties.
Image paintConcrete()
{
    constexpr int kSize = 128, kBoard = 32, kTieSpacing = 64;
    const Colour kGrey{166, 162, 152}, kTieHole{70, 68, 64};
    return paintImage(kSize, kSize, [&](int x, int y) {
        int tx = x % kTieSpacing - kTieSpacing / 2, ty = y % kBoard - kBoard / 2;
        if (tx * tx + ty * ty <= 4) return kTieHole;
        Colour c = shade(kGrey, grain(x, y, kSize, 16, 131), 0.12f);
        return y % kBoard == 0 ? scaled(c, 0.8f) : c;
    });
}

Image paintSand()
{
    constexpr int kSize = 256;
    const Colour kSand{210, 180, 122};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float drift = fbmAt(x, y, kSize, 4, 3, 141);
        float ripple = std::sin(kTau * (8.0f * y + 2.0f * x) / kSize + drift * 12.0f);
        return shade(kSand, ripple * 0.5f + speckle(x, y, 142) * 0.6f + (drift - 0.5f), 0.1f);
    });
}

// Ashlar with the stone's bedding layers running through it.
Image paintSandstone()
{
    Image blocks = paintMasonry({128, 64, 32, 2, true, {202, 162, 106}, {146, 116, 78}, 0.08f, 32, 0.06f, 0.0f, 1.0f, 151});
    for (int y = 0; y < blocks.height; ++y)
        for (int x = 0; x < blocks.width; ++x) {
            float layers = std::sin(kTau * y * 6.0f / blocks.height + grain(x, y, blocks.height, 8, 154) * 2.0f);
            setPixel(blocks, x, y, shade(pixelAt(blocks, x, y), layers, 0.06f));
        }
    return blocks;
}

// Stone with signs cut into it, four by four; each cut is dark with a lit lower edge.
Image paintGlyphs()
{
    constexpr int kSize = 128, kBlock = 32, kCell = 4;
    const Colour kStone{190, 160, 110}, kCut{104, 82, 54}, kLip{226, 200, 150};
    Image image = paintImage(kSize, kSize, [&](int x, int y) { return shade(kStone, grain(x, y, kSize, 16, 161), 0.1f); });
    Coverage cuts = makeCoverage(kSize, kSize);
    for (int by = 0; by < kSize / kBlock; ++by)
        for (int bx = 0; bx < kSize / kBlock; ++bx) {
            char sign[2] = {kCarvedSigns[hashPoint(bx, by, 162) % (sizeof(kCarvedSigns) - 1)], 0};
            stampText(cuts, bx * kBlock + 6, by * kBlock + 2, sign, kCell - 1, kCell);
        }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            int row = kSize - 1 - y;  // the coverage counts rows from the top
            if (cuts.at(x, row)) setPixel(image, x, y, kCut);
            else if (cuts.at(x, row - 1)) setPixel(image, x, y, kLip);
        }
    return image;
}

Image paintMossRock()
{
    constexpr int kSize = 128;
    const Colour kRock{118, 116, 110}, kMoss{70, 102, 48};
    return paintImage(kSize, kSize, [&](int x, int y) {
        Colour rock = shade(kRock, fbmAt(x, y, kSize, 8, 4, 171) - 0.5f, 0.6f);
        return mix(rock, kMoss, ramp(fbmAt(x, y, kSize, 4, 4, 172), 0.52f, 5));
    });
}

Image paintBasalt()
{
    return paintMasonry({128, 64, 32, 2, true, {64, 62, 68}, {34, 32, 36}, 0.15f, 32, 0.2f, 0.0f, 1.25f, 181});
}

Image paintGold()
{
    constexpr int kSize = 128, kPanel = 32;
    const Colour kGold{224, 180, 64}, kDeep{150, 104, 30};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float sheen = 0.5f + 0.5f * std::sin(kTau * (x + y) / kSize);
        Colour c = mix(kDeep, kGold, 0.4f + 0.6f * sheen);
        if (x % kPanel < 2 || y % kPanel < 2) return scaled(c, 0.7f);
        return shade(c, grain(x, y, kSize, 16, 191), 0.1f);
    });
}

// Weathered copper: green patina with darker streaks running down.
Image paintCopper()
{
    constexpr int kSize = 128;
    const Colour kPatina{98, 162, 140}, kStreak{58, 104, 92}, kBrown{120, 84, 56};
    return paintImage(kSize, kSize, [&](int x, int y) {
        float streak = tiledFbm(x * 16.0f / kSize, y * 2.0f / kSize, 2, 3, 201);
        Colour c = mix(kPatina, kStreak, ramp(streak, 0.5f, 3));
        return mix(c, kBrown, ramp(fbmAt(x, y, kSize, 8, 3, 202), 0.68f, 5));
    });
}
