#pragma once

#include <cstdint>
#include <vector>

#include "scene_desc.h"

// The scene as a .3DS file, chunk by chunk in a modelling package's order: version, editor
// data (mesh version, materials, scene settings, objects), keyframer data.
std::vector<uint8_t> write3ds(const SceneDesc& scene);
