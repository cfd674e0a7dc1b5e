#pragma once

// The slow path: the hybrid filter bank and the polyphase synthesis evaluated directly from the
// standard's formulas, in double precision.

// The standard's windows by block type (36 entries; 12 for block type 2).
double standardWindow(int blockType, int i);

// x[i] = sum over k < n/2 of X[k] cos(pi / 2n (2i + 1 + n/2)(2k + 1)), i < n; n = 36 or 12.
void directImdct(const float* in, int n, double* out);

// V[i] = sum over k of cos((16 + i)(2k + 1) pi / 64) S[k], i < 64.
void directMatrix(const double* samples, double* v);

// The synthesis window D[0..511].
double synthesisWindow(int k);

struct ReferenceHybrid {
    double overlap[576] = {};
};
// One channel's granule to 18 slots of 32 sub-band samples (slot-major), every sub-band transformed.
void referenceHybrid(ReferenceHybrid& state, const float* spectrum, int blockType, bool mixed, double* slots);

struct ReferenceSynthesis {
    double v[1024] = {};
};
// One time slot: 32 PCM samples, scaled by 32768.
void referenceSynthesize(ReferenceSynthesis& state, const double* samples, double* pcm);
