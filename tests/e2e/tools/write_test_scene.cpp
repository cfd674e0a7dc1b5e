// Writes the e2e tests' data into a folder: "scenedemo.3DS" with one camera looking at a
// wall, the wall's texture and the four greets images.
//
//   write_test_scene DIR [--no-camera]
//
// The camera stands where the show's flight starts, looking along its first leg, so the wall
// fills the middle of the picture both before and after the camera script takes over.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/bmp_writer.h"
#include "common/chunk_writer.h"
#include "common/file_bytes.h"

namespace {

struct V3 {
    float x, y, z;
};
V3 add(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 scale(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 unit(V3 a) { return scale(a, 1.0f / std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z)); }

const V3 kEye = {-107.25005f, -948.4507f, 52.307007f};
const V3 kTarget = {-180.97122f, -585.11456f, 23.182861f};
constexpr float kLens = 45.0f;
constexpr float kWallDistance = 400.0f;
constexpr float kWallHalfSize = 100.0f;
const char* const kWallTexture = "wall.bmp";

struct Image {
    const char* file;
    uint8_t r, g, b;
};
// White texture: the picture is the same whether or not textures are applied.
const Image kImages[] = {
    {kWallTexture, 255, 255, 255}, {"greets.bmp", 200, 40, 40},     {"greetsalpha.bmp", 255, 255, 255},
    {"greets2.bmp", 40, 40, 200},  {"greets2alpha.bmp", 255, 255, 255},
};

void vec(ChunkWriter& w, V3 v)
{
    w.vec3({v.x, v.y, v.z});
}

void writeWall(ChunkWriter& w)
{
    V3 forward = unit(add(kTarget, scale(kEye, -1.0f)));
    V3 right = unit(cross(forward, {0.0f, 0.0f, 1.0f}));
    V3 up = cross(right, forward);
    V3 centre = add(kEye, scale(forward, kWallDistance));
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

    w.begin(0x4000);
    w.str("wall");
    w.begin(0x4100);
    w.begin(0x4110);
    w.u16(4);
    for (const auto& c : corners)
        vec(w, add(centre, add(scale(right, c[0] * kWallHalfSize), scale(up, c[1] * kWallHalfSize))));
    w.end();
    w.begin(0x4140);
    w.u16(4);
    for (const auto& c : corners) {
        w.f32((c[0] + 1) / 2);
        w.f32((c[1] + 1) / 2);
    }
    w.end();
    w.begin(0x4160);
    vec(w, right);
    vec(w, forward);
    vec(w, up);
    vec(w, centre);
    w.end();
    w.begin(0x4120);
    w.u16(2);
    for (uint16_t i : {0, 1, 2, 0, 0, 2, 3, 0}) w.u16(i);
    w.begin(0x4130);
    w.str("white");
    w.u16(2);
    w.u16(0);
    w.u16(1);
    w.end();
    w.end();
    w.end();
    w.end();
}

std::vector<uint8_t> sceneBytes(bool withCamera)
{
    ChunkWriter w;
    w.beginScene();
    w.material("white", kWallTexture);
    writeWall(w);
    if (withCamera)
        w.cameraObject("camera01", {kEye.x, kEye.y, kEye.z}, {kTarget.x, kTarget.y, kTarget.z}, 0.0f, kLens);
    w.endScene();
    return w.bytes;
}

bool writeImage(const std::string& dir, const Image& image)
{
    constexpr int kSide = 16;
    std::vector<uint8_t> rgb;
    for (int i = 0; i < kSide * kSide; ++i) rgb.insert(rgb.end(), {image.r, image.g, image.b});
    return writeBmp24((dir + "/" + image.file).c_str(), kSide, kSide, rgb);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--no-camera") != 0) || argc > 3) {
        std::fprintf(stderr, "usage: write_test_scene DIR [--no-camera]\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = writeFileBytes((dir + "/scenedemo.3DS").c_str(), sceneBytes(argc == 2));
    for (const Image& image : kImages) ok = writeImage(dir, image) && ok;
    if (!ok) std::fprintf(stderr, "write_test_scene: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
