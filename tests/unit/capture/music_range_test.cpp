#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music_range.h"
#include "support/tagged_song.h"

namespace {

// The WAV of a stretch across the seam where a tagged song loops holds the song's end followed
// at once by its start: no sample of gap, none repeated.
TEST(MusicRange, AcrossTheSeamOfATaggedSongItsEndMeetsItsStart)
{
    char pattern[] = "/tmp/z3d-range-XXXXXX";
    std::string dir = mkdtemp(pattern);
    std::vector<uint8_t> mp3 = taggedLoopingSong();
    ASSERT_FALSE(mp3.empty());
    std::ofstream(dir + "/song.mp3", std::ios::binary).write(reinterpret_cast<const char*>(mp3.data()), long(mp3.size()));

    constexpr int kAround = 3000;  // samples each side of the seam
    MusicRange range;
    range.fromSeconds = double(kSongSamples - kAround) / kSongRate;
    range.toSeconds = double(kSongSamples + kAround) / kSongRate;
    range.wavPath = dir + "/seam.wav";
    std::string error;
    ASSERT_TRUE(startMusicRange(range, dir + "/song.mp3", error)) << error;
    ASSERT_TRUE(finishMusicRange(range, error)) << error;

    std::ifstream in(range.wavPath, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(bytes.size(), 44u + 4 * 2 * kAround);
    std::vector<int16_t> heard(2 * 2 * kAround);
    std::memcpy(heard.data(), bytes.data() + 44, 2 * heard.size());
    std::vector<int16_t> song = loopingSong();
    EXPECT_LT(loopError(heard, song, kSongSamples - kAround), kAlignedError);
    std::filesystem::remove_all(dir);
}

}  // namespace
