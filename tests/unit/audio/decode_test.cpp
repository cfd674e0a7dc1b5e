#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "audio/pcm_staging.h"
#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/mp3_decoder.h"
#include "audio/side_info.h"
#include "audio/stream_input.h"
#include "test_frames.h"

namespace {

constexpr int kBlock = 16384;
std::vector<int16_t> gCollected;
uint8_t gStaging[2 * kBlock];
int32_t gFill = 0;

void collect(void*)
{
    const int16_t* s = reinterpret_cast<const int16_t*>(gStaging);
    gCollected.insert(gCollected.end(), s, s + gFill / 2);
    gFill = 0;
}

struct Decoded {
    std::vector<int16_t> pcm;  // interleaved stereo
    int frames = 0;
    int clips = 0;
};

// Every pass over the bytes, as the player runs them, with fresh decoder state.
Decoded decodeStream(const std::vector<uint8_t>& bytes, int passes = 1)
{
    StreamInput s;
    loadBytes(s, bytes);
    auto state = std::make_unique<Layer3State>();
    gCollected.clear();
    gFill = 0;
    Decoded d;
    FrameHeader h{};
    for (int pass = 0; pass < passes; ++pass) {
        rewind(s);
        while (nextFrame(s, h)) {
            ++d.frames;
            d.clips += decodeLayer3(s, *state, h, PcmSink{gStaging, &gFill, kBlock, collect, nullptr});
        }
    }
    collect(nullptr);
    d.pcm = gCollected;
    return d;
}

std::vector<int16_t> tones(int channels, int rate, double seconds, double silence = 0)
{
    int n = int(rate * seconds), quiet = int(rate * silence);
    std::vector<int16_t> out(size_t(n + quiet) * channels, 0);
    for (int i = 0; i < n; ++i) {
        for (int ch = 0; ch < channels; ++ch) {
            double f = ch ? 660 : 440;
            out[size_t(i) * channels + ch] = int16_t(8000 * std::sin(2 * std::numbers::pi * f * i / rate));
        }
    }
    return out;
}

// Signal-to-noise ratio in dB of one decoded channel against the input, at the best delay.
double snr(const std::vector<int16_t>& pcm, const std::vector<int16_t>& input, int channels, int ch)
{
    size_t frames = input.size() / channels;
    double best = -100;
    for (size_t lag = 0; lag < 2400; ++lag) {
        double signal = 0, noise = 0;
        for (size_t i = 2000; i + lag < pcm.size() / 2 && i < frames - 2000; ++i) {
            double x = input[i * channels + ch], y = pcm[(i + lag) * 2 + ch];
            signal += x * x;
            noise += (x - y) * (x - y);
        }
        if (noise > 0) best = std::max(best, 10 * std::log10(signal / noise));
    }
    return best;
}

// shineenc sets the padding bit where no padding is due at 16 kHz: its frames there are all
// exactly `frameBytes` long.
void clearPadding(std::vector<uint8_t>& mp3, size_t frameBytes)
{
    for (size_t at = 0; at + 2 < mp3.size(); at += frameBytes) mp3[at + 2] &= ~0x02;
}

// What goes into the encoder comes out of the decoder, for every mode and sampling frequency.
TEST(Decode, EncodedTonesComeBack)
{
    struct Case {
        int channels, rate, kbps;
        const char* mode;
        int samplesPerFrame;
    } cases[] = {{2, 44100, 128, "", 1152}, {2, 48000, 128, "-j", 1152}, {2, 48000, 96, "-d", 1152},
                 {1, 32000, 64, "", 1152},  {2, 22050, 64, "", 576},     {1, 24000, 48, "", 576},
                 {2, 16000, 48, "", 576},   {2, 24000, 64, "-j", 576}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.channels) + " channels " + c.mode);
        std::vector<int16_t> input = tones(c.channels, c.rate, 1.0);
        std::vector<uint8_t> mp3 = shineEncode(input, c.channels, c.rate, c.kbps, c.mode);
        ASSERT_FALSE(mp3.empty()) << "shineenc failed";
        if (c.rate == 16000) clearPadding(mp3, 216);
        Decoded d = decodeStream(mp3);
        EXPECT_EQ(d.pcm.size(), size_t(d.frames) * c.samplesPerFrame * 2);
        EXPECT_EQ(d.clips, 0);
        for (int ch = 0; ch < c.channels; ++ch) EXPECT_GT(snr(d.pcm, input, c.channels, ch), 15.0) << "channel " << ch;
        if (c.channels == 1) {
            for (size_t i = 0; i < d.pcm.size(); i += 2) ASSERT_EQ(d.pcm[i], d.pcm[i + 1]) << "single channel to both outputs";
        }
    }
}

