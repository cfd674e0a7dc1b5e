// The generated scene file read back by the demo's own loader: everything the generator
// put in must come out, in place, whatever the loader's walk makes of the file's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "scene/load3ds.h"
#include "scene_layout.h"
#include "write_3ds.h"

namespace {

struct Loaded {
    SceneDesc desc = buildScene();
    std::vector<uint8_t> bytes = write3ds(desc);
    Scene scene;
    Loaded()
    {
        clear(scene);
        FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
        ChunkReader reader;
        LoaderState state;
        read3ds(scene, file, reader, state);
        std::fclose(file);
    }
    ~Loaded() { releaseScene(scene); }
};

const Loaded& loaded()
{
    static const Loaded l;
    return l;
}

void expectNear(const Vec3& got, const Vec3& want, float tolerance)
{
    EXPECT_NEAR(got.x, want.x, tolerance);
    EXPECT_NEAR(got.y, want.y, tolerance);
    EXPECT_NEAR(got.z, want.z, tolerance);
}

TEST(LoadedScene, MaterialsArriveNumberedWithTheirMapFiles)
{
    const Scene& s = loaded().scene;
    ASSERT_EQ(s.materialCount, 21.0f);
    int i = 0;
    for (const Material* m = s.materials; m; m = m->next, ++i) {
        const MaterialDesc& want = loaded().desc.materials[i];
        EXPECT_EQ(m->number, i);
        EXPECT_STREQ(m->name, want.name.c_str());
        EXPECT_STREQ(m->mapName, want.mapFile.c_str());
        EXPECT_EQ(m->diffuseColour[1], float(want.diffuse[1]));
    }
}

TEST(LoadedScene, EveryMeshArrivesWithItsCornersInPlace)
{
    const Scene& s = loaded().scene;
    const std::vector<MeshData>& meshes = loaded().desc.meshes;
    ASSERT_EQ(s.meshCount, float(meshes.size()));
    size_t i = 0;
    for (const Mesh* m = s.meshes; m; m = m->next, ++i) {
        const MeshData& want = meshes[i];
        SCOPED_TRACE(want.name);
        EXPECT_STREQ(m->name, want.name.c_str());
        ASSERT_EQ(m->faceCount, float(want.faces.size()));
        EXPECT_EQ(m->faceMaterials[0], want.material);
        EXPECT_EQ(m->faceMaterials[want.faces.size() - 1], want.material);
        // The loader keeps corners relative to the mesh origin, where drawing puts them back.
        Vec3 origin{m->localFrame[3][0], m->localFrame[3][1], m->localFrame[3][2]};
        expectNear(origin, want.origin, 0);
        for (size_t k = 0; k < want.faces.size() * 3; ++k) {
            uint16_t v = want.faces[k / 3][k % 3];
            const MeshCorner& c = m->corners[k];
            expectNear(add(c.position, origin), want.positions[v], 0.01f);
            ASSERT_EQ(c.u, want.texCoords[v].u);
            ASSERT_EQ(c.v, want.texCoords[v].v);
            ASSERT_TRUE(std::isfinite(c.normal.x) && std::isfinite(c.normal.y) && std::isfinite(c.normal.z));
        }
    }
}

TEST(LoadedScene, LightsAndCamerasArrive)
{
    const Scene& s = loaded().scene;
    const SceneDesc& d = loaded().desc;
    ASSERT_EQ(s.lightCount, float(d.lights.size()));
    size_t i = 0;
    for (const SceneLight* l = s.lights; l; l = l->next, ++i) {
        EXPECT_STREQ(l->name, d.lights[i].name.c_str());
        EXPECT_EQ(l->kind, d.lights[i].spot ? kSpotLight : kOtherLight);
        expectNear(l->position, d.lights[i].position, 0);
        if (d.lights[i].spot) expectNear(l->spotTarget, d.lights[i].target, 0);
    }
    ASSERT_EQ(s.cameraCount, float(d.cameras.size()));
    const SceneCamera* first = cameraByNumber(s, 1);
    ASSERT_TRUE(first);
    EXPECT_STREQ(first->name, d.cameras[0].name.c_str());
    expectNear(first->eye, d.cameras[0].eye, 0);
    expectNear(first->target, d.cameras[0].target, 0);
    EXPECT_EQ(first->lens, d.cameras[0].lens);
}

}  // namespace
