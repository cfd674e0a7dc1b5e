#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "common/chunk_writer.h"
#include "scene/loader_state.h"
#include "scene/scene.h"

// A camera at (eyeX, 0, 0) looking at (1, 2, 3), banked by 0.5.
inline void writeCamera(ChunkWriter& w, const char* name, float eyeX, float lens)
{
    w.cameraObject(name, {eyeX, 0.0f, 0.0f}, {1.0f, 2.0f, 3.0f}, 0.5f, lens);
}

inline void writeVertices(ChunkWriter& w, std::initializer_list<Vec3> vertices)
{
    w.begin(0x4110);
    w.u16(static_cast<uint16_t>(vertices.size()));
    for (const Vec3& v : vertices) {
        w.f32(v.x);
        w.f32(v.y);
        w.f32(v.z);
    }
    w.end();
}

inline void writeMapping(ChunkWriter& w, std::initializer_list<std::pair<float, float>> uvs)
{
    w.begin(0x4140);
    w.u16(static_cast<uint16_t>(uvs.size()));
    for (auto [u, v] : uvs) {
        w.f32(u);
        w.f32(v);
    }
    w.end();
}

// A face list; with a group name, a material group behind it with one entry per face.
inline void writeFaces(ChunkWriter& w, std::initializer_list<Face> faces,
                       const char* groupName = nullptr)
{
    w.begin(0x4120);
    w.u16(static_cast<uint16_t>(faces.size()));
    for (const Face& f : faces) {
        for (uint32_t i : f.corner) w.u16(static_cast<uint16_t>(i));
        w.u16(7);  // flags
    }
    if (groupName) {
        w.begin(0x4130);
        w.str(groupName);
        w.u16(static_cast<uint16_t>(faces.size()));
        for (uint16_t j = 0; j < faces.size(); ++j) w.u16(j);
        w.end();
    }
    w.end();
}

inline void writeLocalAxes(ChunkWriter& w, Vec3 origin)
{
    w.begin(0x4160);
    for (float f : {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}) w.f32(f);
    w.f32(origin.x);
    w.f32(origin.y);
    w.f32(origin.z);
    w.end();
}

// One triangle in the xy plane at height z, with its mapping and the named material.
inline void writeTriangleObject(ChunkWriter& w, const char* name, const char* material, float z)
{
    w.begin(0x4000);
    w.str(name);
    w.begin(0x4100);
    writeVertices(w, {{0, 0, z}, {1, 0, z}, {0, 1, z}});
    writeMapping(w, {{0, 0}, {1, 0}, {0, 1}});
    writeFaces(w, {{{0, 1, 2}}}, material);
    w.end();
    w.end();
}
