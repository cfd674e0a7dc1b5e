#pragma once

#include <cstdint>
#include <vector>

#include "file_bytes.h"

// Writes a 24-bit uncompressed BMP ("BM" header + 40-byte info header, bottom-up rows padded
// to 4 bytes) from RGB pixels given bottom row first; false when the file fails.
inline bool writeBmp24(const char* path, int width, int height, const std::vector<uint8_t>& rgb)
{
    int rowBytes = (width * 3 + 3) & ~3;
    uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * height);
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(54 + pixelBytes);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<uint32_t>(width));
    u32(static_cast<uint32_t>(height));
    u16(1);
    u16(24);
    u32(0);
    u32(pixelBytes);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3]);
        }
        for (int p = width * 3; p < rowBytes; ++p) out.push_back(0);
    }
    return writeFileBytes(path, out);
}
