#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "scene/load3ds.h"
#include "scene_bytes.h"

namespace {

// The mesh's face materials, as numbers.
std::vector<int32_t> faceMaterials(const Mesh& mesh)
{
    return std::vector<int32_t>(mesh.faceMaterials, mesh.faceMaterials + static_cast<int>(mesh.faceCount));
}

struct LoadTest : SceneBytesTest {
    // Closes and loads the scene; the face materials of its one mesh.
    std::vector<int32_t> loadOneMeshMaterials(ChunkWriter& w)
    {
        w.endScene();
        load(w);
        EXPECT_EQ(scene.meshCount, 1.0f);
        return scene.meshes ? faceMaterials(*scene.meshes) : std::vector<int32_t>{};
    }
};

std::vector<std::string> materialNames(const Scene& scene)
{
    std::vector<std::string> names;
    for (const Material* m = scene.materials; m; m = m->next) names.push_back(m->name);
    return names;
}

TEST_F(LoadTest, MaterialsAreNumberedAndLinkedInFileOrder)
{
    ChunkWriter w;
    w.beginScene();
    w.material("stone", "stone.bmp");
    w.material("wood", "wood.bmp");
    w.material("sky", "sky.bmp");
    w.endScene();
    load(w);
    ASSERT_EQ(scene.materialCount, 3.0f);
    EXPECT_EQ(materialNames(scene), (std::vector<std::string>{"stone", "wood", "sky"}));
    const Material* before = nullptr;
    int n = 0;
    for (const Material* m = scene.materials; m; before = m, m = m->next, ++n) {
        EXPECT_EQ(m->number, n);
        EXPECT_EQ(m->prev, before);
    }
    EXPECT_STREQ(scene.materials->next->mapName, "wood.bmp");
}

TEST_F(LoadTest, LoadingIntoAFilledSceneAppendsAfterItsRecords)
{
    ChunkWriter w;
    w.beginScene();
    w.material("stone", "stone.bmp");
    writeCamera(w, "cam", 1.0f, 60.0f);
    w.endScene();
    load(w);
    load(w);
    EXPECT_EQ(scene.materialCount, 2.0f);
    ASSERT_EQ(scene.cameraCount, 2.0f);
    EXPECT_EQ(scene.materials->next->number, 1);
    EXPECT_EQ(scene.materials->next->prev, scene.materials);
    EXPECT_EQ(cameraByNumber(scene, 2)->prev, scene.cameras);
}

TEST_F(LoadTest, LaterMapNameOfAMaterialWins)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0xAFFF);
    w.text(0xA000, "metal");
    w.begin(0xA200);  // texture map 1
    w.text(0xA300, "first.bmp");
    w.end();
    w.begin(0xA210);  // opacity map
    w.text(0xA300, "second.bmp");
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.materialCount, 1.0f);
    EXPECT_STREQ(scene.materials->mapName, "second.bmp");
}

TEST_F(LoadTest, NameChunkEndsAtItsLengthNotAtItsTerminator)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0xAFFF);
    w.begin(0xA000);
    w.str("abc");
    w.begin(0xA300);  // inside the name chunk, behind the name: not a map name
    w.str("pad.bmp");
    w.end();
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.materialCount, 1.0f);
    EXPECT_STREQ(scene.materials->name, "abc");
    EXPECT_STREQ(scene.materials->mapName, "");
}

TEST_F(LoadTest, MaterialColoursTakeTheLastByteColour)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0xAFFF);
    w.begin(0xA010);
    w.begin(0x0011);
    w.raw({10, 20, 30});
    w.end();
    w.end();
    w.begin(0xA020);
    w.begin(0x0011);
    w.raw({40, 50, 60});
    w.end();
    w.begin(0x0012);  // gamma-corrected colour: not handled
    w.raw({1, 2, 3});
    w.end();
    w.end();
    w.begin(0xA030);
    w.begin(0x0010);  // a float colour leaves the byte colour as it was
    for (float f : {0.1f, 0.2f, 0.3f}) w.f32(f);
    w.end();
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.materialCount, 1.0f);
    const Material& m = *scene.materials;
    EXPECT_EQ(std::vector<float>(m.ambientColour, m.ambientColour + 3), (std::vector<float>{10, 20, 30}));
    EXPECT_EQ(std::vector<float>(m.diffuseColour, m.diffuseColour + 3), (std::vector<float>{40, 50, 60}));
    EXPECT_EQ(std::vector<float>(m.specularColour, m.specularColour + 3), (std::vector<float>{40, 50, 60}));
    EXPECT_STREQ(m.name, "");  // no name chunk: the blank record's name
}


