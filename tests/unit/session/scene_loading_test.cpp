#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "state/app.h"
#include "session/scene_loading.h"
#include "temp_dir.h"
#include "common/chunk_writer.h"

namespace {

// Every line on stderr starts with the program's name.
const std::string prefix = std::string(program_invocation_short_name) + ": ";

std::vector<uint8_t> sceneBytes(int cameras)
{
    ChunkWriter w;
    w.beginScene();
    const char* names[] = {"first", "second"};
    for (int i = 0; i < cameras; ++i) {
        float x = static_cast<float>(i + 1);
        w.cameraObject(names[i], {x, 0.0f, 0.0f}, {x, 10.0f, 0.0f}, 0.0f, 45.0f);
    }
    w.endScene();
    return w.bytes;
}

struct SceneLoadingTest : ::testing::Test {
    TempWorkDir dir;
    App app{};
    ~SceneLoadingTest() override { releaseScene(app.scene); }
    void writeScene(int cameras) { ASSERT_TRUE(dir.write("scenedemo.3DS", sceneBytes(cameras))); }
    bool load(std::string& printed)
    {
        testing::internal::CaptureStderr();
        bool ok = loadScene(app);
        printed = testing::internal::GetCapturedStderr();
        return ok;
    }
};

TEST_F(SceneLoadingTest, TheFirstCameraIsSelected)
{
    writeScene(2);
    app.quitRequested = 1;
    std::string printed;
    ASSERT_TRUE(load(printed));
    EXPECT_EQ(printed, "");
    EXPECT_EQ(app.quitRequested, 0);
    EXPECT_EQ(app.scene.selectedCameraNumber, 1);
    ASSERT_NE(app.scene.selectedCamera, nullptr);
    EXPECT_STREQ(app.scene.selectedCamera->name, "first");
    EXPECT_EQ(app.scene.selectedCamera->eye.x, 1.0f);
    EXPECT_EQ(app.scene.selectedCamera->lens, 45.0f);
}

TEST_F(SceneLoadingTest, AMissingFileIsNamedWithTheReason)
{
    std::string printed;
    EXPECT_FALSE(load(printed));
    EXPECT_EQ(printed, prefix + "ERROR: Cannot read the scene file \"scenedemo.3DS\": No such file or directory.\n");
}

TEST_F(SceneLoadingTest, ASceneWithoutCameraIsRefused)
{
    writeScene(0);
    std::string printed;
    EXPECT_FALSE(load(printed));
    EXPECT_EQ(printed, prefix + "ERROR: The scene file \"scenedemo.3DS\" holds no camera.\n");
    EXPECT_EQ(app.scene.selectedCamera, nullptr);
}

TEST_F(SceneLoadingTest, AFolderInPlaceOfTheFileIsRefused)
{
    std::filesystem::create_directory("scenedemo.3DS");
    std::string printed;
    EXPECT_FALSE(load(printed));
    EXPECT_NE(printed.find("ERROR: "), std::string::npos);
    EXPECT_NE(printed.find("scenedemo.3DS"), std::string::npos);
}

}  // namespace
