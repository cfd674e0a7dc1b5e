// Reads a 1024 × 1024 24-bit BMP with the demo's reader and with a plain fread + byte copy of
// the same file, and prints the median time of each and their ratio (target: within 3×).

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/bmp_writer.h"
#include "render/bmp_file.h"

namespace {

constexpr int kSide = 1024;
constexpr int kRounds = 41;
constexpr double kTargetRatio = 3.0;

using Clock = std::chrono::steady_clock;

// The baseline: the whole file into one buffer, then copied byte for byte into another.
size_t freadAndCopy(const char* path)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    size_t size = static_cast<size_t>(std::ftell(f));
    std::fseek(f, 0, SEEK_SET);
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
    size_t got = std::fread(bytes.get(), 1, size, f);
    std::fclose(f);
    std::unique_ptr<uint8_t[]> copy(new uint8_t[got]);
    std::memcpy(copy.get(), bytes.get(), got);
    return copy[got / 2] + got;
}

size_t readWithReader(const char* path)
{
    DecodedBitmap decoded = readBitmapFile(path);
    return decoded.image ? imageBytes(*decoded.image) + decoded.image->pixels[0] : 0;
}

template <typename Read>
double medianMs(Read read, const char* path, size_t& sink)
{
    std::vector<double> ms;
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        sink += read(path);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(ms.begin(), ms.begin() + kRounds / 2, ms.end());
    return ms[kRounds / 2];
}

}  // namespace

int main()
{
    std::vector<uint8_t> rgb(size_t(kSide) * kSide * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 131 >> 3);
    std::string path = "/tmp/z3d-bench-bmp-" + std::to_string(getpid()) + ".bmp";
    if (!writeBmp24(path.c_str(), kSide, kSide, rgb)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    size_t sink = 0;
    readWithReader(path.c_str());  // warm the page cache
    double baseline = medianMs(freadAndCopy, path.c_str(), sink);
    double reader = medianMs(readWithReader, path.c_str(), sink);
    std::remove(path.c_str());
    double ratio = reader / baseline;
    std::printf("1024 x 1024 24-bit BMP, median of %d: reader %.2f ms, fread + copy %.2f ms, ratio %.2f (target %.1f) %s\n",
                kRounds, reader, baseline, ratio, kTargetRatio, ratio <= kTargetRatio ? "met" : "MISSED");
    return sink ? 0 : 1;
}
