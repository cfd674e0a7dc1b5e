#pragma once

#include <cstdint>

// Polyphase synthesis: 32 sub-band samples to 32 PCM samples per channel.

// Per channel two arrays of 17 rows x 16 ring positions of matrixing results, and the ring
// offset shared by both channels (advanced by channel 0).
struct SynthesisState {
    float columns[2][2][272];
    int ring = 1;
};

// The 32-point matrixing V[i] = sum over k of cos((16 + i)(2k + 1) pi / 64) S[k]:
// first[m] = -V[32 + m] for m = 0..16, second[m] = V[m] for m = 0..15, each written at stride 16.
void matrix32(const float* samples, float* first, float* second);

// Converts a sum to a 16-bit sample by truncation toward zero; outside the range it clips and counts.
inline int16_t toPcm(float v, int& clips)
{
    if (!(v < 32768.0f)) {  // also NaN, never produced, so the conversion stays defined
        ++clips;
        return 32767;
    }
    if (v <= -32769.0f) {
        ++clips;
        return -32768;
    }
    return static_cast<int16_t>(static_cast<int>(v));
}

// Synthesises one time slot of a channel into interleaved 16-bit stereo at byte `offset` of
// `out` (left samples for channel 0, right for 1; both when `bothOutputs`, for single-channel
// streams). Channel 0 must come first in each slot. Returns the number of clipped samples.
int synthesize(SynthesisState& state, const float* samples, int channel, uint8_t* out, int offset, bool bothOutputs);

// Builds the matrixing constants and the window scaled to `scale` (32768 for 16-bit output).
void buildSynthesisTables(float scale);
