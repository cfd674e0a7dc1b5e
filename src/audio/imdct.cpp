#include "audio/imdct.h"

#include "audio/layer3_tables.h"

// Both transforms first form Y[k] = X[k] + X[k-1], which turns the outputs into cosine sums of
// period 2 x 36 (2 x 12) with mirror symmetries; the even Y give a DCT-III of 9 (3) points, the odd
// Y a DCT-IV, computed as a DCT-III of neighbour sums times 0.5 / cos((2j + 1) pi / 36 (12)).
namespace {

// C[j] = sum over l of a[l] cos(l (2j + 1) pi / 18), j = 0..8.
void dct3Of9(const float* a, float* c)
{
    const float* k = gSingleConstants;
    const float s = k[0], half = k[1], c1 = k[2], c5 = k[3], c7 = k[4], d1 = k[5], d7 = -k[6], d5 = -k[7];
    float base = a[0] + a[6] * half;
    float even0 = base + a[2] * c1 - a[4] * c7 - a[8] * c5;
    float even1 = a[0] - a[6] + (a[2] - a[4] - a[8]) * half;
    float even2 = base + a[2] * c5 - a[4] * c1 - a[8] * c7;
    float even3 = base + a[2] * c7 - a[4] * c5 - a[8] * c1;
    float odd0 = a[1] * d1 + a[3] * s + a[5] * d5 + a[7] * d7;
    float odd1 = (a[1] - a[5] - a[7]) * s;
    float odd2 = a[1] * d5 - a[3] * s - a[5] * d7 + a[7] * d1;
    float odd3 = a[1] * d7 - a[3] * s + a[5] * d1 - a[7] * d5;
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
void dct3Of3(float a0, float a1, float a2, float* c)
{
    float s = a1 * gSingleConstants[0], h = a0 + a2 * gSingleConstants[1];
    c[0] = h + s;
    c[1] = a0 - a2;
    c[2] = h - s;
}

}  // namespace

void imdct36(const float* in, float* out)
{
    float y[18];
    y[0] = in[0];
    for (int k = 1; k < 18; ++k) y[k] = in[k] + in[k - 1];
    float even[9], odd[9], e[9], o[9];
    for (int l = 0; l < 9; ++l) {
        even[l] = y[2 * l];
        odd[l] = y[2 * l + 1] + (l ? y[2 * l - 1] : 0.0f);
    }
    dct3Of9(even, e);
    dct3Of9(odd, o);
    for (int j = 0; j < 9; ++j) {
        float oj = o[j] * gImdct36Constants[j];
        out[8 - j] = out[9 + j] = e[j] - oj;
        out[26 - j] = out[27 + j] = e[j] + oj;
    }
}

void imdct12(const float* in, float* out)
{
    float y1 = in[1] + in[0], y2 = in[2] + in[1], y3 = in[3] + in[2], y4 = in[4] + in[3], y5 = in[5] + in[4];
    float e[3], o[3];
    dct3Of3(in[0], y2, y4, e);
    dct3Of3(y1, y1 + y3, y3 + y5, o);
    for (int j = 0; j < 3; ++j) {
        float oj = o[j] * gImdct3Constants[j];
        out[2 - j] = out[3 + j] = e[j] - oj;
        out[8 - j] = out[9 + j] = e[j] + oj;
    }
}
