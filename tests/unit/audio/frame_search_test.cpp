#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "audio/stream_input.h"
#include "test_frames.h"

namespace {

constexpr int kFrames = 6;

// Frames read in one pass, from the first byte on.
int framesInPass(StreamInput& s)
{
    rewind(s);
    FrameHeader h{};
    int n = 0;
    while (nextFrame(s, h)) ++n;
    return n;
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> riffHeader()
{
    std::vector<uint8_t> b = bytesOf("RIFF");
    append(b, {0, 0, 0, 0});
    append(b, bytesOf("WAVEfmt "));
    append(b, {30, 0, 0, 0});
    append(b, std::vector<uint8_t>(30, 0x55));
    append(b, bytesOf("data"));
    append(b, {0, 0, 0, 0});
    return b;
}

std::vector<uint8_t> id3v2Tag(uint32_t bodyBytes, bool footer, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> t = bytesOf("ID3");
    append(t, {4, 0, uint8_t(footer ? 0x10 : 0)});
    for (int shift = 21; shift >= 0; shift -= 7) t.push_back(uint8_t((bodyBytes >> shift) & 0x7F));
    append(t, body);
    t.resize(10 + bodyBytes + (footer ? 10 : 0), 0);
    return t;
}

StreamInput loaded(const std::vector<uint8_t>& bytes)
{
    StreamInput s;
    loadBytes(s, bytes);
    return s;
}

// Leading data is passed over in every pass, not only the first.
TEST(FrameSearch, WrappersAndTagsInFrontAreSkippedOnEveryPass)
{
    std::vector<uint8_t> tag = bytesOf("TAG");
    tag.resize(128, 'x');
    std::vector<uint8_t> junk(65536, 0x00);
    const std::vector<uint8_t> fronts[] = {riffHeader(), tag, junk, id3v2Tag(20, true, {})};
    for (const auto& front : fronts) {
        std::vector<uint8_t> bytes = front;
        append(bytes, silentStream(kFrames));
        StreamInput s = loaded(bytes);
        EXPECT_EQ(framesInPass(s), kFrames);
        EXPECT_EQ(framesInPass(s), kFrames);
    }
}

TEST(FrameSearch, MoreThan65536BytesOfJunkLeaveTheStreamSilent)
{
    std::vector<uint8_t> bytes(65537, 0x00);
    append(bytes, silentStream(kFrames));
    StreamInput s = loaded(bytes);
    testing::internal::CaptureStderr();
    EXPECT_EQ(framesInPass(s), 0);
    EXPECT_EQ(framesInPass(s), 0);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no MPEG audio"), std::string::npos) << said;
    EXPECT_EQ(said.find("no MPEG audio"), said.rfind("no MPEG audio")) << "said once, not per pass";
}

// A tag that holds a picture larger than the search window, with frame-like bytes in it.
TEST(FrameSearch, Id3v2TagIsSkippedByItsSize)
{
    std::vector<uint8_t> picture = silentStream(40);  // would be taken for audio if searched
    std::vector<uint8_t> bytes = id3v2Tag(100000, false, picture);
    append(bytes, silentStream(kFrames));
    StreamInput s = loaded(bytes);
    EXPECT_EQ(framesInPass(s), kFrames);
}

// Junk full of sync words: only a header that the next frame confirms is taken.
TEST(FrameSearch, FalseSyncsInJunkAreNotTaken)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 500; ++i) append(bytes, {0xFF, 0xFB, 0x90, uint8_t(i)});
    append(bytes, silentStream(kFrames));
    StreamInput s = loaded(bytes);
    EXPECT_EQ(framesInPass(s), kFrames);
}

TEST(FrameSearch, TrailingTagIsNotReadAsAFrame)
{
    std::vector<uint8_t> bytes = silentStream(kFrames);
    std::vector<uint8_t> tag = bytesOf("TAG");
    tag.resize(128, 0xFF);
    append(bytes, tag);
    StreamInput s = loaded(bytes);
    EXPECT_EQ(framesInPass(s), kFrames);
    EXPECT_EQ(framesInPass(s), kFrames);
}

// After a damaged stretch the reader finds the next frame, and the reservoir starts afresh.
TEST(FrameSearch, DamagedFrameIsSkippedAndTheStreamResumes)
{
    std::vector<uint8_t> bytes = silentStream(3);
    std::vector<uint8_t> damaged = silentStream(1);
    damaged[0] = 0x12;  // no sync
    append(bytes, damaged);
    append(bytes, std::vector<uint8_t>(77, 0xFF));
    append(bytes, silentStream(3));
    StreamInput s = loaded(bytes);
    rewind(s);
    FrameHeader h{};
    for (int i = 0; i < 3; ++i) ASSERT_EQ(nextFrame(s, h), 1);
    EXPECT_TRUE(s.continuous);
    ASSERT_EQ(nextFrame(s, h), 1);
    EXPECT_EQ(s.prevHistory, -1) << "a frame after a gap cannot reach back into the frames before it";
    EXPECT_EQ(framesInPass(s), 6);
}

