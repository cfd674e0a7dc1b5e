#include "gl_scene_fixture.h"
#include "render/texture_loading.h"

namespace {

TEST_F(TextureGl, SceneTexturesAreBoundByMaterialNumber)
{
    const Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const char* names[] = {"red.bmp", "green.bmp", "blue.bmp"};
    for (int i = 0; i < 3; ++i) {
        writeImage(names[i], 4 << i, 4, solid(4 << i, 4, colours[i]));
        addMaterial(names[i]);
    }
    // Bottom four rows red, top four green: the first file row lies at t = 0.
    std::vector<uint8_t> halves = solid(2, 4, {255, 0, 0});
    std::vector<uint8_t> top = solid(2, 4, {0, 255, 0});
    halves.insert(halves.end(), top.begin(), top.end());
    writeImage("halves.bmp", 2, 8, halves);
    addMaterial("halves.bmp");
    ASSERT_TRUE(loadSceneTextures(*app));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pixelAt(drawTextured(app->textureNames[i]), 32, 32), colours[i]) << i;
    std::vector<uint8_t> picture = drawTextured(app->textureNames[3]);
    EXPECT_EQ(pixelAt(picture, 32, 8), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(picture, 32, 56), (Rgb{0, 255, 0}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TextureGl, RowsNotAMultipleOfFourBytesUploadIntact)
{
    for (int width : {1, 3, 5}) {
        std::string name = "w" + std::to_string(width) + ".bmp";
        writeImage(name.c_str(), width, 3, ramp(width, 3));
        addMaterial(name.c_str());
    }
    ASSERT_TRUE(loadSceneTextures(*app));
    for (int i = 0; i < 3; ++i) {
        int width = 1 + 2 * i;
        EXPECT_EQ(textureImage(app->textureNames[i], GL_RGB, width, 3), ramp(width, 3)) << width;
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);  // left at the default for everyone else
}

TEST_F(TextureGl, AMissingOrUnreadableImageFailsAfterEveryMaterialIsTried)
{
    addMaterial("missing.bmp");
    dir.write("broken.bmp", {'B', 'M', 1, 2, 3});
    addMaterial("broken.bmp");
    writeImage("fine.bmp", 2, 2, solid(2, 2, {1, 2, 3}));
    addMaterial("fine.bmp");
    EXPECT_FALSE(loadSceneTextures(*app));
    // Only the file that opens but does not read says so; a missing one is silent.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unknown DIB file format.");
}

TEST_F(TextureGl, OverlayAlphaComesFromTheMaskRedChannel)
{
    addMaterial("scene.bmp");
    std::vector<uint8_t> colour = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    // Red 0, 255, 128, 7; green and blue the opposite, which must not matter.
    std::vector<uint8_t> mask = {0, 255, 255, 255, 0, 0, 128, 127, 127, 7, 248, 248};
    writeImage("colour.bmp", 2, 2, colour);
    writeImage("mask.bmp", 2, 2, mask);
    uint32_t name = addOverlayTexture(*app, "colour.bmp", "mask.bmp");
    ASSERT_NE(name, 0u);
    std::vector<uint8_t> expected = {10, 20, 30, 0, 40, 50, 60, 255, 70, 80, 90, 128, 100, 110, 120, 7};
    EXPECT_EQ(textureImage(name, GL_RGBA, 2, 2), expected);
    ASSERT_EQ(app->scene.materialCount, 2.0f);
    const Material* overlay = app->scene.materials->next;
    EXPECT_EQ(overlay->number, 1);
    EXPECT_STREQ(overlay->mapName, "colour.bmp");
    EXPECT_EQ(overlay->prev, app->scene.materials);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TextureGl, AnOverlayWithoutAMatchingMaskIsRefusedWithAMessage)
{
    writeImage("colour.bmp", 4, 2, solid(4, 2, {1, 1, 1}));
    writeImage("small.bmp", 2, 2, solid(2, 2, {255, 0, 0}));
    EXPECT_EQ(addOverlayTexture(*app, "colour.bmp", "small.bmp"), 0u);
    EXPECT_EQ(addOverlayTexture(*app, "colour.bmp", "nomask.bmp"), 0u);
    EXPECT_EQ(addOverlayTexture(*app, "nocolour.bmp", "small.bmp"), 0u);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "Overlay image colour.bmp and its mask small.bmp differ in size.");
    EXPECT_EQ(messages.shown[1].text, "Failed to open DIB file nomask.bmp.\n");
    EXPECT_EQ(messages.shown[2].text, "Failed to open DIB file nocolour.bmp.\n");
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
