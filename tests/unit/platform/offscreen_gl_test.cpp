// The off-screen backend through the window layer: the formats asked for exactly, and sizes up
// to the renderer's largest viewport.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "platform/gl_window.h"

namespace {

struct Offscreen : ::testing::Test {
    WindowSystem windows;
    void SetUp() override
    {
        windows.backend = offscreenWindows();
        ASSERT_TRUE(startWindowing(windows));
    }
    void TearDown() override
    {
        if (windows.window) destroyGlWindow(windows, windows.window);
        stopWindowing(windows);
    }
    bool open(int width, int height, int colourBits = 24, int stencilBits = 8)
    {
        if (windows.window) destroyGlWindow(windows, windows.window);
        WindowFailure failure = WindowFailure::kNone;
        GlWindowRequest request = {"test", width, height, colourBits, false, stencilBits};
        GlWindow* window = createGlWindow(windows, request, failure);
        return window && makeContextCurrent(windows, window);
    }
};

GLint glInteger(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

struct Formats {
    int colourBits, stencilBits;
    GLint red, green, blue, alpha, depth, stencil;
};
// As GLX answers the same requests on a display of that depth: exactly the colour asked for (EGL
// offers 10 bits a channel first), no alpha, and the depth buffer a stencil is stored with.
const Formats kFormats[] = {
    {24, 0, 8, 8, 8, 0, 16, 0},
    {24, 8, 8, 8, 8, 0, 24, 8},
    {16, 0, 5, 6, 5, 0, 16, 0},
};

TEST_F(Offscreen, PictureHasExactlyTheFormatsAskedFor)
{
    for (const Formats& f : kFormats) {
        SCOPED_TRACE(::testing::Message() << f.colourBits << " bits, stencil " << f.stencilBits);
        ASSERT_TRUE(open(64, 48, f.colourBits, f.stencilBits));
        int width = 0, height = 0;
        framebufferSize(windows, windows.window, width, height);
        EXPECT_EQ(width, 64);
        EXPECT_EQ(height, 48);
        EXPECT_EQ(glInteger(GL_RED_BITS), f.red);
        EXPECT_EQ(glInteger(GL_GREEN_BITS), f.green);
        EXPECT_EQ(glInteger(GL_BLUE_BITS), f.blue);
        EXPECT_EQ(glInteger(GL_ALPHA_BITS), f.alpha);
        EXPECT_EQ(glInteger(GL_DEPTH_BITS), f.depth);
        EXPECT_EQ(glInteger(GL_STENCIL_BITS), f.stencil);
    }
}

// EGL makes a pbuffer of any size, but GL draws no further than its largest viewport: a wider
// picture would come out clipped, so it is refused.
TEST_F(Offscreen, WidestPictureIsTheLargestViewport)
{
    ASSERT_TRUE(open(16, 16));
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    ASSERT_GT(largest[0], 0);
    EXPECT_FALSE(open(largest[0] + 1, 16));
    ASSERT_TRUE(open(largest[0], 16));
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, largest[0], 16);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_POINTS);  // the last column, through the whole pipeline
    glVertex2f(1.0f - 1.0f / largest[0], 0.0f);
    glEnd();
    uint8_t pixel[3] = {};
    glReadPixels(largest[0] - 1, 8, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
}

}  // namespace
