// Every test stream must be one libmad decodes as intended: our writer's without error (but for
// the faults a stream is made to have), shine's without error, each to sound, not silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "madref/mad_decode.h"
#include "streams/shine_streams.h"
#include "streams/writer_streams.h"

// Test names and failure messages show a stream by its name.
void PrintTo(const WriterStream& s, std::ostream* os) { *os << s.name; }
void PrintTo(const ShineStream& s, std::ostream* os) { *os << s.name; }

namespace {

float peakOf(const std::vector<float>& pcm)
{
    float peak = 0;
    for (float v : pcm) peak = std::max(peak, std::fabs(v));
    return peak;
}

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct WriterStreamCheck : ::testing::TestWithParam<WriterStream> {};

TEST_P(WriterStreamCheck, LibmadDecodesItAsWritten)
{
    const WriterStream& ws = GetParam();
    const StreamPlan plan = ws.build();
    const WrittenStream written = writeStream(plan);
    ASSERT_EQ(written.error, "");
    const MadDecoded decoded = madDecode(written.bytes);
    EXPECT_EQ(decoded.fatal, "");
    EXPECT_EQ(decoded.frames, static_cast<int>(plan.frames.size()));
    EXPECT_EQ(static_cast<int>(decoded.frameErrors.size()), ws.frameErrors);
    for (const MadFrameError& e : decoded.frameErrors) std::printf("libmad: frame %d: %s\n", e.frame, e.text.c_str());
    EXPECT_EQ(decoded.syncErrors, ws.syncErrors);
    const float peak = peakOf(decoded.pcm);
    std::printf("%s: %d frames, %zu bytes, peak %.1f\n", ws.name, decoded.frames, written.bytes.size(), peak);
    if (ws.silent)
        EXPECT_EQ(peak, 0.0f);
    else
        EXPECT_GT(peak, 1000.0f);
    EXPECT_LT(peak, 32000.0f) << "a written stream should compare samples, not clipping";
}

INSTANTIATE_TEST_SUITE_P(Writer, WriterStreamCheck, ::testing::ValuesIn(writerStreams()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShineStreamCheck : ::testing::TestWithParam<ShineStream> {};

TEST_P(ShineStreamCheck, LibmadDecodesItWithoutError)
{
    const ShineStream& stream = GetParam();
    const std::string dir = STREAM_DIR;
    std::filesystem::create_directories(dir);
    std::string path, error;
    ASSERT_TRUE(makeShineStream(stream, dir, path, error)) << error;
    const MadDecoded decoded = madDecode(readBytes(path));
    EXPECT_EQ(decoded.fatal, "");
    for (const MadFrameError& e : decoded.frameErrors) ADD_FAILURE() << "frame " << e.frame << ": " << e.text;
    EXPECT_EQ(decoded.syncErrors, 0);
    EXPECT_EQ(decoded.rate, stream.rate);
    const double seconds = decoded.pcm.size() / 2.0 / stream.rate;
    EXPECT_NEAR(seconds, stream.seconds, 0.1);
    EXPECT_GT(peakOf(decoded.pcm), 1000.0f);
}

INSTANTIATE_TEST_SUITE_P(Shine, ShineStreamCheck, ::testing::ValuesIn(shineStreams()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