// Materials "a", "b", "c", numbered 0, 1, 2.
void writeMaterialsABC(ChunkWriter& w)
{
    for (const char* name : {"a", "b", "c"}) w.material(name, "map.bmp");
}

TEST_F(LoadTest, MaterialGroupLookupNeverComparesTheLastMaterial)
{
    ChunkWriter w;
    w.beginScene();
    writeMaterialsABC(w);
    writeTriangleObject(w, "byB", "b", 0);
    writeTriangleObject(w, "byC", "c", 0);
    writeTriangleObject(w, "byNone", "zzz", 0);
    writeTriangleObject(w, "byA", "a", 0);
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 4.0f);
    std::vector<int32_t> found;
    for (const Mesh* m = scene.meshes; m; m = m->next) found.push_back(m->faceMaterials[0]);
    EXPECT_EQ(found, (std::vector<int32_t>{1, 2, 2, 0}));
}

TEST_F(LoadTest, SingleMaterialIsTakenWhateverTheGroupName)
{
    ChunkWriter w;
    w.beginScene();
    w.material("only", "only.bmp");
    writeTriangleObject(w, "tri", "other", 0);
    EXPECT_EQ(loadOneMeshMaterials(w), std::vector<int32_t>{0});
}

// Decided in groupMaterial: a group met before any material gives material 0.
TEST_F(LoadTest, MaterialGroupBeforeAnyMaterialGivesMaterialZero)
{
    ChunkWriter w;
    w.beginScene();
    writeTriangleObject(w, "early", "later", 0);
    w.material("later", "later.bmp");
    EXPECT_EQ(loadOneMeshMaterials(w), std::vector<int32_t>{0});
}

TEST_F(LoadTest, SmoothingGroupsFirstSetNoFaceMaterialList)
{
    ChunkWriter w;
    w.beginScene();
    writeMaterialsABC(w);
    writeTriangleObject(w, "grouped", "b", 0);
    w.begin(0x4000);
    w.str("smooth");
    w.begin(0x4100);
    writeVertices(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    w.begin(0x4120);
    w.u16(2);
    for (uint16_t i : {0, 1, 2, 0, 1, 3, 2, 0}) w.u16(i);
    w.begin(0x4150);
    w.u32(1);
    w.u32(1);
    w.end();
    w.begin(0x4130);  // a group after the smoothing groups is not examined
    w.str("c");
    w.u16(2);
    w.u16(0);
    w.u16(1);
    w.end();
    w.end();
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 2.0f);
    // The one-entry list of the mesh before stays current; the second face takes its last entry.
    EXPECT_EQ(faceMaterials(*scene.meshes->next), (std::vector<int32_t>{1, 1}));
}

TEST_F(LoadTest, MaterialGroupDirectlyInTheMeshIsSkipped)
{
    ChunkWriter w;
    w.beginScene();
    w.material("a", "a.bmp");
    w.material("b", "b.bmp");
    w.begin(0x4000);
    w.str("loose");
    w.begin(0x4100);
    writeVertices(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    writeFaces(w, {{{0, 1, 2}}});
    writeMapping(w, {{0, 0}});  // right behind the face list the group would be examined
    w.begin(0x4130);
    w.str("b");
    w.u16(1);
    w.u16(0);
    w.end();
    w.end();
    w.end();
    EXPECT_EQ(loadOneMeshMaterials(w), std::vector<int32_t>{0});
}

TEST_F(LoadTest, ObjectNamesNameTheirRecords)
{
    ChunkWriter w;
    w.beginScene();
    writeTriangleObject(w, "", "m", 0);
    writeTriangleObject(w, "thirteen_char", "m", 0);  // cut to 11; "r" and 0 keep the steps even
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 2.0f);
    EXPECT_STREQ(scene.meshes->name, "Default name");
    EXPECT_STREQ(scene.meshes->next->name, "thirteen_ch");
}

