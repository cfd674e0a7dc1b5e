#pragma once

#include "audio/layer3_tables.h"

// The inverse MDCTs of the hybrid filter bank, each output divided by the compensation factor
// that the windows carry (0.5 / cos((2i + 19) pi / 72) long, 0.5 / cos((2i + 7) pi / 24) short).
// T is float, or Lanes for four sub-bands at once with the same arithmetic in every lane.
//
// Both transforms first form Y[k] = X[k] + X[k-1], which turns the outputs into cosine sums of
// period 2 x 36 (2 x 12) with mirror symmetries; the even Y give a DCT-III of 9 (3) points, the odd
// Y a DCT-IV, computed as a DCT-III of neighbour sums times 0.5 / cos((2j + 1) pi / 36 (12)).

// C[j] = sum over l of a[l] cos(l (2j + 1) pi / 18), j = 0..8.
template <typename T>
inline void dct3Of9(const T* a, T* c)
{
    const float* k = kSingleConstants;
    const float s = k[0], half = k[1], c1 = k[2], c5 = k[3], c7 = k[4], d1 = k[5], d7 = -k[6], d5 = -k[7];
    T base = a[0] + a[6] * half;
    T even0 = base + a[2] * c1 - a[4] * c7 - a[8] * c5;
    T even1 = a[0] - a[6] + (a[2] - a[4] - a[8]) * half;
    T even2 = base + a[2] * c5 - a[4] * c1 - a[8] * c7;
    T even3 = base + a[2] * c7 - a[4] * c5 - a[8] * c1;
    T odd0 = a[1] * d1 + a[3] * s + a[5] * d5 + a[7] * d7;
    T odd1 = (a[1] - a[5] - a[7]) * s;
    T odd2 = a[1] * d5 - a[3] * s - a[5] * d7 + a[7] * d1;
    T odd3 = a[1] * d7 - a[3] * s + a[5] * d1 - a[7] * d5;
    c[0] = even0 + odd0;
    c[8] = even0 - odd0;
    c[1] = even1 + odd1;
    c[7] = even1 - odd1;
    c[2] = even2 + odd2;
    c[6] = even2 - odd2;
    c[3] = even3 + odd3;
    c[5] = even3 - odd3;
    c[4] = a[0] - a[2] + a[4] - a[6] + a[8];
}

// C[j] = sum over l of a[l] cos(l (2j + 1) pi / 6), j = 0..2.
template <typename T>
inline void dct3Of3(T a0, T a1, T a2, T* c)
{
    T s = a1 * kSingleConstants[0], h = a0 + a2 * kSingleConstants[1];
    c[0] = h + s;
    c[1] = a0 - a2;
    c[2] = h - s;
}

// 18 spectral values to 36 outputs.
template <typename T>
inline void imdct36(const T* in, T* out)
{
    T y[18];
    y[0] = in[0];
    for (int k = 1; k < 18; ++k) y[k] = in[k] + in[k - 1];
    T even[9], odd[9], e[9], o[9];
    even[0] = y[0];
    odd[0] = y[1];
    for (int l = 1; l < 9; ++l) {
        even[l] = y[2 * l];
        odd[l] = y[2 * l + 1] + y[2 * l - 1];
    }
    dct3Of9(even, e);
    dct3Of9(odd, o);
    for (int j = 0; j < 9; ++j) {
        T oj = o[j] * kImdct36Constants[j];
        out[8 - j] = out[9 + j] = e[j] - oj;
        out[26 - j] = out[27 + j] = e[j] + oj;
    }
}

// 6 spectral values to 12 outputs.
template <typename T>
inline void imdct12(const T* in, T* out)
{
    T y1 = in[1] + in[0], y2 = in[2] + in[1], y3 = in[3] + in[2], y4 = in[4] + in[3], y5 = in[5] + in[4];
    T e[3], o[3];
    dct3Of3(in[0], y2, y4, e);
    dct3Of3(y1, y1 + y3, y3 + y5, o);
    for (int j = 0; j < 3; ++j) {
        T oj = o[j] * kImdct3Constants[j];
        out[2 - j] = out[3 + j] = e[j] - oj;
        out[8 - j] = out[9 + j] = e[j] + oj;
    }
}
