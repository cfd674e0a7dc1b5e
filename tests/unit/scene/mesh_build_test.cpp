#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/append_copy.h"
#include "scene/mesh_build.h"

namespace {

constexpr char kName[kNameSize] = "box";

struct MeshBuildTest : ::testing::Test {
    LoaderState state;
    Scene scene;

    MeshBuildTest() { clear(scene); }
    ~MeshBuildTest() override { releaseScene(scene); }

    void setVertices(std::initializer_list<Vec3> positions)
    {
        state.vertices.clear();
        for (const Vec3& p : positions) state.vertices.push_back({p, {}, 0.0f, 0.0f});
    }
    const Mesh& build()
    {
        computeNormals(state);
        Mesh* last = lastRecord(scene.meshes);
        buildMesh(state, kName, scene, last);
        EXPECT_EQ(last, lastRecord(scene.meshes));
        return *last;
    }
};

void expectVec(const Vec3& v, float x, float y, float z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

TEST_F(MeshBuildTest, CounterClockwiseFaceHasTheNormalTowardsTheViewer)
{
    setVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    state.faces = {{{0, 1, 2}}};
    const Mesh& m = build();
    for (int k = 0; k < 3; ++k) expectVec(m.corners[k].normal, 0, 0, 1);
}

TEST_F(MeshBuildTest, SharedVertexTakesTheNormalOfTheLaterFace)
{
    setVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    state.faces = {{{0, 1, 2}}, {{0, 3, 1}}};  // +z face, then a face in the y = 0 plane
    const Mesh& m = build();
    ASSERT_EQ(m.cornerCount, 6.0f);
    expectVec(m.corners[0].normal, 0, 1, 0);  // vertex 0, made from the later face
    expectVec(m.corners[1].normal, 0, 1, 0);  // vertex 1 too
    expectVec(m.corners[2].normal, 0, 0, 1);   // vertex 2 belongs to the first face only
    expectVec(m.corners[4].normal, 0, 1, 0);
}

// Decided in unitOrZero: collinear corners give a zero normal, not NaN.
TEST_F(MeshBuildTest, DegenerateFaceGetsAZeroNormal)
{
    setVertices({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {5, 5, 5}, {1e-30f, 0, 0}, {0, 1e-30f, 0}});
    state.faces = {{{0, 1, 2}}, {{3, 3, 3}}, {{0, 4, 5}}};  // collinear, one point, underflowing
    const Mesh& m = build();
    for (int k = 0; k < m.cornerCount; ++k) {
        expectVec(m.corners[k].normal, 0, 0, 0);
        EXPECT_FALSE(std::isnan(m.corners[k].normal.x));
    }
}

TEST_F(MeshBuildTest, TwelveFacesMakeThirtySixCornersInFaceOrder)
{
    setVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}});
    state.faces = {{{0, 2, 1}}, {{0, 3, 2}}, {{4, 5, 6}}, {{4, 6, 7}}, {{0, 1, 5}}, {{0, 5, 4}},
                   {{1, 2, 6}}, {{1, 6, 5}}, {{2, 3, 7}}, {{2, 7, 6}}, {{3, 0, 4}}, {{3, 4, 7}}};
    state.mapping = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 1}};
    state.faceMaterials = {};
    for (int j = 0; j < 12; ++j) state.faceMaterials.push_back({j, j % 2});
    const Mesh& m = build();
    EXPECT_EQ(m.faceCount, 12.0f);
    EXPECT_EQ(m.cornerCount, 36.0f);
    EXPECT_STREQ(m.name, "box");
    for (int k = 0; k < 36; ++k) {
        const MeshCorner& vertex = state.vertices[state.faces[k / 3].corner[k % 3]];
        EXPECT_EQ(m.corners[k].position.x, vertex.position.x);
        EXPECT_EQ(m.corners[k].u, vertex.u);
    }
    EXPECT_EQ(m.corners[35].position.z, 1.0f);
    EXPECT_EQ(m.corners[35].v, 1.0f);
    EXPECT_EQ(m.faceMaterials[11], 1);
    EXPECT_EQ(m.faceMaterials[10], 0);
}

// Decided in faceFits: a face naming a vertex past the list is dropped with its material entry.
TEST_F(MeshBuildTest, FaceWithAVertexIndexPastTheListIsDropped)
{
    setVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    state.faces = {{{0, 1, 2}}, {{0, 1, 3}}, {{2, 1, 0}}};
    state.faceMaterials = {{0, 4}, {1, 5}, {2, 6}};
    const Mesh& m = build();
    ASSERT_EQ(m.faceCount, 2.0f);
    EXPECT_EQ(m.cornerCount, 6.0f);
    EXPECT_EQ(m.faceMaterials[0], 4);
    EXPECT_EQ(m.faceMaterials[1], 6);
    expectVec(m.corners[3].position, 0, 1, 0);
}

