#include <gtest/gtest.h>

#include <random>

#include "bmp_builder.h"
#include "render/bmp_decode.h"

namespace {

std::vector<uint8_t> rgbOf(const Image& image)
{
    return std::vector<uint8_t>(image.pixels.get(), image.pixels.get() + imageBytes(image));
}

// Decodes and expects an image of the given size with exactly these RGB bytes.
void expectImage(const std::vector<uint8_t>& file, int width, int height, const std::vector<uint8_t>& rgb)
{
    DecodedBitmap decoded = decodeBitmap(file);
    ASSERT_TRUE(decoded.image) << decoded.message;
    EXPECT_EQ(decoded.image->width, width);
    EXPECT_EQ(decoded.image->height, height);
    EXPECT_EQ(rgbOf(*decoded.image), rgb);
}

void append(std::vector<uint8_t>& rgb, const Rgb& c)
{
    rgb.insert(rgb.end(), c.begin(), c.end());
}

// Every colour of a 2^bits table distinct, so a wrong index shows.
std::vector<Rgb> distinctColours(int entries)
{
    std::vector<Rgb> colours;
    for (int i = 0; i < entries; ++i) colours.push_back({uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
    return colours;
}

// A pixel value and its colour for one depth: palette index, 0xRRGGBB, or 16/32-bit channels
// that are each all ones or all zeros (exact at any scale).
struct Sample {
    uint32_t value;
    Rgb rgb;
};

Sample samplePixel(int bits, std::mt19937& random, const std::vector<Rgb>& palette)
{
    uint32_t r = random();
    if (bits <= 8) {
        uint32_t index = r % (1u << bits);
        return {index, palette[index]};
    }
    if (bits == 24) return {r & 0xFFFFFF, {uint8_t(r >> 16), uint8_t(r >> 8), uint8_t(r)}};
    static const uint32_t masks16[3] = {0x7C00, 0x03E0, 0x001F};
    static const uint32_t masks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    const uint32_t* masks = bits == 16 ? masks16 : masks32;
    Sample s{0, {0, 0, 0}};
    for (int c = 0; c < 3; ++c)
        if (r >> c & 1) {
            s.value |= masks[c];
            s.rgb[c] = 255;
        }
    return s;
}

struct Variant {
    bool core;
    bool fileHeader;
    bool topDown;
};

void checkVariant(int bits, int width, Variant v, std::mt19937& random)
{
    const int height = 3;
    BmpFile f;
    f.coreHeader = v.core;
    f.fileHeader = v.fileHeader;
    f.width = width;
    f.height = v.topDown ? -height : height;
    f.bitCount = uint16_t(bits);
    std::vector<Rgb> palette = bits <= 8 ? distinctColours(1 << bits) : std::vector<Rgb>{};
    f.table = colourTable(palette, v.core);
    std::vector<std::vector<uint32_t>> rows(height);
    std::vector<std::vector<uint8_t>> pictureRows(height);  // bottom row first
    for (int y = 0; y < height; ++y) {
        int pictureRow = v.topDown ? height - 1 - y : y;
        for (int x = 0; x < width; ++x) {
            Sample s = samplePixel(bits, random, palette);
            rows[y].push_back(s.value);
            append(pictureRows[pictureRow], s.rgb);
        }
    }
    f.pixels = packRows(rows, bits);
    std::vector<uint8_t> expected;
    for (const auto& row : pictureRows) expected.insert(expected.end(), row.begin(), row.end());
    SCOPED_TRACE(testing::Message() << bits << " bits, width " << width << (v.core ? ", core" : ", info")
                                    << (v.fileHeader ? ", BM" : "") << (v.topDown ? ", top-down" : ""));
    expectImage(buildBmp(f), width, height, expected);
}

}  // namespace

TEST(BmpLayouts, EveryDepthWidthAndHeaderFormGivesThePictureBottomRowFirst)
{
    std::mt19937 random(7);
    const Variant variants[] = {{false, true, false}, {false, false, false}, {true, true, false},
                                {true, false, false}, {false, true, true},   {false, false, true}};
    for (int bits : {1, 4, 8, 16, 24, 32})
        for (int width = 1; width <= 9; ++width)
            for (Variant v : variants) checkVariant(bits, width, v, random);
}

TEST(BmpLayouts, Rgb24Width256KeepsTheFileRowOrderAsRedGreenBlue)
{
    BmpFile f = bmpFile(256, 2, 24);
    std::vector<std::vector<uint32_t>> rows(2);
    std::vector<uint8_t> expected;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 256; ++x) {
            rows[y].push_back(uint32_t(x) << 16 | uint32_t(y * 100) << 8 | uint32_t(255 - x));
            append(expected, {uint8_t(x), uint8_t(y * 100), uint8_t(255 - x)});
        }
    f.pixels = packRows(rows, 24);
    expectImage(buildBmp(f), 256, 2, expected);
}

TEST(BmpLayouts, Width3RowPaddingNeverReachesTheImage)
{
    BmpFile f = bmpFile(3, 2, 24);
    f.pixels.assign(24, 0xEE);  // two rows of 9 bytes + 3 padding, all 0xEE
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 9; ++i) f.pixels[y * 12 + i] = uint8_t(y * 9 + i);
    std::vector<uint8_t> expected;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint8_t* bgr = &f.pixels[y * 12 + x * 3];
            expected.insert(expected.end(), {bgr[2], bgr[1], bgr[0]});
        }
    expectImage(buildBmp(f), 3, 2, expected);
}

