#pragma once

#include <span>

#include "scene/chunk_reader.h"
#include "scene/loader_state.h"
#include "scene/scene.h"

// Everything the chunk handlers of one load work on.
struct SceneLoad {
    ChunkReader& reader;
    LoaderState& state;
    Scene& scene;
    Material material;  // the material being read
    Vec3 lightPosition;  // the light being read
    bool lightPlaced;  // its position lay wholly in the file
    bool spotRead;  // a spotlight chunk was read in this light
    // The last record of each scene list, where the next one is appended.
    Material* lastMaterial;
    Mesh* lastMesh;
    SceneLight* lastLight;
    SceneCamera* lastCamera;
};

using LoadHandler = SubChunkHandler<SceneLoad>;
using LoadHandlers = std::span<const LoadHandler>;

// Chunk ids of the .3DS format that the loader knows.
enum ChunkId : uint16_t {
    kFloatColour = 0x0010,
    kByteColour = 0x0011,
    kMain = 0x4D4D,
    kEditor = 0x3D3D,
    kKeyframer = 0xB000,
    kViewportLayout = 0x7001,
    kMaterial = 0xAFFF,
    kMaterialName = 0xA000,
    kAmbient = 0xA010,
    kDiffuse = 0xA020,
    kSpecular = 0xA030,
    kMapFileName = 0xA300,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kMaterialGroup = 0x4130,
    kMappingList = 0x4140,
    kSmoothingGroups = 0x4150,
    kLocalAxes = 0x4160,
    kLight = 0x4600,
    kSpotlight = 0x4610,
    kCamera = 0x4700,
};

uint32_t skip(SceneLoad& load);
uint32_t readFloatColour(SceneLoad& load);
uint32_t readByteColour(SceneLoad& load);
uint32_t readObject(SceneLoad& load);
