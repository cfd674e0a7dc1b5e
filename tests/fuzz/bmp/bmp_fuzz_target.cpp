// One fuzz input: any bytes must give either an image that holds what it says or a message.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    DecodedBitmap decoded = decodeBitmap(bytes);
    if (int entries = paletteEntryCount(bytes); entries < 0 || entries > 0xFFFF) std::abort();
    if (!decoded.image) {
        if (decoded.message.empty()) std::abort();
        return 0;
    }
    const Image& image = *decoded.image;
    if (image.width < 1 || image.width > kMaxBitmapSide || image.height < 1 || image.height > kMaxBitmapSide)
        std::abort();
    // Touch every byte so that the sanitizers see a short or uninitialised buffer.
    unsigned sum = 0;
    for (size_t i = 0; i < imageBytes(image); ++i) sum += image.pixels[i];
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
