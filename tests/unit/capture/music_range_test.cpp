#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music_range.h"
#include "support/tagged_song.h"

namespace {

// The stereo samples capture's WAV holds for the range of the music, or none when it fails.
std::vector<int16_t> heardRange(const std::vector<uint8_t>& mp3, double fromSeconds, double toSeconds)
{
    char pattern[] = "/tmp/z3d-range-XXXXXX";
    std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/song.mp3", std::ios::binary).write(reinterpret_cast<const char*>(mp3.data()), long(mp3.size()));
    MusicRange range;
    range.fromSeconds = fromSeconds;
    range.toSeconds = toSeconds;
    range.wavPath = dir + "/range.wav";
    std::string error;
    bool made = startMusicRange(range, dir + "/song.mp3", error) && finishMusicRange(range, error);
    EXPECT_TRUE(made) << error;
    std::ifstream in(range.wavPath, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove_all(dir);
    if (!made || bytes.size() < 44) return {};
    std::vector<int16_t> heard((bytes.size() - 44) / 2);
    std::memcpy(heard.data(), bytes.data() + 44, 2 * heard.size());
    return heard;
}

// The WAV of a stretch across the seam where a tagged song loops holds the song's end followed
// at once by its start: no sample of gap, none repeated.
TEST(MusicRange, AcrossTheSeamOfATaggedSongItsEndMeetsItsStart)
{
    std::vector<uint8_t> mp3 = taggedLoopingSong();
    ASSERT_FALSE(mp3.empty());
    constexpr int kAround = 3000;  // samples each side of the seam
    std::vector<int16_t> heard =
        heardRange(mp3, double(kSongSamples - kAround) / kSongRate, double(kSongSamples + kAround) / kSongRate);
    ASSERT_EQ(heard.size(), size_t(2 * 2 * kAround));
    EXPECT_LT(loopError(heard, loopingSong(), kSongSamples - kAround), kAlignedError);
}

// A song of one frame, tagged, behind a header that no frame follows: every pass of the loop is
// the song, so 7 s of it repeat it exactly, sample for sample.
TEST(MusicRange, AOneFrameSongBehindAStrayHeaderRepeatsForTheWholeRange)
{
    std::vector<uint8_t> mp3 = oneFrameSongBehindAStrayHeader();
    ASSERT_FALSE(mp3.empty());
    std::vector<int16_t> heard = heardRange(mp3, 0, 7);
    ASSERT_EQ(heard.size(), size_t(2 * 7 * kSongRate));
    constexpr size_t kPeriod = 2 * kOneFrameSongSamples;
    size_t differing = 0, loud = 0;
    for (size_t i = 0; i + kPeriod < heard.size(); ++i) differing += heard[i] != heard[i + kPeriod];
    for (int16_t v : heard) loud += std::abs(v) > 1000;
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(loud, heard.size() / 4);
}

}  // namespace
