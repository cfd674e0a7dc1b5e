#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/stream_input.h"
#include "support/shine_encode.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Outcome {
    int status;
    std::string out, err;
};

struct Mp3dec : ::testing::Test {
    std::string dir, music;

    void SetUp() override
    {
        char pattern[] = "/tmp/z3d-mp3dec-XXXXXX";
        dir = mkdtemp(pattern);
        music = dir + "/music.mp3";
        std::vector<int16_t> samples;
        for (int i = 0; i < 22050; ++i) {
            samples.push_back(int16_t(9000 * std::sin(2 * std::numbers::pi * 440 * i / 22050.0)));
            samples.push_back(int16_t(7000 * std::sin(2 * std::numbers::pi * 660 * i / 22050.0)));
        }
        Bytes mp3 = shineEncode(samples, 2, 22050, 64);
        ASSERT_FALSE(mp3.empty());
        writeFile(music, mp3);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    Outcome run(const std::string& args) { return shell(std::string(Z3D_MP3DEC) + " " + args + " >" + dir + "/stdout"); }

    // A shell command line whose standard error is caught; standard output goes where it says.
    Outcome shell(const std::string& line)
    {
        std::string out = dir + "/stdout", err = dir + "/stderr";
        int status = std::system(("{ " + line + "; } 2>" + err).c_str());
        Bytes o = readFile(out), e = readFile(err);
        return {WEXITSTATUS(status), {o.begin(), o.end()}, {e.begin(), e.end()}};
    }
};

uint32_t le32(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }
uint16_t le16(const Bytes& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// What the decoder itself gives for the file, run in this process.
Bytes decodedInProcess(const Bytes& mp3)
{
    static uint8_t staging[2 * 16384];
    static int32_t fill = 0;
    static Bytes collected;
    collected.clear();
    fill = 0;
    StreamInput s;
    loadBytes(s, mp3);
    auto state = std::make_unique<Layer3State>();
    FrameHeader h{};
    auto flush = [](void*) {
        collected.insert(collected.end(), staging, staging + fill);
        fill = 0;
    };
    while (nextFrame(s, h)) decodeLayer3(s, *state, h, PcmSink{staging, &fill, 16384, flush, nullptr});
    flush(nullptr);
    return collected;
}

TEST_F(Mp3dec, RawAndWavCarryTheDecodersPcm)
{
    Outcome raw = run("-r " + music + " " + dir + "/out.raw");
    ASSERT_EQ(raw.status, 0) << raw.err;
    Outcome wav = run(music + " " + dir + "/out.wav");
    ASSERT_EQ(wav.status, 0) << wav.err;
    Bytes pcm = readFile(dir + "/out.raw"), file = readFile(dir + "/out.wav");
    EXPECT_EQ(pcm, decodedInProcess(readFile(music)));
    ASSERT_EQ(file.size(), 44 + pcm.size());
    EXPECT_EQ(std::memcmp(file.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(file, 4), 36 + pcm.size());
    EXPECT_EQ(std::memcmp(file.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le16(file, 20), 1);
    EXPECT_EQ(le16(file, 22), 2);
    EXPECT_EQ(le32(file, 24), 22050u);
    EXPECT_EQ(le16(file, 34), 16);
    EXPECT_EQ(le32(file, 40), pcm.size());
    EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), file.begin() + 44));
    size_t frames = pcm.size() / (576 * 4);
    EXPECT_NE(raw.out.find(std::to_string(frames) + " frames, 22050 Hz, 0 clipped samples"), std::string::npos) << raw.out;
}

// "-" reads standard input and writes standard output, pipes included: the PCM of the file-to-file
// run. A WAV header that cannot be completed says "to the end of the stream"; on a file it is.
TEST_F(Mp3dec, StandardInputAndOutputCarryTheFilesPcm)
{
    const std::string mp3dec = Z3D_MP3DEC;
    ASSERT_EQ(run("-r " + music + " " + dir + "/file.raw").status, 0);
    ASSERT_EQ(run(music + " " + dir + "/file.wav").status, 0);
    Bytes pcm = readFile(dir + "/file.raw"), wav = readFile(dir + "/file.wav");
    ASSERT_FALSE(pcm.empty());

    Outcome piped = shell("cat " + music + " | " + mp3dec + " -r - - | cat >" + dir + "/piped.raw");
    EXPECT_EQ(readFile(dir + "/piped.raw"), pcm);
    EXPECT_NE(piped.err.find("standard input: " + std::to_string(pcm.size() / (576 * 4)) + " frames"), std::string::npos)
        << piped.err;

    shell(mp3dec + " " + music + " - | cat >" + dir + "/piped.wav");
    Bytes streamed = readFile(dir + "/piped.wav");
    ASSERT_EQ(streamed.size(), wav.size());
    EXPECT_EQ(le32(streamed, 4), 0xFFFFFFFFu);
    EXPECT_EQ(le32(streamed, 40), 0xFFFFFFFFu - 36);
    EXPECT_TRUE(std::equal(wav.begin() + 44, wav.end(), streamed.begin() + 44));

    Outcome redirected = shell(mp3dec + " - - <" + music + " >" + dir + "/redirected.wav");
    EXPECT_EQ(redirected.status, 0) << redirected.err;
    EXPECT_EQ(readFile(dir + "/redirected.wav"), wav);

    writeFile(dir + "/appended.wav", Bytes{'H', 'E', 'A', 'D'});
    shell(mp3dec + " " + music + " - >>" + dir + "/appended.wav");
    Bytes appended = readFile(dir + "/appended.wav");
    ASSERT_EQ(appended.size(), 4 + wav.size());
    EXPECT_EQ(std::memcmp(appended.data(), "HEADRIFF", 8), 0);
    EXPECT_EQ(le32(appended, 4 + 40), 0xFFFFFFFFu - 36);
}

TEST_F(Mp3dec, UnreadableInputUnwritableOutputAndMisuseFail)
{
    Outcome missing = run(dir + "/none.mp3 " + dir + "/out.wav");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.wav"));
    Outcome unwritable = run(music + " " + dir + "/no/such/dir/out.wav");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("-x " + music + " out").status, 2);
}

TEST_F(Mp3dec, StreamsItDoesNotDecodeAreNamed)
{
    Bytes layer2;
    for (int i = 0; i < 20; ++i) {
        Bytes frame(418, 0);
        frame[0] = 0xFF;
        frame[1] = 0xFD;  // MPEG-1 Layer II, no CRC
        frame[2] = 0x90;
        layer2.insert(layer2.end(), frame.begin(), frame.end());
    }
    writeFile(dir + "/layer2.mp3", layer2);
    Outcome r = run(dir + "/layer2.mp3 " + dir + "/out.wav");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Layer II"), std::string::npos) << r.err;
}

}  // namespace
