#include <cstdio>
#include <string>
#include <vector>

#include "realistic_scene.h"

// Writes the seed corpus for the scene loader's fuzz target into the folder given.
namespace {

std::vector<uint8_t> cameraScene()
{
    ChunkWriter w;
    w.beginScene();
    writeCamera(w, "cam", 1.0f, 45.0f);
    w.endScene();
    return w.bytes;
}

std::vector<uint8_t> oddChunkScene()
{
    ChunkWriter w;
    w.beginScene();
    w.header(0x7777, 7);
    w.u8(0x41);
    w.material("m", "m.bmp");
    w.header(0x7777, 7);
    w.u8(0);
    writeTriangleObject(w, "tri", "m", 1.0f);
    w.endScene();
    return w.bytes;
}

std::vector<uint8_t> lightsScene()
{
    ChunkWriter w;
    w.beginScene();
    writeSceneLight(w, "Spot", {1, 2, 3}, true);
    writeSceneLight(w, "Omni", {4, 5, 6}, false);
    w.endScene();
    return w.bytes;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_scene_seeds FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeFile(dir + "/realistic.3ds", realisticScene()) &&
                    writeFile(dir + "/camera.3ds", cameraScene()) &&
                    writeFile(dir + "/odd_chunks.3ds", oddChunkScene()) &&
                    writeFile(dir + "/lights.3ds", lightsScene());
    if (!ok) std::perror(dir.c_str());
    return ok ? 0 : 1;
}
