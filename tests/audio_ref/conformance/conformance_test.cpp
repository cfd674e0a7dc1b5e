// The compliance streams of the MPEG audio standard through mp3dec, against the suite's own
// decoded references: from sample 0 over the reference's length, at most 2 LSB anywhere, at most
// 0.75 LSB RMS and at most 0.1 % of the samples more than 1 LSB off.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "compare/pcm_compare.h"
#include "streams/run_program.h"

namespace {

constexpr int kMaxDiffLsb = 2;
constexpr double kRmsDiffLsb = 0.75;
constexpr double kOverOneShare = 0.001;

struct ConformanceStream {
    const char* name;
    int channels;  // of the reference
    int stereoSamplesPerFrame;
};

void PrintTo(const ConformanceStream& s, std::ostream* os) { *os << s.name; }

const ConformanceStream kStreams[] = {
    {"l3-compl", 1, 1152},    {"l3-he_44khz", 1, 1152}, {"l3-hecommon", 2, 1152},
    {"l3-si", 1, 1152},       {"l3-si_block", 1, 1152}, {"l3-test46", 2, 576},
    {"M2L3_noise", 2, 576},   {"M2L3_compl24", 1, 576},
};

const std::string kData = DATA_DIR;
const std::string kOut = OUT_DIR;

// mp3dec's raw output for a stream; empty with a failure when it did not decode.
std::vector<int16_t> decode(const std::string& name, ProgramRun& run)
{
    std::filesystem::create_directories(kOut);
    const std::string out = kOut + "/" + name + ".raw";
    std::filesystem::remove(out);
    run = runProgram({MP3DEC_PATH, "-r", kData + "/" + name + ".bit", out});
    std::vector<int16_t> pcm;
    readRaw16(out, pcm);
    return pcm;
}

struct Conformance : ::testing::TestWithParam<ConformanceStream> {};

TEST_P(Conformance, MatchesTheReference)
{
    const ConformanceStream& s = GetParam();
    ProgramRun run;
    const std::vector<int16_t> ours = decode(s.name, run);
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<int16_t> ref;
    ASSERT_TRUE(readRaw16(kData + "/" + s.name + ".pcm", ref));
    const ReferenceComparison c = compareWithReference(ours, ref, s.channels);
    const size_t frame = c.maxAt / 2 / s.stereoSamplesPerFrame;
    std::printf("%s: max %d LSB (frame %zu), RMS %.3f LSB, %.3f %% over 1 LSB, %zu samples\n", s.name, c.maxDiff, frame,
                c.rmsDiff, 100.0 * c.overOne / std::max<size_t>(c.compared, 1), c.compared);
    EXPECT_EQ(c.missing, 0u) << "our output is shorter than the reference";
    EXPECT_LE(c.maxDiff, kMaxDiffLsb) << "worst in frame " << frame;
    EXPECT_LE(c.rmsDiff, kRmsDiffLsb);
    EXPECT_LE(c.overOne, static_cast<size_t>(kOverOneShare * c.compared));
}

INSTANTIATE_TEST_SUITE_P(Streams, Conformance, ::testing::ValuesIn(kStreams), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// Free format is not decoded: nothing of the stream is played. (A false sync inside its data may
// pass for a frame, whose main data were never seen: it plays as silence.)
TEST(ConformanceFreeFormat, IsRefusedWithSilence)
{
    ProgramRun run;
    const std::vector<int16_t> ours = decode("l3-he_free", run);
    EXPECT_TRUE(std::all_of(ours.begin(), ours.end(), [](int16_t v) { return v == 0; })) << run.output;
    EXPECT_LE(ours.size(), 2u * 1152u) << run.output;
}

}  // namespace
