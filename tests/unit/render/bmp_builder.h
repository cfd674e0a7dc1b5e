#pragma once

#include <array>
#include <cstdint>
#include <vector>

// BMP files built byte by byte for the reader's tests.

using Rgb = std::array<uint8_t, 3>;

struct BmpFile {
    bool fileHeader = true;  // the 14-byte "BM" header
    bool coreHeader = false;  // 12-byte header instead of the 40-byte one
    int32_t width = 1;
    int32_t height = 1;  // negative: top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t headerSize = 0;  // written in place of 12 or 40 when not 0
    std::vector<uint32_t> masks;  // red, green, blue, after the info header
    std::vector<uint8_t> table;  // colour table bytes as they stand in the file
    std::vector<uint8_t> pixels;  // pixel data as they stand in the file
};

inline BmpFile bmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression = 0)
{
    BmpFile f;
    f.width = width;
    f.height = height;
    f.bitCount = bitCount;
    f.compression = compression;
    return f;
}

inline void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Colour-table bytes: blue, green, red (and 0 in an info-header file) per entry.
inline std::vector<uint8_t> colourTable(const std::vector<Rgb>& colours, bool core = false)
{
    std::vector<uint8_t> out;
    for (const Rgb& c : colours) {
        out.insert(out.end(), {c[2], c[1], c[0]});
        if (!core) out.push_back(0);
    }
    return out;
}

// Pixel values packed at bitCount bits, leftmost pixel in the high bits, rows padded to 4 bytes.
// A 24-bit value is 0xRRGGBB and is stored blue first.
inline std::vector<uint8_t> packRows(const std::vector<std::vector<uint32_t>>& rows, int bitCount)
{
    std::vector<uint8_t> out;
    for (const auto& row : rows) {
        size_t start = out.size();
        if (bitCount < 8) {
            out.resize(start + (row.size() * bitCount + 7) / 8, 0);
            for (size_t x = 0; x < row.size(); ++x)
                out[start + x * bitCount / 8] |= uint8_t(row[x] << (8 - bitCount - (x * bitCount) % 8));
        } else {
            for (uint32_t v : row)
                for (int b = 0; b < bitCount / 8; ++b) out.push_back(uint8_t(v >> (8 * b)));
        }
        while ((out.size() - start) % 4) out.push_back(0);
    }
    return out;
}

inline std::vector<uint8_t> buildBmp(const BmpFile& f)
{
    std::vector<uint8_t> dib;
    if (f.coreHeader) {
        put32(dib, f.headerSize ? f.headerSize : 12);
        put16(dib, uint32_t(f.width));
        put16(dib, uint32_t(f.height));
        put16(dib, 1);
        put16(dib, f.bitCount);
    } else {
        put32(dib, f.headerSize ? f.headerSize : 40);
        for (uint32_t v : {uint32_t(f.width), uint32_t(f.height)}) put32(dib, v);
        put16(dib, 1);
        put16(dib, f.bitCount);
        for (uint32_t v : {f.compression, uint32_t(f.pixels.size()), 2835u, 2835u, f.coloursUsed, 0u}) put32(dib, v);
        for (uint32_t m : f.masks) put32(dib, m);
    }
    dib.insert(dib.end(), f.table.begin(), f.table.end());
    std::vector<uint8_t> out;
    if (f.fileHeader) {
        out = {'B', 'M'};
        put32(out, uint32_t(14 + dib.size() + f.pixels.size()));
        put32(out, 0);
        put32(out, uint32_t(14 + dib.size()));
    }
    out.insert(out.end(), dib.begin(), dib.end());
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    return out;
}
