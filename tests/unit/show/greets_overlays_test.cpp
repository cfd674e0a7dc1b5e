#include <gtest/gtest.h>

#include "show/greets_overlays.h"
#include "show_test_support.h"

namespace {

void expectRect(const OverlayRect& got, uint32_t width, uint32_t height, int32_t x, int32_t y)
{
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
}

TEST(GreetsScroll, RisesThreeUnitsPerFrameFromTheBottom)
{
    App app{};
    resetShow(app);
    expectRect(stepGreetsScroll(app), 800, 600, 0, 3);
    expectRect(stepGreetsScroll(app), 800, 600, 0, 6);
    for (int frame = 3; frame <= 200; ++frame) stepGreetsScroll(app);
    EXPECT_EQ(app.show.greetsScrollY, 600);
}

TEST(GreetsScroll, NarrowWindowShiftsItLeftInsteadOfLosingIt)
{
    App app{};
    resetShow(app, 640, 480);
    expectRect(stepGreetsScroll(app), 800, 600, -80, 3);
}

TEST(GreetsScroll, StopsRisingBeforeTheIntegerLimit)
{
    App app{};
    resetShow(app);
    app.show.greetsScrollY = INT32_MAX - 4;
    EXPECT_EQ(stepGreetsScroll(app).y, INT32_MAX - 1);
    EXPECT_EQ(stepGreetsScroll(app).y, INT32_MAX - 1);
}

// The panel's rectangle in each of the given frames (counted from 1).
std::vector<OverlayRect> panelFrames(App& app, std::initializer_list<int> wanted)
{
    std::vector<OverlayRect> rects;
    int last = 0;
    for (int frame : wanted) {
        OverlayRect rect{};
        while (last < frame) {
            rect = stepGreetsPanel(app);
            ++last;
        }
        rects.push_back(rect);
    }
    return rects;
}

TEST(GreetsPanel, GrowsThroughThreeStagesIn800By600)
{
    App app{};
    resetShow(app);
    auto r = panelFrames(app, {1, 2, 125, 126, 250, 251, 400});
    expectRect(r[0], 150, 102, 325, 2);
    expectRect(r[1], 152, 104, 324, 4);
    expectRect(r[2], 398, 350, 201, 250);  // spans y 250 to 600
    expectRect(r[3], 402, 352, 199, 248);  // top stays at 600, width +4
    expectRect(r[4], 650, 600, 75, 0);
    expectRect(r[5], 650, 600, 75, 0);
    expectRect(r[6], 650, 600, 75, 0);
    EXPECT_EQ(app.show.panel.panelGrowth, 500);
}

TEST(GreetsPanel, StopsAt530By480In640By480)
{
    App app{};
    resetShow(app, 640, 480);
    auto r = panelFrames(app, {1, 95, 96, 190, 191});
    expectRect(r[0], 150, 102, 245, 2);
    expectRect(r[1], 338, 290, 151, 190);
    expectRect(r[2], 342, 292, 149, 188);
    expectRect(r[3], 530, 480, 55, 0);
    expectRect(r[4], 530, 480, 55, 0);
}

TEST(GreetsPanel, KeepsItsStateAcrossAResize)
{
    App app{};
    resetShow(app, 640, 480);
    panelFrames(app, {190});
    // The toggle's new window: the panel grows on from where it stood.
    app.viewWidth = 800;
    app.viewHeight = 600;
    app.show.panel.panelCentreX = 400;
    expectRect(stepGreetsPanel(app), 530, 482, 135, 2);
}

}  // namespace
