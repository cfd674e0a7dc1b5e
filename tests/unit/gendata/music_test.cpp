#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "music.h"
#include "synth.h"

namespace {

const std::vector<int16_t>& music()
{
    static const std::vector<int16_t> pcm = renderMusic();
    return pcm;
}

double rms(size_t firstFrame, size_t frames, int channel)
{
    double sum = 0;
    for (size_t i = firstFrame; i < firstFrame + frames; ++i) {
        double s = music()[2 * i + channel];
        sum += s * s;
    }
    return std::sqrt(sum / frames);
}

TEST(Music, AboutEightySecondsOfStereo)
{
    EXPECT_GE(musicSeconds(), 78.2);  // it outlasts the flight
    EXPECT_LE(musicSeconds(), 90.0);
    EXPECT_EQ(music().size(), size_t(std::lround(musicSeconds() * kSampleRate)) * kMusicChannels);
}

TEST(Music, NoSilentStretchAndNoClipping)
{
    const size_t window = 2 * kSampleRate;
    for (size_t first = 0; first + window <= size_t(80 * kSampleRate); first += window) {
        EXPECT_GT(rms(first, window, 0), 500) << "at " << first / kSampleRate << " s";
        EXPECT_GT(rms(first, window, 1), 500) << "at " << first / kSampleRate << " s";
    }
    int peak = 0;
    for (int16_t s : music()) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 20000);  // loud enough
    EXPECT_LT(peak, 28000);  // with room left for the encoder's overshoot
}

TEST(Music, LeftAndRightDiffer)
{
    size_t differing = 0;
    for (size_t i = 0; i + 1 < music().size(); i += 2) differing += music()[i] != music()[i + 1];
    EXPECT_GT(differing, music().size() / 4);
}

TEST(Music, SameSamplesEveryRun)
{
    EXPECT_TRUE(renderMusic() == music());
}

}  // namespace
