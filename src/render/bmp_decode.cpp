#include "render/bmp_decode.h"

#include <cstdlib>

#include "render/bmp_layout.h"
#include "render/bmp_pixels.h"
#include "render/bmp_rle.h"

DecodedBitmap decodeBitmap(std::span<const uint8_t> file)
{
    DibLayout layout;
    if (const char* message = readDibLayout(file, layout)) return {std::nullopt, message};
    Image image;
    image.width = layout.width;
    image.height = layout.rows;
    bool runLength = layout.encoding == PixelEncoding::kRle8 || layout.encoding == PixelEncoding::kRle4;
    // Checked before allocating, so a short file cannot claim a huge picture.
    if (!runLength && !uncompressedDataFits(file, layout)) return {std::nullopt, kBitmapConversionError};
    // Zeroed for run-length data, whose skipped pixels are black; other encodings fill every byte.
    size_t bytes = imageBytes(image);
    image.pixels.reset(static_cast<uint8_t*>(runLength ? std::calloc(bytes, 1) : std::malloc(bytes)));
    if (!image.pixels) return {std::nullopt, kBitmapOutOfMemory};
    bool converted = runLength ? expandRunLength(file, layout, image.pixels.get())
                               : convertUncompressed(file, layout, image.pixels.get());
    if (!converted) return {std::nullopt, kBitmapConversionError};
    return {std::move(image), {}};
}
