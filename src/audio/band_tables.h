#pragma once

#include <cstdint>

// Scale-factor bands by sampling index (44100, 48000, 32000, 22050, 24000, 16000, and the MPEG-2.5
// rates 11025, 12000, 8000 Hz).

constexpr int kLongBands = 22;
constexpr int kShortBands = 13;
constexpr int kSamplingIndices = 9;
constexpr int kGranuleLines = 576;
constexpr int kSubbandLines = 18;
constexpr int kSubbands = 32;
// Mixed blocks keep the two lowest sub-bands long.
constexpr int kMixedLongLines = 2 * kSubbandLines;

// First line of each long band, and 576.
extern const int32_t* const kLongBandStarts[kSamplingIndices];
// First line of each short band within one window, and 192.
extern const int32_t* const kShortBandStarts[kSamplingIndices];

// Long bands that a mixed block keeps: those below line 36 (8 at the MPEG-1 rates, 6 below them).
int mixedLongBands(int samplingIndex);
