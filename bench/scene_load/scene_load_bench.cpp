#include <chrono>
#include <cstdio>
#include <vector>

#include "common/chunk_writer.h"
#include "realistic_scene.h"
#include "scene/load3ds.h"

// Prints how long loading takes for a large ordinary scene and for files of many tiny records.
namespace {

std::vector<uint8_t> manyMeshes(int meshes, int side)
{
    ChunkWriter w;
    w.beginScene();
    writeTexturedMaterial(w, "BRICK", "BRICK.BMP", {200, 80, 60});
    for (int m = 0; m < meshes; ++m) {
        w.begin(0x4000);
        w.str("Grid");
        w.begin(0x4100);
        w.begin(0x4110);
        w.u16(static_cast<uint16_t>(side * side));
        for (int i = 0; i < side * side; ++i)
            for (float f : {float(i % side), float(i / side), float(m)}) w.f32(f);
        w.end();
        w.begin(0x4120);
        w.u16(static_cast<uint16_t>(2 * (side - 1) * (side - 1)));
        for (int y = 0; y + 1 < side; ++y)
            for (int x = 0; x + 1 < side; ++x) {
                const int i = y * side + x;
                for (int c : {i, i + 1, i + side, 0, i + 1, i + side + 1, i + side, 0}) w.u16(uint16_t(c));
            }
        w.end();
        w.end();
        w.end();
    }
    w.endScene();
    return w.bytes;
}

std::vector<uint8_t> tinyMaterials(int count)
{
    ChunkWriter w;
    w.beginScene();
    for (int i = 0; i < count; ++i) {
        w.header(0xAFFF, 8);
        w.u16(0);
    }
    w.endScene();
    return w.bytes;
}

void measure(const char* what, std::vector<uint8_t> bytes)
{
    Scene scene;
    clear(scene);
    ChunkReader reader;
    LoaderState state;
    FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    const auto start = std::chrono::steady_clock::now();
    read3ds(scene, file, reader, state);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(file);
    std::printf("%-34s %9zu bytes  %7.0f meshes %7.0f materials  %8.3f s  %7.1f MB/s\n", what,
                bytes.size(), scene.meshCount, scene.materialCount, seconds,
                bytes.size() / seconds / 1e6);
    releaseScene(scene);
}

}  // namespace

int main()
{
    measure("realistic scene", realisticScene());
    measure("200 grids of 64 x 64 vertices", manyMeshes(200, 64));
    measure("100000 tiny materials", tinyMaterials(100000));
    measure("1000000 tiny materials", tinyMaterials(1000000));
    return 0;
}
