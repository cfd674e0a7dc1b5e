#include "write_3ds.h"

#include "common/chunk_writer.h"
#include "scene/chunk_ids.h"

namespace {

// Settings a modelling package stores with every material and light; the demo reads none of them.
constexpr uint16_t kShininessPercent = 20;
constexpr uint16_t kShininessStrengthPercent = 10;
constexpr uint16_t kPhongShading = 3;
constexpr uint16_t kMapPercent = 100;
constexpr float kMapBlur = 0.07f;
constexpr float kLightInnerRange = 200.0f;
constexpr float kLightOuterRange = 1000.0f;
constexpr float kCameraNear = 10.0f;
constexpr float kCameraFar = 10000.0f;
constexpr uint16_t kFaceEdgesVisible = 7;
constexpr uint8_t kMeshColourIndex = 2;
constexpr uint32_t kAnimationFrames = 100;

void u32Chunk(ChunkWriter& w, uint16_t id, uint32_t value)
{
    w.begin(id);
    w.u32(value);
    w.end();
}

void u16Chunk(ChunkWriter& w, uint16_t id, uint16_t value)
{
    w.begin(id);
    w.u16(value);
    w.end();
}

void f32Chunk(ChunkWriter& w, uint16_t id, float value)
{
    w.begin(id);
    w.f32(value);
    w.end();
}

void percentChunk(ChunkWriter& w, uint16_t id, uint16_t percent)
{
    w.begin(id);
    u16Chunk(w, chunk::kPercent, percent);
    w.end();
}

void byteColourChunk(ChunkWriter& w, uint16_t id, const uint8_t rgb[3])
{
    w.begin(id);
    w.begin(chunk::kByteColour);
    for (int i = 0; i < 3; ++i) w.u8(rgb[i]);
    w.end();
    w.end();
}

void floatColourChunk(ChunkWriter& w, uint16_t id, float r, float g, float b)
{
    w.begin(id);
    w.begin(chunk::kFloatColour);
    w.f32(r);
    w.f32(g);
    w.f32(b);
    w.end();
    w.end();
}

void vec3(ChunkWriter& w, const Vec3& v)
{
    w.vec3({v.x, v.y, v.z});
}

void writeMaterial(ChunkWriter& w, const MaterialDesc& m)
{
    w.begin(chunk::kMaterial);
    w.text(chunk::kMaterialName, m.name);
    byteColourChunk(w, chunk::kAmbient, m.ambient);
    byteColourChunk(w, chunk::kDiffuse, m.diffuse);
    byteColourChunk(w, chunk::kSpecular, m.specular);
    percentChunk(w, chunk::kShininess, kShininessPercent);
    percentChunk(w, chunk::kShininessStrength, kShininessStrengthPercent);
    percentChunk(w, chunk::kTransparency, 0);
    percentChunk(w, chunk::kTransparencyFalloff, 0);
    percentChunk(w, chunk::kReflectionBlur, 0);
    u16Chunk(w, chunk::kShading, kPhongShading);
    percentChunk(w, chunk::kSelfIllumination, 0);
    f32Chunk(w, chunk::kWireSize, 1.0f);
    w.begin(chunk::kTextureMap);
    u16Chunk(w, chunk::kPercent, kMapPercent);
    w.text(chunk::kMapFileName, m.mapFile);
    u16Chunk(w, chunk::kMapTiling, 0);
    f32Chunk(w, chunk::kMapBlur, kMapBlur);
    w.end();
    w.end();
}

void writeSceneSettings(ChunkWriter& w)
{
    f32Chunk(w, chunk::kMasterScale, 1.0f);
    f32Chunk(w, chunk::kShadowBias, 1.0f);
    u16Chunk(w, chunk::kShadowMapSize, 512);
    f32Chunk(w, chunk::kShadowFilter, 3.0f);
    floatColourChunk(w, chunk::kBackground, 0.5f, 0.5f, 0.5f);
    w.begin(chunk::kUseBackground);
    w.end();
    floatColourChunk(w, chunk::kAmbientLight, 0.1f, 0.1f, 0.1f);
    w.begin(chunk::kFog);
    for (float v : {10.0f, 0.0f, 1000.0f, 100.0f}) w.f32(v);
    w.end();
}

void writeMeshLists(ChunkWriter& w, const MeshData& mesh, const std::string& materialName)
{
    w.begin(chunk::kVertexList);
    w.u16(static_cast<uint16_t>(mesh.positions.size()));
    for (const Vec3& p : mesh.positions) vec3(w, p);
    w.end();
    w.begin(chunk::kMappingList);
    w.u16(static_cast<uint16_t>(mesh.texCoords.size()));
    for (const MapCoord& t : mesh.texCoords) {
        w.f32(t.u);
        w.f32(t.v);
    }
    w.end();
    w.begin(chunk::kLocalAxes);
    for (const Vec3& axis : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}, mesh.origin}) vec3(w, axis);
    w.end();
    w.begin(chunk::kMeshColour);
    w.u8(kMeshColourIndex);
    w.end();
    w.begin(chunk::kFaceList);
    w.u16(static_cast<uint16_t>(mesh.faces.size()));
    for (const auto& f : mesh.faces) {
        for (uint16_t i : f) w.u16(i);
        w.u16(kFaceEdgesVisible);
    }
    w.begin(chunk::kMaterialGroup);
    w.str(materialName);
    w.u16(static_cast<uint16_t>(mesh.faces.size()));
    for (size_t i = 0; i < mesh.faces.size(); ++i) w.u16(static_cast<uint16_t>(i));
    w.end();
    w.begin(chunk::kSmoothingGroups);
    for (size_t i = 0; i < mesh.faces.size(); ++i) w.u32(1);
    w.end();
    w.end();
}

