#include "audio/synthesis.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "audio/generated/synthesis_window.h"

namespace {

constexpr int kWindowEntries = 544;
constexpr int kWindowWritten = 528;
constexpr int kRow = 16;

float gCosines16[16], gCosines8[8], gCosines4[4], gCosines2[2], gCosines1[1];
float gWindow[kWindowEntries];

template <int N>
const float* cosines()
{
    if constexpr (N == 32) return gCosines16;
    else if constexpr (N == 16) return gCosines8;
    else if constexpr (N == 8) return gCosines4;
    else if constexpr (N == 4) return gCosines2;
    else return gCosines1;
}

// DCT-II, T[n] = sum over k of x[k] cos(n (2k + 1) pi / 2N), in place, by halving: the sums of
// mirrored inputs give the even outputs, their differences over 2 cos((2k + 1) pi / 2N) the odd
// ones as neighbour sums. `scratch` holds N floats.
template <int N>
void dct2(float* x, float* scratch)
{
    if constexpr (N == 1) {
        return;
    } else {
        constexpr int H = N / 2;
        const float* c = cosines<N>();
        float* g = scratch;
        float* h = scratch + H;
        for (int k = 0; k < H; ++k) {
            g[k] = x[k] + x[N - 1 - k];
            h[k] = (x[k] - x[N - 1 - k]) * c[k];
        }
        dct2<H>(g, x);
        dct2<H>(h, x + H);
        for (int n = 0; n < H - 1; ++n) {
            x[2 * n] = g[n];
            x[2 * n + 1] = h[n] + h[n + 1];
        }
        x[N - 2] = g[H - 1];
        x[N - 1] = h[H - 1];
    }
}

// The standard's D changes sign every 64 coefficients; the walk's running sign supplies those
// changes itself, so it takes the smooth prototype h[j] = D[j] x (-1)^(j / 64).
double prototype(int j) { return kSynthesisWindowD[j] / 65536.0 * ((j / 64) % 2 ? -1 : 1); }

// Row c of the window holds, twice over, the coefficients of D[32 q + c] for q = 0..15
// with the signs that the two matrixing columns and the alternating sum need.
void buildWindow(float scale)
{
    std::memset(gWindow, 0, sizeof gWindow);
    int pos = 0, j = 0;
    double sign = -scale;
    for (int i = 0; i < 512; ++i) {
        if (pos < kWindowWritten) gWindow[pos] = gWindow[pos + 16] = static_cast<float>(prototype(j) * sign);
        if (i % 32 == 31) pos -= 1023;
        pos += 32;
        if (i % 64 == 63) sign = -sign;
        j += i < 256 ? 1 : -1;
        if (i == 255) j = 256;
    }
}

}  // namespace

void buildSynthesisTables(float scale)
{
    float* tables[5] = {gCosines16, gCosines8, gCosines4, gCosines2, gCosines1};
    for (int i = 0; i < 5; ++i) {
        int n = 16 >> i;
        for (int k = 0; k < n; ++k)
            tables[i][k] = static_cast<float>(1.0 / (2.0 * std::cos((2 * k + 1) * std::numbers::pi / (64 >> i))));
    }
    buildWindow(scale);
}

void matrix32(const float* samples, float* first, float* second)
{
    float t[32], scratch[32];
    std::memcpy(t, samples, sizeof t);
    dct2<32>(t, scratch);
    for (int m = 0; m <= 16; ++m) first[kRow * m] = t[16 - m];
    for (int m = 0; m < 16; ++m) second[kRow * m] = t[16 + m];
}

int synthesize(SynthesisState& st, const float* samples, int channel, uint8_t* out, int offset, bool bothOutputs)
{
    if (channel == 0) st.ring = (st.ring - 1) & 15;
    int r = st.ring;
    float* a0 = st.columns[channel][0];
    float* a1 = st.columns[channel][1];
    const float* b;
    int r1;
    if (r & 1) {
        b = a0;
        r1 = r;
        matrix32(samples, a1 + ((r + 1) & 15), a0 + r);
    } else {
        b = a1;
        r1 = r + 1;
        matrix32(samples, a0 + r, a1 + r + 1);
    }
    const float* w = gWindow + 16 - r1;
    int clips = 0;
    int16_t pcm[32];
    for (int i = 0; i < 16; ++i, b += kRow, w += 32) {
        float sum = 0.0f;
        for (int k = 0; k < 16; k += 2) sum = sum + w[k] * b[k] - w[k + 1] * b[k + 1];
        pcm[i] = toPcm(sum, clips);
    }
    {
        float sum = 0.0f;
        for (int k = 0; k < 16; k += 2) sum += w[k] * b[k];
        pcm[16] = toPcm(sum, clips);
        b -= kRow;
        w += 2 * r1 - 32;
    }
    for (int i = 17; i < 32; ++i, b -= kRow, w -= 32) {
        float sum = 0.0f;
        for (int k = 0; k < 16; ++k) sum -= w[-1 - k] * b[k];
        pcm[i] = toPcm(sum, clips);
    }
    uint8_t* p = out + offset + 2 * channel;
    for (int i = 0; i < 32; ++i, p += 4) {
        std::memcpy(p, &pcm[i], 2);
        if (bothOutputs) std::memcpy(p + 2, &pcm[i], 2);
    }
    return clips;
}
