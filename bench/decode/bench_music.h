#pragma once

#include <cstdint>
#include <vector>

// A music-like test stream: chords that change every two seconds, a bass line, hi-hat noise and
// drum hits, 44.1 kHz stereo.
std::vector<int16_t> benchMusic(double seconds);
