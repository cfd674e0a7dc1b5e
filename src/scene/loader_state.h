#pragma once

#include <cstdint>
#include <vector>

#include "scene/scene.h"

struct TexCoord {
    float u, v;
};

struct Face {
    uint32_t corner[3];  // vertex indices, as the file gives them (not checked here)
};

struct FaceMaterial {
    int32_t face;  // read but not used: entry j belongs to face j
    int32_t material;
};

// What the loader carries from chunk to chunk: each chunk replaces its own part and leaves the
// rest, so a mesh without a local-axes chunk takes the frame of the mesh before it.
struct LoaderState {
    std::vector<MeshCorner> vertices;  // positions from the file, then normals and u, v
    std::vector<TexCoord> mapping;
    std::vector<Face> faces;
    std::vector<FaceMaterial> faceMaterials;
    float localFrame[4][4] = {};
    float floatColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // a light before any colour is black
    uint8_t byteColour[3] = {};
    Vec3 spotTarget = {};
    float hotspot = 0.0f;
    float falloff = 0.0f;
    char materialName[kNameSize] = {};
    char mapName[kNameSize] = {};
};
