#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "state/app.h"
#include "app/keyboard_commands.h"
#include "platform/virtual_keys.h"
#include "temp_dir.h"

namespace {

const char* const kBlock123456 =
    "posFinSource[0].x = 1.000000;\nposFinSource[0].y = 2.000000;\nposFinSource[0].z = 3.000000;\n"
    "posFinTarget[2].x = 4.000000;\nposFinTarget[2].y = 5.000000;\nposFinTarget[2].z = 6.000000;\n\n";

std::string readFile(const char* name)
{
    std::ifstream in(name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int recreations = 0;
bool recreateOk(App& app)
{
    ++recreations;
    app.fullscreenMode = !app.fullscreenMode;
    return true;
}
bool recreateFails(App&)
{
    ++recreations;
    return false;
}

struct KeyboardTest : ::testing::Test {
    TempWorkDir dir;
    App app{};
    SceneCamera camera{};
    void SetUp() override
    {
        camera.eye.set(1, 2, 3);
        camera.target.set(4, 5, 6);
        app.scene.selectedCamera = &camera;
        recreations = 0;
    }
};

TEST_F(KeyboardTest, TrajectoryBlockFormat)
{
    ASSERT_TRUE(dumpTrajectory(camera, "traj.txt"));
    EXPECT_EQ(readFile("traj.txt"), kBlock123456);
}

TEST_F(KeyboardTest, TrajectoryValuesAreTheFloatsWidened)
{
    camera.eye.set(-107.25005f, 0.1f, -948.4507f);
    ASSERT_TRUE(dumpTrajectory(camera, "traj.txt"));
    std::string text = readFile("traj.txt");
    EXPECT_NE(text.find("posFinSource[0].x = -107.250053;\n"), std::string::npos);
    EXPECT_NE(text.find("posFinSource[0].y = 0.100000;\n"), std::string::npos);
    EXPECT_NE(text.find("posFinSource[0].z = -948.450684;\n"), std::string::npos);
}

TEST_F(KeyboardTest, AnUnopenableFileIsSkipped)
{
    EXPECT_FALSE(dumpTrajectory(camera, "no-such-folder/traj.txt"));
}

TEST_F(KeyboardTest, RHeldAppendsOneBlockPerCall)
{
    { std::ofstream("traj.txt") << "earlier\n"; }
    app.keyDown[kVkR] = true;
    for (int frame = 0; frame < 3; ++frame) {
        camera.eye.x = static_cast<float>(frame);
        EXPECT_TRUE(handleKeys(app, recreateOk));
    }
    std::string text = readFile("traj.txt");
    EXPECT_EQ(text.rfind("earlier\n", 0), 0u);
    EXPECT_EQ(text.size(), 8 + 3 * std::string(kBlock123456).size());
    EXPECT_NE(text.find("posFinSource[0].x = 2.000000;"), std::string::npos);
}

TEST_F(KeyboardTest, LightLatchTogglesOncePerPress)
{
    EXPECT_TRUE(stepLightLatch(app, true));
    EXPECT_EQ(app.lightsOn, 1);
    EXPECT_FALSE(stepLightLatch(app, true));
    EXPECT_FALSE(stepLightLatch(app, true));
    EXPECT_EQ(app.lightsOn, 1);
    EXPECT_FALSE(stepLightLatch(app, false));
    EXPECT_FALSE(app.lightsKeyLatch);
    EXPECT_TRUE(stepLightLatch(app, true));
    EXPECT_EQ(app.lightsOn, 0);
}

TEST_F(KeyboardTest, F1IsClearedAndRecreatesOnce)
{
    app.keyDown[kVkF1] = true;
    EXPECT_TRUE(handleKeys(app, recreateOk));
    EXPECT_FALSE(app.keyDown[kVkF1]);
    EXPECT_TRUE(handleKeys(app, recreateOk));
    EXPECT_EQ(recreations, 1);
}

TEST_F(KeyboardTest, AFailedRecreationStopsBeforeTheOtherKeys)
{
    app.keyDown[kVkF1] = true;
    app.keyDown[kVkEscape] = true;
    app.keyDown[kVkR] = true;
    app.keyDown[kVkL] = true;
    EXPECT_FALSE(handleKeys(app, recreateFails));
    EXPECT_EQ(app.quitRequested, 0);
    EXPECT_FALSE(std::filesystem::exists("traj.txt"));
    EXPECT_EQ(app.lightsOn, 0);
}

TEST_F(KeyboardTest, EscapeRequestsTheEnd)
{
    app.keyDown[kVkEscape] = true;
    EXPECT_TRUE(handleKeys(app, recreateOk));
    EXPECT_NE(app.quitRequested, 0);
}

}  // namespace
