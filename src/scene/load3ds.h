#pragma once

#include <cstdio>

#include "scene/chunk_reader.h"
#include "scene/loader_state.h"
#include "scene/scene.h"

// Reads a .3DS file into a cleared scene; false when the file cannot be opened.
bool load3ds(Scene& scene, const char* fileName);

// The same with a reader and loader state of the caller's own (tests, tools).
bool load3ds(Scene& scene, const char* fileName, ChunkReader& reader, LoaderState& state);
// Reads an open stream from its start; the caller closes it.
void read3ds(Scene& scene, FILE* file, ChunkReader& reader, LoaderState& state);