// Decided in buildMesh and materialOfFace: vertices past a short mapping list get u, v of 0;
// faces past a short material list take its last entry.
TEST_F(MeshBuildTest, ShortMappingAndMaterialListsAreFilledIn)
{
    setVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    state.faces = {{{0, 1, 2}}, {{1, 3, 2}}, {{3, 0, 1}}};
    state.mapping = {{0.5f, 0.5f}, {0.25f, 0.75f}};
    state.faceMaterials = {{0, 3}, {1, 2}};
    const Mesh& m = build();
    EXPECT_EQ(m.corners[1].u, 0.25f);
    EXPECT_EQ(m.corners[2].u, 0.0f);
    EXPECT_EQ(m.corners[2].v, 0.0f);
    EXPECT_EQ(m.corners[4].u, 0.0f);  // vertex 3
    EXPECT_EQ(std::vector<int32_t>(m.faceMaterials, m.faceMaterials + 3),
              (std::vector<int32_t>{3, 2, 2}));
    state.faceMaterials.clear();
    const Mesh& bare = build();
    EXPECT_EQ(std::vector<int32_t>(bare.faceMaterials, bare.faceMaterials + 3),
              (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(MeshBuildTest, MeshWithoutFacesIsEmpty)
{
    const Mesh& m = build();
    EXPECT_EQ(m.faceCount, 0.0f);
    EXPECT_EQ(m.cornerCount, 0.0f);
    EXPECT_EQ(scene.meshCount, 1.0f);
}

TEST_F(MeshBuildTest, RecentringSubtractsTheOriginFromPositionsOnly)
{
    setVertices({{12, 3, 4}, {11, 0, 0}, {10, 1, 0}});
    state.faces = {{{0, 1, 2}}};
    state.mapping = {{0.5f, 0.5f}, {1, 0}, {0, 1}};
    state.localFrame[3][0] = 10.0f;
    const Mesh& m = build();
    const Vec3 normal = m.corners[0].normal;
    recentreMeshes(scene);
    expectVec(m.corners[0].position, 2, 3, 4);
    expectVec(m.corners[1].position, 1, 0, 0);
    expectVec(m.corners[0].normal, normal.x, normal.y, normal.z);
    EXPECT_EQ(m.corners[0].u, 0.5f);
}

TEST(SceneLists, ClearLeavesNothingAndNoCamera)
{
    Scene scene;
    std::memset(&scene, 0x5A, sizeof scene);
    clear(scene);
    EXPECT_EQ(scene.lightCount + scene.meshCount + scene.cameraCount + scene.materialCount, 0.0f);
    EXPECT_EQ(scene.lights, nullptr);
    EXPECT_EQ(scene.meshes, nullptr);
    EXPECT_EQ(scene.materials, nullptr);
    EXPECT_EQ(scene.selectedCamera, nullptr);
    EXPECT_EQ(cameraByNumber(scene, 1), nullptr);
}

TEST(SceneLists, AppendCopyLinksBothWaysAndCameraByNumberCountsFromOne)
{
    Scene scene;
    clear(scene);
    SceneCamera working{};
    for (float lens : {10.0f, 20.0f, 30.0f}) {
        working.lens = lens;
        working.next = &working;  // the copy gets its own links
        appendCopy(scene.cameras, scene.cameraCount, working);
    }
    EXPECT_EQ(scene.cameraCount, 3.0f);
    EXPECT_EQ(cameraByNumber(scene, 1)->lens, 10.0f);
    EXPECT_EQ(cameraByNumber(scene, 3)->lens, 30.0f);
    EXPECT_EQ(cameraByNumber(scene, 3)->next, nullptr);
    EXPECT_EQ(cameraByNumber(scene, 3)->prev, cameraByNumber(scene, 2));
    EXPECT_EQ(cameraByNumber(scene, 1)->prev, nullptr);
    EXPECT_EQ(cameraByNumber(scene, 4), nullptr);
    EXPECT_EQ(cameraByNumber(scene, 0), nullptr);
    EXPECT_EQ(cameraByNumber(scene, -1), nullptr);
    releaseScene(scene);
    EXPECT_EQ(scene.cameras, nullptr);
    EXPECT_EQ(scene.cameraCount, 0.0f);
}

}  // namespace
