#include "render/bmp_rle.h"

#include <algorithm>
#include <cstddef>

namespace {

// Second byte of an escape (a first byte of 0); higher values start an absolute run.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

struct RunState {
    std::span<const uint8_t> data;
    size_t pos;
    int x;
    int y;
};

// Pixel i of the indices packed at p: one per byte in RLE8, two (high nibble first) in RLE4.
unsigned indexAt(const uint8_t* p, int i, bool fourBit)
{
    if (!fourBit) return p[i];
    return i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F;
}

// Writes count pixels at the cursor, the i-th taking index indexAt(packed, i % period). Writers
// such as ImageMagick pad rows to a multiple of four pixels: what runs past the row's end is dropped.
bool putRun(RunState& s, const DibLayout& layout, int count, const uint8_t* packed, int period, uint8_t* out)
{
    if (s.y >= layout.rows) return false;
    bool fourBit = layout.encoding == PixelEncoding::kRle4;
    int kept = std::min(count, layout.width - s.x);
    uint8_t* dst = out + (static_cast<size_t>(s.y) * layout.width + s.x) * 3;
    for (int i = 0; i < kept; ++i, dst += 3)
        if (!putIndexed(layout.palette, indexAt(packed, i % period, fourBit), dst)) return false;
    s.x += kept;
    return true;
}

bool absoluteRun(RunState& s, const DibLayout& layout, int count, uint8_t* out)
{
    size_t bytes = layout.encoding == PixelEncoding::kRle4 ? (count + 1) / 2 : count;
    size_t padded = bytes + (bytes & 1);  // absolute runs end on a 16-bit boundary
    if (s.data.size() - s.pos < padded) return false;
    const uint8_t* packed = s.data.data() + s.pos;
    s.pos += padded;
    return putRun(s, layout, count, packed, count, out);
}

bool delta(RunState& s, const DibLayout& layout)
{
    if (s.data.size() - s.pos < 2) return false;
    s.x += s.data[s.pos];
    s.y += s.data[s.pos + 1];
    s.pos += 2;
    return s.x <= layout.width && s.y <= layout.rows;
}

bool escape(RunState& s, const DibLayout& layout, uint8_t code, uint8_t* out)
{
    if (code == kDelta) return delta(s, layout);
    if (code != kEndOfLine) return absoluteRun(s, layout, code, out);
    s.x = 0;
    return ++s.y <= layout.rows;
}

}  // namespace

bool expandRunLength(std::span<const uint8_t> file, const DibLayout& layout, uint8_t* out)
{
    if (layout.pixelOffset > file.size()) return false;
    RunState s{file.subspan(layout.pixelOffset), 0, 0, 0};
    // An encoded run repeats the two indices of its value byte (one in RLE8).
    int period = layout.encoding == PixelEncoding::kRle4 ? 2 : 1;
    while (s.data.size() - s.pos >= 2) {
        uint8_t count = s.data[s.pos];
        uint8_t value = s.data[s.pos + 1];
        s.pos += 2;
        if (count == 0 && value == kEndOfBitmap) return true;
        bool ok = count > 0 ? putRun(s, layout, count, &s.data[s.pos - 1], period, out) : escape(s, layout, value, out);
        if (!ok) return false;
    }
    return false;  // no end-of-bitmap mark: the data were cut short
}
