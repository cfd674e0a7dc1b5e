#include <gtest/gtest.h>

#include <sys/stat.h>

#include "bmp_builder.h"
#include "message_recorder.h"
#include "render/bmp_decode.h"
#include "render/bmp_file.h"
#include "render/read_bitmap.h"
#include "temp_dir.h"

namespace {

std::string refusal(const std::vector<uint8_t>& file)
{
    DecodedBitmap decoded = decodeBitmap(file);
    EXPECT_FALSE(decoded.image);
    return decoded.message;
}

BmpFile rgb24(int width, int height)
{
    BmpFile f = bmpFile(width, height, 24);
    f.pixels.assign(size_t((width * 3 + 3) / 4 * 4 * height), 0x40);
    return f;
}

BmpFile runLength8(std::vector<uint8_t> data, int width = 4, int height = 2)
{
    BmpFile f = bmpFile(width, height, 8, 1);
    f.coloursUsed = 2;
    f.table = colourTable({{0, 0, 0}, {255, 255, 255}});
    f.pixels = std::move(data);
    return f;
}

}  // namespace

TEST(BmpRefusals, HeadersOtherThanCoreAndInfoAreUnknown)
{
    for (uint32_t size : {108u, 124u, 64u, 56u, 1u}) {
        BmpFile f = rgb24(2, 2);
        f.headerSize = size;
        EXPECT_EQ(refusal(buildBmp(f)), kBitmapUnknownFormat) << size;
    }
    EXPECT_EQ(refusal({}), kBitmapUnknownFormat);
    EXPECT_EQ(refusal({'B', 'M', 0, 0}), kBitmapUnknownFormat);
    std::vector<uint8_t> cutHeader = buildBmp(rgb24(2, 2));
    cutHeader.resize(14 + 39);
    EXPECT_EQ(refusal(cutHeader), kBitmapUnknownFormat);
}

TEST(BmpRefusals, TruncatedPixelDataButNotAMissingLastRowPadding)
{
    std::vector<uint8_t> file = buildBmp(rgb24(4, 4));
    file.pop_back();
    EXPECT_EQ(refusal(file), kBitmapConversionError);
    // Width 3: the last row's 3 padding bytes may be left out; one pixel byte may not.
    file = buildBmp(rgb24(3, 2));
    file.resize(file.size() - 3);
    EXPECT_TRUE(decodeBitmap(file).image);
    file.pop_back();
    EXPECT_EQ(refusal(file), kBitmapConversionError);
    BmpFile farOffset = rgb24(2, 2);
    std::vector<uint8_t> bytes = buildBmp(farOffset);
    bytes[10] = 0xFF;  // pixel data offset beyond the file
    bytes[13] = 0x7F;
    EXPECT_EQ(refusal(bytes), kBitmapConversionError);
}

