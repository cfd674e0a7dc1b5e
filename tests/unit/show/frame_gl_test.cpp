#include "show_gl_support.h"

namespace {

using FrameGlTest = ShowGlTest;

TEST_F(FrameGlTest, FirstFrameIsBlueAndLaterOnesWhite)
{
    startShow();
    EXPECT_TRUE(allPixels(frameAt(3000), 0, 0, 255));
    EXPECT_TRUE(allPixels(frameAt(3020), 255, 255, 255));
    EXPECT_TRUE(allPixels(frameAt(90000), 255, 255, 255));
}

// A green square around the point the camera looks at, so it shows in the middle of the picture
// only if it is drawn at its origin from the file, with its own material's texture.
TEST_F(FrameGlTest, MeshIsDrawnWhereTheFilePutItUnderGreyFog)
{
    Vec3 eye, target;
    scriptView(1, 3000, eye, target);
    addColourMaterial("red.bmp", 255, 0, 0);
    int32_t green = addColourMaterial("green.bmp", 0, 255, 0);
    records.addMesh(app.scene, target, squareFacing(eye - target, 40.0f), green);
    startShow();
    frameAt(2980);  // the first frame, which shakes
    std::vector<uint8_t> rgb = frameAt(3000);

    float fog = std::exp(-0.003f * distance(eye, target));
    float grey = (1.0f - fog) * 127.5f;
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 400, 300), grey, fog * 255.0f + grey, grey, 3.0f));
    EXPECT_TRUE(pixelNear(window.pixel(rgb, 20, 20), 255, 255, 255, 0.0f));
}

TEST_F(FrameGlTest, FogDensityAndColourFollowThePhase)
{
    startShow();
    auto fogAt = [&](uint32_t ms, float density, float colour) {
        frameAt(ms);
        GLfloat d = 0.0f, c[4] = {};
        glGetFloatv(GL_FOG_DENSITY, &d);
        glGetFloatv(GL_FOG_COLOR, c);
        EXPECT_FLOAT_EQ(d, density) << ms << " ms";
        EXPECT_FLOAT_EQ(c[0], colour) << ms << " ms";
        EXPECT_TRUE(glIsEnabled(GL_FOG));
    };
    fogAt(3000, 0.003f, 0.5f);
    fogAt(40000, 0.001f, 0.5f);
    fogAt(46500, 0.003f, 0.5f);
    fogAt(80000, 0.001f, 0.0f);
    fogAt(80020, 0.002f, 0.0f);
    GLint mode = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_EQ(mode, GL_EXP);
}

// Eye and target both at the origin leave the GL no direction to look in: the whole scene,
// markers and sparks included, is clipped away and the frame stays white.
TEST_F(FrameGlTest, GapFrameIsWhiteAllOver)
{
    int32_t green = addColourMaterial("green.bmp", 0, 255, 0);
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, squareFacing({1.0f, 1.0f, 0.0f}, 5000.0f), green);
    records.addMesh(app.scene, {-3.0f, -3.0f, 0.0f}, gridCorners(960, 0.2f), green);
    records.addLight(app.scene, {0.0f, 0.0f, 0.0f}, kSpotLight, {50.0f, 50.0f, 0.0f});
    startShow();
    frameAt(34900);
    EXPECT_FALSE(allPixels(window.readRgb(), 255, 255, 255));
    EXPECT_TRUE(allPixels(frameAt(35100), 255, 255, 255));
    EXPECT_TRUE(allPixels(frameAt(6000), 255, 255, 255));

    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite(view[i])) << i;
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) EXPECT_EQ(view[column * 4 + row], 0.0f);
}

TEST_F(FrameGlTest, EndPhaseSinksTheSceneIntoBlackOnWhite)
{
    Vec3 eye, target;
    scriptView(24, 78199, eye, target);
    int32_t green = addColourMaterial("green.bmp", 0, 255, 0);
    records.addMesh(app.scene, target, squareFacing(eye - target, 40.0f), green);
    startShow();
    frameAt(78190);
    std::vector<uint8_t> flight = frameAt(78199);
    EXPECT_GT(window.pixel(flight, 400, 300)[1], 100);

    int previous = 3 * 255;
    for (int frame = 0; frame < 30; ++frame) {
        std::vector<uint8_t> rgb = frameAt(78200 + 20 * frame);
        const uint8_t* centre = window.pixel(rgb, 400, 300);
        int sum = centre[0] + centre[1] + centre[2];
        EXPECT_LE(sum, previous) << "end frame " << frame + 1;
        EXPECT_EQ(centre[0], 0);
        EXPECT_EQ(centre[2], 0);
        previous = sum;
        EXPECT_TRUE(pixelNear(window.pixel(rgb, 5, 5), 255, 255, 255, 0.0f));
        EXPECT_TRUE(pixelNear(window.pixel(rgb, 795, 595), 255, 255, 255, 0.0f));
    }
    EXPECT_LT(previous, 4);
}

TEST_F(FrameGlTest, SceneWithoutCameraLightsOrMeshesStillDraws)
{
    startShow();
    app.scene.selectedCamera = nullptr;
    EXPECT_TRUE(allPixels(frameAt(3000), 0, 0, 255));
    EXPECT_TRUE(allPixels(frameAt(90000), 255, 255, 255));
}

}  // namespace