// Rewrites a stream into larger frames with each frame's main data as early as the reservoir
// allows, so that main_data_begin reaches back across several frames. Returns the largest reach.
int repack(const std::vector<uint8_t>& in, int bitrateIndex, bool crc, std::vector<uint8_t>& out)
{
    StreamInput s;
    loadBytes(s, in);
    struct Frame {
        uint32_t header;
        std::vector<uint8_t> side, main;
    };
    std::vector<Frame> frames;
    FrameHeader h{};
    while (nextFrame(s, h)) {
        SideInfo si{};
        BitReader r{s.frameData + (h.hasCrc ? 2 : 0), 0};
        int channels = channelCount(h);
        h.mpeg2 ? readSideInfoMpeg2(si, r, channels, false, h.samplingIndex) : readSideInfoMpeg1(si, r, channels, false, h.samplingIndex);
        EXPECT_EQ(si.main_data_begin, 0u) << "the source keeps its main data in its own frame";
        int bits = 0;
        for (int gr = 0; gr < (h.mpeg2 ? 1 : 2); ++gr)
            for (int ch = 0; ch < channels; ++ch) bits += si.gr[ch][gr].part2_3_length;
        const uint8_t* body = s.frameData;
        int sideStart = h.hasCrc ? 2 : 0;
        uint32_t word = s.lastHeader;
        word = (word & ~0x0001F200u) | uint32_t(bitrateIndex) << 12 | (crc ? 0u : 0x10000u);
        frames.push_back({word, {body + sideStart, body + s.sideInfoSize}, {body + s.sideInfoSize, body + s.sideInfoSize + (bits + 7) / 8}});
    }
    FrameHeader big{};
    parseHeader(big, frames.at(0).header);
    int side = int(frames[0].side.size()), capacity = big.frameSize - side - (crc ? 2 : 0);
    int maxReach = big.mpeg2 ? 255 : 511;
    std::vector<uint8_t> space(frames.size() * capacity, 0);
    int end = 0, largest = 0;
    out.clear();
    for (size_t i = 0; i < frames.size(); ++i) {
        int area = int(i) * capacity, start = std::max(end, area - maxReach);
        EXPECT_LE(start + int(frames[i].main.size()), area + capacity) << "frame " << i << " does not fit";
        std::copy(frames[i].main.begin(), frames[i].main.end(), space.begin() + start);
        end = start + int(frames[i].main.size());
        int reach = area - start;
        largest = std::max(largest, reach);
        std::vector<uint8_t>& sideBytes = frames[i].side;
        if (big.mpeg2) sideBytes[0] = uint8_t(reach);
        else {
            sideBytes[0] = uint8_t(reach >> 1);
            sideBytes[1] = uint8_t((sideBytes[1] & 0x7F) | (reach & 1) << 7);
        }
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        uint32_t w = frames[i].header;
        append(out, {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w)});
        if (crc) append(out, {0xAB, 0xCD});
        append(out, frames[i].side);
        out.insert(out.end(), space.begin() + i * capacity, space.begin() + (i + 1) * capacity);
    }
    return largest;
}

