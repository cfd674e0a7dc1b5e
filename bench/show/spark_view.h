#pragma once

#include <cstdint>

#include "scene/scene.h"

struct SceneSize {
    int meshes;
    int triangles;
    int lights;
    int sparkMeshes;  // meshes of exactly 960 corners
    int sparkPoints;  // drawn per frame: each spark mesh once per mesh of the scene
    int sparkPointsSent;  // of those, sent while the passes overwrite each other: the last pass of each
};

SceneSize sceneSize(const Scene& scene);

// A flight time (ms) at which a spark mesh lies well inside the camera's view and closest to
// it; 0 when none ever does.
uint32_t sparksInViewMs(const Scene& scene);