TEST(BmpLayouts, PixelsWithoutFileHeaderFollowTheAnnouncedTable)
{
    // 256 entries by the bit count; 16 by the colours-used field.
    for (uint32_t used : {0u, 16u}) {
        int entries = used ? int(used) : 256;
        BmpFile f;
        f.fileHeader = false;
        f.width = 2;
        f.height = 1;
        f.bitCount = 8;
        f.coloursUsed = used;
        std::vector<Rgb> palette = distinctColours(entries);
        f.table = colourTable(palette);
        f.pixels = packRows({{uint32_t(entries - 1), 1}}, 8);
        std::vector<uint8_t> expected;
        append(expected, palette[entries - 1]);
        append(expected, palette[1]);
        SCOPED_TRACE(entries);
        expectImage(buildBmp(f), 2, 1, expected);
    }
}

TEST(BmpLayouts, CoreHeaderTableHasThreeByteEntries)
{
    BmpFile f;
    f.coreHeader = true;
    f.fileHeader = false;
    f.width = 4;
    f.height = 1;
    f.bitCount = 4;
    f.table = colourTable(distinctColours(16), true);
    ASSERT_EQ(f.table.size(), 48u);
    f.pixels = packRows({{15, 0, 7, 8}}, 4);
    std::vector<uint8_t> expected;
    for (int i : {15, 0, 7, 8}) append(expected, distinctColours(16)[i]);
    expectImage(buildBmp(f), 4, 1, expected);
}

TEST(BmpLayouts, SixteenBitChannelsScaleToFullRange)
{
    BmpFile f = bmpFile(4, 1, 16);
    // Default 5-5-5: white, pure red, the middle level 16 of 31, black.
    f.pixels = packRows({{0x7FFF, 0x7C00, 0x4210, 0x0000}}, 16);
    expectImage(buildBmp(f), 4, 1, {255, 255, 255, 255, 0, 0, 132, 132, 132, 0, 0, 0});
    // Bit fields 5-6-5: green has 64 levels.
    f.compression = 3;
    f.masks = {0xF800, 0x07E0, 0x001F};
    f.pixels = packRows({{0xFFFF, 0x07E0, 0x0400, 0x001F}}, 16);
    expectImage(buildBmp(f), 4, 1, {255, 255, 255, 0, 255, 0, 0, 130, 0, 0, 0, 255});
}

TEST(BmpLayouts, ThirtyTwoBitBitFieldsInAnyOrderAndWidth)
{
    BmpFile f = bmpFile(2, 1, 32, 3);
    // Red in the low byte, green 10 bits wide (only its top 8 count), blue in the top byte.
    f.masks = {0x000000FF, 0x0003FF00, 0xFF000000};
    f.pixels = packRows({{0x12ABCD34, 0x0003FC00}}, 32);
    // Green of the first pixel: 0x3CD (10 bits) → 0xF3.
    expectImage(buildBmp(f), 2, 1, {0x34, 0xF3, 0x12, 0, 255, 0});
}

