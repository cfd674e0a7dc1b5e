// Our decoder against libmad, stream by stream: mp3dec -r and madref decode the same file, and
// our PCM must lie within 2 LSB of libmad's unrounded output everywhere and within 0.65 LSB RMS
// (truncation toward zero alone costs up to 1 LSB and about 0.58 LSB RMS).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "compare/pcm_compare.h"
#include "streams/run_program.h"
#include "streams/shine_streams.h"
#include "streams/writer_streams.h"
#include "writer/band_layout.h"
#include "writer/stream_writer.h"

namespace {

constexpr double kMaxDiffLsb = 2.0;
constexpr double kRmsDiffLsb = 0.65;

struct CompareCase {
    std::string name;
    int samplesPerFrame;  // stereo samples per frame: 1152 for MPEG-1, 576 for MPEG-2
    std::function<bool(const std::string& path, std::string& error)> make;
};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

const std::string kDir = STREAM_DIR;

std::vector<CompareCase> allStreams()
{
    std::vector<CompareCase> cases;
    for (const ShineStream& s : shineStreams())
        cases.push_back({s.name, s.rate >= 32000 ? 1152 : 576, [s](const std::string& path, std::string& error) {
                             std::string made;
                             return makeShineStream(s, kDir, made, error) && made == path;
                         }});
    for (const WriterStream& w : writerStreams()) {
        const int rate = w.build().frames.at(0).rate;
        cases.push_back({w.name, bandLayout(rate)->mpeg2 ? 576 : 1152, [w](const std::string& path, std::string& error) {
                             const WrittenStream written = writeStream(w.build());
                             error = written.error;
                             return error.empty() && writeBytes(path, written.bytes);
                         }});
    }
    return cases;
}

struct Mp3VsLibmad : ::testing::TestWithParam<CompareCase> {};

TEST_P(Mp3VsLibmad, WithinTwoLsbAndRmsBound)
{
    const CompareCase& c = GetParam();
    std::filesystem::create_directories(kDir);
    const std::string mp3 = kDir + "/" + c.name + ".mp3";
    std::string error;
    ASSERT_TRUE(c.make(mp3, error)) << error;

    const ProgramRun ours = runProgram({MP3DEC_PATH, "-r", mp3, kDir + "/" + c.name + ".raw"});
    ASSERT_EQ(ours.status, 0) << ours.output;
    const ProgramRun ref = runProgram({MADREF_PATH, mp3, kDir + "/" + c.name + ".f32"});
    ASSERT_EQ(ref.status, 0) << ref.output;
    std::vector<int16_t> ourPcm;
    std::vector<float> refPcm;
    ASSERT_TRUE(readRaw16(kDir + "/" + c.name + ".raw", ourPcm));
    ASSERT_TRUE(readF32(kDir + "/" + c.name + ".f32", refPcm));

    const PcmComparison cmp = comparePcm(ourPcm, refPcm);
    std::printf("%s: %s\n", c.name.c_str(), describe(cmp, c.samplesPerFrame).c_str());
    EXPECT_EQ(cmp.ourSamples, cmp.refSamples) << "ours " << ourPcm.size() / 2 << " stereo samples, libmad "
                                              << refPcm.size() / 2 << "\nmp3dec: " << ours.output
                                              << "madref: " << ref.output;
    EXPECT_LE(cmp.maxDiff, kMaxDiffLsb);
    EXPECT_LE(cmp.rmsDiff, kRmsDiffLsb);
}

INSTANTIATE_TEST_SUITE_P(Streams, Mp3VsLibmad, ::testing::ValuesIn(allStreams()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
