#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "realistic_scene.h"
#include "scene_bytes.h"

namespace {

using RealisticFileTest = SceneBytesTest;

std::vector<float> rgb(const float* c)
{
    return {c[0], c[1], c[2]};
}

TEST_F(RealisticFileTest, EveryRecordIsRead)
{
    const std::vector<uint8_t> bytes = realisticScene();
    ASSERT_EQ(bytes[16], 0x3D);  // the editor chunk at offset 16, behind the 10-byte version
    ASSERT_EQ(bytes[28], 3);
    load(bytes);
    ASSERT_EQ(scene.materialCount, 2.0f);
    ASSERT_EQ(scene.meshCount, 2.0f);
    ASSERT_EQ(scene.lightCount, 2.0f);
    ASSERT_EQ(scene.cameraCount, 2.0f);

    const Material& brick = *scene.materials;
    EXPECT_STREQ(brick.name, "BRICK");
    EXPECT_STREQ(brick.mapName, "BRICK.BMP");
    EXPECT_EQ(brick.number, 0);
    EXPECT_EQ(rgb(brick.ambientColour), (std::vector<float>{20, 20, 20}));
    EXPECT_EQ(rgb(brick.diffuseColour), (std::vector<float>{200, 80, 60}));
    EXPECT_EQ(rgb(brick.specularColour), (std::vector<float>{229, 229, 229}));
    const Material& grass = *brick.next;
    EXPECT_STREQ(grass.name, "GRASS");
    EXPECT_STREQ(grass.mapName, "GRASS.BMP");
    EXPECT_EQ(grass.number, 1);
    EXPECT_EQ(rgb(grass.diffuseColour), (std::vector<float>{40, 160, 30}));

    const Mesh& box = *scene.meshes;
    EXPECT_STREQ(box.name, "Box01");
    EXPECT_EQ(box.faceCount, 12.0f);
    EXPECT_EQ(box.cornerCount, 36.0f);
    EXPECT_EQ(box.localFrame[3][2], 2.0f);
    for (int j = 0; j < 12; ++j) EXPECT_EQ(box.faceMaterials[j], 0);
    EXPECT_EQ(box.corners[0].position.z, -2.0f);  // (-1, -1, 0) around the origin (0, 0, 2)
    EXPECT_EQ(box.corners[1].u, 1.0f);            // vertex 2
    EXPECT_EQ(box.corners[1].v, 1.0f);
    // shared vertices keep the normal of the last face using them: the sides, facing out
    EXPECT_EQ(box.corners[0].normal.x, -1.0f);  // vertex 0, last in the x = -1 side
    EXPECT_EQ(box.corners[1].normal.y, 1.0f);   // vertex 2, last in the y = 1 side
    for (int k = 0; k < 36; ++k) {
        const Vec3 n = box.corners[k].normal;
        EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-6);
    }

    const Mesh& ground = *box.next;
    EXPECT_STREQ(ground.name, "Ground");
    EXPECT_EQ(ground.cornerCount, 6.0f);
    EXPECT_EQ(ground.faceMaterials[0], 1);
    EXPECT_EQ(ground.faceMaterials[1], 1);
    EXPECT_EQ(ground.corners[1].u, 8.0f);
    EXPECT_EQ(ground.corners[0].normal.z, 1.0f);
    EXPECT_EQ(ground.prev, &box);

    const SceneLight& spot = *scene.lights;
    EXPECT_STREQ(spot.name, "Spot01");
    EXPECT_EQ(spot.kind, kSpotLight);
    EXPECT_EQ(spot.position.x, 10.0f);
    EXPECT_EQ(spot.hotspot, 21.5f);
    EXPECT_EQ(spot.falloff, 43.25f);
    EXPECT_EQ(spot.lightColours[1][1], 0.75f);
    EXPECT_EQ(spot.lightColours[1][3], 1.0f);
    const SceneLight& omni = *spot.next;
    EXPECT_STREQ(omni.name, "Omni01");
    EXPECT_EQ(omni.kind, kOtherLight);
    EXPECT_EQ(omni.position.z, 15.0f);

    const SceneCamera& first = *cameraByNumber(scene, 1);
    EXPECT_STREQ(first.name, "Camera01");
    EXPECT_EQ(first.eye.y, -30.0f);
    EXPECT_EQ(first.target.z, 2.0f);
    EXPECT_EQ(first.lens, 45.0f);
    const SceneCamera& second = *cameraByNumber(scene, 2);
    EXPECT_STREQ(second.name, "Camera02");
    EXPECT_EQ(second.lens, 60.0f);
    EXPECT_EQ(cameraByNumber(scene, 3), nullptr);
}

// Every cut of the file loads safely (the sanitizer builds check the bounds) and keeps only what
// lay wholly before the cut: never more records than the whole file, never a torn camera.
TEST_F(RealisticFileTest, EveryTruncationLoadsAPartOfTheScene)
{
    const std::vector<uint8_t> whole = realisticScene();
    for (size_t size = 0; size < whole.size(); ++size) {
        releaseScene(scene);
        load(std::vector<uint8_t>(whole.begin(), whole.begin() + size));
        ASSERT_LE(scene.materialCount, 2.0f) << size;
        ASSERT_LE(scene.meshCount, 2.0f) << size;
        ASSERT_LE(scene.lightCount, 2.0f) << size;
        ASSERT_LE(scene.cameraCount, 2.0f) << size;
        for (const SceneCamera* c = scene.cameras; c; c = c->next)
            ASSERT_TRUE(c->lens == 45.0f || c->lens == 60.0f) << size;
        for (const Mesh* m = scene.meshes; m; m = m->next)
            for (int k = 0; k < m->cornerCount; ++k) ASSERT_FALSE(std::isnan(m->corners[k].normal.x));
    }
}

TEST_F(RealisticFileTest, TruncatedListsKeepTheirWholeEntries)
{
    std::vector<uint8_t> bytes = realisticScene();
    // cut inside the box's mapping list, 3 entries and half a float in
    const uint8_t mapping[] = {0x40, 0x41};
    const auto at = std::search(bytes.begin(), bytes.end(), mapping, mapping + 2) - bytes.begin();
    bytes.resize(at + 8 + 3 * 8 + 2);
    load(bytes);
    EXPECT_EQ(scene.meshCount, 1.0f);
    EXPECT_EQ(state.mapping.size(), 3u);
    EXPECT_EQ(state.vertices.size(), 8u);
    EXPECT_EQ(scene.meshes->faceCount, 0.0f);
}

}  // namespace
