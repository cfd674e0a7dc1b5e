#pragma once

#include "scene/loader_state.h"
#include "scene/scene.h"

// Flat face normals into the current vertex list; a vertex shared by faces keeps the last one.
void computeNormals(LoaderState& state);
// Builds a Mesh from the current lists and appends it under the given name after lastMesh,
// the last mesh of the scene's list.
void buildMesh(LoaderState& state, const char (&name)[kNameSize], Scene& scene, Mesh*& lastMesh);
// Makes every corner position relative to its mesh's origin.
void recentreMeshes(Scene& scene);
