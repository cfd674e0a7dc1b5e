#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "support/played_passes.h"
#include "support/tagged_song.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Pcm = std::vector<int16_t>;

// Each pass's stereo PCM.
std::vector<Pcm> decodePasses(const Bytes& bytes, int passes, bool gapless = true)
{
    return playPasses(bytes, passes, gapless).pcm;
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
