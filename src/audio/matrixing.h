#pragma once

// The 32-point matrixing of the polyphase synthesis, V[i] = sum over k of
// cos((16 + i)(2k + 1) pi / 64) S[k]: first[m] = -V[32 + m] for m = 0..16 and second[m] = V[m]
// for m = 0..15, each a column of contiguous values.
void matrix32(const float* samples, float* first, float* second);
