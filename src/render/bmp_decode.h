#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "render/bmp_layout.h"
#include "render/image.h"

struct DecodedBitmap {
    std::optional<Image> image;
    std::string message;  // why there is no image; empty when there is one
};

// A whole BMP/DIB file held in memory, with or without its "BM" file header, turned into an Image.
DecodedBitmap decodeBitmap(std::span<const uint8_t> file);
