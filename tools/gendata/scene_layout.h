#pragma once

#include "scene_desc.h"

// The demo's scene: the old town where the flight begins, the crossing of the meadows, and
// the sunken valley where it ends, with their lights and the cameras.
SceneDesc buildScene();

// The three places, each adding its meshes and lights.
void buildTown(SceneDesc& scene);
void buildCrossing(SceneDesc& scene);
void buildValley(SceneDesc& scene);
