// madref IN.mp3 OUT.f32: decodes with libmad and writes its unrounded output in 16-bit units as
// 32-bit little-endian floats, interleaved stereo (a single channel goes to both sides).
//
// How this lines up with our decoder's raw output: both start with the first frame's first sample,
// without delay compensation, and give 1152 (MPEG-1) or 576 (MPEG-2) stereo samples per frame, so
// sample i of one is sample i of the other. A frame libmad finds but cannot decode is written as
// silence of its full length and named on stderr; bytes that are no frame (tags, junk) give nothing.
// A last frame that the file cuts short is decoded with zeros in place of the missing bytes.
#include <bit>
#include <cstdio>
#include <vector>

#include "madref/mad_decode.h"

static_assert(std::endian::native == std::endian::little, "the .f32 output is little-endian");

namespace {

bool readFile(const char* path, std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    uint8_t block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool writeFloats(const char* path, const std::vector<float>& samples)
{
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(samples.data(), sizeof(float), samples.size(), f) == samples.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: madref IN.mp3 OUT.f32\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!readFile(argv[1], bytes)) {
        std::fprintf(stderr, "madref: cannot read %s\n", argv[1]);
        return 1;
    }
    const MadDecoded decoded = madDecode(bytes);
    for (const MadFrameError& e : decoded.frameErrors)
        std::fprintf(stderr, "madref: frame %d: %s (written as silence)\n", e.frame, e.text.c_str());
    if (!decoded.fatal.empty()) std::fprintf(stderr, "madref: stopped: %s\n", decoded.fatal.c_str());
    if (!writeFloats(argv[2], decoded.pcm)) {
        std::fprintf(stderr, "madref: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("madref: %d frames, %d Hz, %zu frame errors, %d sync errors\n", decoded.frames, decoded.rate,
                decoded.frameErrors.size(), decoded.syncErrors);
    return decoded.fatal.empty() ? 0 : 1;
}