TEST(BmpLayouts, RunLength8RunsAbsoluteRunsDeltaAndSkippedPixelsBlack)
{
    BmpFile f = bmpFile(6, 3, 8, 1);
    std::vector<Rgb> palette = {{9, 9, 9}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    f.table = colourTable(palette);
    f.coloursUsed = 4;
    f.pixels = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0,  // row 0: run of three 1s, absolute 2 3 1 (+ pad), end of line
                0, 2, 2, 0, 2, 3, 0, 0,  // row 1: skip 2, two 3s, end of line
                6, 2, 0, 1};  // row 2: six 2s, end of bitmap
    std::vector<uint8_t> expected;
    for (int i : {1, 1, 1, 2, 3, 1}) append(expected, palette[i]);
    for (int i : {-1, -1, 3, 3, -1, -1}) append(expected, i < 0 ? Rgb{0, 0, 0} : palette[i]);
    for (int i = 0; i < 6; ++i) append(expected, palette[2]);
    expectImage(buildBmp(f), 6, 3, expected);
}

TEST(BmpLayouts, RunLength4AlternatesNibblesAndPadsAbsoluteRuns)
{
    BmpFile f = bmpFile(5, 3, 4, 2);
    std::vector<Rgb> palette = distinctColours(16);
    f.table = colourTable(palette);
    f.pixels = {5, 0x12, 0, 0,  // row 0: 1 2 1 2 1
                0, 3, 0x34, 0x50, 0, 0,  // row 1: absolute 3 4 5 (two bytes, no pad), end of line
                0, 5, 0x9A, 0xBC, 0xD0, 0,  // row 2: absolute 9 A B C D (three bytes + pad)
                0, 1};
    std::vector<uint8_t> expected;
    for (int i : {1, 2, 1, 2, 1}) append(expected, palette[i]);
    for (int i : {3, 4, 5}) append(expected, palette[i]);
    expected.resize(expected.size() + 6, 0);  // the rest of row 1 is skipped
    for (int i : {9, 10, 11, 12, 13}) append(expected, palette[i]);
    expectImage(buildBmp(f), 5, 3, expected);
}

// ImageMagick codes a 3-pixel row as 4; readers keep the row and drop the rest, unchecked.
TEST(BmpLayouts, RunLengthPixelsPastTheRowEndAreDropped)
{
    BmpFile f = bmpFile(3, 3, 8, 1);
    std::vector<Rgb> palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
    f.table = colourTable(palette);
    f.coloursUsed = 3;
    f.pixels = {4, 1, 0, 0,  // row 0: four 1s
                0, 4, 2, 0, 1, 9, 0, 0,  // row 1: absolute 2 0 1 and a fourth index the table lacks
                2, 2, 200, 1, 7, 0, 0, 1};  // row 2: two 2s, then runs wholly past the end
    std::vector<uint8_t> expected;
    for (int i : {1, 1, 1, 2, 0, 1, 2, 2, 1}) append(expected, palette[i]);
    expectImage(buildBmp(f), 3, 3, expected);

    BmpFile four = bmpFile(5, 2, 4, 2);
    std::vector<Rgb> sixteen = distinctColours(16);
    four.table = colourTable(sixteen);
    four.pixels = {8, 0x3C, 0, 0,  // row 0: 3 C 3 C 3 (C 3 C dropped)
                   0, 7, 0x12, 0x34, 0x56, 0x70, 0, 1};  // row 1: absolute 1 2 3 4 5 (6 7 dropped)
    expected.clear();
    for (int i : {3, 12, 3, 12, 3, 1, 2, 3, 4, 5}) append(expected, sixteen[i]);
    expectImage(buildBmp(four), 5, 2, expected);
}

TEST(BmpLayouts, PaletteEntryCountFollowsHeaderFormAndColoursUsed)
{
    auto header = [](bool core, uint16_t bits, uint32_t used) {
        BmpFile f;
        f.fileHeader = false;
        f.coreHeader = core;
        f.bitCount = bits;
        f.coloursUsed = used;
        return buildBmp(f);
    };
    const struct {
        bool core;
        uint16_t bits;
        uint32_t used;
        int entries;
    } cases[] = {{true, 1, 0, 2},     {true, 4, 0, 16},    {true, 8, 0, 256},       {true, 24, 0, 0},
                 {false, 1, 0, 2},    {false, 4, 0, 16},   {false, 8, 0, 256},      {false, 32, 0, 0},
                 {false, 8, 16, 16},  {false, 24, 5, 5},   {false, 8, 0x10010, 16}, {false, 2, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(paletteEntryCount(header(c.core, c.bits, c.used)), c.entries) << c.bits;
    std::vector<uint8_t> shortInfo = header(false, 8, 16);
    shortInfo.resize(20);
    EXPECT_EQ(paletteEntryCount(shortInfo), 0);
}