void writeLight(ChunkWriter& w, const LightDesc& light)
{
    w.begin(chunk::kLight);
    vec3(w, light.position);
    w.begin(chunk::kFloatColour);
    for (float c : light.colour) w.f32(c);
    w.end();
    if (light.spot) {
        w.begin(chunk::kSpotlight);
        vec3(w, light.target);
        w.f32(light.hotspot);
        w.f32(light.falloff);
        w.end();
    }
    f32Chunk(w, chunk::kLightInnerRange, kLightInnerRange);
    f32Chunk(w, chunk::kLightOuterRange, kLightOuterRange);
    f32Chunk(w, chunk::kLightMultiplier, 1.0f);
    w.end();
}

void writeCamera(ChunkWriter& w, const CameraDesc& camera)
{
    w.begin(chunk::kCamera);
    vec3(w, camera.eye);
    vec3(w, camera.target);
    w.f32(camera.bank);
    w.f32(camera.lens);
    w.begin(chunk::kCameraRanges);
    w.f32(kCameraNear);
    w.f32(kCameraFar);
    w.end();
    w.end();
}

void writeObject(ChunkWriter& w, const SceneDesc& scene, const ObjectEntry& entry)
{
    w.begin(chunk::kObject);
    switch (entry.kind) {
    case ObjectKind::mesh: {
        const MeshData& mesh = scene.meshes[entry.index];
        w.str(mesh.name);
        w.begin(chunk::kTriangleMesh);
        writeMeshLists(w, mesh, scene.materials[mesh.material].name);
        w.end();
        break;
    }
    case ObjectKind::light:
        w.str(scene.lights[entry.index].name);
        writeLight(w, scene.lights[entry.index]);
        break;
    case ObjectKind::camera:
        w.str(scene.cameras[entry.index].name);
        writeCamera(w, scene.cameras[entry.index]);
        break;
    }
    w.end();
}

// One key at frame 0 for a node's position, rotation or scale track.
void trackChunk(ChunkWriter& w, uint16_t id, std::initializer_list<float> key)
{
    w.begin(id);
    for (int i = 0; i < 5; ++i) w.u16(0);  // track flags and reserved words
    w.u32(1);
    w.u32(0);
    w.u16(0);
    for (float v : key) w.f32(v);
    w.end();
}

void writeMeshNode(ChunkWriter& w, const MeshData& mesh, uint16_t nodeId)
{
    w.begin(chunk::kMeshNode);
    u16Chunk(w, chunk::kNodeId, nodeId);
    w.begin(chunk::kNodeHeader);
    w.str(mesh.name);
    w.u16(0x4000);
    w.u16(0);
    w.u16(0xFFFF);  // no parent
    w.end();
    w.begin(chunk::kPivot);
    vec3(w, {0, 0, 0});
    w.end();
    trackChunk(w, chunk::kPositionTrack, {mesh.origin.x, mesh.origin.y, mesh.origin.z});
    trackChunk(w, chunk::kRotationTrack, {0, 0, 0, 1});
    trackChunk(w, chunk::kScaleTrack, {1, 1, 1});
    w.end();
}

void writeKeyframer(ChunkWriter& w, const SceneDesc& scene)
{
    w.begin(chunk::kKeyframer);
    w.begin(chunk::kKeyframerHeader);
    w.u16(5);
    w.str("MAXSCENE");
    w.u32(kAnimationFrames);
    w.end();
    w.begin(chunk::kFrames);
    w.u32(0);
    w.u32(kAnimationFrames);
    w.end();
    u32Chunk(w, chunk::kCurrentFrame, 0);
    for (size_t i = 0; i < scene.meshes.size(); ++i) writeMeshNode(w, scene.meshes[i], static_cast<uint16_t>(i));
    w.end();
}

}  // namespace

std::vector<uint8_t> write3ds(const SceneDesc& scene)
{
    ChunkWriter w;
    w.beginScene();
    for (const MaterialDesc& m : scene.materials) writeMaterial(w, m);
    writeSceneSettings(w);
    for (const ObjectEntry& entry : scene.objects) writeObject(w, scene, entry);
    w.end();
    writeKeyframer(w, scene);
    w.end();
    return w.bytes;
}
