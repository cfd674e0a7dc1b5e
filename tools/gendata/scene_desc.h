#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "mesh_builder.h"

// What the generator puts into the scene file, in the order the file lists it.

struct MaterialDesc {
    std::string name;
    std::string mapFile;  // the texture's BMP file, written beside the scene
    uint8_t ambient[3];
    uint8_t diffuse[3];
    uint8_t specular[3];
    Image (*paintTexture)();
};

struct LightDesc {
    std::string name;
    Vec3 position;
    float colour[3];  // 0..1
    bool spot;
    Vec3 target;  // spotlights only
    float hotspot, falloff;
};

struct CameraDesc {
    std::string name;
    Vec3 eye, target;
    float bank;
    float lens;  // taken by the demo as its vertical field of view in degrees
};

enum class ObjectKind { mesh, light, camera };

struct ObjectEntry {
    ObjectKind kind;
    size_t index;  // into the list of that kind
};

struct SceneDesc {
    std::vector<MaterialDesc> materials;
    std::vector<MeshData> meshes;
    std::vector<LightDesc> lights;
    std::vector<CameraDesc> cameras;
    std::vector<ObjectEntry> objects;  // file order of meshes, lights and cameras
};

void addMesh(SceneDesc& scene, MeshData mesh);
void addLight(SceneDesc& scene, const LightDesc& light);
void addCamera(SceneDesc& scene, const CameraDesc& camera);
