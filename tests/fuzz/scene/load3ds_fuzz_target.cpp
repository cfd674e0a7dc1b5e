#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "scene/load3ds.h"

// One input, loaded as a scene file with fresh loader state, then released.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    Scene scene;
    clear(scene);
    ChunkReader reader;
    LoaderState state;
    read3ds(scene, file, reader, state);
    std::fclose(file);
    releaseScene(scene);
    return 0;
}
