// bmpinfo FILE.bmp OUT.rgb: reads FILE.bmp as the demo does, prints "width height" and writes
// the image's RGB bytes (bottom row first, no padding) to OUT.rgb.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/report.h"
#include "render/bmp_file.h"

namespace {

bool writeAll(const char* path, const Image& image)
{
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool written = std::fwrite(image.pixels.get(), 1, imageBytes(image), out) == imageBytes(image);
    bool closed = std::fclose(out) == 0;
    if (written && closed) return true;
    std::remove(path);  // no half-written output
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.bmp OUT.rgb\n", program_invocation_short_name);
        return 2;
    }
    DecodedBitmap decoded = readBitmapFile(argv[1]);
    if (!decoded.image) {
        report(argv[1], decoded.message);
        return 1;
    }
    if (!writeAll(argv[2], *decoded.image)) {
        report(argv[2], std::string("cannot write: ") + std::strerror(errno));
        return 1;
    }
    std::printf("%d %d\n", decoded.image->width, decoded.image->height);
    return 0;
}
