#include "audio/matrixing.h"

#include "audio/generated/decoder_tables.h"
#include "audio/lanes.h"

// The matrixing is a 32-point DCT-II, T[n] = sum over k of S[k] cos(n (2k + 1) pi / 64), with
// V[m] = T[16 + m] and -V[32 + m] = T[16 - m]. It is computed by halving: the sums of mirrored
// inputs give the even outputs, their differences over 2 cos((2k + 1) pi / 2N) the odd ones as
// neighbour sums; four values at a time down to four points.
namespace {

template <int N>
const float* cosines()
{
    if constexpr (N == 32) return kMatrixCosines16;
    else if constexpr (N == 16) return kMatrixCosines8;
    else if constexpr (N == 8) return kMatrixCosines4;
    else if constexpr (N == 4) return kMatrixCosines2;
    else return kMatrixCosines1;
}

// Two 4-point transforms side by side, of a and of b: the same steps as the halving below.
void dct4Pair(Lanes a, Lanes b, Lanes& outA, Lanes& outB)
{
    const float* c4 = cosines<4>();
    float c2 = cosines<2>()[0];
    Lanes front = pick<0, 1, 4, 5>(a, b);
    Lanes back = pick<3, 2, 7, 6>(a, b);
    Lanes sums = front + back;                                    // g0, g1 of a, then of b
    Lanes diffs = (front - back) * Lanes{c4[0], c4[1], c4[0], c4[1]};  // h0, h1 of a, then of b
    Lanes first = pick<0, 4, 2, 6>(sums, diffs);
    Lanes second = pick<1, 5, 3, 7>(sums, diffs);
    Lanes total = first + second;         // g0 + g1, h0 + h1 of a, then of b
    Lanes odd = (first - second) * c2;    // (g0 - g1) c2, (h0 - h1) c2 of a, then of b
    Lanes withOdd = total + pick<4, 1, 4, 3>(odd, Lanes{});
    outA = pick<0, 1, 4, 5>(withOdd, odd);
    outB = pick<2, 3, 6, 7>(withOdd, odd);
}

// N = 4 V points in V registers.
template <int V>
void dct(const Lanes* x, Lanes* out)
{
    if constexpr (V == 1) {
        dct4Pair(x[0], x[0], out[0], out[0]);
    } else {
        constexpr int H = V / 2;
        const float* c = cosines<4 * V>();
        Lanes g[H], h[H], even[H], odd[H];
        for (int j = 0; j < H; ++j) {
            Lanes mirror = reversed(x[V - 1 - j]);
            g[j] = x[j] + mirror;
            h[j] = (x[j] - mirror) * lanesAt(c + 4 * j);
        }
        if constexpr (H == 1) {
            dct4Pair(g[0], h[0], even[0], odd[0]);
        } else {
            dct<H>(g, even);
            dct<H>(h, odd);
        }
        for (int j = 0; j < H; ++j) {
            Lanes next = j + 1 < H ? odd[j + 1] : Lanes{};
            Lanes sums = odd[j] + pick<1, 2, 3, 4>(odd[j], next);
            out[2 * j] = pick<0, 4, 1, 5>(even[j], sums);
            out[2 * j + 1] = pick<2, 6, 3, 7>(even[j], sums);
        }
    }
}

}  // namespace

[[gnu::flatten]] void matrix32(const float* samples, float* first, float* second)
{
    Lanes in[8], t[8];
    for (int j = 0; j < 8; ++j) in[j] = lanesAt(samples + 4 * j);
    dct<8>(in, t);
    first[0] = t[4][0];
    for (int j = 0; j < 4; ++j) {
        storeLanes(first + 1 + 4 * j, reversed(t[3 - j]));
        storeLanes(second + 4 * j, t[4 + j]);
    }
}
