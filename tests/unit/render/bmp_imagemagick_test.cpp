// Every BMP layout ImageMagick writes, decoded by our reader and by ImageMagick itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "render/bmp_decode.h"
#include "render/bmp_layout.h"
#include "run_command.h"
#include "temp_dir.h"

namespace {

struct Written {
    const char* coder;  // ImageMagick's name for the header form
    const char* options;
};

const Written kReadable[] = {
    {"bmp2", "-monochrome"},
    {"bmp2", "-colors 16 -type palette"},
    {"bmp2", "-colors 200 -type palette"},
    {"bmp2", "-type truecolor"},
    {"bmp3", "-monochrome"},
    {"bmp3", "-colors 16 -type palette -compress none"},
    {"bmp3", "-colors 200 -type palette -compress none"},
    {"bmp3", "-colors 200 -type palette -compress rle"},
    {"bmp3", "-colors 3 -type palette -compress rle"},
    {"bmp3", "-type truecolor"},
    {"bmp3", "-alpha set -channel A -evaluate set 40% +channel -define bmp3:alpha=true"},
};

const Written kNewerHeaders[] = {
    {"bmp", "-monochrome"},
    {"bmp", "-type truecolor"},
    {"bmp", "-colors 200 -type palette -compress rle"},
    {"bmp", "-define bmp:subtype=RGB565"},
    {"bmp", "-alpha set"},
};

// What a written file holds: header size, bits per pixel, compression. ImageMagick picks the
// depth by the colours a picture has, so the forms are checked as a set over all pictures.
using Form = std::tuple<uint32_t, int, uint32_t>;

Form formOf(const std::vector<uint8_t>& bmp)
{
    if (bmp.size() < 30) return {0, 0, 0};
    if (le32(&bmp[14]) == 12) return {12, le16(&bmp[24]), 0};
    return {le32(&bmp[14]), le16(&bmp[28]), bmp.size() < 34 ? 0 : le32(&bmp[30])};
}

// Odd widths need row padding in every depth; 300 needs runs longer than one count byte.
const char* const kSizes[] = {"37x5", "1x1", "3x2", "8x8", "300x3"};

// A varied picture, and one of long flat stretches that run-length coding packs into long runs.
std::vector<std::string> sourcePictures(const std::string& size)
{
    return {"-size " + size + " -seed 7 plasma:fractal",
            "-size " + size + " xc:navy -fill yellow -draw 'rectangle 0,0 150,1' -fill red -draw 'point 2,0'"};
}

// Runs a convert command line that writes the scratch file "out", and reads that file back.
std::vector<uint8_t> run(const TempDir& dir, const std::string& commandLine)
{
    std::remove(dir.file("out").c_str());
    CommandResult result = runCommand(dir.path, commandLine);
    EXPECT_EQ(result.status, 0) << commandLine << "\n" << result.errors;
    std::ifstream in(dir.file("out"), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// ImageMagick's own decoding, as RGB bytes with the bottom row first like our Image.
std::vector<uint8_t> decodedByImageMagick(const TempDir& dir, const std::vector<uint8_t>& bmp)
{
    EXPECT_TRUE(dir.write("in.bmp", bmp));
    return run(dir, "convert '" + dir.file("in.bmp") + "' -flip -depth 8 'rgb:" + dir.file("out") + "'");
}

std::vector<uint8_t> writtenByImageMagick(const TempDir& dir, const std::string& source, const Written& form)
{
    return run(dir, "convert " + source + " " + form.options + " '" + form.coder + ":" + dir.file("out") + "'");
}

std::vector<uint8_t> rgbOf(const DecodedBitmap& decoded)
{
    if (!decoded.image) return {};
    const uint8_t* p = decoded.image->pixels.get();
    return std::vector<uint8_t>(p, p + imageBytes(*decoded.image));
}

// The same picture stored top-down: the height negated and the rows in the opposite order.
std::vector<uint8_t> topDownTwin(std::vector<uint8_t> bmp)
{
    int bitCount = std::get<1>(formOf(bmp));
    uint32_t offset = le32(&bmp[10]);
    int32_t width = int32_t(le32(&bmp[18]));
    int32_t height = int32_t(le32(&bmp[22]));
    size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
    if (height <= 0 || offset + height * stride > bmp.size()) {
        ADD_FAILURE() << "rows not where the header says";
        return {};
    }
    for (int32_t r = 0; r < height / 2; ++r)
        std::swap_ranges(bmp.begin() + offset + r * stride, bmp.begin() + offset + (r + 1) * stride,
                         bmp.begin() + offset + (height - 1 - r) * stride);
    uint32_t negated = uint32_t(-height);
    for (int b = 0; b < 4; ++b) bmp[22 + b] = uint8_t(negated >> (8 * b));
    return bmp;
}

}  // namespace

TEST(BmpImageMagick, EveryCoreAndInfoHeaderFormLoadsAsImageMagickDecodesIt)
{
    TempDir dir;
    std::set<Form> seen;
    for (const Written& written : kReadable) {
        for (const char* size : kSizes) {
            for (const std::string& source : sourcePictures(size)) {
                SCOPED_TRACE(std::string(written.coder) + " " + written.options + " " + size + " from " + source);
                std::vector<uint8_t> bmp = writtenByImageMagick(dir, source, written);
                Form form = formOf(bmp);
                seen.insert(form);
                DecodedBitmap decoded = decodeBitmap(bmp);
                ASSERT_TRUE(decoded.image) << decoded.message;
                int width = 0, height = 0;
                std::sscanf(size, "%dx%d", &width, &height);
                EXPECT_EQ(decoded.image->width, width);
                EXPECT_EQ(decoded.image->height, height);
                EXPECT_EQ(rgbOf(decoded), decodedByImageMagick(dir, bmp));
                // ImageMagick writes no top-down files, but reads them: the twin must agree too.
                if (std::get<0>(form) == 40 && std::get<2>(form) != 1) {
                    std::vector<uint8_t> twin = topDownTwin(bmp);
                    EXPECT_EQ(rgbOf(decodeBitmap(twin)), decodedByImageMagick(dir, twin));
                }
            }
        }
    }
    // Both older header forms at every depth, 8 bits also run-length coded.
    std::set<Form> expected = {{12, 1, 0}, {12, 4, 0}, {12, 8, 0}, {12, 24, 0}, {40, 1, 0},
                               {40, 4, 0}, {40, 8, 0}, {40, 8, 1}, {40, 24, 0}, {40, 32, 0}};
    EXPECT_EQ(seen, expected);
}

TEST(BmpImageMagick, HeadersOfVersionsFourAndFiveAreRefusedByName)
{
    TempDir dir;
    for (const Written& written : kNewerHeaders) {
        SCOPED_TRACE(std::string(written.coder) + " " + written.options);
        std::vector<uint8_t> bmp = writtenByImageMagick(dir, sourcePictures("37x5")[0], written);
        uint32_t headerSize = std::get<0>(formOf(bmp));
        EXPECT_TRUE(headerSize == 108 || headerSize == 124) << headerSize;
        DecodedBitmap decoded = decodeBitmap(bmp);
        EXPECT_FALSE(decoded.image);
        EXPECT_EQ(decoded.message, kBitmapUnknownFormat);
    }
}

// ImageMagick marks its 16-bit information-header files as bit fields but writes no masks, so the
// first pixels would be taken for them (ImageMagick itself reads its red as black).
TEST(BmpImageMagick, BitFieldsWithoutTheirMasksAreRefused)
{
    TempDir dir;
    std::vector<uint8_t> bmp = writtenByImageMagick(dir, "-size 4x1 xc:red", {"bmp3", "-define bmp:subtype=RGB565"});
    ASSERT_EQ(formOf(bmp), Form(40, 16, 3));
    ASSERT_GE(bmp.size(), 14u);
    EXPECT_EQ(le32(&bmp[10]), 54u) << "pixels right after the 40-byte header, where the masks belong";
    DecodedBitmap decoded = decodeBitmap(bmp);
    EXPECT_FALSE(decoded.image);
    EXPECT_EQ(decoded.message, kBitmapConversionError);
}