// Main data up to 511 bytes back, across as many frames as that takes, decode as in the original.
TEST(Decode, MainDataReachingBackAcrossFramesDecodesAsTheOriginal)
{
    struct Case {
        int channels, rate, kbps, newIndex, minReachFrames;
    } cases[] = {{2, 48000, 32, 2, 5}, {2, 44100, 128, 10, 1}, {1, 48000, 32, 2, 3}, {2, 22050, 32, 5, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz " + std::to_string(c.kbps) + " kbit/s");
        std::vector<int16_t> input = tones(c.channels, c.rate, 1.5);
        std::vector<uint8_t> original = shineEncode(input, c.channels, c.rate, c.kbps), packed;
        ASSERT_FALSE(original.empty());
        int reach = repack(original, c.newIndex, false, packed);
        FrameHeader h{};
        StreamInput probe;
        loadBytes(probe, packed);
        ASSERT_EQ(nextFrame(probe, h), 1);
        EXPECT_GE(reach, c.minReachFrames * (h.frameSize - probe.sideInfoSize)) << "reaches back " << reach << " bytes";
        Decoded a = decodeStream(original), b = decodeStream(packed);
        ASSERT_EQ(a.frames, b.frames);
        ASSERT_EQ(a.pcm, b.pcm);
    }
}

TEST(Decode, CrcWordIsSkipped)
{
    std::vector<int16_t> input = tones(2, 44100, 0.5);
    std::vector<uint8_t> original = shineEncode(input, 2, 44100, 128), packed;
    repack(original, 10, true, packed);
    Decoded a = decodeStream(original), b = decodeStream(packed);
    ASSERT_GT(a.frames, 10);
    EXPECT_EQ(a.pcm, b.pcm);
}

// A first frame that points before the first byte of the stream plays as silence of its length.
TEST(Decode, MainDataBeforeTheStreamStartIsSilence)
{
    std::vector<int16_t> input = tones(2, 44100, 0.5);
    std::vector<uint8_t> mp3 = shineEncode(input, 2, 44100, 128);
    Decoded original = decodeStream(mp3);
    mp3[4] = 100 >> 1;  // main_data_begin of the first frame: 100
    Decoded d = decodeStream(mp3);
    ASSERT_EQ(d.pcm.size(), original.pcm.size());
    for (int i = 0; i < 1152 * 2; ++i) ASSERT_EQ(d.pcm[i], 0) << i;
    EXPECT_NE(d.pcm, original.pcm);
}

// Window switching with block type 0 cannot be: the frame is dropped, said once, and the rest plays.
TEST(Decode, ImpossibleBlockTypeDropsTheFrame)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 6; ++i) {
        TestFrame f;
        if (i % 2) f.granules[1][0].windowSwitching = true;  // block type 0
        append(bytes, frameBytes(f));
    }
    testing::internal::CaptureStderr();
    Decoded d = decodeStream(bytes);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(d.frames, 6);
    EXPECT_EQ(d.pcm.size(), size_t(3 * 1152 * 2));
    EXPECT_NE(said.find("damaged frame"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once: " << said;
}

// Mid/side pairs the channels' lines one to one: a short block beside a long one cannot be
// decoded, while long, start and stop blocks share one line order.
TEST(Decode, MidSideOverDifferentBlockKindsDropsTheFrame)
{
    auto jointFrame = [](int blockType) {
        TestFrame f;
        f.header.mode = 1;
        f.header.modeExt = 2;
        TestGranule& g = f.granules[0][1];
        g.windowSwitching = true;
        g.blockType = blockType;
        return frameBytes(f);
    };
    std::vector<uint8_t> bytes;
    append(bytes, jointFrame(3));  // stop block beside a long one: decoded
    append(bytes, jointFrame(2));  // short block beside a long one: dropped
    append(bytes, jointFrame(1));
    testing::internal::CaptureStderr();
    Decoded d = decodeStream(bytes);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(d.frames, 3);
    EXPECT_EQ(d.pcm.size(), size_t(2 * 1152 * 2));
    EXPECT_NE(said.find("mid/side stereo over channels of different block kinds"), std::string::npos) << said;
}

// A last frame cut off by the end of the file decodes with zeros for every missing bit, also
// where its main data run past the frame's end: as the same bits in a frame large enough to hold
// them. A complete frame whose data run past its end still loses that granule and the rest.
TEST(Decode, CutLastFrameDecodesWithZeros)
{
    auto frame = [](int bitrateIndex, int realBytes) {
        TestFrame f;
        f.header.bitrateIndex = bitrateIndex;
        TestGranule& g = f.granules[1][1];
        g.part23 = 4000;  // 500 bytes: more than a 128 kbit/s body holds behind its side information
        g.bigValues = 200;
        g.tables[0] = g.tables[1] = g.tables[2] = 1;  // whose code "000" is (1, 1): zeros are not silent
        for (int i = 0; i < realBytes; ++i) f.mainData.push_back(uint8_t(37 * i + 11));
        return frameBytes(f);
    };
    constexpr int kBodyCut = 300, kSideInfo = 32;
    std::vector<uint8_t> cut = frame(9, kBodyCut - kSideInfo);
    cut.resize(4 + kBodyCut);
    Decoded fromCut = decodeStream(cut);
    Decoded whole = decodeStream(frame(11, kBodyCut - kSideInfo));  // 192 kbit/s: room for all 500 bytes
    ASSERT_EQ(whole.pcm.size(), size_t(1152 * 2));
    EXPECT_TRUE(std::any_of(whole.pcm.begin() + 1152, whole.pcm.end(), [](int16_t v) { return v != 0; }));
    EXPECT_EQ(fromCut.pcm, whole.pcm);

    testing::internal::CaptureStderr();
    Decoded overrun = decodeStream(frame(9, 413 - kSideInfo));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(overrun.pcm.size(), size_t(576 * 2)) << "granule 1 is dropped";
}

// In a frame the end of the file cut short, the zeros explain a pair cut by part2_3_length: the
// granule keeps what comes before that pair, as if its data ended there.
TEST(Decode, CutFrameKeepsTheGranuleBeforeAPairCutByItsBudget)
{
    auto cutFrame = [](int part23, int bigValues) {
        TestFrame f;
        f.granules[1][1] = {.part23 = part23, .bigValues = bigValues, .tables = {1, 1, 1}};  // zeros: (1, 1), 5 bits
        std::vector<uint8_t> bytes = frameBytes(f);
        bytes.resize(bytes.size() - 10);
        return decodeStream(bytes).pcm;
    };
    std::vector<int16_t> ending = cutFrame(200, 40);
    ASSERT_EQ(ending.size(), size_t(1152 * 2));
    EXPECT_TRUE(std::any_of(ending.begin() + 1152, ending.end(), [](int16_t v) { return v != 0; }));
    EXPECT_EQ(cutFrame(203, 100), ending);
}

// Decoders share nothing: two streams decoded frame by frame in turn, each by its own decoder,
// give exactly what each gives decoded alone.
TEST(Decode, TwoDecodersInterleavedGiveTheirOwnPcm)
{
    struct Run {
        Mp3Decoder decoder;
        FrameHeader header{};
        std::vector<int16_t> pcm;
    };
    auto take = [](void* context) {
        Run& run = *static_cast<Run*>(context);
        const int16_t* s = reinterpret_cast<const int16_t*>(run.decoder.staging.bytes);
        run.pcm.insert(run.pcm.end(), s, s + run.decoder.staging.fill / 2);
        run.decoder.staging.fill = 0;
    };
    const std::vector<uint8_t> streams[2] = {shineEncode(tones(2, 44100, 0.5), 2, 44100, 128),
                                             shineEncode(tones(2, 22050, 0.8), 2, 22050, 64, "-j")};
    std::unique_ptr<Run> runs[2] = {std::make_unique<Run>(), std::make_unique<Run>()};
    for (int i = 0; i < 2; ++i) {
        ASSERT_FALSE(streams[i].empty());
        loadBytes(runs[i]->decoder.stream, streams[i]);
    }
    for (bool more[2] = {true, true}; more[0] || more[1];) {
        for (int i = 0; i < 2; ++i) {
            Run& run = *runs[i];
            more[i] = more[i] && nextFrame(run.decoder.stream, run.header);
            if (!more[i]) continue;
            PcmStaging& st = run.decoder.staging;
            decodeLayer3(run.decoder.stream, run.decoder.layer3, run.header, PcmSink{st.bytes, &st.fill, kBlock, take, &run});
        }
    }
    for (int i = 0; i < 2; ++i) {
        take(runs[i].get());
        std::vector<int16_t> alone = decodeStream(streams[i]).pcm;
        EXPECT_GT(alone.size(), size_t(20 * 1152));
        EXPECT_TRUE(runs[i]->pcm == alone) << "stream " << i;
    }
}

// The music repeats without noise at the seam, whatever wraps the stream or follows it.
TEST(Decode, SecondPassPlaysLikeTheFirst)
{
    std::vector<int16_t> input = tones(2, 44100, 0.6, 0.4);
    std::vector<uint8_t> mp3 = shineEncode(input, 2, 44100, 128);
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 0, 0, 0, 0};
    append(bytes, mp3);
    std::vector<uint8_t> tag = {'T', 'A', 'G'};
    tag.resize(128, 0xFF);
    append(bytes, tag);
    Decoded one = decodeStream(bytes), two = decodeStream(bytes, 2);
    ASSERT_EQ(two.pcm.size(), 2 * one.pcm.size());
    // The synthesis ring stands elsewhere in the second pass, which may round a sample the other way.
    size_t n = one.pcm.size();
    int worst = 0;
    for (size_t i = 0; i < n; ++i) worst = std::max(worst, std::abs(one.pcm[i] - two.pcm[n + i]));
    EXPECT_LE(worst, 1);
}

