#pragma once

#include <cstdint>

#include "scene/vec3.h"

// The records read from the .3DS file. Every list is doubly linked in file order and its
// count is a float, as the loops over it compare integer indices with the float count.

constexpr int kNameSize = 100;

struct MeshCorner {
    Vec3 position;  // relative to the mesh origin once loaded
    Vec3 normal;
    float u, v;
};

struct Mesh {
    float cornerCount;  // 3 × faceCount
    float faceCount;
    char name[kNameSize];
    float localFrame[4][4];  // rows: X axis, Y axis, Z axis, origin
    int32_t* faceMaterials;  // one material number per face
    MeshCorner* corners;
    Mesh* next;
    Mesh* prev;
};

struct Material {
    char name[kNameSize];
    int32_t number;  // 0-based place in the list; indexes the texture names
    char mapName[kNameSize];
    float diffuseColour[3];  // 0.0 to 255.0
    float ambientColour[3];
    float specularColour[3];
    Material* next;
    Material* prev;
};

struct SceneCamera {
    Vec3 eye;
    Vec3 target;
    float lens;  // vertical field of view in degrees
    float bank;
    char name[kNameSize];
    SceneCamera* next;
    SceneCamera* prev;
};

constexpr int32_t kSpotLight = 1;
constexpr int32_t kOtherLight = 2;

struct SceneLight {
    Vec3 position;
    int32_t kind;  // kSpotLight or kOtherLight
    Vec3 spotTarget;
    float lightColours[3][4];
    float hotspot;
    float falloff;
    char name[kNameSize];
    SceneLight* next;
    SceneLight* prev;
};

struct Scene {
    float lightCount;
    float meshCount;
    float cameraCount;
    float materialCount;
    int32_t selectedCameraNumber;  // 1-based
    SceneCamera* selectedCamera;
    SceneLight* lights;
    Mesh* meshes;
    SceneCamera* cameras;
    Material* materials;
};

// Counts 0, lists empty, no camera selected.
void clear(Scene& scene);
// The n-th camera counting from 1, or nullptr.
SceneCamera* cameraByNumber(const Scene& scene, int n);
// Frees every record and array (tools and tests; the demo keeps its scene to the end).
void releaseScene(Scene& scene);
