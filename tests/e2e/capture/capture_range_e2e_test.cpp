// Runs the real capture on the demo's generated data: every frame of a range, as PNG files or a
// Y4M stream, and the music beside it.
#include <cmath>
#include <cstring>
#include <filesystem>

#include "capture_run.h"

namespace {

constexpr int kMusicRate = 44100;  // the generated music's rate
constexpr size_t kWavHeaderBytes = 44;

class CaptureRange : public CaptureRun {
protected:
    CommandResult range(const std::string& folder, const std::string& arguments)
    {
        return capture("--out '" + path(folder) + "' " + arguments);
    }
    Picture frame(const std::string& folder, int k)
    {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%06d.png", k);
        return readPng(path(folder) + name);
    }
    static size_t fileCount(const std::string& folder)
    {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.is_regular_file();
        return count;
    }
};

// The scroll's lettering: gold to orange, drawn opaque over whatever lies behind.
bool lettering(const uint8_t* c) { return c[0] >= 240 && c[1] >= 100 && c[1] <= 245 && c[2] <= 150; }

// How many lettering pixels of `earlier` show again, the same, `rows` higher in `later`.
size_t matchesRaisedBy(const Picture& earlier, const Picture& later, int rows)
{
    size_t count = 0;
    for (int y = rows; y < earlier.height; ++y)
        for (int x = 0; x < earlier.width; ++x)
            if (lettering(earlier.at(x, y)) && std::memcmp(earlier.at(x, y), later.at(x, y - rows), 3) == 0) ++count;
    return count;
}

// The rise from one frame to the next that brings the most lettering back in place; -1 without any.
int riseBetween(const Picture& earlier, const Picture& later)
{
    int best = -1;
    size_t bestCount = 0;
    for (int rows = 0; rows <= 8; ++rows) {
        size_t count = matchesRaisedBy(earlier, later, rows);
        if (count > bestCount) best = rows, bestCount = count;
    }
    return bestCount > 0 ? best : -1;
}

TEST_F(CaptureRange, SameRangeGivesTheSameFilesFrameByFrame)
{
    const std::string args = "--from 36 --to 36.5 --fps 10 --size 200x150 --wav ";
    CommandResult first = range("same-a", args + "'" + path("same-a.wav") + "'");
    ASSERT_EQ(first.status, 0) << first.errors;
    CommandResult second = range("same-b", args + "'" + path("same-b.wav") + "'");
    ASSERT_EQ(second.status, 0) << second.errors;
    // (36.5 − 36) × 10 frames.
    ASSERT_EQ(fileCount(path("same-a")), 5u);
    ASSERT_EQ(fileCount(path("same-b")), 5u);
    for (int k = 0; k < 5; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%06d.png", k);
        std::string bytes = readFile(path("same-a") + name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, readFile(path("same-b") + name)) << name;
    }
    EXPECT_EQ(frame("same-a", 0).width, 200);
    EXPECT_EQ(readFile(path("same-a.wav")), readFile(path("same-b.wav")));
    // Its last word, in a log as on a terminal.
    EXPECT_NE(first.errors.find("capture: progress: 5 frames in "), std::string::npos) << first.errors;
    EXPECT_NE(first.errors.find(" fps\n"), std::string::npos) << first.errors;
}

TEST_F(CaptureRange, FrameCountIsTheRangeTimesTheRate)
{
    // 1 s at 60, where steps rounded to whole ms (17) would give 59 frames.
    ASSERT_EQ(range("count", "--from 12 --to 13 --fps 60 --size 32x24").status, 0);
    EXPECT_EQ(fileCount(path("count")), 60u);
}

TEST_F(CaptureRange, GapFrameIsWhiteAllOver)
{
    ASSERT_EQ(range("gap", "--from 35.1 --to 35.15 --fps 20").status, 0);
    ASSERT_EQ(fileCount(path("gap")), 1u);
    Picture gap = frame("gap", 0);
    ASSERT_EQ(gap.rgb.size(), 800u * 600u * 3u);
    EXPECT_EQ(share(gap, white), 1.0);
}

TEST_F(CaptureRange, ScrollRisesThreeUnitsAFrameAfter60_2s)
{
    // Frame 0 at 60.2 s is the last without the scroll.
    ASSERT_EQ(range("scroll", "--from 60.2 --to 60.45 --fps 20").status, 0);
    ASSERT_EQ(fileCount(path("scroll")), 5u);
    EXPECT_EQ(share(frame("scroll", 0), lettering), 0.0);
    for (int k = 1; k + 1 < 5; ++k) {
        Picture earlier = frame("scroll", k), later = frame("scroll", k + 1);
        EXPECT_GT(share(later, lettering), 0.005) << "frame " << k + 1;
        EXPECT_EQ(riseBetween(earlier, later), 3) << "frames " << k << " and " << k + 1;
    }
}

// The effects that step once a frame count the frames from 0 whatever the range: a range's frame
// is the picture of that moment.
TEST_F(CaptureRange, RangeFrameEqualsThePictureOfItsMoment)
{
    ASSERT_EQ(range("late", "--from 60.3 --to 60.35 --fps 20").status, 0);
    ASSERT_EQ(capture("--fps 20 --out '" + path("moment") + "' 60.3").status, 0);
    Picture moment = readPpm(path("moment-060300.ppm"));
    ASSERT_FALSE(moment.rgb.empty());
    EXPECT_EQ(frame("late", 0).rgb, moment.rgb);
}

// Raw 16-bit stereo of one pass of the music, as mp3dec decodes it.
std::string decodedPass(const std::string& tmp, const std::string& music)
{
    std::string out = tmp + "/pass.raw";
    CommandResult r = runCommand(tmp, "'" + mp3decPath + "' -r '" + music + "' '" + out + "'");
    EXPECT_EQ(r.status, 0) << r.errors;
    return readFile(out);
}

uint32_t littleEndian(const std::string& bytes, size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
    return v;
}

TEST_F(CaptureRange, WavHoldsTheRangeToTheSampleAsMp3decDecodesIt)
{
    std::string pass = decodedPass(tmp, data + "/sorvel.mp3");
    ASSERT_GT(pass.size(), 4u * kMusicRate * 70);
    size_t passSamples = pass.size() / 4;
    // Across the seam where the music starts again: half a second either side of it.
    double seam = static_cast<double>(passSamples) / kMusicRate;
    char stretch[96];
    std::snprintf(stretch, sizeof stretch, "--from %.6f --to %.6f --fps 2 --size 32x24 ", seam - 0.5, seam + 0.5);
    CommandResult r = range("seam", stretch + ("--wav '" + path("seam.wav") + "'"));
    ASSERT_EQ(r.status, 0) << r.errors;
    std::string wav = readFile(path("seam.wav"));
    ASSERT_GE(wav.size(), kWavHeaderBytes);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(littleEndian(wav, 22, 2), 2u);
    EXPECT_EQ(littleEndian(wav, 24, 4), static_cast<uint32_t>(kMusicRate));
    EXPECT_EQ(littleEndian(wav, 34, 2), 16u);
    size_t first = std::llround((seam - 0.5) * kMusicRate);
    size_t end = std::llround((seam + 0.5) * kMusicRate);
    ASSERT_EQ(end - first, static_cast<size_t>(kMusicRate));
    EXPECT_EQ(littleEndian(wav, 40, 4), 4u * kMusicRate);
    ASSERT_EQ(wav.size(), kWavHeaderBytes + 4u * kMusicRate);
    std::string twice = pass + pass;
    EXPECT_TRUE(wav.compare(kWavHeaderBytes, std::string::npos, twice, first * 4, (end - first) * 4) == 0);
    // The same music on standard output, nothing named "-" left in the data folder.
    CommandResult piped = range("seam-piped", stretch + std::string("--wav -"));
    ASSERT_EQ(piped.status, 0) << piped.errors;
    EXPECT_TRUE(piped.output == wav);
    EXPECT_FALSE(std::filesystem::exists(data + "/-"));
}

TEST_F(CaptureRange, WavWithoutTheMusicFailsBeforeAnyFrame)
{
    std::filesystem::path silent = path("silent");
    std::filesystem::create_directory(silent);
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        std::filesystem::path name = entry.path().filename();
        if (name != "sorvel.mp3") std::filesystem::create_symlink(entry.path(), silent / name);
    }
    CommandResult r = runCommand(tmp, "'" + capturePath + "' --data '" + path("silent") + "' --to 0.1 --out '" +
                                          path("silent-frames") + "' --wav '" + path("silent.wav") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("cannot read the music sorvel.mp3"), std::string::npos) << r.errors;
    EXPECT_FALSE(std::filesystem::exists(path("silent.wav")));
    EXPECT_FALSE(std::filesystem::exists(path("silent-frames")));
}