TEST_F(LoadTest, OddRestOfACutObjectNameHidesItsMesh)
{
    ChunkWriter w;
    w.beginScene();
    writeTriangleObject(w, "fourteenchars!", "m", 0);  // "s!" and 0 left: the steps fall off
    w.endScene();
    load(w);
    EXPECT_EQ(scene.meshCount, 0.0f);
}

TEST_F(LoadTest, LocalFrameCarriesOverToAMeshWithoutOne)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("first");
    w.begin(0x4100);
    writeVertices(w, {{12, 3, 4}, {11, 0, 0}, {10, 1, 0}});
    writeFaces(w, {{{0, 1, 2}}});
    writeLocalAxes(w, {10, 0, 0});
    w.end();
    w.end();
    w.begin(0x4000);
    w.str("second");
    w.begin(0x4100);
    writeVertices(w, {{10, 0, 5}, {11, 0, 5}, {10, 1, 5}});
    writeFaces(w, {{{0, 1, 2}}});
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 2.0f);
    const Mesh& second = *scene.meshes->next;
    EXPECT_EQ(second.localFrame[3][0], 10.0f);
    EXPECT_EQ(second.localFrame[3][3], 1.0f);
    EXPECT_EQ(second.corners[0].position.x, 0.0f);
    EXPECT_EQ(second.corners[0].position.z, 5.0f);
    const Vec3 p = scene.meshes->corners[0].position;
    EXPECT_EQ(std::vector<float>({p.x, p.y, p.z}), (std::vector<float>{2, 3, 4}));
}

TEST_F(LoadTest, FirstMeshWithoutLocalAxesHasAZeroFrame)
{
    ChunkWriter w;
    w.beginScene();
    writeTriangleObject(w, "plain", "m", 7);
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 1.0f);
    for (const auto& row : scene.meshes->localFrame)
        for (float f : row) EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(scene.meshes->corners[0].position.z, 7.0f);
}

TEST_F(LoadTest, MeshListsMayComeInAnyOrder)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("backwards");
    w.begin(0x4100);
    writeLocalAxes(w, {0, 0, 1});
    writeFaces(w, {{{2, 1, 0}}});
    writeMapping(w, {{0.5f, 0.25f}, {1, 1}, {0, 0}});
    writeVertices(w, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}});
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 1.0f);
    const Mesh& m = *scene.meshes;
    ASSERT_EQ(m.cornerCount, 3.0f);
    EXPECT_EQ(m.corners[2].u, 0.5f);
    EXPECT_EQ(m.corners[2].v, 0.25f);
    EXPECT_EQ(m.corners[2].position.z, 0.0f);  // recentred on the origin (0, 0, 1)
    EXPECT_EQ(m.corners[0].normal.z, -1.0f);   // clockwise seen from +z
}

void writeLight(ChunkWriter& w, const char* name, bool spot)
{
    w.begin(0x4000);
    w.str(name);
    w.begin(0x4600);
    for (float f : {1.0f, 2.0f, 3.0f}) w.f32(f);
    w.begin(0x0010);
    for (float f : {0.5f, 0.25f, 1.0f}) w.f32(f);
    w.end();
    if (spot) {
        w.begin(0x4610);
        for (float f : {4.0f, 5.0f, 6.0f, 30.0f, 45.0f}) w.f32(f);
        w.begin(0x4651);  // spot rectangular flag: nested, not handled
        w.end();
        w.end();
    }
    w.begin(0x4620);
    w.u8(1);
    w.end();
    w.end();
    w.end();
}

TEST_F(LoadTest, LightKindsAndColours)
{
    ChunkWriter w;
    w.beginScene();
    writeLight(w, "spot", true);
    writeLight(w, "omni", false);
    w.begin(0x4000);
    w.str("bytecol");
    w.begin(0x4600);
    for (float f : {0.0f, 0.0f, 9.0f}) w.f32(f);
    w.begin(0x0011);  // a 24-bit colour leaves the light the last float colour
    w.raw({255, 0, 0});
    w.end();
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.lightCount, 3.0f);
    const SceneLight& spot = *scene.lights;
    EXPECT_STREQ(spot.name, "spot");
    EXPECT_EQ(spot.kind, kSpotLight);
    EXPECT_EQ(spot.position.z, 3.0f);
    EXPECT_EQ(spot.spotTarget.y, 5.0f);
    EXPECT_EQ(spot.hotspot, 30.0f);
    EXPECT_EQ(spot.falloff, 45.0f);
    for (const auto& slot : spot.lightColours)
        EXPECT_EQ(std::vector<float>(slot, slot + 4), (std::vector<float>{0.5f, 0.25f, 1.0f, 1.0f}));
    EXPECT_EQ(spot.next->kind, kOtherLight);
    const SceneLight& byteLit = *spot.next->next;
    EXPECT_STREQ(byteLit.name, "bytecol");
    EXPECT_EQ(byteLit.position.z, 9.0f);
    EXPECT_EQ(byteLit.lightColours[2][0], 0.5f);
}

