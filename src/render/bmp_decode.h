#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "render/image.h"

// What the reader says when it takes no image from a file.
inline constexpr const char* kBitmapOpenFailed = "Failed to open DIB file %s.\n";
inline constexpr const char* kBitmapUnknownFormat = "Unknown DIB file format.";
inline constexpr const char* kBitmapOutOfMemory = "Out of memory.";
inline constexpr const char* kBitmapConversionError = "Image file conversion error.";

// Larger pictures are refused rather than allocated.
constexpr int32_t kMaxBitmapSide = 16384;

struct DecodedBitmap {
    std::optional<Image> image;
    std::string message;  // why there is no image; empty when there is one
};

// A whole BMP/DIB file held in memory, with or without its "BM" file header, turned into an Image.
DecodedBitmap decodeBitmap(std::span<const uint8_t> file);

// The number of colour-table entries a DIB header announces (0 for a header too short to say).
int paletteEntryCount(std::span<const uint8_t> dibHeader);
