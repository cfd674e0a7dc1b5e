#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "scene_bytes.h"
#include "scene_json.h"

namespace {

std::string nameJson(const char* text)
{
    char field[kNameSize] = {};
    std::strncpy(field, text, kNameSize - 1);
    return jsonName(field);
}

TEST(SceneJson, NamesAreEscapedToPlainAscii)
{
    EXPECT_EQ(nameJson("Box01"), "\"Box01\"");
    EXPECT_EQ(nameJson("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(nameJson("C:\\maps\\a.bmp"), "\"C:\\\\maps\\\\a.bmp\"");
    EXPECT_EQ(nameJson("a\nb\tc\x01\x1f\x7f"), "\"a\\nb\\tc\\u0001\\u001f\\u007f\"");
    EXPECT_EQ(nameJson("caf\xe9"), "\"caf\\u00e9\"");  // Latin-1 é
    char full[kNameSize];
    std::memset(full, 'x', sizeof full);  // no terminator: the field's 100 bytes bound it
    EXPECT_EQ(jsonName(full), "\"" + std::string(kNameSize, 'x') + "\"");
}

TEST(SceneJson, FloatsReadBackExactlyAndNonFiniteIsNull)
{
    for (float f : {0.1f, 1.0f / 3.0f, -2.5e-38f, FLT_MAX, FLT_TRUE_MIN, 16777217.0f, 1e10f}) {
        const std::string text = jsonFloat(f);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), f) << text;
    }
    EXPECT_EQ(jsonFloat(12.0f), "12");
    EXPECT_EQ(jsonFloat(NAN), "null");
    EXPECT_EQ(jsonFloat(-INFINITY), "null");
}

struct SceneJsonFile : SceneBytesTest {
    void loadSmallScene()
    {
        ChunkWriter w;
        w.beginScene();
        w.begin(0xAFFF);
        w.text(0xA000, "Red \"one\"");
        w.begin(0xA020);
        w.begin(0x0011);
        w.raw({255, 0, 1});
        w.end();
        w.end();
        w.end();
        w.begin(0x4000);
        w.str("tri");
        w.begin(0x4100);
        writeVertices(w, {{1, 0, 0}, {2, 0, 0}, {1, 1, 0}});
        writeMapping(w, {{0.5f, 0.25f}, {1, 0}, {0, 1}});
        writeFaces(w, {{{0, 1, 2}}}, "Red \"one\"");
        writeLocalAxes(w, {1, 0, 0});
        w.end();
        w.end();
        w.begin(0x4000);
        w.str("lamp");
        w.begin(0x4600);
        for (float f : {0.0f, 0.0f, 10.0f}) w.f32(f);
        w.begin(0x0010);
        for (float f : {1.0f, 0.5f, 0.1f}) w.f32(f);
        w.end();
        w.end();
        w.end();
        writeCamera(w, "cam", 3.0f, 45.0f);
        w.endScene();
        load(w);
    }
};

TEST_F(SceneJsonFile, WholeSceneInListOrder)
{
    loadSmallScene();
    EXPECT_EQ(sceneJson(scene, false),
              "{\"materials\":[{\"number\":0,\"name\":\"Red \\\"one\\\"\",\"mapName\":\"\","
              "\"ambient\":[0,0,0],\"diffuse\":[255,0,1],\"specular\":[0,0,0]}],"
              "\"meshes\":[{\"name\":\"tri\",\"faceCount\":1,\"cornerCount\":3,"
              "\"origin\":[1,0,0],\"faceMaterials\":[0]}],"
              "\"lights\":[{\"name\":\"lamp\",\"kind\":2,\"position\":[0,0,10],"
              "\"spotTarget\":null,\"hotspot\":0,\"falloff\":0,"
              "\"colour\":[1,0.5,0.100000001,1]}],"
              "\"cameras\":[{\"name\":\"cam\",\"eye\":[3,0,0],\"target\":[1,2,3],"
              "\"lens\":45,\"bank\":0.5}]}");
}

TEST_F(SceneJsonFile, CornersListPositionNormalAndTextureCoordinate)
{
    loadSmallScene();
    const std::string json = sceneJson(scene, true);
    EXPECT_NE(json.find("\"faceMaterials\":[0],\"corners\":[[0,0,0,0,0,1,0.5,0.25],"
                        "[1,0,0,0,0,1,1,0],[0,1,0,0,0,1,0,1]]}"),
              std::string::npos)
        << json;
}

TEST(SceneJson, EmptySceneHasFourEmptyLists)
{
    Scene scene;
    clear(scene);
    EXPECT_EQ(sceneJson(scene, true), "{\"materials\":[],\"meshes\":[],\"lights\":[],\"cameras\":[]}");
}

}  // namespace