// Corrupt streams: whatever the side information and Huffman data say, decoding stays inside its
// buffers (checked under the address sanitizer) and goes on with the next frame.
TEST(Decode, CorruptStreamsNeitherCrashNorStop)
{
    std::vector<uint8_t> mp3 = shineEncode(tones(2, 44100, 1.0), 2, 44100, 128);
    ASSERT_FALSE(mp3.empty());
    std::mt19937 rng(99);
    testing::internal::CaptureStderr();
    for (int round = 0; round < 60; ++round) {
        std::vector<uint8_t> bad = mp3;
        for (int k = 0; k < 40; ++k) bad[rng() % bad.size()] = uint8_t(rng());
        Decoded d = decodeStream(bad);
        EXPECT_GT(d.frames, 10);
    }
    // Every field at its largest: budgets, big values, gains, subblock gains, scale factors.
    std::vector<uint8_t> hostile;
    for (int i = 0; i < 8; ++i) {
        TestFrame f;
        f.header.mode = 1;
        f.header.modeExt = 3;
        f.mainDataBegin = i ? 511 : 0;
        for (auto& gr : f.granules) {
            for (TestGranule& g : gr) {
                g = {.part23 = 4095, .bigValues = 511, .globalGain = 0, .scalefacCompress = 15,
                     .windowSwitching = i % 2 == 1, .blockType = 2, .mixed = i % 4 == 1,
                     .tables = {23, 31, 0}, .subblockGain = {7, 7, 7}, .scalefacScale = true, .count1B = true};
            }
        }
        f.mainData.assign(400, 0xFF);
        append(hostile, frameBytes(f));
    }
    Decoded d = decodeStream(hostile, 2);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(d.frames, 16);
}

}  // namespace

