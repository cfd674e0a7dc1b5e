#pragma once

#include <string>

#include "scene/scene.h"

// The scene as one line of JSON: materials, meshes, lights, cameras in list order; with
// `corners` each mesh also lists its corners as [px,py,pz,nx,ny,nz,u,v].
std::string sceneJson(const Scene& scene, bool corners);

// A name field as a JSON string: pure ASCII, bytes above 0x7F read as Latin-1.
std::string jsonName(const char (&name)[kNameSize]);
// %.9g reads back to the same float; JSON has no NaN or infinity, so those are null.
std::string jsonFloat(float value);
