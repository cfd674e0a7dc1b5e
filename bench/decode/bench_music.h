#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A music-like test stream: chords that change every two seconds, a bass line, hi-hat noise and
// drum hits, 44.1 kHz stereo.
std::vector<int16_t> benchMusic(double seconds);

// Encodes it with shineenc at the given bitrate; the MP3 bytes, empty on failure.
std::vector<uint8_t> encodeWithShine(const std::vector<int16_t>& samples, int kbps);
