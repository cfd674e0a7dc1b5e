// Runs the real capture on the demo's generated data: the effects' step rate and the off-screen
// render size.
#include <cmath>

#include "capture_run.h"

namespace {

class CaptureRates : public CaptureRun {
protected:
    Picture shot(const std::string& prefix, const char* ms) { return readPpm(path(prefix + "-" + ms + ".ppm")); }
    std::string shotBytes(const std::string& prefix, const char* ms) { return readFile(path(prefix + "-" + ms + ".ppm")); }
    void moments(const std::string& prefix, const std::string& arguments)
    {
        CommandResult r = capture("--out '" + path(prefix) + "' " + arguments);
        ASSERT_EQ(r.status, 0) << r.errors;
    }
};

// The average of each square of side `side` pixels: what is left of a picture seen from afar.
std::vector<double> blockAverages(const Picture& p, int side)
{
    std::vector<double> sums;
    for (int by = 0; by + side <= p.height; by += side)
        for (int bx = 0; bx + side <= p.width; bx += side)
            for (int c = 0; c < 3; ++c) {
                double sum = 0.0;
                for (int y = by; y < by + side; ++y)
                    for (int x = bx; x < bx + side; ++x) sum += p.at(x, y)[c];
                sums.push_back(sum / (side * side));
            }
    return sums;
}

// Peak signal to noise ratio of 8-bit values, in dB.
double psnr(const std::vector<double>& a, const std::vector<double>& b)
{
    double squares = 0.0;
    for (size_t i = 0; i < a.size(); ++i) squares += (a[i] - b[i]) * (a[i] - b[i]);
    double mean = squares / static_cast<double>(a.size());
    return mean > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mean) : 99.0;
}

// At 60 frames a second a step rate of 60 is the show as it steps once a frame, frame for frame
// through the greets scroll (61.5 s) and the end phase's panel and fog (80 s); and with it a
// capture at 30 frames a second shows the scroll where the one at 60 does, which it does not
// without (the scroll would stand half as high).
TEST_F(CaptureRates, AStepRateMatchesTheFrameRateItIsAndMakesOtherRatesAgree)
{
    moments("frames60", "--fps 60 61.5 80");
    moments("steps60", "--fps 60 --step-rate 60 61.5 80");
    moments("steps30", "--fps 30 --step-rate 60 61.5");
    moments("frames30", "--fps 30 61.5");
    std::string scroll = shotBytes("frames60", "061500");
    ASSERT_FALSE(scroll.empty());
    EXPECT_EQ(shotBytes("steps60", "061500"), scroll);
    EXPECT_EQ(shotBytes("steps60", "080000"), shotBytes("frames60", "080000"));
    EXPECT_EQ(shotBytes("steps30", "061500"), scroll);
    EXPECT_NE(shotBytes("frames30", "061500"), scroll);
}

// At the picture's own size the show is drawn directly, the same bytes; at half the size, scaled
// up, it is the same picture seen from afar, the same way up. A GL without framebuffer objects
// says so and draws directly.
TEST_F(CaptureRates, ARenderSizeDrawsTheShowAtThatSizeScaledIntoThePicture)
{
    moments("direct", "3");
    moments("own", "--render-size 800x600 3");
    moments("half", "--render-size 400x300 3");
    Picture direct = shot("direct", "003000");
    ASSERT_EQ(direct.width, 800);
    EXPECT_EQ(shotBytes("own", "003000"), shotBytes("direct", "003000"));
    // Measured 39 dB; a picture upside down or a quarter of it scaled up gives 9 to 12 dB.
    EXPECT_GT(psnr(blockAverages(shot("half", "003000"), 8), blockAverages(direct, 8)), 30.0);

    setenv("MESA_GL_VERSION_OVERRIDE", "2.1", 1);
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_framebuffer_object", 1);
    CommandResult old = capture("--out '" + path("old") + "' --render-size 400x300 3");
    unsetenv("MESA_GL_VERSION_OVERRIDE");
    unsetenv("MESA_EXTENSION_OVERRIDE");
    ASSERT_EQ(old.status, 0) << old.errors;
    EXPECT_NE(old.errors.find("--render-size: this GL has no framebuffer objects and shaders to scale with; the show "
                              "is drawn directly"),
              std::string::npos)
        << old.errors;
    EXPECT_EQ(shotBytes("old", "003000"), shotBytes("direct", "003000"));
}

}  // namespace
