#pragma once

#include <span>

#include "scene/chunk_ids.h"
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

uint32_t skip(SceneLoad& load);
uint32_t readFloatColour(SceneLoad& load);
uint32_t readByteColour(SceneLoad& load);
uint32_t readObject(SceneLoad& load);
