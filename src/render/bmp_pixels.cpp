#include "render/bmp_pixels.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// One bit-field channel scaled to 8 bits through a table of its levels.
struct Channel {
    uint32_t mask;
    int shift;
    int drop;  // low bits of a channel wider than 8 that the scale ignores
    uint8_t level[256];
};

void makeChannel(uint32_t mask, Channel& channel)
{
    channel.mask = mask;
    channel.shift = mask ? std::countr_zero(mask) : 0;
    int bits = std::popcount(mask);
    channel.drop = std::max(bits - 8, 0);
    int top = (1 << std::min(bits, 8)) - 1;
    // Rounded so that the lowest level is 0 and the highest 255 at every width.
    for (int v = 0; v < 256; ++v) channel.level[v] = top ? uint8_t((std::min(v, top) * 255 + top / 2) / top) : 0;
}

bool convertIndexedRow(const uint8_t* src, const DibLayout& layout, uint8_t* dst)
{
    int bits = layout.bitCount;
    int perByte = 8 / bits;
    unsigned valueMask = (1u << bits) - 1;
    for (int x = 0; x < layout.width; ++x, dst += 3) {
        // The leftmost pixel sits in the highest bits of its byte.
        int shift = 8 - bits * (x % perByte + 1);
        if (!putIndexed(layout.palette, (src[x / perByte] >> shift) & valueMask, dst)) return false;
    }
    return true;
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels per byte shuffle, while a whole 16-byte load and store stay within the row.
__attribute__((target("ssse3"))) int swapRgb24Ssse3(const uint8_t* src, int width, uint8_t* dst)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    int x = 0;
    for (; x * 3 + 16 <= width * 3; x += 4) {
        __m128i bgr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x * 3), _mm_shuffle_epi8(bgr, order));
    }
    return x;
}

int swapRgb24Fast(const uint8_t* src, int width, uint8_t* dst)
{
    // The CPU's features are read once by the runtime at start; asking again costs a load.
    return __builtin_cpu_supports("ssse3") ? swapRgb24Ssse3(src, width, dst) : 0;
}
#else
int swapRgb24Fast(const uint8_t*, int, uint8_t*)
{
    return 0;
}
#endif

void convertRgb24Row(const uint8_t* src, int width, uint8_t* dst)
{
    int done = swapRgb24Fast(src, width, dst);
    src += done * 3;
    dst += done * 3;
    for (int x = done; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

void convertBitFieldsRow(const uint8_t* src, const DibLayout& layout, const Channel* channels, uint8_t* dst)
{
    int bytes = layout.bitCount / 8;
    for (int x = 0; x < layout.width; ++x, src += bytes, dst += 3) {
        uint32_t pixel = bytes == 2 ? le16(src) : le32(src);
        for (int c = 0; c < 3; ++c) {
            const Channel& ch = channels[c];
            dst[c] = ch.level[((pixel & ch.mask) >> ch.shift) >> ch.drop];
        }
    }
}

size_t rowStride(const DibLayout& layout)
{
    return (static_cast<size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
}

}  // namespace

bool uncompressedDataFits(std::span<const uint8_t> file, const DibLayout& layout)
{
    // The last row's padding may be missing from the file; its pixels may not.
    size_t lastRow = (static_cast<size_t>(layout.width) * layout.bitCount + 7) / 8;
    size_t needed = rowStride(layout) * (layout.rows - 1) + lastRow;
    return layout.pixelOffset <= file.size() && file.size() - layout.pixelOffset >= needed;
}

bool convertUncompressed(std::span<const uint8_t> file, const DibLayout& layout, uint8_t* out)
{
    if (!uncompressedDataFits(file, layout)) return false;
    size_t stride = rowStride(layout);
    Channel channels[3];
    if (layout.encoding == PixelEncoding::kBitFields)
        for (int c = 0; c < 3; ++c) makeChannel(layout.masks[c], channels[c]);
    size_t outStride = static_cast<size_t>(layout.width) * 3;
    for (int r = 0; r < layout.rows; ++r) {
        const uint8_t* src = file.data() + layout.pixelOffset + r * stride;
        uint8_t* dst = out + (layout.topDown ? layout.rows - 1 - r : r) * outStride;
        if (layout.encoding == PixelEncoding::kRgb24)
            convertRgb24Row(src, layout.width, dst);
        else if (layout.encoding == PixelEncoding::kBitFields)
            convertBitFieldsRow(src, layout, channels, dst);
        else if (!convertIndexedRow(src, layout, dst))
            return false;
    }
    return true;
}
