#include "audio/synthesis.h"

#include <cstring>

#include "audio/generated/decoder_tables.h"
#include "audio/lanes.h"
#include "audio/matrixing.h"

namespace {

constexpr int kColumn = 17;  // values of one matrixing column, m = 0..16

// toPcm on four sums at once: the same truncation and limits; the lanes of `clipped` count.
inline void storePcm(Lanes v, int16_t* out, IntLanes& clipped)
{
    IntLanes over = !(v < 32768.0f), under = v <= -32769.0f;
    clipped -= over | under;
    Lanes limited = over ? Lanes{} + 32767.0f : under ? Lanes{} - 32768.0f : v;
    IntLanes samples = __builtin_convertvector(limited, IntLanes);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<int16_t>(samples[i]);
}

// One ring position of the sums: low samples gain (Sign +1) or lose its products, high ones lose theirs.
template <int Sign>
[[gnu::always_inline]] inline void accumulate(const float* column, const float* wl, const float* wh, Lanes* low, Lanes* high)
{
#pragma GCC unroll 4
    for (int j = 0; j < 4; ++j) {
        Lanes c = lanesAt(column + 4 * j);
        Lanes term = lanesAt(wl + 4 * j) * c;
        low[j] = Sign > 0 ? low[j] + term : low[j] - term;
        high[j] -= lanesAt(wh + 4 * j) * c;
    }
}

}  // namespace

int synthesize(SynthesisState& st, const float* samples, int channel, int16_t* pcm)
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
        matrix32(samples, a1 + kColumn * ((r + 1) & 15), a0 + kColumn * r);
    } else {
        b = a1;
        r1 = r + 1;
        matrix32(samples, a0 + kColumn * r, a1 + kColumn * (r + 1));
    }
    // Sample i (0..15) sums the ring positions k in order, alternating in sign; sample 32 - c
    // (c = 1..15) subtracts them; sample 16 takes the even positions. The sums of one position
    // are formed side by side, four to a register.
    Lanes low[4] = {}, high[4] = {};
    float middle = 0.0f;
    const float* wl = kSynthesisWindowT[16 - r1];  // column (k - r1) mod 16, k = 0..15
    const float* wh = kSynthesisWindowT[15 + r1];  // column (15 + r1 - k) mod 16
    for (int k = 0; k < 16; k += 2, b += 2 * kColumn, wl += 2 * kColumn, wh -= 2 * kColumn) {
        accumulate<+1>(b, wl, wh, low, high);
        accumulate<-1>(b + kColumn, wl + kColumn, wh - kColumn, low, high);
        middle += wl[16] * b[16];
    }
    // Samples 16 + 4j + i: the middle one, then 32 - c for c = 15 down to 1.
    Lanes ordered[8] = {low[0], low[1], low[2], low[3]};
    Lanes above = {middle, 0.0f, 0.0f, 0.0f};
    for (int j = 0; j < 4; ++j) {
        ordered[4 + j] = pick<4, 3, 2, 1>(high[3 - j], above);
        above = high[3 - j];
    }
    IntLanes clipped = {};
    for (int j = 0; j < 8; ++j) storePcm(ordered[j], pcm + 4 * j, clipped);
    return clipped[0] + clipped[1] + clipped[2] + clipped[3];
}

void interleave(const int16_t* left, const int16_t* right, uint8_t* out)
{
    int16_t frames[64];
    for (int i = 0; i < 32; ++i) {
        frames[2 * i] = left[i];
        frames[2 * i + 1] = right[i];
    }
    std::memcpy(out, frames, sizeof frames);
}
