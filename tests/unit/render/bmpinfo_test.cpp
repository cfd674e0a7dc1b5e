#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bmp_builder.h"
#include "run_command.h"
#include "temp_dir.h"

namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

CommandResult runBmpinfo(const TempDir& dir, const std::string& input)
{
    return runCommand(dir.path, std::string("'") + BMPINFO_PATH + "' '" + input + "' '" + dir.file("out.rgb") + "'");
}

}  // namespace

TEST(Bmpinfo, PrintsTheSizeAndWritesThePixelsAsTheImageHoldsThem)
{
    TempDir dir;
    BmpFile f = bmpFile(3, -2, 8);  // top-down, so the output's first row is the file's last
    f.coloursUsed = 2;
    f.table = colourTable({{1, 2, 3}, {4, 5, 6}});
    f.pixels = packRows({{0, 0, 1}, {1, 1, 0}}, 8);
    dir.write("in.bmp", buildBmp(f));
    CommandResult run = runBmpinfo(dir, dir.file("in.bmp"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "3 2\n");
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(contents(dir.file("out.rgb")), std::string("\4\5\6\4\5\6\1\2\3\1\2\3\1\2\3\4\5\6", 18));
}

TEST(Bmpinfo, ARefusedFileGivesTheMessageAndNoOutput)
{
    TempDir dir;
    BmpFile f = bmpFile(2, 2, 24);
    f.headerSize = 108;
    dir.write("v4.bmp", buildBmp(f));
    CommandResult run = runBmpinfo(dir, dir.file("v4.bmp"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, "bmpinfo: " + dir.file("v4.bmp") + ": Unknown DIB file format.\n");
    EXPECT_FALSE(std::ifstream(dir.file("out.rgb")).good());
    run = runBmpinfo(dir, dir.file("none.bmp"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "bmpinfo: " + dir.file("none.bmp") + ": Failed to open DIB file " + dir.file("none.bmp") + ".\n");
    EXPECT_FALSE(std::ifstream(dir.file("out.rgb")).good());
}
