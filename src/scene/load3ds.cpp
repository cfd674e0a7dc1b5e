#include "scene/load3ds.h"

#include <cstring>

#include "scene/append_copy.h"
#include "scene/mesh_build.h"
#include "scene/scene_load.h"

namespace {

constexpr uint64_t kVersionByteOffset = 28;
constexpr uint8_t kLowestVersion = 3;

constexpr LoadHandler kColourChunks[] = {
    {chunk::kFloatColour, readFloatColour},
    {chunk::kByteColour, readByteColour},
};

uint32_t readColourStates(SceneLoad& load)
{
    return walkSubChunks(load.reader, load, kColourChunks);
}

// A material colour takes the 24-bit colour state as it stands when its container ends.
template <float (Material::*colour)[3]>
uint32_t readMaterialColour(SceneLoad& load)
{
    const uint32_t length = walkSubChunks(load.reader, load, kColourChunks);
    for (int i = 0; i < 3; ++i) (load.material.*colour)[i] = load.state.byteColour[i];
    return length;
}

// A material's name or map file name, kept in the loader state and in the material. Every map
// name found anywhere in the material replaces the one before.
template <char (LoaderState::*kept)[kNameSize], char (Material::*field)[kNameSize]>
uint32_t readMaterialText(SceneLoad& load)
{
    const ChunkSpan chunk = openChunk(load.reader);
    readName(load.reader);
    std::memcpy(load.state.*kept, load.reader.nameBuffer, kNameSize);
    std::memcpy(load.material.*field, load.reader.nameBuffer, kNameSize);
    seekTo(load.reader, chunk.start + chunk.length);
    return chunk.length;
}

constexpr LoadHandler kMaterialChunks[] = {
    {chunk::kMaterialName, readMaterialText<&LoaderState::materialName, &Material::name>},
    {chunk::kAmbient, readMaterialColour<&Material::ambientColour>},
    {chunk::kDiffuse, readMaterialColour<&Material::diffuseColour>},
    {chunk::kSpecular, readMaterialColour<&Material::specularColour>},
    {chunk::kMapFileName, readMaterialText<&LoaderState::mapName, &Material::mapName>},
};

uint32_t readMaterial(SceneLoad& load)
{
    load.material = Material{};
    const uint32_t length = walkSubChunks(load.reader, load, kMaterialChunks);
    Material* added = appendCopyAfter(load.scene.materials, load.lastMaterial,
                                      load.scene.materialCount, load.material);
    added->number = added->prev ? added->prev->number + 1 : 0;
    return length;
}

constexpr LoadHandler kEditorChunks[] = {
    {chunk::kBackgroundBitmap, skip}, {chunk::kUseBackground, skip}, {chunk::kGradient, skip},
    {chunk::kShadowBias, skip}, {chunk::kShadowMapSize, skip}, {chunk::kShadowFilter, skip},
    {chunk::kOrigin, skip}, {chunk::kFog, skip}, {chunk::kUseFog, skip},
    {chunk::kFogBackground, skip}, {chunk::kDistanceCue, skip}, {chunk::kLayerFog, skip},
    {chunk::kDefaultView, skip},
    {chunk::kBackground, readColourStates},
    {chunk::kAmbientLight, readColourStates},
    {chunk::kViewportLayout, skip},
    {chunk::kMaterial, readMaterial},
    {chunk::kObject, readObject},
};

constexpr LoadHandler kKeyframerChunks[] = {
    {chunk::kMeshNode, skip}, {chunk::kFrames, skip}, {chunk::kCurrentFrame, skip},
    {chunk::kKeyframerHeader, skip},
    {chunk::kViewportLayout, skip},
};

uint32_t readEditor(SceneLoad& load)
{
    return walkSubChunks(load.reader, load, kEditorChunks);
}

uint32_t readKeyframer(SceneLoad& load)
{
    return walkSubChunks(load.reader, load, kKeyframerChunks);
}

constexpr LoadHandler kMainChunks[] = {
    {chunk::kEditor, readEditor},
    {chunk::kKeyframer, readKeyframer},
};

// A file too short to hold the version byte is walked, as the byte would read 0xFF.
bool versionAccepted(ChunkReader& reader)
{
    if (reader.fileSize <= kVersionByteOffset) return true;
    seekTo(reader, kVersionByteOffset);
    return readU8(reader) >= kLowestVersion;
}

}  // namespace

uint32_t skip(SceneLoad& load)
{
    return skipChunk(load.reader);
}

uint32_t readFloatColour(SceneLoad& load)
{
    const ChunkSpan chunk = openChunk(load.reader);
    const Vec3 rgb = readVec3(load.reader);
    if (!load.reader.ended) {
        float* c = load.state.floatColour;
        c[0] = rgb.x;
        c[1] = rgb.y;
        c[2] = rgb.z;
        c[3] = 1.0f;
    }
    seekTo(load.reader, chunk.start + chunk.length);
    return chunk.length;
}

uint32_t readByteColour(SceneLoad& load)
{
    const ChunkSpan chunk = openChunk(load.reader);
    uint8_t rgb[3];
    for (uint8_t& c : rgb) c = readU8(load.reader);
    if (!load.reader.ended) std::memcpy(load.state.byteColour, rgb, sizeof rgb);
    seekTo(load.reader, chunk.start + chunk.length);
    return chunk.length;
}

void read3ds(Scene& scene, FILE* file, ChunkReader& reader, LoaderState& state)
{
    startReading(reader, file);
    SceneLoad load{reader, state, scene, Material{}, Vec3{}, false, false,
                   lastRecord(scene.materials), lastRecord(scene.meshes),
                   lastRecord(scene.lights), lastRecord(scene.cameras)};
    if (readU16(reader) == chunk::kMain && versionAccepted(reader)) {
        seekTo(reader, 2);
        walkSubChunks(reader, load, kMainChunks);
    }
    recentreMeshes(scene);
    reader.file = nullptr;
}

bool load3ds(Scene& scene, const char* fileName, ChunkReader& reader, LoaderState& state)
{
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    read3ds(scene, file, reader, state);
    std::fclose(file);
    return true;
}

bool load3ds(Scene& scene, const char* fileName)
{
    // The demo reads its one scene once: a reader and state of this load's own.
    ChunkReader reader;
    LoaderState state;
    return load3ds(scene, fileName, reader, state);
}
