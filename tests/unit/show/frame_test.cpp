#include <gtest/gtest.h>

#include "show/frame.h"
#include "show_test_support.h"

namespace {

TEST(MeshTexture, BindsTheFirstFaceMaterialsTextureOrNothing)
{
    App app{};
    TestScene records;
    uint32_t names[2] = {5, 6};
    app.textureNames = names;
    app.scene.materialCount = 2;
    Mesh& mesh = records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(6, 1.0f), 1);
    EXPECT_EQ(meshTexture(app, mesh), 6u);
    mesh.faceMaterials[0] = 2;
    EXPECT_EQ(meshTexture(app, mesh), 0u);
    // Two overlay materials behind the scene's two: still only two textures in the table.
    app.scene.materialCount = 4;
    app.overlayMaterialCount = 2;
    EXPECT_EQ(meshTexture(app, mesh), 0u);
    mesh.faceMaterials[0] = -1;
    EXPECT_EQ(meshTexture(app, mesh), 0u);
    mesh.faceMaterials[0] = 0;
    mesh.faceCount = 0;
    EXPECT_EQ(meshTexture(app, mesh), 0u);
    mesh.faceCount = 2;
    app.textureNames = nullptr;
    EXPECT_EQ(meshTexture(app, mesh), 0u);
}

}  // namespace
