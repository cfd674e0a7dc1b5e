#pragma once

#include "scene_chunks.h"

// A scene laid out as a modelling package writes it: version, editor with mesh version, master
// scale, background and ambient colours, two textured materials, a box and a ground plane, a
// spotlight, an omni light, two cameras, then keyframer data.

inline void writeColourPair(ChunkWriter& w, uint16_t container, std::initializer_list<uint8_t> rgb)
{
    w.begin(container);
    w.begin(0x0011);
    w.raw(rgb);
    w.end();
    w.begin(0x0012);  // the gamma-corrected copy, which the loader passes over
    w.raw(rgb);
    w.end();
    w.end();
}

inline void writeTexturedMaterial(ChunkWriter& w, const char* name, const char* map,
                                  std::initializer_list<uint8_t> diffuse)
{
    w.begin(0xAFFF);
    w.text(0xA000, name);
    writeColourPair(w, 0xA010, {20, 20, 20});
    writeColourPair(w, 0xA020, diffuse);
    writeColourPair(w, 0xA030, {229, 229, 229});
    w.begin(0xA040);  // shininess
    w.begin(0x0030);
    w.u16(10);
    w.end();
    w.end();
    w.begin(0xA100);  // shading
    w.u16(3);
    w.end();
    w.begin(0xA200);  // texture map
    w.begin(0x0030);
    w.u16(100);
    w.end();
    w.text(0xA300, map);
    w.begin(0xA351);  // tiling
    w.u16(0);
    w.end();
    w.end();
    w.end();
}

inline void writeBox(ChunkWriter& w)
{
    w.begin(0x4000);
    w.str("Box01");
    w.begin(0x4100);
    writeVertices(w, {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0},
                      {-1, -1, 4}, {1, -1, 4}, {1, 1, 4}, {-1, 1, 4}});
    writeMapping(w, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 1}});
    writeLocalAxes(w, {0, 0, 2});
    w.begin(0x4165);  // colour index
    w.u8(5);
    w.end();
    writeFaces(w, {{{0, 2, 1}}, {{0, 3, 2}}, {{4, 5, 6}}, {{4, 6, 7}}, {{0, 1, 5}}, {{0, 5, 4}},
                   {{1, 2, 6}}, {{1, 6, 5}}, {{2, 3, 7}}, {{2, 7, 6}}, {{3, 0, 4}}, {{3, 4, 7}}},
               "BRICK");
    w.end();
    w.end();
}

inline void writeGround(ChunkWriter& w)
{
    w.begin(0x4000);
    w.str("Ground");
    w.begin(0x4100);
    writeVertices(w, {{-50, -50, 0}, {50, -50, 0}, {50, 50, 0}, {-50, 50, 0}});
    writeMapping(w, {{0, 0}, {8, 0}, {8, 8}, {0, 8}});
    writeLocalAxes(w, {0, 0, 0});
    w.begin(0x4120);
    w.u16(2);
    for (uint16_t i : {0, 1, 2, 0, 0, 2, 3, 0}) w.u16(i);
    w.begin(0x4130);
    w.str("GRASS");
    w.u16(2);
    w.u16(0);
    w.u16(1);
    w.end();
    w.begin(0x4150);
    w.u32(1);
    w.u32(1);
    w.end();
    w.end();
    w.end();
    w.end();
}

inline void writeSceneLight(ChunkWriter& w, const char* name, Vec3 at, bool spot)
{
    w.begin(0x4000);
    w.str(name);
    w.begin(0x4600);
    w.f32(at.x);
    w.f32(at.y);
    w.f32(at.z);
    w.begin(0x0010);
    for (float f : {1.0f, 0.75f, 0.5f}) w.f32(f);
    w.end();
    if (spot) {
        w.begin(0x4610);
        for (float f : {0.0f, 0.0f, 0.0f, 21.5f, 43.25f}) w.f32(f);
        w.begin(0x4656);  // spot roll
        w.f32(0.0f);
        w.end();
        w.end();
    }
    w.begin(0x465B);  // attenuation range: not handled
    w.f32(0.0f);
    w.end();
    w.end();
    w.end();
}

inline void writeSceneCamera(ChunkWriter& w, const char* name, Vec3 eye, Vec3 target, float lens)
{
    w.begin(0x4000);
    w.str(name);
    w.begin(0x4700);
    for (float f : {eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0f, lens}) w.f32(f);
    w.begin(0x4720);  // ranges
    w.f32(1.0f);
    w.f32(1000.0f);
    w.end();
    w.end();
    w.end();
}

inline void writeKeyframer(ChunkWriter& w)
{
    w.begin(0xB000);
    w.begin(0xB00A);  // header: revision, name, length
    w.u16(5);
    w.str("MAXSCENE");
    w.u32(100);
    w.end();
    w.begin(0xB008);  // segment
    w.u32(0);
    w.u32(100);
    w.end();
    w.begin(0xB009);  // current frame
    w.u32(0);
    w.end();
    w.begin(0xB002);  // object node
    w.begin(0xB030);
    w.u16(0);
    w.end();
    w.begin(0xB010);
    w.str("Box01");
    w.u16(0x4000);
    w.u16(0);
    w.u16(0xFFFF);
    w.end();
    w.end();
    w.end();
}

inline std::vector<uint8_t> realisticScene()
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x0100);  // master scale
    w.f32(1.0f);
    w.end();
    w.begin(0x1200);  // background colour
    w.begin(0x0010);
    for (float f : {0.0f, 0.0f, 0.25f}) w.f32(f);
    w.end();
    w.end();
    w.begin(0x2100);  // ambient light
    w.begin(0x0010);
    for (float f : {0.1f, 0.1f, 0.1f}) w.f32(f);
    w.end();
    w.end();
    w.begin(0x1400);  // shadow bias
    w.f32(1.0f);
    w.end();
    writeTexturedMaterial(w, "BRICK", "BRICK.BMP", {200, 80, 60});
    writeTexturedMaterial(w, "GRASS", "GRASS.BMP", {40, 160, 30});
    writeBox(w);
    writeGround(w);
    writeSceneLight(w, "Spot01", {10, -10, 20}, true);
    writeSceneLight(w, "Omni01", {-5, 5, 15}, false);
    writeSceneCamera(w, "Camera01", {0, -30, 10}, {0, 0, 2}, 45.0f);
    writeSceneCamera(w, "Camera02", {30, 30, 30}, {0, 0, 0}, 60.0f);
    w.end();  // editor
    writeKeyframer(w);
    w.end();  // main
    return w.bytes;
}
