#include "scene_layout.h"

#include "materials.h"

namespace {

// The first camera stands where the flight begins; the demo takes its lens as the
// vertical field of view in degrees.
constexpr float kLens = 50;
constexpr CameraDesc kCameras[] = {
    {"Camera01", {-107.25005f, -948.4507f, 52.307007f}, {-180.97122f, -585.11456f, 23.182861f}, 0, kLens},
    {"Camera02", {4400, -1250, 60}, {4420, -470, -60}, 0, kLens},
};

}  // namespace

SceneDesc buildScene()
{
    SceneDesc scene;
    scene.materials = sceneMaterials();
    buildTown(scene);
    for (const CameraDesc& camera : kCameras) addCamera(scene, camera);
    buildCrossing(scene);
    buildValley(scene);
    return scene;
}
