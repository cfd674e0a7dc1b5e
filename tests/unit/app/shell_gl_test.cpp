#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "state/app.h"
#include "app/keyboard_commands.h"
#include "session/resize_view.h"
#include "tests/support/gl_test_window.h"

namespace {

const GLenum kLightingCaps[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4, GL_LIGHT5, GL_LIGHTING};

struct ShellGlTest : ::testing::Test {
    GlTestWindow window;
    App app{};
    SceneCamera camera{};
    void SetUp() override
    {
        ASSERT_TRUE(window.open(640, 480));
        camera.lens = 45.0f;
        app.scene.selectedCamera = &camera;
    }
    void TearDown() override { window.close(); }
};

TEST_F(ShellGlTest, ResizeSetsViewportAndPerspective)
{
    glMatrixMode(GL_PROJECTION);
    glTranslatef(1, 2, 3);  // whatever was there goes
    resizeView(app, 640, 480);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
    EXPECT_NEAR(p[5], f, 1e-5);
    EXPECT_NEAR(p[0], f / (640.0 / 480.0), 1e-5);
    EXPECT_NEAR(p[10], (10000.0 + 10.0) / (10.0 - 10000.0), 1e-5);
    EXPECT_NEAR(p[14], 2 * 10000.0 * 10.0 / (10.0 - 10000.0), 1e-3);
    EXPECT_EQ(p[12], 0.0f);
}

TEST_F(ShellGlTest, ZeroHeightGivesAOnePixelViewport)
{
    resizeView(app, 640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 1.0 / std::tan(45.0 * M_PI / 360.0) / 640.0, 1e-6);
}

TEST_F(ShellGlTest, LightToggleSwitchesLightsZeroToFiveAndLighting)
{
    applyLighting(true);
    for (GLenum cap : kLightingCaps) EXPECT_TRUE(glIsEnabled(cap)) << cap;
    EXPECT_FALSE(glIsEnabled(GL_LIGHT6));
    applyLighting(false);
    for (GLenum cap : kLightingCaps) EXPECT_FALSE(glIsEnabled(cap)) << cap;
}

}  // namespace
