#include "overlays.h"

#include <algorithm>
#include <iterator>

#include "bitmap_font.h"

namespace {

constexpr int kOverlaySize = 512;
constexpr int kLineRows = kGlyphHeight + 2;  // font rows per line of text, spacing included

// The scroll is stretched to 800 x 600 on screen: 3 x 4 pixels per font pixel look square there.
constexpr int kScrollCellW = 3, kScrollCellH = 4;
// The panel ends at 650 x 600 on screen, close enough to square for 3 x 3.
constexpr int kPanelCellW = 3, kPanelCellH = 3;
constexpr int kPanelMargin = 8, kPanelFrame = 6, kPanelRule = 20, kPanelRuleWidth = 2;

constexpr TextLine kScrollLines[] = {
    {"ZEPHAL 3D", 2},
    {"", 1},
    {"GREETINGS FLY OUT TO", 1},
    {"", 1},
    {"THE FOG MACHINE", 1},
    {"PIXEL FOUNDRY", 1},
    {"SQUARE WAVE SOCIETY", 1},
    {"POLYGON POSSE", 1},
    {"RASTER BLASTERS", 1},
    {"COPPER & CHROME", 1},
    {"", 1},
    {"AND TO ALL WHO STILL CODE", 1},
    {"FOR THE FUN OF IT!", 1},
};

constexpr TextLine kPanelLines[] = {
    {"ZEPHAL 3D", 2},
    {"A REAL-TIME JOURNEY", 1},
    {"", 1},
    {"CODE ..... ZEPHAL CREW", 1},
    {"SCENE .... GENERATED", 1},
    {"MUSIC .... SYNTHESISED", 1},
    {"DECODER .. HOME MADE", 1},
    {"", 1},
    {"THANK YOU FOR WATCHING", 1},
    {"", 1},
    {"PRESS ESC TO LEAVE", 1},
};

int blockHeight(std::span<const TextLine> lines, int cellH)
{
    int rows = 0;
    for (const TextLine& line : lines) rows += kLineRows * line.scale;
    return rows * cellH;
}

bool fits(std::span<const TextLine> lines, int cellW, int cellH, int room)
{
    for (const TextLine& line : lines)
        if (!fontCovers(line.text) || textWidth(line.text, cellW * line.scale) > room) return false;
    return blockHeight(lines, cellH) <= room;
}

// Every line centred across, the whole block centred down the picture.
Coverage layOut(std::span<const TextLine> lines, int cellW, int cellH)
{
    Coverage text = makeCoverage(kOverlaySize, kOverlaySize);
    int y = (kOverlaySize - blockHeight(lines, cellH)) / 2;
    for (const TextLine& line : lines) {
        int w = textWidth(line.text, cellW * line.scale);
        stampText(text, (kOverlaySize - w) / 2, y, line.text, cellW * line.scale, cellH * line.scale);
        y += kLineRows * cellH * line.scale;
    }
    return text;
}

bool nearText(const Coverage& text, int x, int row, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (text.at(x + dx, row + dy)) return true;
    return false;
}

// Colour and alpha of one scroll pixel: lettering from gold at the top to orange below,
// with a dark outline that keeps it readable over a white flash.
void scrollPixel(const Coverage& text, int x, int row, Colour& colour, float& alpha)
{
    const Colour kTop{255, 232, 120}, kBottom{255, 138, 40}, kOutline{16, 10, 4};
    colour = kOutline;
    alpha = 0;
    if (text.at(x, row)) {
        colour = mix(kTop, kBottom, float(row) / kOverlaySize);
        alpha = 255;
    } else if (nearText(text, x, row, 2)) {
        alpha = 170;
    }
}

int insetOf(int x, int row) { return std::min(std::min(x, kOverlaySize - 1 - x), std::min(row, kOverlaySize - 1 - row)); }

void panelPixel(const Coverage& text, int x, int row, Colour& colour, float& alpha)
{
    const Colour kGround{18, 28, 58}, kGold{222, 182, 84}, kLetter{250, 236, 190}, kShadow{0, 0, 0};
    int inset = insetOf(x, row);
    colour = kGround;
    alpha = 0;
    if (inset < kPanelMargin) return;
    alpha = 200;
    bool frame = inset < kPanelMargin + kPanelFrame || (inset >= kPanelRule && inset < kPanelRule + kPanelRuleWidth);
    if (frame || text.at(x, row)) {
        colour = frame ? kGold : kLetter;
        alpha = 255;
    } else if (text.at(x - 2, row - 2)) {
        colour = kShadow;
        alpha = 230;
    }
}

template <typename PixelRule>
OverlayImages paintOverlay(const Coverage& text, PixelRule rule)
{
    OverlayImages out{makeImage(kOverlaySize, kOverlaySize, {0, 0, 0}), makeImage(kOverlaySize, kOverlaySize, {0, 0, 0})};
    for (int row = 0; row < kOverlaySize; ++row)
        for (int x = 0; x < kOverlaySize; ++x) {
            Colour colour;
            float alpha;
            rule(text, x, row, colour, alpha);
            int y = kOverlaySize - 1 - row;  // images keep the bottom row first
            setPixel(out.colour, x, y, colour);
            setPixel(out.mask, x, y, {alpha, alpha, alpha});
        }
    return out;
}

}  // namespace

std::span<const TextLine> greetsScrollText() { return kScrollLines; }

std::span<const TextLine> greetsPanelText() { return kPanelLines; }

bool greetsScrollFits() { return fits(kScrollLines, kScrollCellW, kScrollCellH, kOverlaySize); }

bool greetsPanelFits()
{
    return fits(kPanelLines, kPanelCellW, kPanelCellH, kOverlaySize - 2 * (kPanelRule + kPanelRuleWidth));
}

OverlayImages paintGreetsScroll()
{
    return paintOverlay(layOut(kScrollLines, kScrollCellW, kScrollCellH), scrollPixel);
}

OverlayImages paintGreetsPanel()
{
    return paintOverlay(layOut(kPanelLines, kPanelCellW, kPanelCellH), panelPixel);
}
