#pragma once

#include <cstdint>
#include <vector>

// The demo's tune, about 80 seconds in A minor at 120 beats a minute: bass, chords, lead
// and drums, as interleaved 16-bit stereo samples at 44.1 kHz.
constexpr int kMusicChannels = 2;
double musicSeconds();
std::vector<int16_t> renderMusic();
