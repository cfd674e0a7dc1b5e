#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "materials.h"
#include "mesh_builder.h"
#include "scene_layout.h"

namespace {

const SceneDesc& scene()
{
    static const SceneDesc built = buildScene();
    return built;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST(SceneContent, TwentyOneMaterialsWithDistinctNamesAndMapFiles)
{
    // The overlays take the texture names after the scene's: 22 and 23 only with 21 materials.
    ASSERT_EQ(scene().materials.size(), 21u);
    std::set<std::string> names, maps;
    for (const MaterialDesc& m : scene().materials) {
        names.insert(m.name);
        maps.insert(m.mapFile);
        EXPECT_LT(m.mapFile.size(), 99u) << m.mapFile;  // names are read into 100-byte fields
        EXPECT_EQ(m.mapFile.substr(m.mapFile.size() - 4), ".bmp") << m.mapFile;
    }
    EXPECT_EQ(names.size(), 21u);
    EXPECT_EQ(maps.size(), 21u);
}

TEST(SceneContent, TexturesAreSquarePowersOfTwoOfWholeWords)
{
    for (const MaterialDesc& m : scene().materials) {
        Image image = m.paintTexture();
        EXPECT_EQ(image.width, image.height) << m.mapFile;
        EXPECT_TRUE(isPowerOfTwo(image.width)) << m.mapFile;
        EXPECT_EQ(image.width % 4, 0) << m.mapFile;  // rows reach GL unpadded
        EXPECT_EQ(image.rgb.size(), size_t(image.width) * image.height * 3) << m.mapFile;
    }
}

TEST(SceneContent, EveryMaterialDressesSomeMesh)
{
    std::set<int> used;
    for (const MeshData& mesh : scene().meshes) used.insert(mesh.material);
    EXPECT_EQ(used.size(), scene().materials.size());
}

TEST(SceneContent, MeshesFitTheFileFormat)
{
    std::set<std::string> names;
    for (const MeshData& mesh : scene().meshes) {
        SCOPED_TRACE(mesh.name);
        names.insert(mesh.name);
        EXPECT_GE(mesh.name.size(), 2u);
        EXPECT_LE(mesh.name.size(), 11u);  // object names keep 11 characters
        EXPECT_LE(mesh.positions.size(), 65535u);
        EXPECT_LE(mesh.faces.size(), 65535u);
        EXPECT_EQ(mesh.texCoords.size(), mesh.positions.size());
        EXPECT_FALSE(mesh.faces.empty());
        for (const auto& face : mesh.faces)
            for (uint16_t i : face) ASSERT_LT(i, mesh.positions.size());
    }
    EXPECT_EQ(names.size(), scene().meshes.size());
}

// A face without area would give the loader a zero-length normal to divide by.
TEST(SceneContent, NoFaceIsDegenerate)
{
    for (const MeshData& mesh : scene().meshes)
        for (const auto& f : mesh.faces) {
            Vec3 n = faceNormal(mesh.positions[f[0]], mesh.positions[f[1]], mesh.positions[f[2]]);
            ASSERT_GT(n.length(), 1e-3) << mesh.name;
        }
}

TEST(SceneContent, OneMeshOf960CornersCarriesTheSparks)
{
    int sparkMeshes = 0;
    for (const MeshData& mesh : scene().meshes)
        if (mesh.faces.size() * 3 == 960) {
            ++sparkMeshes;
            EXPECT_EQ(mesh.name, "Ring");
        }
    EXPECT_EQ(sparkMeshes, 1);
}

TEST(SceneContent, MeshCountStaysModerate)
{
    // The sparks are drawn once per mesh per frame, and everything is sent in immediate mode.
    size_t triangles = 0;
    for (const MeshData& mesh : scene().meshes) triangles += mesh.faces.size();
    EXPECT_LE(scene().meshes.size(), 30u);
    EXPECT_LE(triangles, 30000u);
}

TEST(SceneContent, LightsOfBothKinds)
{
    int spots = 0, omnis = 0;
    for (const LightDesc& light : scene().lights) (light.spot ? spots : omnis)++;
    EXPECT_GE(spots, 2);
    EXPECT_GE(omnis, 1);
}

TEST(SceneContent, FirstCameraLooksSomewhereWithASensibleLens)
{
    ASSERT_FALSE(scene().cameras.empty());
    const CameraDesc& camera = scene().cameras.front();
    EXPECT_GE(camera.lens, 30.0f);
    EXPECT_LE(camera.lens, 75.0f);
    EXPECT_GT((camera.target - camera.eye).length(), 100.0);
}

// The loader's count of the editor's bytes runs two bytes ahead for every chunk it reads,
// so it can stop before a small last object: the file ends with a large one.
TEST(SceneContent, FileEndsWithALargeMesh)
{
    ASSERT_FALSE(scene().objects.empty());
    const ObjectEntry& last = scene().objects.back();
    ASSERT_EQ(last.kind, ObjectKind::mesh);
    EXPECT_GE(scene().meshes[last.index].faces.size(), 1000u);
}

}  // namespace
