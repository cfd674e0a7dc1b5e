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
#include "mp3dec/pcm_file_device.h"
#include "support/shine_encode.h"
#include "support/tagged_song.h"

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

// Standard output that takes nothing (a full device, or closed): --info fails as decoding does.
TEST_F(Mp3dec, OutputThatCannotBeWrittenFailsInfoAsItFailsDecoding)
{
    const std::string mp3dec = Z3D_MP3DEC;
    for (const std::string& args : {"--info " + music, music + " -", "-r " + music + " -"}) {
        for (const char* target : {">/dev/full", ">&-"}) {
            std::string line = mp3dec + " " + args + " " + target;
            Outcome r = shell(line);
            EXPECT_EQ(r.status, 1) << line;
            EXPECT_EQ(r.err, "mp3dec: standard output: cannot write\n") << line;
        }
    }
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
    // Every line carries the tool's own name, the decoder's as well as the tool's.
    EXPECT_EQ(r.err.rfind("mp3dec: mp3: ", 0), 0u) << r.err;
    for (size_t at = r.err.find('\n'); at != std::string::npos && at + 1 < r.err.size(); at = r.err.find('\n', at + 1))
        EXPECT_EQ(r.err.compare(at + 1, 8, "mp3dec: "), 0) << r.err;
    // --info says it on one line of its own, the reason kept.
    Outcome info = run("--info " + dir + "/layer2.mp3");
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "mp3dec: " + dir + "/layer2.mp3: holds no audio that can be decoded (Layer II streams are not supported)\n");
}

std::vector<int16_t> samplesOf(const Bytes& raw)
{
    std::vector<int16_t> v(raw.size() / 2);
    std::memcpy(v.data(), raw.data(), 2 * v.size());
    return v;
}

// A tagged song comes out as exactly its samples, so played again it follows itself without a
// gap; a sample too many or too few at the start or the end shows as a slipped 3 kHz tone.
TEST_F(Mp3dec, ATaggedSongDecodesToExactlyTheSongSoItLoopsWithoutASeam)
{
    Bytes tagged = taggedLoopingSong();
    ASSERT_FALSE(tagged.empty());
    writeFile(dir + "/song.mp3", tagged);
    ASSERT_EQ(run("-r " + dir + "/song.mp3 " + dir + "/song.raw").status, 0);
    std::vector<int16_t> decoded = samplesOf(readFile(dir + "/song.raw")), song = loopingSong();
    ASSERT_EQ(decoded.size(), song.size());
    EXPECT_LT(loopError(decoded, song, 0), kAlignedError);

    // --no-gapless keeps every frame, the tag's included, as a decoder that knows no tag plays them.
    ASSERT_EQ(run("--no-gapless -r " + dir + "/song.mp3 " + dir + "/all.raw").status, 0);
    EXPECT_EQ(readFile(dir + "/all.raw").size(), size_t(framesOf(tagged)) * 1152 * 4);
}

// A tag whose numbers cannot belong to the stream is not followed: the stream plays untrimmed.
TEST_F(Mp3dec, ATagWithImpossibleNumbersPlaysUntrimmed)
{
    std::vector<uint8_t> mp3 = shineEncode(loopingSong(4410), 2, kSongRate, 128);
    ASSERT_EQ(framesOf(mp3), 4);
    struct Case {
        const char* what;
        int64_t frames;
        int delay, padding;
    } cases[] = {
        {"delay and padding beyond the stream's 4 x 1152 samples", 4, 4000, 4000},
        {"a frame count far from the frames found", 24, kShineDelay, 600},
    };
    for (const Case& c : cases) {
        writeFile(dir + "/bad.mp3", withInfoFrame(mp3, c.frames, c.delay, c.padding));
        Outcome r = run("-r " + dir + "/bad.mp3 " + dir + "/bad.raw");
        ASSERT_EQ(r.status, 0) << c.what;
        EXPECT_EQ(r.err, "") << c.what;
        ASSERT_EQ(run("--no-gapless -r " + dir + "/bad.mp3 " + dir + "/all.raw").status, 0);
        Bytes bad = readFile(dir + "/bad.raw");
        // Five frames, the tag's included, every sample of them.
        EXPECT_EQ(bad.size(), 5u * 1152 * 4) << c.what;
        EXPECT_EQ(bad, readFile(dir + "/all.raw")) << c.what;
    }
}

TEST_F(Mp3dec, InfoTellsTheStreamAndItsTagWithoutDecoding)
{
    writeFile(dir + "/song.mp3", taggedLoopingSong());
    Outcome r = run("--info " + dir + "/song.mp3");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"version: MPEG-1\n", "rate: 44100 Hz\n", "mode: stereo\n", "bitrate: 128 kbit/s\n",
                                    "duration: 1.960 s (86450 samples", "tag: Info\n", "encoder: shine1.0\n",
                                    "delay: 528\n", "gapless: yes\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
    EXPECT_NE(run("--info " + music).out.find("tag: none\n"), std::string::npos);
}

// Past 4 GiB of PCM the 32-bit sizes would wrap; the header says "to the end" instead, and stderr why.
TEST(PcmFileDevice, PastWhatAWavHeaderCountsItsSizesSayToTheEnd)
{
    char pattern[] = "/tmp/z3d-wav-XXXXXX";
    std::string path = std::string(mkdtemp(pattern)) + "/big.wav";
    PcmFile pcm{.path = path};
    WaveDevice device = pcmFileDevice(pcm);
    ASSERT_TRUE(device.open(device.context, 44100));
    uint8_t block[64] = {};
    ASSERT_TRUE(device.play(device.context, block, sizeof block));
    pcm.dataBytes += uint64_t{1} << 32;  // as if 4 GiB more had been written
    testing::internal::CaptureStderr();
    device.close(device.context);
    std::string said = testing::internal::GetCapturedStderr();
    Bytes header = readFile(path);
    ASSERT_GE(header.size(), 44u);
    EXPECT_EQ(le32(header, 4), 0xFFFFFFFFu);
    EXPECT_EQ(le32(header, 40), 0xFFFFFFFFu - 36);
    EXPECT_NE(said.find(path + ": "), std::string::npos) << said;
    EXPECT_FALSE(pcm.failed);
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

}  // namespace
