#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "scene/load3ds.h"
#include "scene_chunks.h"

// Loads byte streams with a reader and loader state of its own, so tests do not share them.
struct SceneBytesTest : ::testing::Test {
    Scene scene;
    ChunkReader reader;
    LoaderState state;

    SceneBytesTest() { clear(scene); }
    ~SceneBytesTest() override { releaseScene(scene); }

    void load(std::vector<uint8_t> bytes)
    {
        FILE* f = fmemopen(bytes.data(), bytes.size(), "rb");
        ASSERT_NE(f, nullptr);
        read3ds(scene, f, reader, state);
        std::fclose(f);
    }
    void load(const ChunkWriter& w) { load(w.bytes); }
};
