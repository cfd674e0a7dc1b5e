#pragma once

#include <cstdint>

// Polyphase synthesis: 32 sub-band samples to 32 PCM samples per channel.

// Per channel two arrays of 17 rows x 16 ring positions of matrixing results, and the ring
// offset shared by both channels (advanced by channel 0).
struct SynthesisState {
    float columns[2][2][272];
    int ring = 1;
};

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

// Synthesises one time slot of a channel: 32 sub-band samples to 32 PCM samples. Channel 0 must
// come first in each slot. Returns the number of clipped samples.
int synthesize(SynthesisState& state, const float* samples, int channel, int16_t* pcm);

// 32 stereo frames, left first, in the machine's order (little-endian): 128 bytes.
void interleave(const int16_t* left, const int16_t* right, uint8_t* out);
