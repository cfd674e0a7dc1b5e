#pragma once

// The real capture on the demo's generated data, and the pictures and files it writes.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "run_command.h"
#include "temp_dir.h"

// From the command line: the tools the tests run, and the script that gives one a display.
inline std::string gendataPath, capturePath, mp3decPath, withXvfbPath;

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

inline Picture readPpm(const std::string& path)
{
    Picture p;
    std::string bytes = readFile(path);
    int maxValue = 0, used = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &p.width, &p.height, &maxValue, &used) != 3) return p;
    size_t size = static_cast<size_t>(p.width) * p.height * 3;
    if (maxValue != 255 || bytes.size() != used + 1 + size) return Picture{};
    p.rgb.assign(bytes.begin() + used + 1, bytes.end());
    return p;
}

// Through libpng's own reader; empty when the file is not an 8-bit RGB PNG.
inline Picture readPng(const std::string& path)
{
    Picture p;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
    bool rgb8 = image.format == PNG_FORMAT_RGB;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) || !rgb8) return p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.rgb = std::move(pixels);
    return p;
}

// Share of the picture's pixels for which `test` holds.
template <typename Test>
double share(const Picture& p, Test test)
{
    size_t count = 0;
    for (size_t i = 0; i < p.rgb.size(); i += 3) count += test(&p.rgb[i]);
    return p.rgb.empty() ? 0.0 : static_cast<double>(count) * 3 / p.rgb.size();
}

inline bool white(const uint8_t* c) { return c[0] == 255 && c[1] == 255 && c[2] == 255; }
inline bool dark(const uint8_t* c) { return c[0] < 16 && c[1] < 16 && c[2] < 16; }

// The demo's data generated once for all the tests, in a scratch folder of their own.
class CaptureRun : public ::testing::Test {
protected:
    static inline std::unique_ptr<TempDir> scratch;
    static inline std::string tmp, data;
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<TempDir>();
        tmp = scratch->path;
        data = tmp + "/data";
        CommandResult generation = runCommand(tmp, "'" + gendataPath + "' '" + data + "'");
        ASSERT_EQ(generation.status, 0) << generation.errors;
    }
    static void TearDownTestSuite() { scratch.reset(); }

    CommandResult capture(const std::string& arguments)
    {
        return runCommand(tmp, "'" + capturePath + "' --data '" + data + "' " + arguments);
    }
    std::string path(const std::string& name) const { return tmp + "/" + name; }
};
