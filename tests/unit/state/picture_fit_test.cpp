#include <gtest/gtest.h>

#include "state/picture_fit.h"

namespace {

struct Case {
    int fbWidth, fbHeight;
    bool keepShape;
    PictureFit expected;  // worked out by hand
};

const Case kCases[] = {
    // The show's shape on screens of every shape: bars at the sides, above and below, or none.
    {1920, 1080, true, {1920, 1080, 240, 0, 1440, 1080, 800, 600}},
    {1280, 1024, true, {1280, 1024, 0, 32, 1280, 960, 800, 600}},
    {1366, 768, true, {1366, 768, 171, 0, 1024, 768, 800, 600}},
    {1080, 1920, true, {1080, 1920, 0, 555, 1080, 810, 800, 600}},
    // A desktop scaled by 2 hands over twice the pixels: the rectangle is sized in them.
    {3840, 2160, true, {3840, 2160, 480, 0, 2880, 2160, 800, 600}},
    // Sides that do not divide: the rectangle rounds down and stays inside.
    {1001, 1000, true, {1001, 1000, 0, 125, 1001, 750, 800, 600}},
    {1, 1, true, {1, 1, 0, 0, 1, 1, 800, 600}},
    // Without the shape kept: the whole framebuffer, laid out in its own pixels.
    {1600, 1200, false, {1600, 1200, 0, 0, 1600, 1200, 1600, 1200}},
    {640, 0, false, {640, 1, 0, 0, 640, 1, 640, 1}},
};

TEST(PictureFit, LargestCentredRectangleOfTheShowsShape)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.fbWidth << "x" << c.fbHeight << (c.keepShape ? " kept" : ""));
        PictureFit fit = fitPicture(c.fbWidth, c.fbHeight, c.keepShape);
        EXPECT_TRUE(fit == c.expected) << fit.x << "," << fit.y << " " << fit.width << "x" << fit.height;
        EXPECT_EQ(hasBars(fit), c.expected.width != c.fbWidth || c.expected.height != c.expected.framebufferHeight);
    }
}

struct ModeCase {
    int askedWidth, askedHeight;  // the mode fullscreen switched to
    int gotWidth, gotHeight;      // the framebuffer it came out with
    PictureFit expected;          // worked out by hand
};

const ModeCase kModeCases[] = {
    // The mode took: the picture as it has always been, laid out at its own size.
    {640, 480, 640, 480, {640, 480, 0, 0, 640, 480, 640, 480}},
    // Xwayland lists the mode but hands over the output's size: bars at the sides.
    {800, 600, 1920, 1080, {1920, 1080, 240, 0, 1440, 1080, 800, 600}},
    // A compositor that scales by 2: the show's shape already, laid out as 800 x 600.
    {800, 600, 1600, 1200, {1600, 1200, 0, 0, 1600, 1200, 800, 600}},
    // A mode change that failed quietly on a 5:4 screen: bars above and below.
    {800, 600, 1280, 1024, {1280, 1024, 0, 32, 1280, 960, 800, 600}},
    // One pixel off is off: the rectangle rounds down inside it.
    {800, 600, 801, 600, {801, 600, 0, 0, 800, 600, 800, 600}},
    // No mode asked: the whole framebuffer.
    {0, 0, 1024, 768, {1024, 768, 0, 0, 1024, 768, 1024, 768}},
};

TEST(PictureFit, FullscreenThatMissedItsModeKeepsTheShowsShape)
{
    for (const ModeCase& c : kModeCases) {
        SCOPED_TRACE(testing::Message() << c.askedWidth << "x" << c.askedHeight << " -> " << c.gotWidth << "x"
                                        << c.gotHeight);
        PictureFit fit = fitModePicture(c.askedWidth, c.askedHeight, c.gotWidth, c.gotHeight);
        EXPECT_TRUE(fit == c.expected) << fit.x << "," << fit.y << " " << fit.width << "x" << fit.height << " laid out "
                                       << fit.layoutWidth << "x" << fit.layoutHeight;
    }
}

}  // namespace
