#include "png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

// zlib's fastest level: the frames of a show are written by the thousand, and higher levels
// cost several times the time for a few per cent of size.
constexpr int kCompressionLevel = 1;

// libpng reports errors by longjmp to the setjmp below; nothing with a destructor lives between.
bool writeRows(FILE* file, int width, int height, const std::vector<uint8_t>& rgb)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, kCompressionLevel);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[y * rowBytes]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width < 1 || height < 1 || rgb.size() != static_cast<size_t>(width) * height * 3) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = writeRows(file, width, height, rgb);
    return std::fclose(file) == 0 && ok;
}
