#pragma once

#include "scene_desc.h"

// The demo's scene: the old town where the flight begins, the crossing of the meadows, and
// the sunken valley where it ends, with their lights and the cameras.
SceneDesc buildScene();

// The three places, each adding its meshes and lights. Every mesh costs the show a pass of
// sparks in each frame, so the town's street lamps and the crossing's pylons share one.
void buildTown(SceneDesc& scene, MeshData& steel);
void buildCrossing(SceneDesc& scene, MeshData& steel);
void buildValley(SceneDesc& scene);
