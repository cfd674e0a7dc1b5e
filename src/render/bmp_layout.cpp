#include "render/bmp_layout.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgbCompression = 0;
constexpr uint32_t kBitFieldsCompression = 3;
constexpr size_t kMaskBytes = 12;

struct TableSize {
    int bitCount;
    int entries;
};
constexpr TableSize kTableSizes[] = {{1, 2}, {4, 16}, {8, 256}};

// Every (bits, compression) pair the reader converts.
struct EncodingRule {
    int bitCount;
    uint32_t compression;
    PixelEncoding encoding;
};
constexpr EncodingRule kEncodings[] = {
    {1, 0, PixelEncoding::kIndexed},   {4, 0, PixelEncoding::kIndexed},   {8, 0, PixelEncoding::kIndexed},
    {16, 0, PixelEncoding::kBitFields}, {24, 0, PixelEncoding::kRgb24},  {32, 0, PixelEncoding::kBitFields},
    {8, 1, PixelEncoding::kRle8},      {4, 2, PixelEncoding::kRle4},      {16, 3, PixelEncoding::kBitFields},
    {32, 3, PixelEncoding::kBitFields},
};

// Red, green, blue masks of uncompressed 16-bit (5-5-5) and 32-bit pixels.
constexpr uint32_t kDefaultMasks16[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kDefaultMasks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};

int entriesForBitCount(int bitCount)
{
    for (const TableSize& size : kTableSizes)
        if (size.bitCount == bitCount) return size.entries;
    return 0;
}

// The fields of either DIB header form, before they are checked.
struct RawHeader {
    int64_t width;
    int64_t height;
    int bitCount;
    uint32_t compression;
    size_t tableOffset;  // from the start of the file
    size_t entrySize;    // 3 in a core header's table, 4 in an info header's
};

bool readRawHeader(std::span<const uint8_t> file, size_t dib, RawHeader& raw)
{
    if (file.size() < dib + 4) return false;
    const uint8_t* h = file.data() + dib;
    uint32_t size = le32(h);
    if (size == kCoreHeaderSize && file.size() >= dib + kCoreHeaderSize) {
        raw = {le16(h + 4), le16(h + 6), le16(h + 10), kRgbCompression, dib + kCoreHeaderSize, 3};
        return true;
    }
    if (size == kInfoHeaderSize && file.size() >= dib + kInfoHeaderSize) {
        int32_t width = static_cast<int32_t>(le32(h + 4));
        int32_t height = static_cast<int32_t>(le32(h + 8));
        raw = {width, height, le16(h + 14), le32(h + 16), dib + kInfoHeaderSize, 4};
        // The three bit-field masks come before any colour table.
        if (raw.compression == kBitFieldsCompression) raw.tableOffset += kMaskBytes;
        return true;
    }
    return false;
}

const char* checkDimensions(const RawHeader& raw, DibLayout& layout)
{
    if (raw.width > kMaxBitmapSide || raw.height > kMaxBitmapSide || raw.height < -kMaxBitmapSide)
        return kBitmapOutOfMemory;
    if (raw.width <= 0 || raw.height == 0) return kBitmapConversionError;
    layout.width = static_cast<int32_t>(raw.width);
    layout.topDown = raw.height < 0;
    layout.rows = static_cast<int32_t>(layout.topDown ? -raw.height : raw.height);
    return nullptr;
}

bool chooseEncoding(const RawHeader& raw, DibLayout& layout)
{
    for (const EncodingRule& rule : kEncodings) {
        if (rule.bitCount != raw.bitCount || rule.compression != raw.compression) continue;
        layout.bitCount = raw.bitCount;
        layout.encoding = rule.encoding;
        // Run-length data always run bottom-up.
        bool runLength = rule.encoding == PixelEncoding::kRle8 || rule.encoding == PixelEncoding::kRle4;
        return !(runLength && layout.topDown);
    }
    return false;
}

bool readPalette(std::span<const uint8_t> file, const RawHeader& raw, int entries, Palette& palette)
{
    palette.count = entries < 256 ? entries : 256;
    if (file.size() < raw.tableOffset || (file.size() - raw.tableOffset) / raw.entrySize < size_t(palette.count))
        return false;
    for (int i = 0; i < palette.count; ++i) {
        const uint8_t* bgr = file.data() + raw.tableOffset + i * raw.entrySize;
        palette.rgb[i][0] = bgr[2];
        palette.rgb[i][1] = bgr[1];
        palette.rgb[i][2] = bgr[0];
    }
    return true;
}

// A mask must be one run of set bits (or empty) for its channel to scale to 8 bits.
bool contiguous(uint32_t mask)
{
    if (mask == 0) return true;
    while ((mask & 1) == 0) mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

bool readMasks(std::span<const uint8_t> file, size_t dib, const RawHeader& raw, DibLayout& layout)
{
    const uint32_t* defaults = raw.bitCount == 16 ? kDefaultMasks16 : kDefaultMasks32;
    size_t at = dib + kInfoHeaderSize;
    if (raw.compression == kBitFieldsCompression && file.size() < at + kMaskBytes) return false;
    for (int c = 0; c < 3; ++c) {
        layout.masks[c] = raw.compression == kBitFieldsCompression ? le32(file.data() + at + 4 * c) : defaults[c];
        if (!contiguous(layout.masks[c])) return false;
    }
    return true;
}

}  // namespace

int paletteEntryCount(std::span<const uint8_t> dibHeader)
{
    if (dibHeader.size() < 4) return 0;
    if (le32(dibHeader.data()) == kCoreHeaderSize)
        return dibHeader.size() >= 12 ? entriesForBitCount(le16(dibHeader.data() + 10)) : 0;
    if (dibHeader.size() < 36) return 0;
    uint32_t coloursUsed = le32(dibHeader.data() + 32);
    if (coloursUsed != 0) return static_cast<int>(coloursUsed & 0xFFFF);
    return entriesForBitCount(le16(dibHeader.data() + 14));
}

const char* readDibLayout(std::span<const uint8_t> file, DibLayout& layout)
{
    bool fileHeader = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
    size_t dib = fileHeader ? kFileHeaderSize : 0;
    RawHeader raw;
    if (!readRawHeader(file, dib, raw)) return kBitmapUnknownFormat;
    int entries = paletteEntryCount(file.subspan(dib));
    if (const char* message = checkDimensions(raw, layout)) return message;
    if (!chooseEncoding(raw, layout)) return kBitmapConversionError;
    bool indexed = layout.encoding != PixelEncoding::kBitFields && layout.encoding != PixelEncoding::kRgb24;
    if (indexed && !readPalette(file, raw, entries, layout.palette)) return kBitmapConversionError;
    if (layout.encoding == PixelEncoding::kBitFields && !readMasks(file, dib, raw, layout))
        return kBitmapConversionError;
    // Without a file header the pixels follow the colour table.
    layout.pixelOffset = fileHeader ? le32(file.data() + 10) : raw.tableOffset + raw.entrySize * entries;
    return nullptr;
}
