#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "audio/mp3_decoder.h"
#include "support/tagged_song.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Pcm = std::vector<int16_t>;

struct Collector {
    Pcm pcm;  // interleaved stereo
};

bool openCollector(void*, int) { return true; }
bool playCollector(void* context, const uint8_t* data, int bytes)
{
    const auto* samples = reinterpret_cast<const int16_t*>(data);
    static_cast<Collector*>(context)->pcm.insert(static_cast<Collector*>(context)->pcm.end(), samples, samples + bytes / 2);
    return true;
}
void closeCollector(void*) {}

// Each pass over the bytes as the player plays them, its stereo PCM on its own.
std::vector<Pcm> decodePasses(const Bytes& bytes, int passes, bool gapless = true)
{
    Collector collected;
    WaveDevice device{&collected, openCollector, playCollector, closeCollector, nullptr, true};
    auto d = std::make_unique<Mp3Decoder>();
    OutputQueue out;
    setWaveDevice(out, &device);
    probeFormats(d->formats, d->audioParams);
    loadBytes(d->stream, bytes);
    d->stream.gapless = gapless;
    std::vector<size_t> ends;
    FrameHeader h{};
    for (int pass = 0; pass < passes; ++pass) {
        rewind(d->stream);
        while (nextFrame(d->stream, h) == 1) decodeFrame(*d, h, out);
        finishPass(*d, out);
        ends.push_back(collected.pcm.size() + static_cast<size_t>(d->staging.fill) / 2);
    }
    while (d->staging.fill > 0) queueStaged(d->staging, out);
    closeDevice(out);
    std::vector<Pcm> split;
    for (size_t i = 0, from = 0; i < ends.size(); from = ends[i++])
        split.emplace_back(collected.pcm.begin() + long(from), collected.pcm.begin() + long(ends[i]));
    return split;
}

// A frame of the stream's format whose side information is all zeros: it decodes to silence, so
// behind a stream it plays out what the decoder still holds.
Bytes silentFrameLike(const Bytes& mp3)
{
    uint32_t word = headerWordAt(mp3, 0) & ~0x200u;  // without the padding byte
    FrameHeader h{};
    parseHeader(h, word);
    Bytes frame(4 + static_cast<size_t>(h.frameSize), 0);
    for (int i = 0; i < 4; ++i) frame[i] = static_cast<uint8_t>(word >> (24 - 8 * i));
    return frame;
}

template <typename T>
std::vector<T> joined(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A 72-byte MPEG-2.5 8 kHz mono tag frame (8 kbit/s) whose flags promise the frame count, the byte
// count and a seek table of 100 bytes; after the two counts 43 bytes are left, room for no seek
// table but for what would be read as an encoder's extension: "TOCBYTES!", delay 2000, padding 100.
Bytes tagFrameWithoutRoomForItsSeekTable(int64_t frames)
{
    Bytes f(72, 0);
    const uint8_t header[] = {0xFF, 0xE3, 0x18, 0xC0};
    std::copy(header, header + 4, f.begin());
    uint8_t* p = f.data() + 4 + 9;  // behind the mono side information
    std::copy_n("Xing", 4, p);
    p[7] = 1 | 2 | 4;
    p[11] = static_cast<uint8_t>(frames);
    p[15] = 200;
    uint8_t* table = p + 16;
    std::copy_n("TOCBYTES!", 9, table);
    table[21] = 2000 >> 4;
    table[22] = (2000 & 15) << 4;
    table[23] = 100;
    return f;
}

// Tagged streams of every kind the plan trims differently. Each pass plays exactly the song: the
// untrimmed decode of the same bytes, with a silent frame behind them to play out the decoder's
// delay, from `offset` on for `length` samples (both worked out from the tag by hand). A trimmed
// pass starts from a clean decoder, so every pass is the same samples.
TEST(Gapless, EveryPassPlaysExactlyTheSong)
{
    Bytes song = wholeFrames(shineEncode(loopingSong(), 2, kSongRate, 128));
    Bytes low = wholeFrames(shineEncode(shortSong(8000), 2, 8000, 32));
    Bytes one = oneFrameSongBehindAStrayHeader();
    ASSERT_FALSE(song.empty() || low.empty() || one.empty());
    const int64_t songFrames = framesOf(song), lowFrames = framesOf(low);
    const int songPadding = static_cast<int>(songFrames * 1152 - kShineDelay - kSongSamples);
    constexpr int kDecoder = 529;
    struct Case {
        const char* what;
        Bytes bytes;
        Bytes format;    // frames of the song's format, for the silent frame
        int64_t offset;  // samples of the untrimmed decode before the song
        int64_t length;
        bool trimmed;
    } cases[] = {
        {"a stray header and 106 zero bytes before the tag frame",
         strayHeaderBefore(withInfoFrame(song, songFrames, kShineDelay, songPadding)), song,
         1152 + kShineDelay + kDecoder, kSongSamples, true},
        {"a one-frame song behind a stray header", one, song, 1152 + kShineDelay + kDecoder, kOneFrameSongSamples, true},
        {"delay 0, padding 0", withInfoFrame(song, songFrames, 0, 0), song, 1152 + kDecoder, songFrames * 1152, true},
        {"MPEG-2.5 at 8 kHz, delay 0, padding 0", withInfoFrame(low, lowFrames, 0, 0), low, 576 + kDecoder, lowFrames * 576, true},
        {"a tag frame without room for the seek table its flags promise",
         joined(tagFrameWithoutRoomForItsSeekTable(lowFrames), low), low, 576, lowFrames * 576, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Pcm> passes = decodePasses(c.bytes, 3);
        Pcm reference = decodePasses(joined(c.bytes, silentFrameLike(c.format)), 1, false)[0];
        EXPECT_EQ(passes[0].size(), size_t(2 * c.length));
        ASSERT_GE(reference.size(), size_t(2 * (c.offset + c.length)));
        if (passes[0].size() > size_t(2 * c.length)) continue;
        int worst = 0;
        for (size_t i = 0; i < passes[0].size(); ++i) worst = std::max(worst, std::abs(passes[0][i] - reference[2 * c.offset + i]));
        // Only the synthesis ring, which stands elsewhere after the tag frame, may round a sample the other way.
        EXPECT_LE(worst, 1);
        for (int p = 1; p < 3; ++p) {
            EXPECT_EQ(passes[p].size(), passes[0].size()) << "pass " << p + 1;
            if (c.trimmed) {
                EXPECT_TRUE(passes[p] == passes[0]) << "pass " << p + 1;
            }
        }
    }
    // Played twice, the looping song behind the stray header follows itself without a seam.
    std::vector<Pcm> twice = decodePasses(cases[0].bytes, 2);
    EXPECT_LT(loopError(joined(twice[0], twice[1]), loopingSong(), 0), kAlignedError);
}

}  // namespace
