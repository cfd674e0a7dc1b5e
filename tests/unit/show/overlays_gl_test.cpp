#include "show/greets_overlays.h"
#include "show_gl_support.h"

namespace {

using OverlaysGlTest = ShowGlTest;

// The scroll: red through a mask of falling alpha by column: opaque, half, clear, opaque.
void writeScroll()
{
    writeOverlay("greets.bmp", "greetsalpha.bmp", {{{255, 0, 0}, {255, 0, 0}, {255, 0, 0}, {255, 0, 0}}},
                 {255, 128, 0, 255});
}

// A green wall filling the picture so close to the camera that its depth is below the
// overlay's: only a switched-off depth test lets the overlay show over it.
void addWall(OverlaysGlTest& t, int segment, uint32_t ms)
{
    Vec3 eye, target;
    scriptView(segment, ms, eye, target);
    Vec3 ahead = target - eye;
    ahead.normalise();
    Vec3 at = {eye.x + 15.0f * ahead.x, eye.y + 15.0f * ahead.y, eye.z + 15.0f * ahead.z};
    int32_t green = t.addColourMaterial("green.bmp", 0, 255, 0);
    t.records.addMesh(t.app.scene, at, squareFacing(eye - target, 3000.0f), green);
}

TEST_F(OverlaysGlTest, ScrollLiesAboveTheSceneWithTheMasksAlpha)
{
    addWall(*this, 24, 60300);
    writeScroll();
    startShow();
    ASSERT_NE(app.greetsScrollTexture, 0u);
    frameAt(60100);
    frameAt(60150);
    EXPECT_FALSE(app.show.greetsScrollOn);

    std::vector<uint8_t> rgb = frameAt(60300);
    ASSERT_TRUE(app.show.greetsScrollOn);
    // The clear column shows the wall as it is.
    const uint8_t* scene = window.pixel(rgb, 500, 300);
    EXPECT_GT(scene[1], 200);
    EXPECT_LT(scene[0], 30);
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 100, 300), 255, 0, 0, 1.0f));
    float half = 128.0f / 255.0f;
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 300, 300), 255 * half + scene[0] * (1 - half), scene[1] * (1 - half),
                          scene[2] * (1 - half), 2.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 700, 300), 255, 0, 0, 1.0f));
    // Its first frame starts 3 units above the bottom.
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 100, 2), scene[0], scene[1], scene[2], 2.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 100, 3), 255, 0, 0, 1.0f));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST_F(OverlaysGlTest, PanelLiesOnTopOfTheScroll)
{
    writeScroll();
    writeOverlay("greets2.bmp", "greets2alpha.bmp", {{{0, 0, 255}, {0, 0, 255}, {0, 0, 255}, {0, 0, 255}}},
                 {255, 255, 255, 255});
    startShow();
    frameAt(70000);
    std::vector<uint8_t> rgb = frameAt(80000);
    ASSERT_TRUE(app.show.greetsPanelOn);
    // The panel's first frame: 150 × 102 at (325, 2), over the scroll's half-clear column.
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 330, 50), 0, 0, 255, 1.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 300, 50), 255, 127.5f, 127.5f, 3.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 100, 50), 255, 0, 0, 1.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 500, 110), 255, 255, 255, 1.0f));
}

TEST_F(OverlaysGlTest, RefusedTexturesDrawNothing)
{
    startShow();
    EXPECT_EQ(app.greetsScrollTexture, 0u);
    frameAt(70000);
    EXPECT_TRUE(allPixels(frameAt(80000), 255, 255, 255));
    EXPECT_TRUE(app.show.greetsPanelOn);
    EXPECT_EQ(app.show.panel.panelGrowth, 2);
}

TEST_F(OverlaysGlTest, ScrollShowsShiftedLeftInANarrowWindow)
{
    // A 640 × 480 window: the scroll's 800 units start at x = -80, so its first, opaque column
    // ends 120 units, 96 pixels, into the picture and the half-clear one follows.
    writeScroll();
    startShow(640, 480);
    frameAt(70000);
    std::vector<uint8_t> rgb = frameAt(70020);
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 80, 240), 255, 0, 0, 1.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 112, 240), 255, 127, 127, 3.0f));
}

}  // namespace