TEST_F(LoadTest, CameraWithSubChunksEqualsThePlainOne)
{
    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "plain", 7.0f, 45.0f);
    w.begin(0x4000);
    w.str("ranged");
    w.begin(0x4700);
    for (float f : {7.0f, 0.0f, 0.0f, 1.0f, 2.0f, 3.0f, 0.5f, 45.0f}) w.f32(f);
    w.begin(0x4720);  // camera ranges
    w.f32(1.0f);
    w.f32(1000.0f);
    w.end();
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.cameraCount, 2.0f);
    const SceneCamera* a = cameraByNumber(scene, 1);
    const SceneCamera* b = cameraByNumber(scene, 2);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(cameraByNumber(scene, 3), nullptr);
    EXPECT_STREQ(b->name, "ranged");
    EXPECT_EQ(std::memcmp(&a->eye, &b->eye, offsetof(SceneCamera, name)), 0);
    EXPECT_EQ(a->eye.x, 7.0f);
    EXPECT_EQ(a->target.z, 3.0f);
    EXPECT_EQ(a->bank, 0.5f);
    EXPECT_EQ(a->lens, 45.0f);
}

TEST_F(LoadTest, TrailingBytesAfterTheMainChunkChangeNothing)
{
    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "cam", 1.0f, 60.0f);
    w.endScene();
    w.header(0x4000, 40);  // would be an object, were it inside the editor
    writeCamera(w, "extra", 2.0f, 60.0f);
    load(w);
    EXPECT_EQ(scene.cameraCount, 1.0f);
    EXPECT_STREQ(scene.cameras->name, "cam");
}

TEST_F(LoadTest, VersionByteAtOffset28MustBeThreeOrMore)
{
    for (uint8_t version : {2, 3}) {
        ChunkWriter w;
        w.beginScene();
        writeCamera(w, "cam", 1.0f, 60.0f);
        w.endScene();
        ASSERT_EQ(w.bytes[28], 3);
        w.bytes[28] = version;
        releaseScene(scene);
        load(w);
        EXPECT_EQ(scene.cameraCount, version >= 3 ? 1.0f : 0.0f) << int(version);
    }
}

TEST_F(LoadTest, FileNotStartingWithTheMainChunkLoadsNothing)
{
    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "cam", 1.0f, 60.0f);
    w.endScene();
    w.bytes[0] = 0x4C;
    load(w);
    EXPECT_EQ(scene.cameraCount, 0.0f);
}

int openDescriptors()
{
    int count = 0;
    DIR* dir = opendir("/proc/self/fd");
    while (readdir(dir)) ++count;
    closedir(dir);
    return count;
}

TEST(LoadFile, MissingFileGivesMinusOneAndReadFileOneWithTheFileClosed)
{
    Scene scene;
    clear(scene);
    EXPECT_FALSE(load3ds(scene, "/nonexistent/scenedemo.3DS"));
    EXPECT_EQ(scene.meshCount + scene.cameraCount + scene.lightCount + scene.materialCount, 0.0f);

    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "cam", 1.0f, 60.0f);
    w.endScene();
    char path[] = "/tmp/z3d_sceneXXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, w.bytes.data(), w.bytes.size()), static_cast<ssize_t>(w.bytes.size()));
    close(fd);
    const int before = openDescriptors();
    EXPECT_TRUE(load3ds(scene, path));
    EXPECT_EQ(openDescriptors(), before);
    unlink(path);
    ASSERT_EQ(scene.cameraCount, 1.0f);
    EXPECT_STREQ(scene.cameras->name, "cam");
    releaseScene(scene);
}

}  // namespace