TEST(BmpRefusals, PaletteIndexBeyondTheTableOrATableCutShort)
{
    BmpFile f = bmpFile(3, 1, 8);
    f.coloursUsed = 4;
    f.table = colourTable({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
    f.pixels = packRows({{0, 3, 4}}, 8);
    EXPECT_EQ(refusal(buildBmp(f)), kBitmapConversionError);
    f.pixels = packRows({{0, 3, 2}}, 8);
    EXPECT_TRUE(decodeBitmap(buildBmp(f)).image);
    f.fileHeader = false;
    f.pixels.clear();
    f.table.resize(10);  // four entries announced, two and a half present
    EXPECT_EQ(refusal(buildBmp(f)), kBitmapConversionError);
}

TEST(BmpRefusals, RunLengthDeltasLeavingTheRowOrImageRunsBelowItOrDataEndingEarly)
{
    const std::vector<uint8_t> cases[] = {
        {2, 1, 0, 2, 3, 0, 0, 1},  // delta to x = 5
        {4, 1, 0, 2, 1, 0, 0, 1},  // delta past the row's end
        {0, 2, 0, 3, 0, 1},  // delta below the image
        {0, 0, 0, 0, 1, 1, 0, 1},  // a run after the last row
        {4, 1, 0, 0, 4, 1},  // no end-of-bitmap mark
        {0, 4, 1, 1},  // absolute run cut short
        {2, 7, 0, 1},  // index 7 with two table entries
    };
    for (const auto& data : cases) EXPECT_EQ(refusal(buildBmp(runLength8(data))), kBitmapConversionError);
    EXPECT_TRUE(decodeBitmap(buildBmp(runLength8({4, 1, 0, 0, 4, 1, 0, 1}))).image);
    BmpFile topDown = runLength8({4, 1, 0, 1});
    topDown.height = -2;
    EXPECT_EQ(refusal(buildBmp(topDown)), kBitmapConversionError);
}

TEST(BmpRefusals, AbsurdOrEmptyDimensions)
{
    for (auto [w, h] : {std::pair{16385, 1}, {1, 16385}, {1, -16385}, {2147483647, 2147483647}}) {
        BmpFile f = rgb24(1, 1);
        f.width = w;
        f.height = h;
        EXPECT_EQ(refusal(buildBmp(f)), kBitmapOutOfMemory) << w << " x " << h;
    }
    BmpFile core = rgb24(1, 1);
    core.coreHeader = true;
    core.width = 65535;
    core.height = 65535;
    EXPECT_EQ(refusal(buildBmp(core)), kBitmapOutOfMemory);
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-4, 1}, {int(0x80000000u), 1}}) {
        BmpFile f = rgb24(1, 1);
        f.width = w;
        f.height = h;
        EXPECT_EQ(refusal(buildBmp(f)), kBitmapConversionError) << w << " x " << h;
    }
    BmpFile largest = rgb24(16384, 1);
    EXPECT_TRUE(decodeBitmap(buildBmp(largest)).image);
}

TEST(BmpRefusals, EncodingsTheReaderDoesNotConvert)
{
    const struct {
        uint16_t bits;
        uint32_t compression;
    } cases[] = {{2, 0}, {0, 0}, {24, 1}, {4, 1}, {8, 2}, {24, 3}, {8, 3}, {24, 4}, {24, 5}, {16, 6}};
    for (const auto& c : cases) {
        BmpFile f = rgb24(2, 2);
        f.bitCount = c.bits;
        f.compression = c.compression;
        EXPECT_EQ(refusal(buildBmp(f)), kBitmapConversionError) << c.bits << "/" << c.compression;
    }
    BmpFile fields = rgb24(2, 2);
    fields.bitCount = 16;
    fields.compression = 3;
    fields.masks = {0xF000, 0x0F00, 0x00F1};  // blue's bits are not one run
    EXPECT_EQ(refusal(buildBmp(fields)), kBitmapConversionError);
    fields.fileHeader = false;
    fields.masks.clear();
    fields.pixels.clear();  // the file ends where the masks should be
    EXPECT_EQ(refusal(buildBmp(fields)), kBitmapConversionError);
}

TEST(BmpRefusals, FilesThatCannotBeReadNameTheFile)
{
    TempDir dir;
    dir.write("empty.bmp", {});
    for (std::string name : {dir.file("missing.bmp"), dir.file("empty.bmp"), dir.path}) {
        DecodedBitmap decoded = readBitmapFile(name.c_str());
        EXPECT_FALSE(decoded.image);
        EXPECT_EQ(decoded.message, "Failed to open DIB file " + name + ".\n");
    }
}

TEST(BmpRefusals, ReadBitmapShowsTheMessageWithCaptionError)
{
    TempDir dir;
    BmpFile unknown = rgb24(2, 2);
    unknown.headerSize = 124;
    dir.write("v5.bmp", buildBmp(unknown));
    dir.write("good.bmp", buildBmp(rgb24(2, 2)));
    MessageRecorder messages;
    EXPECT_FALSE(readBitmap(dir.file("v5.bmp").c_str()));
    EXPECT_FALSE(readBitmap(dir.file("gone.bmp").c_str()));
    std::optional<Image> good = readBitmap(dir.file("good.bmp").c_str());
    ASSERT_TRUE(good);
    EXPECT_EQ(good->width, 2);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kBitmapUnknownFormat);
    EXPECT_EQ(messages.shown[1].text, "Failed to open DIB file " + dir.file("gone.bmp") + ".\n");
    for (const ShownMessage& m : messages.shown) {
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.kind, kMessageOk);
    }
}
