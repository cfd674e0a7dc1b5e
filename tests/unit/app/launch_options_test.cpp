#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/launch_options.h"
#include "temp_dir.h"

namespace {

using enum LaunchAction;

LaunchOptions parseArguments(const std::vector<const char*>& args)
{
    std::vector<const char*> argv = {"zephal3d"};
    argv.insert(argv.end(), args.begin(), args.end());
    return parseLaunchOptions(static_cast<int>(argv.size()), argv.data());
}

struct Case {
    std::vector<const char*> args;  // after the program's name
    LaunchAction action;
    bool windowed, mute;
    const char* dataDir;
    const char* problemWith;  // reported as "<program>: <problemWith>: <problem>"
    const char* problem;
};

const Case kCases[] = {
    {{}, kRun, false, false, "", "", ""},
    {{"--mute", "--data", "a", "--window", "--data", "/srv/demo data"}, kRun, true, true, "/srv/demo data", "", ""},
    {{"--data=../d"}, kRun, false, false, "../d", "", ""},
    {{"--data", "--mute"}, kRun, false, false, "--mute", "", ""},  // as getopt: the next word is the folder
    {{"--window", "--help", "--bogus"}, kHelp, false, false, "", "", ""},
    {{"--version", "x"}, kVersion, false, false, "", "", ""},
    {{"--bogus", "--help"}, kBadUsage, false, false, "", "--bogus", "unknown option"},
    {{"-h"}, kBadUsage, false, false, "", "-h", "unknown option"},
    {{"--window", "--data"}, kBadUsage, false, false, "", "--data", "needs a folder"},
    {{"--data="}, kBadUsage, false, false, "", "--data", "needs a folder"},
    {{"scenedemo.3DS"}, kBadUsage, false, false, "", "scenedemo.3DS", "unexpected argument"},
};

TEST(LaunchOptions, TableOfCommandLines)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        LaunchOptions o = parseArguments(c.args);
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.start.windowed, c.windowed);
        EXPECT_EQ(o.start.mute, c.mute);
        EXPECT_EQ(o.dataDir, c.dataDir);
        EXPECT_EQ(o.problemWith, c.problemWith);
        EXPECT_EQ(o.problem, c.problem);
    }
}

struct DisplayCase {
    std::vector<const char*> args;
    bool desktop;
    int monitor;
    bool vsync, benchmark, bad;  // bad: "--monitor: needs a number"
};

const DisplayCase kDisplayCases[] = {
    {{}, false, 0, true, false, false},
    {{"--desktop", "--monitor", "2", "--no-vsync", "--benchmark"}, true, 2, false, true, false},
    {{"--no-vsync", "--vsync", "--monitor", "007"}, false, 7, true, false, false},
    {{"--monitor"}, false, 0, true, false, true},
    {{"--monitor", "-1"}, false, 0, true, false, true},
    {{"--monitor", "1x"}, false, 0, true, false, true},
};

TEST(LaunchOptions, DisplayOptions)
{
    for (const DisplayCase& c : kDisplayCases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        LaunchOptions o = parseArguments(c.args);
        EXPECT_EQ(o.problem, c.bad ? "needs a number" : "");
        if (c.bad) continue;
        EXPECT_EQ(o.start.desktop, c.desktop);
        EXPECT_EQ(o.display.monitor, c.monitor);
        EXPECT_EQ(o.display.vsync, c.vsync);
        EXPECT_EQ(o.benchmark, c.benchmark);
    }
}

struct RateAndSizeCase {
    std::vector<const char*> args;
    int stepRateHz, renderWidth, renderHeight;
    const char* problem;  // "" when the options are good
};

const char* const kBadRate = "needs a rate from 1 to 1000 steps a second";
const char* const kBadSize = "needs a size WxH, each side from 16 to 8192";
const RateAndSizeCase kRateAndSizeCases[] = {
    {{"--step-rate", "60", "--render-size", "800x600"}, 60, 800, 600, ""},
    {{"--step-rate", "1000", "--render-size", "16x8192"}, 1000, 16, 8192, ""},
    {{"--step-rate", "0"}, 0, 0, 0, kBadRate},
    {{"--step-rate", "1001"}, 0, 0, 0, kBadRate},
    {{"--step-rate"}, 0, 0, 0, kBadRate},
    {{"--render-size", "15x600"}, 0, 0, 0, kBadSize},
    {{"--render-size", "800"}, 0, 0, 0, kBadSize},
};

TEST(LaunchOptions, StepRateAndRenderSize)
{
    for (const RateAndSizeCase& c : kRateAndSizeCases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        LaunchOptions o = parseArguments(c.args);
        EXPECT_EQ(o.problem, c.problem);
        if (*c.problem) continue;
        EXPECT_EQ(o.start.stepRateHz, c.stepRateHz);
        EXPECT_EQ(o.display.renderWidth, c.renderWidth);
        EXPECT_EQ(o.display.renderHeight, c.renderHeight);
    }
}

TEST(LaunchOptions, TheDataFolderIsEnteredAndTrajectoriesStayWhereTheUserStarted)
{
    TempWorkDir start;
    std::filesystem::create_directory("data");
    std::string trajectory;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(enterDataFolder("nowhere", trajectory));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string(program_invocation_short_name) +
                  ": --data: cannot enter \"nowhere\": No such file or directory\n");
    ASSERT_TRUE(enterDataFolder("data", trajectory));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(start.path) / "data");
    EXPECT_EQ(trajectory, start.path + "/traj.txt");
}

}  // namespace
