#include <gtest/gtest.h>

#include "bitmap_font.h"
#include "overlays.h"

namespace {

float alphaAt(const OverlayImages& o, int x, int y) { return pixelAt(o.mask, x, y).r; }

int opaquePixels(const Image& mask)
{
    int n = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) n += pixelAt(mask, x, y).r == 255;
    return n;
}

TEST(BitmapFont, StampsEachFontPixelAsABlock)
{
    Coverage canvas = makeCoverage(40, 40);
    stampText(canvas, 1, 2, "L", 2, 3);
    int on = 0;
    for (uint8_t v : canvas.on) on += v;
    EXPECT_EQ(on, 11 * 2 * 3);  // the L has eleven pixels
    EXPECT_TRUE(canvas.at(1, 2));               // top of its stem
    EXPECT_TRUE(canvas.at(1 + 4 * 2 + 1, 2 + 6 * 3 + 2));  // the far end of its foot
    EXPECT_FALSE(canvas.at(1 + 2, 2));
    EXPECT_EQ(textWidth("LL", 2), (2 * kGlyphAdvance - 1) * 2);
}

TEST(BitmapFont, UnknownCharactersAreReported)
{
    EXPECT_TRUE(fontCovers("ZEPHAL 3D: GREETINGS & THANKS!"));
    EXPECT_FALSE(fontCovers("lower case"));
    EXPECT_FALSE(fontCovers("TAB\t"));
}

TEST(GreetsOverlays, EveryLineHasGlyphsAndRoom)
{
    for (const TextLine& line : greetsScrollText()) EXPECT_TRUE(fontCovers(line.text)) << line.text;
    for (const TextLine& line : greetsPanelText()) EXPECT_TRUE(fontCovers(line.text)) << line.text;
    EXPECT_TRUE(greetsScrollFits());
    EXPECT_TRUE(greetsPanelFits());
}

TEST(GreetsOverlays, EachColourImageHasAMaskOfItsSize)
{
    for (const OverlayImages& o : {paintGreetsScroll(), paintGreetsPanel()}) {
        EXPECT_EQ(o.colour.width, o.mask.width);
        EXPECT_EQ(o.colour.height, o.mask.height);
        EXPECT_EQ(o.colour.width % 4, 0);
        EXPECT_TRUE((o.colour.width & (o.colour.width - 1)) == 0 && (o.colour.height & (o.colour.height - 1)) == 0);
    }
}

TEST(GreetsOverlays, ScrollIsLetteringOnClearGround)
{
    OverlayImages scroll = paintGreetsScroll();
    const int w = scroll.mask.width, h = scroll.mask.height;
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, 2}}) EXPECT_EQ(alphaAt(scroll, x, y), 0);
    int opaque = opaquePixels(scroll.mask);
    EXPECT_GT(opaque, w * h / 50);
    EXPECT_LT(opaque, w * h / 3);
    // Where the lettering is opaque it is bright; the clear ground is dark, so that
    // filtering at the letters' edges does not leave pale fringes.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = pixelAt(scroll.colour, x, y);
            if (alphaAt(scroll, x, y) == 255) {
                ASSERT_GT(c.r + c.g, 300) << x << "," << y;
            } else if (alphaAt(scroll, x, y) == 0) {
                ASSERT_LT(c.r + c.g + c.b, 60) << x << "," << y;
            }
        }
}

TEST(GreetsOverlays, PanelIsAFramedTranslucentBoard)
{
    OverlayImages panel = paintGreetsPanel();
    const int w = panel.mask.width, h = panel.mask.height;
    EXPECT_EQ(alphaAt(panel, 0, 0), 0);
    EXPECT_EQ(alphaAt(panel, w - 1, h / 2), 0);
    EXPECT_EQ(alphaAt(panel, 10, h / 2), 255);  // the frame
    Colour frame = pixelAt(panel.colour, 10, h / 2);
    EXPECT_GT(frame.r, frame.b + 80);  // gold
    EXPECT_EQ(alphaAt(panel, 30, 30), 200);  // the ground lets the scene show through a little
    EXPECT_GT(opaquePixels(panel.mask), 4 * (w - 16) * 6);  // frame and letters
}

}  // namespace
