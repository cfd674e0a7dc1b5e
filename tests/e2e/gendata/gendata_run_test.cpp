// Runs the real gendata into a fresh folder and checks what it leaves there.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "chunk_ids.h"
#include "chunk_tree.h"
#include "scene_layout.h"
#include "write_3ds.h"

namespace {

std::string gendataPath;  // from the command line

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CommandResult {
    int status;
    std::string errors;
};

// Runs a shell command line with its standard error caught; a minute is plenty.
CommandResult run(const std::string& tmp, const std::string& commandLine)
{
    std::string errFile = tmp + "/stderr.txt";
    int raw = std::system(("timeout 120 " + commandLine + " >/dev/null 2>" + errFile).c_str());
    std::vector<uint8_t> err = readFile(errFile);
    std::remove(errFile.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(err.begin(), err.end())};
}

struct BmpSize {
    bool valid;
    int width, height, bits;
};

BmpSize bmpSize(const std::string& path)
{
    std::vector<uint8_t> b = readFile(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {false, 0, 0, 0};
    ByteView v{b};
    bool plain = v.u32(14) == 40 && v.u32(30) == 0;  // information header, no compression
    return {plain, int(v.u32(18)), int(v.u32(22)), v.u16(28)};
}

class GeneratedFolder : public ::testing::Test {
protected:
    static std::string tmp, data;
    static CommandResult generation;
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/gendata-test-XXXXXX";
        tmp = mkdtemp(pattern);
        data = tmp + "/demo-data";
        generation = run(tmp, "'" + gendataPath + "' '" + data + "'");
    }
    static void TearDownTestSuite() { std::system(("rm -rf '" + tmp + "'").c_str()); }
};

std::string GeneratedFolder::tmp, GeneratedFolder::data;
CommandResult GeneratedFolder::generation;

TEST_F(GeneratedFolder, GenerationSucceeds)
{
    EXPECT_EQ(generation.status, 0) << generation.errors;
    EXPECT_EQ(generation.errors, "");
}

TEST_F(GeneratedFolder, SceneFileIsTheOneTheGeneratorBuilds)
{
    EXPECT_TRUE(readFile(data + "/scenedemo.3DS") == write3ds(buildScene()));
}

TEST_F(GeneratedFolder, EveryMaterialsMapFileIsThereAsA24BitBmp)
{
    std::vector<uint8_t> bytes = readFile(data + "/scenedemo.3DS");
    ChunkNode root;
    ASSERT_TRUE(parseChunk(bytes, 0, bytes.size(), root));
    auto materials = root.child(chunk::kEditor)->all(chunk::kMaterial);
    EXPECT_EQ(materials.size(), 21u);
    for (const ChunkNode* m : materials) {
        std::string map = ByteView{bytes}.str(m->child(chunk::kTextureMap)->child(chunk::kMapFile)->data);
        BmpSize size = bmpSize(data + "/" + map);
        EXPECT_TRUE(size.valid) << map;
        EXPECT_EQ(size.bits, 24) << map;
        EXPECT_EQ(size.width % 4, 0) << map;
        EXPECT_EQ(size.width & (size.width - 1), 0) << map;
        EXPECT_EQ(size.height & (size.height - 1), 0) << map;
    }
}

TEST_F(GeneratedFolder, OverlayImagesPairWithMasksOfTheirSize)
{
    for (auto [colour, mask] : {std::pair{"greets.bmp", "greetsalpha.bmp"}, {"greets2.bmp", "greets2alpha.bmp"}}) {
        BmpSize c = bmpSize(data + "/" + colour), m = bmpSize(data + "/" + mask);
        ASSERT_TRUE(c.valid && m.valid) << colour;
        EXPECT_EQ(c.width, m.width) << colour;
        EXPECT_EQ(c.height, m.height) << colour;
    }
}

TEST_F(GeneratedFolder, MusicIsAnMp3OfAboutEightySeconds)
{
    std::vector<uint8_t> mp3 = readFile(data + "/sorvel.mp3");
    ASSERT_GT(mp3.size(), 4u);
    // Frame sync, MPEG-1 Layer III; 128 kbit/s at 44.1 kHz; stereo.
    EXPECT_EQ(mp3[0], 0xFF);
    EXPECT_EQ(mp3[1] & 0xFE, 0xFA);
    EXPECT_EQ(mp3[2] >> 4, 9);
    EXPECT_EQ((mp3[2] >> 2) & 3, 0);
    EXPECT_NE(mp3[3] >> 6, 3);
    // The reference decoder hears 44.1 kHz stereo for as long as the tune lasts.
    std::string raw = tmp + "/decoded.raw";
    CommandResult decode = run(tmp, "madplay -q -o raw:'" + raw + "' '" + data + "/sorvel.mp3'");
    ASSERT_EQ(decode.status, 0) << decode.errors;
    struct stat st;
    ASSERT_EQ(stat(raw.c_str(), &st), 0);
    double seconds = double(st.st_size) / (44100 * 2 * 2);
    EXPECT_GT(seconds, 80.0);
    EXPECT_LT(seconds, 83.0);
    std::remove(raw.c_str());
}

TEST_F(GeneratedFolder, NoHalfWrittenFilesRemain)
{
    DIR* dir = opendir(data.c_str());
    ASSERT_TRUE(dir);
    int files = 0;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        ++files;
        EXPECT_EQ(name.find(".part"), std::string::npos) << name;
        EXPECT_EQ(name.find(".wav"), std::string::npos) << name;
    }
    closedir(dir);
    EXPECT_EQ(files, 21 + 4 + 2);  // textures, overlays, scene and music
}

TEST(GendataCommandLine, WithoutAFolderItExplainsItsUse)
{
    char pattern[] = "/tmp/gendata-test-XXXXXX";
    std::string tmp = mkdtemp(pattern);
    CommandResult r = run(tmp, "'" + gendataPath + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("usage: gendata DIR"), std::string::npos) << r.errors;
    rmdir(tmp.c_str());
}

TEST(GendataCommandLine, WithoutTheEncoderItStopsBeforeWritingAnything)
{
    char pattern[] = "/tmp/gendata-test-XXXXXX";
    std::string tmp = mkdtemp(pattern);
    CommandResult r = run(tmp, "env PATH='" + tmp + "' '" + gendataPath + "' '" + tmp + "/out'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("shineenc not found"), std::string::npos) << r.errors;
    EXPECT_NE(access((tmp + "/out").c_str(), F_OK), 0);
    rmdir(tmp.c_str());
}

TEST(GendataCommandLine, AFolderThatCannotBeMadeIsReported)
{
    char pattern[] = "/tmp/gendata-test-XXXXXX";
    std::string tmp = mkdtemp(pattern);
    std::ofstream(tmp + "/file") << "in the way";
    CommandResult r = run(tmp, "'" + gendataPath + "' '" + tmp + "/file/data'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("cannot create " + tmp + "/file/data"), std::string::npos) << r.errors;
    std::system(("rm -rf '" + tmp + "'").c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gendata_run_test PATH-TO-GENDATA\n");
        return 2;
    }
    gendataPath = argv[1];
    return RUN_ALL_TESTS();
}
