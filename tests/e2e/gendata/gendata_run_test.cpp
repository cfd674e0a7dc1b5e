// Runs the real gendata into a fresh folder and checks what it leaves there.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "overlays.h"
#include "render/bmp_file.h"
#include "run_command.h"
#include "scene/load3ds.h"
#include "scene_layout.h"
#include "temp_dir.h"
#include "write_3ds.h"

namespace {

std::string gendataPath, mp3decPath;  // from the command line

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<int16_t> samplesOf(const std::string& path)
{
    std::vector<uint8_t> bytes = readFile(path);
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// A BMP file read by the demo's own reader; no image when it cannot be read.
DecodedBitmap readBmp(const std::string& path) { return readBitmapFile(path.c_str()); }

bool samePixels(const DecodedBitmap& read, const Image& painted)
{
    return read.image && read.image->width == painted.width && read.image->height == painted.height &&
           std::memcmp(read.image->pixels.get(), painted.pixels.get(), imageBytes(painted)) == 0;
}

class GeneratedFolder : public ::testing::Test {
protected:
    static inline std::unique_ptr<TempDir> scratch;
    static inline std::string tmp, data;
    static inline CommandResult generation;
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<TempDir>();
        tmp = scratch->path;
        data = tmp + "/demo-data";
        generation = runCommand(tmp, "'" + gendataPath + "' '" + data + "'");
    }
    static void TearDownTestSuite() { scratch.reset(); }
};

TEST_F(GeneratedFolder, GenerationSucceeds)
{
    EXPECT_EQ(generation.status, 0) << generation.errors;
    EXPECT_EQ(generation.errors, "");
}

TEST_F(GeneratedFolder, SceneFileIsTheOneTheGeneratorBuilds)
{
    EXPECT_TRUE(readFile(data + "/scenedemo.3DS") == write3ds(buildScene()));
}

// What the demo needs of its scene: 21 materials whose map files load, the mesh of 960
// corners that carries the sparks, and a camera to fly.
TEST_F(GeneratedFolder, TheDemosLoaderFindsWhatTheDemoNeeds)
{
    Scene scene;
    clear(scene);
    ASSERT_TRUE(load3ds(scene, (data + "/scenedemo.3DS").c_str()));
    EXPECT_EQ(scene.materialCount, 21.0f);
    for (const Material* m = scene.materials; m; m = m->next) {
        DecodedBitmap texture = readBmp(data + "/" + m->mapName);
        ASSERT_TRUE(texture.image) << m->mapName << ": " << texture.message;
        EXPECT_EQ(texture.image->width & (texture.image->width - 1), 0) << m->mapName;
        EXPECT_EQ(texture.image->height & (texture.image->height - 1), 0) << m->mapName;
    }
    int sparkMeshes = 0;
    for (const Mesh* mesh = scene.meshes; mesh; mesh = mesh->next) sparkMeshes += mesh->cornerCount == 960.0f;
    EXPECT_EQ(sparkMeshes, 1);
    const SceneCamera* camera = cameraByNumber(scene, 1);
    ASSERT_TRUE(camera);
    EXPECT_GT(camera->lens, 20.0f);
    EXPECT_LT(camera->lens, 90.0f);
    releaseScene(scene);
}

TEST_F(GeneratedFolder, TexturesReadBackAsPainted)
{
    for (const MaterialDesc& m : buildScene().materials)
        EXPECT_TRUE(samePixels(readBmp(data + "/" + m.mapFile), m.paintTexture())) << m.mapFile;
}

TEST_F(GeneratedFolder, OverlayImagesPairWithMasksOfTheirSize)
{
    struct Pair {
        const char *colour, *mask;
        OverlayImages (*paint)();
    };
    for (const Pair& p : {Pair{"greets.bmp", "greetsalpha.bmp", paintGreetsScroll},
                          Pair{"greets2.bmp", "greets2alpha.bmp", paintGreetsPanel}}) {
        OverlayImages painted = p.paint();
        DecodedBitmap colour = readBmp(data + "/" + p.colour), mask = readBmp(data + "/" + p.mask);
        ASSERT_TRUE(colour.image && mask.image) << p.colour;
        EXPECT_EQ(colour.image->width, mask.image->width) << p.colour;
        EXPECT_EQ(colour.image->height, mask.image->height) << p.colour;
        EXPECT_TRUE(samePixels(colour, painted.colour)) << p.colour;
        EXPECT_TRUE(samePixels(mask, painted.mask)) << p.mask;
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
}

// The demo's own decoder plays the whole tune without clipping, and hears what the
// reference decoder hears.
TEST_F(GeneratedFolder, MusicDecodesWithTheDemosDecoderAsWithTheReference)
{
    const std::string ours = tmp + "/ours.raw", reference = tmp + "/reference.raw";
    CommandResult decoded = runCommand(tmp, "'" + mp3decPath + "' -r '" + data + "/sorvel.mp3' '" + ours + "'");
    ASSERT_EQ(decoded.status, 0) << decoded.errors;
    EXPECT_NE(decoded.output.find("44100 Hz, 0 clipped samples"), std::string::npos) << decoded.output;
    CommandResult madplay = runCommand(tmp, "madplay -q -o raw:'" + reference + "' '" + data + "/sorvel.mp3'");
    ASSERT_EQ(madplay.status, 0) << madplay.errors;
    std::vector<int16_t> a = samplesOf(ours), b = samplesOf(reference);
    std::remove(ours.c_str());
    std::remove(reference.c_str());
    double seconds = a.size() / 2.0 / 44100;
    EXPECT_GT(seconds, 80.0);
    EXPECT_LT(seconds, 83.0);
    EXPECT_LE(std::abs(long(a.size()) - long(b.size())), 2 * 1152);  // at most a frame apart
    double sum = 0;
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) sum += double(a[i] - b[i]) * (a[i] - b[i]);
    EXPECT_LT(std::sqrt(sum / n), 16.0);  // the decoders differ only in rounding
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
    TempDir scratch;
    const std::string& tmp = scratch.path;
    CommandResult r = runCommand(tmp, "'" + gendataPath + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("usage: gendata DIR"), std::string::npos) << r.errors;
}

TEST(GendataCommandLine, WithoutTheEncoderItStopsBeforeWritingAnything)
{
    TempDir scratch;
    const std::string& tmp = scratch.path;
    CommandResult r = runCommand(tmp, "env PATH='" + tmp + "' '" + gendataPath + "' '" + tmp + "/out'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("gendata: shineenc: not found on PATH"), std::string::npos) << r.errors;
    EXPECT_NE(access((tmp + "/out").c_str(), F_OK), 0);
}

TEST(GendataCommandLine, AFolderThatCannotBeMadeIsReported)
{
    TempDir scratch;
    const std::string& tmp = scratch.path;
    std::ofstream(tmp + "/file") << "in the way";
    CommandResult r = runCommand(tmp, "'" + gendataPath + "' '" + tmp + "/file/data'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.errors.rfind("gendata: " + tmp + "/file/data: cannot create: ", 0), 0u) << r.errors;
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: gendata_run_test PATH-TO-GENDATA PATH-TO-MP3DEC\n");
        return 2;
    }
    gendataPath = argv[1];
    mp3decPath = argv[2];
    return RUN_ALL_TESTS();
}
