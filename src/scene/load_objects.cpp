#include <cstring>

#include "scene/append_copy.h"
#include "scene/mesh_build.h"
#include "scene/scene_load.h"

// Named objects and what they hold: triangle meshes, lights, cameras. A list cut short by the end
// of the file keeps the entries read in full; a record whose own values do not lie wholly in the
// file is not appended.

namespace {

// Replaces a list with n entries, keeping only those read before the end of the file.
template <typename Entry, typename ReadEntry>
void readEntries(ChunkReader& r, std::vector<Entry>& list, uint32_t n, ReadEntry readEntry)
{
    list.clear();
    for (uint32_t i = 0; i < n; ++i) {
        const Entry entry = readEntry(r);
        if (r.ended) break;
        list.push_back(entry);
    }
}

MeshCorner readVertex(ChunkReader& r)
{
    MeshCorner vertex{};
    vertex.position = readVec3(r);
    return vertex;
}

TexCoord readTexCoord(ChunkReader& r)
{
    TexCoord uv;
    uv.u = readF32(r);
    uv.v = readF32(r);
    return uv;
}

Face readFace(ChunkReader& r)
{
    Face face;
    for (uint32_t& index : face.corner) index = readU16(r);
    readU16(r);  // flags
    return face;
}

uint32_t readVertexList(SceneLoad& load)
{
    const ChunkSpan chunk = openChunk(load.reader);
    readEntries(load.reader, load.state.vertices, readU16(load.reader), readVertex);
    seekTo(load.reader, chunk.start + chunk.length);
    return chunk.length;
}

uint32_t readMappingList(SceneLoad& load)
{
    const ChunkSpan chunk = openChunk(load.reader);
    readEntries(load.reader, load.state.mapping, readU16(load.reader), readTexCoord);
    seekTo(load.reader, chunk.start + chunk.length);
    return chunk.length;
}

uint32_t readLocalAxes(SceneLoad& load)
{
    ChunkReader& r = load.reader;
    const ChunkSpan chunk = openChunk(r);
    float frame[4][4];
    for (int row = 0; row < 4; ++row) {
        const Vec3 v = readVec3(r);
        frame[row][0] = v.x;
        frame[row][1] = v.y;
        frame[row][2] = v.z;
        frame[row][3] = row == 3 ? 1.0f : 0.0f;
    }
    if (!r.ended) std::memcpy(load.state.localFrame, frame, sizeof frame);
    seekTo(r, chunk.start + chunk.length);
    return chunk.length;
}

uint32_t readDroppedByte(SceneLoad& load)
{
    uint8_t unused;
    return readByteChunk(load.reader, unused);
}

// Group entries name a material by name. The last material is never compared: a name that
// matches none before it takes the last one. With no material read yet, material 0.
int32_t groupMaterial(const Scene& scene, const char* name)
{
    const Material* m = scene.materials;
    while (m && m->next && std::strcmp(m->name, name) != 0) m = m->next;
    return m ? m->number : 0;
}

// The material group behind a face list; its length is not used, as the face list seeks to its
// own end afterwards.
void readMaterialGroup(SceneLoad& load)
{
    ChunkReader& r = load.reader;
    readU32(r);
    char objectName[kNameSize];
    std::memcpy(objectName, r.nameBuffer, kNameSize);
    readName(r);
    const int32_t material = groupMaterial(load.scene, r.nameBuffer);
    std::memcpy(r.nameBuffer, objectName, kNameSize);
    readEntries(r, load.state.faceMaterials, readU16(r), [material](ChunkReader& reader) {
        return FaceMaterial{static_cast<int32_t>(readU16(reader)), material};
    });
}

uint32_t readFaceList(SceneLoad& load)
{
    ChunkReader& r = load.reader;
    const ChunkSpan chunk = openChunk(r);
    readEntries(r, load.state.faces, readU16(r), readFace);
    // Only the first sub-chunk is examined; smoothing groups are passed over by the seek below.
    if (readU16(r) == chunk::kMaterialGroup && !r.ended) readMaterialGroup(load);
    seekTo(r, chunk.start + chunk.length);
    return chunk.length;
}

constexpr LoadHandler kMeshChunks[] = {
    {chunk::kVertexList, readVertexList},
    {chunk::kVertexFlags, skip},
    {chunk::kFaceList, readFaceList},
    {chunk::kMaterialGroup, skip},  // only behind a face list does a material group count
    {chunk::kMeshUnknown, skip},
    {chunk::kMappingList, readMappingList},
    {chunk::kLocalAxes, readLocalAxes},
    {chunk::kMeshColour, readDroppedByte},
};

uint32_t readTriangleMesh(SceneLoad& load)
{
    const uint32_t length = walkSubChunks(load.reader, load, kMeshChunks);
    computeNormals(load.state);
    buildMesh(load.state, load.reader.nameBuffer, load.scene, load.lastMesh);
    return length;
}

uint32_t readSpotlight(SceneLoad& load)
{
    ChunkReader& r = load.reader;
    const ChunkSpan chunk = openChunk(r);
    const Vec3 target = readVec3(r);
    const float hotspot = readF32(r);
    const float falloff = readF32(r);
    if (!r.ended) {
        load.state.spotTarget = target;
        load.state.hotspot = hotspot;
        load.state.falloff = falloff;
        load.spotRead = true;
    }
    seekTo(r, chunk.start + chunk.length);
    return chunk.length;
}

constexpr LoadHandler kLightChunks[] = {
    {chunk::kFloatColour, readFloatColour},
    {chunk::kByteColour, readByteColour},
    {chunk::kSpotlight, readSpotlight},
    {chunk::kLightOff, readDroppedByte},
    {chunk::kLightOuterRange, skip},
};

void readLightPosition(SceneLoad& load)
{
    load.lightPosition = readVec3(load.reader);
    load.lightPlaced = !load.reader.ended;
}

uint32_t readLight(SceneLoad& load)
{
    load.spotRead = false;
    const uint32_t length = walkSubChunks(load.reader, load, kLightChunks, readLightPosition);
    if (!load.lightPlaced) return length;
    SceneLight light{};
    light.position = load.lightPosition;
    light.kind = load.spotRead ? kSpotLight : kOtherLight;
    if (load.spotRead) {
        light.spotTarget = load.state.spotTarget;
        light.hotspot = load.state.hotspot;
        light.falloff = load.state.falloff;
    }
    for (float(&slot)[4] : light.lightColours)
        std::memcpy(slot, load.state.floatColour, sizeof slot);
    std::memcpy(light.name, load.reader.nameBuffer, kNameSize);
    appendCopyAfter(load.scene.lights, load.lastLight, load.scene.lightCount, light);
    return length;
}

uint32_t readCamera(SceneLoad& load)
{
    ChunkReader& r = load.reader;
    const ChunkSpan chunk = openChunk(r);
    SceneCamera camera{};
    camera.eye = readVec3(r);
    camera.target = readVec3(r);
    camera.bank = readF32(r);
    camera.lens = readF32(r);
    if (!r.ended) {
        std::memcpy(camera.name, r.nameBuffer, kNameSize);
        appendCopyAfter(load.scene.cameras, load.lastCamera, load.scene.cameraCount, camera);
    }
    seekTo(r, chunk.start + chunk.length);
    return chunk.length;
}

constexpr LoadHandler kObjectChunks[] = {
    {chunk::kObjectHidden, skip},
    {chunk::kObjectCastsNoShadow, skip},
    {chunk::kTriangleMesh, readTriangleMesh},
    {chunk::kLight, readLight},
    {chunk::kCamera, readCamera},
};

void readObjectNamePayload(SceneLoad& load)
{
    readObjectName(load.reader);
}

}  // namespace

uint32_t readObject(SceneLoad& load)
{
    return walkSubChunks(load.reader, load, kObjectChunks, readObjectNamePayload);
}
