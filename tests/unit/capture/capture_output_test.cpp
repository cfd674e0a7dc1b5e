#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_options.h"
#include "frame_writer.h"
#include "progress.h"
#include "y4m_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Y', Cb, Cr of a picture of one colour, 2 × 2 pixels: one chroma sample.
Bytes studioLevels(uint8_t r, uint8_t g, uint8_t b)
{
    Bytes rgb;
    for (int i = 0; i < 4; ++i) rgb.insert(rgb.end(), {r, g, b});
    Bytes planes = yuv420FromRgb(2, 2, rgb);
    return {planes[0], planes[4], planes[5]};
}

TEST(Y4mPlanes, PrimariesTakeTheirBt601StudioLevels)
{
    EXPECT_EQ(studioLevels(255, 255, 255), (Bytes{235, 128, 128}));
    EXPECT_EQ(studioLevels(0, 0, 0), (Bytes{16, 128, 128}));
    EXPECT_EQ(studioLevels(255, 0, 0), (Bytes{81, 90, 240}));
    EXPECT_EQ(studioLevels(0, 255, 0), (Bytes{145, 54, 34}));
    EXPECT_EQ(studioLevels(0, 0, 255), (Bytes{41, 240, 110}));
    EXPECT_EQ(studioLevels(255, 255, 0), (Bytes{210, 16, 146}));
}

TEST(Y4mPlanes, ChromaIsTheMeanOfEachBlockAndOddEdgesCount)
{
    // 3 × 3: luma 9 bytes, then two 2 × 2 chroma planes. The top left block is half red, half
    // blue; the right column and bottom row are blocks of their own pixels.
    Bytes rgb(27, 0);
    auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        rgb[(y * 3 + x) * 3] = r, rgb[(y * 3 + x) * 3 + 1] = g, rgb[(y * 3 + x) * 3 + 2] = b;
    };
    set(0, 0, 255, 0, 0), set(1, 0, 255, 0, 0), set(0, 1, 0, 0, 255), set(1, 1, 0, 0, 255);
    set(2, 0, 0, 255, 0), set(2, 1, 0, 255, 0);
    Bytes planes = yuv420FromRgb(3, 3, rgb);
    ASSERT_EQ(planes.size(), 9u + 2 * 4);
    // Mean (128, 0, 128): Cb = 128 + (−37.797 × 128 + 112 × 128) / 255 = 165.2, Cr likewise 175.1.
    EXPECT_EQ(planes[9], 165);
    EXPECT_EQ(planes[13], 175);
    EXPECT_EQ(planes[10], 54);   // green column
    EXPECT_EQ(planes[11], 128);  // black bottom row
    EXPECT_EQ(planes[8], 16);
}

TEST(FrameWriter, WritesInOrderAndStopsAtTheFirstFailure)
{
    std::vector<int64_t> written;
    FrameWriter writer;
    startFrameWriter(writer, [&](int64_t index, const Bytes&) {
        written.push_back(index);
        return index != 7;
    });
    bool refused = false;
    for (int64_t i = 0; i < 40 && !refused; ++i) refused = !queuePicture(writer, i, Bytes(3));
    EXPECT_FALSE(stopFrameWriter(writer));
    EXPECT_EQ(writer.failedIndex, 7);
    ASSERT_EQ(written.size(), 8u);
    for (int64_t i = 0; i < 8; ++i) EXPECT_EQ(written[i], i);
}

TEST(Progress, LineSaysFramesRateAndTimeLeft)
{
    EXPECT_EQ(progressLine(120, 480, 2.0), "frame 120 of 480, 60.0 fps, 6 s left");
    EXPECT_EQ(progressLine(0, 480, 0.0), "frame 0 of 480");
}

CaptureOptions parsed(std::vector<std::string> args, ParseOutcome expected = ParseOutcome::run)
{
    args.insert(args.begin(), "capture");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    CaptureOptions options;
    std::string error;
    EXPECT_EQ(parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, error), expected) << error;
    return options;
}

TEST(CaptureOptions, DefaultsAreTheWholeShowAtSixtyIn800x600)
{
    CaptureOptions range = parsed({});
    EXPECT_EQ(range.fromSeconds, 0.0);
    EXPECT_NEAR(range.toSeconds, 80.2, 1e-5);  // the flight's 78.2 s and 2 s more
    EXPECT_EQ(range.rate.num, 60);
    EXPECT_EQ(range.rate.den, 1);
    EXPECT_EQ(range.width, 800);
    EXPECT_EQ(range.height, 600);
    EXPECT_EQ(range.out, "capture");
    EXPECT_FALSE(range.window);
    EXPECT_EQ(parsed({"3", "4.5"}).out, "shot");
    CaptureOptions watched = parsed({"--window", "3"});  // a flag: the moment is not its value
    EXPECT_TRUE(watched.window);
    EXPECT_EQ(watched.momentsSeconds, std::vector<double>{3.0});
    CaptureOptions ntsc = parsed({"--fps", "29.97", "--size", "640x480", "--y4m", "-"});
    EXPECT_EQ(ntsc.rate.num, 2997);
    EXPECT_EQ(ntsc.rate.den, 100);
    EXPECT_EQ(ntsc.y4mPath, "-");
    EXPECT_FALSE(ntsc.fit);
    CaptureOptions fullHd = parsed({"--fit", "1920x1080", "61"});
    EXPECT_TRUE(fullHd.fit);
    EXPECT_EQ(fullHd.width, 1920);
    EXPECT_EQ(fullHd.height, 1080);
}

TEST(CaptureOptions, RefusesWhatCannotBeMeant)
{
    parsed({"--out", "a", "--y4m", "b"}, ParseOutcome::bad);
    parsed({"--out", "-"}, ParseOutcome::bad);
    parsed({"--y4m", "-", "--wav", "-"}, ParseOutcome::bad);
    parsed({"--wav", "a.wav", "3"}, ParseOutcome::bad);
    parsed({"--fps"}, ParseOutcome::bad);
    parsed({"--fps", "1001"}, ParseOutcome::bad);
    parsed({"--size", "15x600"}, ParseOutcome::bad);
    parsed({"--fit", "1920x1080", "--size", "800x600"}, ParseOutcome::bad);
    parsed({"--from", "3600.5"}, ParseOutcome::bad);
    parsed({"--from", "90"}, ParseOutcome::bad);  // after the default end
    parsed({"-x"}, ParseOutcome::bad);
    parsed({"--help", "-x"}, ParseOutcome::help);
}

}  // namespace
