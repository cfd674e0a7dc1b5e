#include "gl_scene_fixture.h"
#include "render/setup_gl.h"

namespace {

// Alpha of every pixel of an RGBA texture.
std::vector<uint8_t> alphaOf(GLuint name, int width, int height)
{
    std::vector<uint8_t> rgba = textureImage(name, GL_RGBA, width, height);
    std::vector<uint8_t> alpha;
    for (size_t i = 3; i < rgba.size(); i += 4) alpha.push_back(rgba[i]);
    return alpha;
}

class SetupGl : public TextureGl {
protected:
    // Two scene materials and both overlays, each mask with its own reds.
    void writeDemoImages()
    {
        writeImage("floor.bmp", 4, 4, solid(4, 4, {200, 100, 0}));
        writeImage("wall.bmp", 2, 2, solid(2, 2, {0, 100, 200}));
        addMaterial("floor.bmp");
        addMaterial("wall.bmp");
        writeImage("greets.bmp", 4, 2, solid(4, 2, {255, 255, 255}));
        writeImage("greetsalpha.bmp", 4, 2, ramp(4, 2));
        writeImage("greets2.bmp", 2, 2, solid(2, 2, {9, 9, 9}));
        writeImage("greets2alpha.bmp", 2, 2, {0, 1, 1, 255, 1, 1, 64, 1, 1, 192, 1, 1});
    }
    // What a set-up must leave: the scene's own textures, the overlays masked, four materials.
    void expectDemoState()
    {
        EXPECT_EQ(app->scene.materialCount, 4.0f);
        EXPECT_EQ(listLength(app->scene), 4);
        EXPECT_EQ(textureImage(app->textureNames[1], GL_RGB, 2, 2), solid(2, 2, {0, 100, 200}));
        std::vector<uint8_t> scrollAlpha;
        std::vector<uint8_t> mask = ramp(4, 2);
        for (size_t i = 0; i < mask.size(); i += 3) scrollAlpha.push_back(mask[i]);
        EXPECT_EQ(alphaOf(app->greetsScrollTexture, 4, 2), scrollAlpha);
        EXPECT_EQ(alphaOf(app->greetsPanelTexture, 2, 2), (std::vector<uint8_t>{0, 255, 64, 192}));
        // Every material number of the list indexes the table, the overlays' included.
        EXPECT_EQ(app->textureNames[2], app->greetsScrollTexture);
        EXPECT_EQ(app->textureNames[3], app->greetsPanelTexture);
    }
};

TEST_F(SetupGl, SetsTheFixedStateAndBothMaskedOverlays)
{
    writeDemoImages();
    ASSERT_TRUE(setupGL(*app));
    expectDemoState();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0.0f, 0.0f, 1.0f, 0.5f}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SetupGl, ADisplayModeToggleKeepsTheOverlayMasksAndTheMaterialList)
{
    writeDemoImages();
    ASSERT_TRUE(setupGL(*app));
    // The toggle re-creates the window: a fresh context, then the set-up again.
    window.close();
    ASSERT_TRUE(window.open(64, 64));
    ASSERT_TRUE(setupGL(*app));
    expectDemoState();
    ASSERT_TRUE(setupGL(*app));  // and once more in the same context
    expectDemoState();
    EXPECT_STREQ(app->scene.materials->next->next->mapName, "greets.bmp");
    EXPECT_EQ(app->scene.materials->next->next->next->number, 3);
}

TEST_F(SetupGl, AMissingSceneTextureStopsBeforeAnyOtherState)
{
    writeDemoImages();
    addMaterial("missing.bmp");
    EXPECT_FALSE(setupGL(*app));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(app->greetsScrollTexture, 0u);
    EXPECT_EQ(app->greetsPanelTexture, 0u);
    EXPECT_EQ(app->scene.materialCount, 3.0f);
}

TEST_F(SetupGl, ARefusedOverlayIsNotDrawnButTheOtherIs)
{
    writeDemoImages();
    writeImage("greetsalpha.bmp", 2, 2, solid(2, 2, {255, 0, 0}));  // no longer the colour image's size
    ASSERT_TRUE(setupGL(*app));
    EXPECT_EQ(app->greetsScrollTexture, 0u);
    EXPECT_NE(app->greetsPanelTexture, 0u);
    ASSERT_EQ(messages.shown.size(), 1u);
}

TEST_F(SetupGl, ASceneWithoutMaterialsStillGetsBothOverlays)
{
    writeDemoImages();
    clearMaterials();
    ASSERT_TRUE(setupGL(*app));
    EXPECT_EQ(app->scene.materialCount, 2.0f);
    EXPECT_EQ(app->scene.materials->number, 0);
    EXPECT_EQ(app->textureNames[0], app->greetsScrollTexture);
    EXPECT_EQ(app->textureNames[1], app->greetsPanelTexture);
    EXPECT_NE(app->greetsPanelTexture, 0u);
}

}  // namespace
