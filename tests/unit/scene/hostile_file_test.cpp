#include <gtest/gtest.h>

#include <string>

#include "scene_bytes.h"

namespace {

using HostileFileTest = SceneBytesTest;

// Decided in openChunk: a length below 6 counts as 6, so the walk does not return to the same id.
TEST_F(HostileFileTest, ZeroLengthMaterialIsReadOnce)
{
    ChunkWriter w;
    w.beginScene();
    w.header(0xAFFF, 0);
    for (int i = 0; i < 100; ++i) w.u16(0);
    writeCamera(w, "after", 1.0f, 50.0f);
    w.endScene();
    load(w);
    EXPECT_EQ(scene.materialCount, 1.0f);
    ASSERT_EQ(scene.cameraCount, 1.0f);
    EXPECT_STREQ(scene.cameras->name, "after");
}

// Decided in startReading: chunks that reach far past their parents would make every one of many
// small parents re-walk most of the file; the read budget ends such a load.
TEST_F(HostileFileTest, OverlappingChunksCannotMakeTheLoadRunOn)
{
    ChunkWriter w;
    w.beginScene();
    // Each unit is a material whose ambient colour chunk claims 569343 bytes (its length is
    // made of the next units), so each material walks half a megabyte.
    for (int i = 0; i < 80000; ++i) w.raw({0xFF, 0xAF, 0x08, 0x00, 0x00, 0x00, 0x10, 0xA0});
    w.endScene();
    load(w);
    EXPECT_TRUE(reader.ended);
    EXPECT_GE(scene.materialCount, 1.0f);
    EXPECT_LT(scene.materialCount, 100.0f);
}

TEST_F(HostileFileTest, MainChunkLongerThanTheFileLoadsWhatIsThere)
{
    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "cam", 1.0f, 50.0f);
    w.endScene();
    w.patch32(2, 0xFFFFFFFF);
    w.patch32(18, 0xFFFFFFFF);  // the editor too
    load(w);
    EXPECT_TRUE(reader.ended);
    EXPECT_EQ(scene.cameraCount, 1.0f);
}

TEST_F(HostileFileTest, LongGroupNameIsReadWholeAndItsEntriesAfterIt)
{
    const std::string longName(150, 'M');
    ChunkWriter w;
    w.beginScene();
    w.material("first", "first.bmp");
    w.material(longName.substr(0, kNameSize - 1).c_str(), "long.bmp");
    w.material("last", "last.bmp");
    w.begin(0x4000);
    w.str("tri");
    w.begin(0x4100);
    writeVertices(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    writeFaces(w, {{{0, 1, 2}}, {{2, 1, 0}}}, longName.c_str());
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 1.0f);
    EXPECT_STREQ(scene.meshes->name, "tri");  // the object's name survives the group's
    ASSERT_EQ(state.faceMaterials.size(), 2u);
    EXPECT_EQ(state.faceMaterials[1].face, 1);
    // the name is cut to the field, so it matches the material of the cut name
    EXPECT_EQ(scene.meshes->faceMaterials[0], 1);
}

// Decided in faceFits, through the whole loader: indices past the vertex list drop their face.
TEST_F(HostileFileTest, FaceIndicesPastTheVertexListAreDropped)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("bad");
    w.begin(0x4100);
    writeVertices(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    writeFaces(w, {{{0, 1, 65535}}, {{0, 1, 2}}, {{3, 0, 1}}});
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 1.0f);
    EXPECT_EQ(scene.meshes->faceCount, 1.0f);
    EXPECT_EQ(scene.meshes->corners[2].position.y, 1.0f);
}

TEST_F(HostileFileTest, CountsLargerThanTheFileStopAtItsEnd)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("huge");
    w.begin(0x4100);
    w.begin(0x4110);
    w.u16(65535);
    for (float f : {1.0f, 2.0f, 3.0f, 4.0f}) w.f32(f);
    for (int i = 0; i < 3; ++i) w.end();
    w.endScene();
    load(w);  // the file ends inside the vertex list: one whole vertex and a part of the next
    EXPECT_EQ(state.vertices.size(), 1u);
    EXPECT_EQ(scene.meshCount, 1.0f);
    EXPECT_EQ(scene.meshes->faceCount, 0.0f);
}

TEST_F(HostileFileTest, TruncatedLightAndCameraAreNotAppended)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("cam");
    w.begin(0x4700);
    for (int i = 0; i < 7; ++i) w.f32(1.0f);  // the lens is missing
    for (int i = 0; i < 2; ++i) w.end();
    w.endScene();
    ChunkWriter light;
    light.beginScene();
    light.begin(0x4000);
    light.str("lamp");
    light.begin(0x4600);
    light.f32(1.0f);
    light.f32(2.0f);  // z is missing
    for (int i = 0; i < 2; ++i) light.end();
    light.endScene();
    load(w);
    EXPECT_EQ(scene.cameraCount, 0.0f);
    load(light);
    EXPECT_EQ(scene.lightCount, 0.0f);
}

}  // namespace
