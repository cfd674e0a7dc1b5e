#include "scene/scene.h"

void clear(Scene& scene)
{
    scene.lightCount = 0;
    scene.meshCount = 0;
    scene.cameraCount = 0;
    scene.materialCount = 0;
    scene.selectedCameraNumber = 0;
    scene.selectedCamera = nullptr;
    scene.lights = nullptr;
    scene.meshes = nullptr;
    scene.cameras = nullptr;
    scene.materials = nullptr;
}

SceneCamera* cameraByNumber(const Scene& scene, int n)
{
    SceneCamera* camera = scene.cameras;
    for (int count = 1; count != n && camera; ++count) camera = camera->next;
    return camera;
}

namespace {

template <typename Record>
void deleteList(Record* record)
{
    while (record) {
        Record* next = record->next;
        delete record;
        record = next;
    }
}

}  // namespace

void releaseScene(Scene& scene)
{
    for (Mesh* mesh = scene.meshes; mesh; mesh = mesh->next) {
        delete[] mesh->corners;
        delete[] mesh->faceMaterials;
    }
    deleteList(scene.meshes);
    deleteList(scene.lights);
    deleteList(scene.cameras);
    deleteList(scene.materials);
    clear(scene);
}