TEST_F(CaptureRange, Y4mStreamHasItsHeaderFramesAndPlanes)
{
    const std::string args = "--from 10 --to 10.5 --fps 10 --size 100x75 --y4m ";
    CommandResult toFile = capture(args + "'" + path("show.y4m") + "'");
    ASSERT_EQ(toFile.status, 0) << toFile.errors;
    std::string stream = readFile(path("show.y4m"));
    size_t headerEnd = stream.find('\n');
    ASSERT_NE(headerEnd, std::string::npos);
    std::string header = stream.substr(0, headerEnd);
    EXPECT_EQ(header.rfind("YUV4MPEG2 ", 0), 0u) << header;
    for (const char* field : {" W100", " H75", " F10:1", " C420jpeg"})
        EXPECT_NE(header.find(field), std::string::npos) << header << " lacks" << field;
    // 4:2:0: the colour planes are 50 × 38, the odd last row of 75 rounded up.
    const size_t frameBytes = 6 + 100 * 75 + 2 * 50 * 38;
    size_t at = headerEnd + 1;
    int frames = 0;
    for (; at < stream.size(); at += frameBytes, ++frames) ASSERT_EQ(stream.compare(at, 6, "FRAME\n"), 0) << frames;
    EXPECT_EQ(at, stream.size());
    EXPECT_EQ(frames, 5);
    CommandResult toStdout = capture(args + "-");
    ASSERT_EQ(toStdout.status, 0) << toStdout.errors;
    EXPECT_TRUE(toStdout.output == stream);
}

}  // namespace