TEST(FrameSearch, FrameWithAnotherSamplingRateDoesNotContinueTheStream)
{
    std::vector<uint8_t> bytes = silentStream(3);
    TestFrame other;
    other.header.samplingBits = 1;
    append(bytes, frameBytes(other));
    append(bytes, silentStream(3));
    StreamInput s = loaded(bytes);
    EXPECT_EQ(framesInPass(s), 6);
}

TEST(FrameSearch, UnsupportedStreamsAreRefusedOnceWithTheirReason)
{
    struct Case {
        HeaderFields header;
        const char* reason;
    } cases[] = {{{.layer = 2}, "Layer II"}, {{.bitrateIndex = 0}, "free-format"}, {{.version = 1}, "reserved MPEG version"}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < kFrames; ++i) {
            uint32_t w = headerWord(c.header);
            append(bytes, {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w)});
            bytes.resize(bytes.size() + 413, 0);
        }
        StreamInput s = loaded(bytes);
        testing::internal::CaptureStderr();
        EXPECT_EQ(framesInPass(s), 0);
        EXPECT_EQ(framesInPass(s), 0);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(c.reason), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "one message: " << said;
    }
}

TEST(FrameSearch, CutLastFrameIsCompletedWithZeros)
{
    std::vector<uint8_t> bytes = silentStream(kFrames);
    for (size_t i = bytes.size() - 413; i < bytes.size(); ++i) bytes[i] = 0xAA;  // the last body
    bytes.erase(bytes.end() - 100, bytes.end());
    StreamInput s = loaded(bytes);
    EXPECT_EQ(framesInPass(s), kFrames);
    for (int i = 413 - 100; i < 413; ++i) ASSERT_EQ(s.frameData[i], 0) << i;
    EXPECT_EQ(s.frameData[413 - 101], 0xAA);
}

// A file cut inside its first frame still plays it; a header standing in the last bytes of
// something else, its frame running past the end, is no stream.
TEST(FrameSearch, FirstFrameRunsPastTheEndOnlyWhereTheAudioBegins)
{
    std::vector<uint8_t> cut = silentStream(1);
    cut.resize(cut.size() / 2);
    StreamInput s = loaded(cut);
    EXPECT_EQ(framesInPass(s), 1);
    EXPECT_EQ(framesInPass(s), 1);
    std::vector<uint8_t> behindJunk(1000, 0x00);
    append(behindJunk, cut);
    StreamInput junk = loaded(behindJunk);
    testing::internal::CaptureStderr();
    EXPECT_EQ(framesInPass(junk), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no MPEG audio"), std::string::npos);
}

TEST(FrameSearch, EmptyAndMissingFiles)
{
    StreamInput s = loaded({0xFF, 0xFB});
    testing::internal::CaptureStderr();
    EXPECT_EQ(framesInPass(s), 0);
    testing::internal::GetCapturedStderr();
    StreamInput none;
    EXPECT_EQ(loadFile(none, "/nonexistent/music.mp3"), -1);
    EXPECT_EQ(framesInPass(none), 0);
}

TEST(FrameSearch, FilesAboveTheSizeLimitAreRefused)
{
    const char* path = "frame_search_limit.mp3";
    std::vector<uint8_t> bytes = silentStream(40);
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    StreamInput s;
    EXPECT_EQ(loadFile(s, path, bytes.size() - 1), -1);
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(loadFile(s, path, bytes.size()), 1);
    EXPECT_EQ(s.file, bytes);
    std::remove(path);
}

// The output is fitted again on the first frame and when the mode class or rate changes.
TEST(FrameSearch, FormatChangeMarksFirstFrameAndModeClassChanges)
{
    std::vector<uint8_t> bytes = silentStream(2);
    TestFrame mono;
    mono.header.mode = 3;
    append(bytes, frameBytes(mono));
    TestFrame joint;
    joint.header.mode = 1;
    append(bytes, frameBytes(joint));
    StreamInput s = loaded(bytes);
    FrameHeader h{};
    int expected[] = {2, 1, 2, 1};
    for (int e : expected) {
        ASSERT_EQ(nextFrame(s, h), 1);
        EXPECT_EQ(h.formatChange, e);
    }
    rewind(s);
    ASSERT_EQ(nextFrame(s, h), 1);
    EXPECT_EQ(h.formatChange, 2) << "joint stereo to stereo";
}

}  // namespace
