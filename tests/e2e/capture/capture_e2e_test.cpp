// Runs the real capture on the demo's generated data and looks at the pictures it writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "run_command.h"
#include "temp_dir.h"

namespace {

std::string gendataPath;  // from the command line
std::string capturePath;

std::string readFile(const std::string& path)
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

Picture readPpm(const std::string& path)
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

// Share of the picture's pixels for which `test` holds.
template <typename Test>
double share(const Picture& p, Test test)
{
    size_t count = 0;
    for (size_t i = 0; i < p.rgb.size(); i += 3) count += test(&p.rgb[i]);
    return p.rgb.empty() ? 0.0 : static_cast<double>(count) * 3 / p.rgb.size();
}

bool white(const uint8_t* c) { return c[0] == 255 && c[1] == 255 && c[2] == 255; }
bool dark(const uint8_t* c) { return c[0] < 16 && c[1] < 16 && c[2] < 16; }

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
        return runCommand(tmp, "'" + capturePath + "' --data '" + data + "' --out '" + tmp + "/shot' " + arguments);
    }
    Picture shot(uint32_t ms)
    {
        char name[32];
        std::snprintf(name, sizeof name, "/shot-%06u.ppm", ms);
        return readPpm(tmp + name);
    }
};

TEST_F(CaptureRun, FlightFramesShowTheSceneAndGapsShowWhite)
{
    CommandResult r = capture("--from 2.9 --fps 50 3");
    ASSERT_EQ(r.status, 0) << r.errors;
    r = capture("--from 35 --fps 50 35.1");
    ASSERT_EQ(r.status, 0) << r.errors;
    Picture flight = shot(3000);
    ASSERT_EQ(flight.width, 800);
    ASSERT_EQ(flight.height, 600);
    EXPECT_LT(share(flight, white), 0.9);
    Picture gap = shot(35100);
    ASSERT_EQ(gap.rgb.size(), 800u * 600u * 3u);
    EXPECT_EQ(share(gap, white), 1.0);
}

TEST_F(CaptureRun, EndPhaseTurnsTheSceneBlackUnderThePanel)
{
    CommandResult r = capture("--from 78 --fps 10 78.1 88");
    ASSERT_EQ(r.status, 0) << r.errors;
    Picture before = shot(78100);
    Picture after = shot(88000);
    ASSERT_FALSE(after.rgb.empty());
    EXPECT_LT(share(before, dark), 0.05);
    EXPECT_GT(share(after, dark), 0.05);
    // The white background stays white, above the panel and the scene.
    EXPECT_TRUE(white(after.at(400, 0)) || white(after.at(10, 0)));
}

TEST_F(CaptureRun, SameMomentGivesTheSamePicture)
{
    ASSERT_EQ(capture("--from 35.8 --fps 30 36").status, 0);
    std::string first = readFile(tmp + "/shot-036000.ppm");
    ASSERT_EQ(capture("--from 35.8 --fps 30 36").status, 0);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(readFile(tmp + "/shot-036000.ppm"), first);
}

TEST_F(CaptureRun, RefusesBadArgumentsAndMissingData)
{
    CommandResult noTime = capture("");
    EXPECT_EQ(noTime.status, 2);
    EXPECT_NE(noTime.errors.find("no demo time given"), std::string::npos) << noTime.errors;
    CommandResult badTime = capture("-3");
    EXPECT_EQ(badTime.status, 2);
    EXPECT_NE(badTime.errors.find("bad argument '-3'"), std::string::npos) << badTime.errors;
    EXPECT_EQ(capture("--fps 0 3").status, 2);
    EXPECT_EQ(capture("--size 800 3").status, 2);
    CommandResult missing = runCommand(tmp, "'" + capturePath + "' --data '" + tmp + "/nowhere' 3");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("cannot enter the data folder"), std::string::npos) << missing.errors;
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: capture_e2e_test GENDATA CAPTURE\n");
        return 2;
    }
    gendataPath = argv[1];
    capturePath = argv[2];
    return RUN_ALL_TESTS();
}
