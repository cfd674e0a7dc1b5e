#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// How a BMP file's pixels are laid out, as its headers say; read by the decoder.

// What the reader says when it takes no image from a file.
inline constexpr const char* kBitmapOpenFailed = "Failed to open DIB file %s.\n";
inline constexpr const char* kBitmapUnknownFormat = "Unknown DIB file format.";
inline constexpr const char* kBitmapOutOfMemory = "Out of memory.";
inline constexpr const char* kBitmapConversionError = "Image file conversion error.";

// Larger pictures are refused rather than allocated.
constexpr int32_t kMaxBitmapSide = 16384;

// The number of colour-table entries a DIB header announces (0 for a header too short to say).
int paletteEntryCount(std::span<const uint8_t> dibHeader);

inline uint16_t le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

enum class PixelEncoding { kIndexed, kRle8, kRle4, kBitFields, kRgb24 };

// The colour table as RGB; indices at or above count are not in the file.
struct Palette {
    uint8_t rgb[256][3];
    int count;
};

// Writes the RGB of a colour-table entry; false for an index the table does not hold.
inline bool putIndexed(const Palette& palette, unsigned index, uint8_t* rgb)
{
    if (index >= unsigned(palette.count)) return false;
    rgb[0] = palette.rgb[index][0];
    rgb[1] = palette.rgb[index][1];
    rgb[2] = palette.rgb[index][2];
    return true;
}

struct DibLayout {
    int32_t width;
    int32_t rows;  // number of rows, always positive
    bool topDown;  // first row in the file is the top of the picture
    int bitCount;
    PixelEncoding encoding;
    uint32_t masks[3];  // red, green, blue bits of a kBitFields pixel
    Palette palette;    // for kIndexed and the run-length encodings
    size_t pixelOffset;
};

// Reads the headers, colour table and bit masks; nullptr on success, else the reader's message.
const char* readDibLayout(std::span<const uint8_t> file, DibLayout& layout);
