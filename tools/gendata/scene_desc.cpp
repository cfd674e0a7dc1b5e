#include "scene_desc.h"

#include <utility>

void addMesh(SceneDesc& scene, MeshData mesh)
{
    placeOriginAtBase(mesh);
    scene.objects.push_back({ObjectKind::mesh, scene.meshes.size()});
    scene.meshes.push_back(std::move(mesh));
}

void addLight(SceneDesc& scene, const LightDesc& light)
{
    scene.objects.push_back({ObjectKind::light, scene.lights.size()});
    scene.lights.push_back(light);
}

void addCamera(SceneDesc& scene, const CameraDesc& camera)
{
    scene.objects.push_back({ObjectKind::camera, scene.cameras.size()});
    scene.cameras.push_back(camera);
}
