#include <gtest/gtest.h>

#include "scene/chunk_ids.h"
#include "chunk_tree.h"
#include "scene_layout.h"
#include "write_3ds.h"

namespace {

struct Generated {
    SceneDesc scene = buildScene();
    std::vector<uint8_t> bytes = write3ds(scene);
    ChunkNode root;
    bool parsed = parseChunk(bytes, 0, bytes.size(), root);
};

const Generated& generated()
{
    static const Generated g;
    return g;
}

ByteView view() { return {generated().bytes}; }

void expectVec3(size_t at, const Vec3& v)
{
    EXPECT_EQ(view().f32(at), v.x);
    EXPECT_EQ(view().f32(at + 4), v.y);
    EXPECT_EQ(view().f32(at + 8), v.z);
}

const ChunkNode& editor() { return *generated().root.child(chunk::kEditor); }

TEST(Write3ds, LaidOutAsAModellingPackageWritesIt)
{
    const Generated& g = generated();
    ASSERT_TRUE(g.parsed);
    EXPECT_EQ(g.root.id, chunk::kMain);
    EXPECT_EQ(g.root.length, g.bytes.size());
    ASSERT_EQ(g.root.children.size(), 3u);
    EXPECT_EQ(g.root.children[0].id, chunk::kVersion);
    EXPECT_EQ(g.root.children[0].length, 10u);  // stepped over in five two-byte steps
    EXPECT_EQ(g.root.children[1].id, chunk::kEditor);
    EXPECT_EQ(g.root.children[1].offset, 16u);
    EXPECT_EQ(g.root.children[2].id, chunk::kKeyframer);
    ASSERT_EQ(editor().children.front().id, chunk::kMeshVersion);
    EXPECT_GE(g.bytes[28], 3);  // the mesh version, which the loader insists on
}

TEST(Write3ds, MaterialsWithNamesColoursAndMapFiles)
{
    auto materials = editor().all(chunk::kMaterial);
    ASSERT_EQ(materials.size(), generated().scene.materials.size());
    for (size_t i = 0; i < materials.size(); ++i) {
        const MaterialDesc& want = generated().scene.materials[i];
        const ChunkNode& m = *materials[i];
        ASSERT_TRUE(m.child(chunk::kMaterialName));
        EXPECT_EQ(view().str(m.child(chunk::kMaterialName)->data), want.name);
        const ChunkNode* diffuse = m.child(chunk::kDiffuse);
        ASSERT_TRUE(diffuse && diffuse->child(chunk::kByteColour));
        for (int c = 0; c < 3; ++c) EXPECT_EQ(generated().bytes[diffuse->child(chunk::kByteColour)->data + c], want.diffuse[c]);
        const ChunkNode* map = m.child(chunk::kTextureMap);
        ASSERT_TRUE(map && map->child(chunk::kMapFileName));
        EXPECT_EQ(view().str(map->child(chunk::kMapFileName)->data), want.mapFile);
    }
}

TEST(Write3ds, ObjectsInSceneOrderWithTheirNames)
{
    auto objects = editor().all(chunk::kObject);
    const SceneDesc& scene = generated().scene;
    ASSERT_EQ(objects.size(), scene.objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjectEntry& e = scene.objects[i];
        std::string name = e.kind == ObjectKind::mesh    ? scene.meshes[e.index].name
                           : e.kind == ObjectKind::light ? scene.lights[e.index].name
                                                         : scene.cameras[e.index].name;
        EXPECT_EQ(view().str(objects[i]->data), name);
        uint16_t body = e.kind == ObjectKind::mesh ? chunk::kTriangleMesh : e.kind == ObjectKind::light ? chunk::kLight : chunk::kCamera;
        ASSERT_EQ(objects[i]->children.size(), 1u);
        EXPECT_EQ(objects[i]->children[0].id, body);
    }
}

void checkMesh(const ChunkNode& trimesh, const MeshData& mesh, const std::string& materialName)
{
    SCOPED_TRACE(mesh.name);
    const ChunkNode *vertices = trimesh.child(chunk::kVertexList), *mapping = trimesh.child(chunk::kMappingList);
    const ChunkNode *faces = trimesh.child(chunk::kFaceList), *axes = trimesh.child(chunk::kLocalAxes);
    ASSERT_TRUE(vertices && mapping && faces && axes);
    ASSERT_EQ(view().u16(vertices->data), mesh.positions.size());
    expectVec3(vertices->data + 2, mesh.positions.front());
    expectVec3(vertices->data + 2 + 12 * (mesh.positions.size() - 1), mesh.positions.back());
    EXPECT_EQ(view().u16(mapping->data), mesh.texCoords.size());
    EXPECT_EQ(view().f32(mapping->data + 2 + 8 * (mesh.texCoords.size() - 1) + 4), mesh.texCoords.back().v);
    expectVec3(axes->data + 36, mesh.origin);
    ASSERT_EQ(view().u16(faces->data), mesh.faces.size());
    EXPECT_EQ(view().u16(faces->data + 2 + 8 * (mesh.faces.size() - 1) + 4), mesh.faces.back()[2]);
    // The loader looks only at the face list's first sub-chunk for the material group.
    ASSERT_FALSE(faces->children.empty());
    const ChunkNode& group = faces->children.front();
    ASSERT_EQ(group.id, chunk::kMaterialGroup);
    EXPECT_EQ(view().str(group.data), materialName);
    EXPECT_EQ(view().u16(group.data + materialName.size() + 1), mesh.faces.size());
}

TEST(Write3ds, MeshListsMatchTheMeshes)
{
    const SceneDesc& scene = generated().scene;
    auto objects = editor().all(chunk::kObject);
    for (size_t i = 0; i < objects.size(); ++i)
        if (scene.objects[i].kind == ObjectKind::mesh) {
            const MeshData& mesh = scene.meshes[scene.objects[i].index];
            checkMesh(objects[i]->children[0], mesh, scene.materials[mesh.material].name);
        }
}

TEST(Write3ds, LightsAndCameras)
{
    const SceneDesc& scene = generated().scene;
    auto objects = editor().all(chunk::kObject);
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChunkNode& body = objects[i]->children[0];
        if (scene.objects[i].kind == ObjectKind::light) {
            const LightDesc& light = scene.lights[scene.objects[i].index];
            expectVec3(body.data, light.position);
            const ChunkNode* spot = body.child(chunk::kSpotlight);
            ASSERT_EQ(spot != nullptr, light.spot) << light.name;
            if (spot) expectVec3(spot->data, light.target);
        } else if (scene.objects[i].kind == ObjectKind::camera) {
            const CameraDesc& camera = scene.cameras[scene.objects[i].index];
            expectVec3(body.data, camera.eye);
            expectVec3(body.data + 12, camera.target);
            EXPECT_EQ(view().f32(body.data + 28), camera.lens);
        }
    }
}

TEST(Write3ds, KeyframerHasANodePerMesh)
{
    const ChunkNode& keyframer = *generated().root.child(chunk::kKeyframer);
    EXPECT_TRUE(keyframer.child(chunk::kKeyframerHeader));
    EXPECT_TRUE(keyframer.child(chunk::kFrames));
    EXPECT_EQ(keyframer.all(chunk::kMeshNode).size(), generated().scene.meshes.size());
}

TEST(Write3ds, SameBytesEveryRun)
{
    EXPECT_EQ(write3ds(buildScene()), generated().bytes);
}

}  // namespace