namespace {

// The player's entry: the output is fitted on the first frame. Until probeFormats has filled the
// decoder's table no format is known to fit, which is how the failure is reached here; then the same
// stream, probed, plays.
TEST(DecodeFrame, MusicStopsWithAMessageWhenNoOutputFormatFits)
{
    auto d = std::make_unique<Mp3Decoder>();
    OutputQueue out;
    loadBytes(d->stream, silentStream(3));
    FrameHeader h{};
    ASSERT_EQ(nextFrame(d->stream, h), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(decodeFrame(*d, h, out), -1);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, std::string(program_invocation_short_name) + ": mp3: no output format fits 44100 Hz; the music stops\n");
    EXPECT_EQ(nextFrame(d->stream, h), 0) << "the music has stopped";

    probeFormats(d->formats, d->audioParams);
    loadBytes(d->stream, silentStream(3));
    ASSERT_EQ(nextFrame(d->stream, h), 1);
    EXPECT_EQ(decodeFrame(*d, h, out), 0);
    EXPECT_EQ(d->audioParams.rate, 44100);
    EXPECT_EQ(h.subbandLimit, 32);
    EXPECT_EQ(d->staging.fill, 1152 * 4);
    closeDevice(out);
    resetOutput(d->staging, out);
}

}  // namespace
