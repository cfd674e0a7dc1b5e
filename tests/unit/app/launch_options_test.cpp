#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/launch_options.h"
#include "temp_dir.h"

namespace {

LaunchOptions parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "zephal3d");
    return parseLaunchOptions(static_cast<int>(args.size()), args.data());
}

struct Case {
    std::vector<const char*> args;
    LaunchAction action;
    bool windowed, mute;
    const char* dataDir;
    const char* problem;
};

const Case kCases[] = {
    {{}, LaunchAction::kRun, false, false, "", ""},
    {{"--window"}, LaunchAction::kRun, true, false, "", ""},
    {{"--mute"}, LaunchAction::kRun, false, true, "", ""},
    {{"--data", "/srv/demo data"}, LaunchAction::kRun, false, false, "/srv/demo data", ""},
    {{"--data=../d"}, LaunchAction::kRun, false, false, "../d", ""},
    {{"--mute", "--data", "a", "--window", "--data", "b"}, LaunchAction::kRun, true, true, "b", ""},
    // As getopt reads it: the word after --data is the folder, whatever it looks like.
    {{"--data", "--mute"}, LaunchAction::kRun, false, false, "--mute", ""},
    {{"--help"}, LaunchAction::kHelp, false, false, "", ""},
    {{"--window", "--help", "--bogus"}, LaunchAction::kHelp, false, false, "", ""},
    {{"--version", "x"}, LaunchAction::kVersion, false, false, "", ""},
    {{"--bogus"}, LaunchAction::kBadUsage, false, false, "", "zephal3d: --bogus: unknown option"},
    {{"-h"}, LaunchAction::kBadUsage, false, false, "", "zephal3d: -h: unknown option"},
    {{"--bogus", "--help"}, LaunchAction::kBadUsage, false, false, "", "zephal3d: --bogus: unknown option"},
    {{"--window", "--data"}, LaunchAction::kBadUsage, false, false, "", "zephal3d: --data: needs a folder"},
    {{"--data="}, LaunchAction::kBadUsage, false, false, "", "zephal3d: --data: needs a folder"},
    {{"--data", ""}, LaunchAction::kBadUsage, false, false, "", "zephal3d: --data: needs a folder"},
    {{"scenedemo.3DS"}, LaunchAction::kBadUsage, false, false, "", "zephal3d: scenedemo.3DS: unexpected argument"},
};

TEST(LaunchOptions, TableOfCommandLines)
{
    for (const Case& c : kCases) {
        std::string line;
        for (const char* a : c.args) line += std::string(" '") + a + "'";
        SCOPED_TRACE("zephal3d" + line);
        LaunchOptions o = parse(c.args);
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.start.windowed, c.windowed);
        EXPECT_EQ(o.start.mute, c.mute);
        EXPECT_EQ(o.dataDir, c.dataDir);
        EXPECT_EQ(o.problem, c.problem);
    }
}

TEST(LaunchOptions, HelpNamesTheKeysTheFilesAndTheOptions)
{
    const std::string help = helpText();
    for (const char* word : {"F1 ", "Escape ", "R ", "L ", "scenedemo.3DS", "greets.bmp", "greetsalpha.bmp",
                             "greets2.bmp", "greets2alpha.bmp", "sorvel.mp3", "traj.txt", "--window", "--data DIR",
                             "--mute", "--help", "--version"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
    EXPECT_EQ(std::string(usageText()).rfind("usage: zephal3d ", 0), 0u);
}

TEST(LaunchOptions, TheDataFolderIsEnteredAndTrajectoriesStayWhereTheUserStarted)
{
    TempWorkDir start;
    std::filesystem::create_directory("data");
    std::string trajectory;
    ASSERT_TRUE(enterDataFolder("data", trajectory));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(start.path) / "data");
    EXPECT_EQ(trajectory, start.path + "/traj.txt");
}

TEST(LaunchOptions, AMissingDataFolderIsNamedOnStderr)
{
    TempWorkDir start;
    std::string trajectory = "untouched";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(enterDataFolder("nowhere", trajectory));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zephal3d: --data: cannot enter \"nowhere\": No such file or directory\n");
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(start.path));
    EXPECT_EQ(trajectory, "untouched");
}

}  // namespace
