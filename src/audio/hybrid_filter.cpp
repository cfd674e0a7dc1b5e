#include "audio/hybrid_filter.h"

#include "audio/band_tables.h"
#include "audio/imdct.h"
#include "audio/layer3_tables.h"

namespace {

// Where one sub-band's results go: its slots, its previous overlap and its next one.
struct SubbandIo {
    float* slots;  // slot t at slots[32 t]
    const float* prev;
    float* next;
};

SubbandIo subbandIo(float* slots, const float* p, float* n, int s)
{
    return {slots + s, p + kSubbandLines * s, n + kSubbandLines * s};
}

void longTransform(const float* in, const float* window, SubbandIo io)
{
    float y[36];
    imdct36(in, y);
    for (int i = 0; i < kSubbandLines; ++i) {
        io.slots[kSubbands * i] = io.prev[i] + window[i] * y[i];
        io.next[i] = window[kSubbandLines + i] * y[kSubbandLines + i];
    }
}

// Three windows of six values, interleaved, overlapped at 6, 12 and 18 of a block of 36.
void shortTransform(const float* in, const float* window, SubbandIo io)
{
    float block[36] = {};
    for (int w = 0; w < 3; ++w) {
        float x[6], y[12];
        for (int k = 0; k < 6; ++k) x[k] = in[3 * k + w];
        imdct12(x, y);
        for (int i = 0; i < 12; ++i) block[6 + 6 * w + i] += window[i] * y[i];
    }
    for (int i = 0; i < kSubbandLines; ++i) {
        io.slots[kSubbands * i] = io.prev[i] + block[i];
        io.next[i] = block[kSubbandLines + i];
    }
}

void transformPair(const float* spectrum, float* slots, const float* p, float* n, int s, int blockType)
{
    auto transform = blockType == 2 ? shortTransform : longTransform;
    transform(spectrum + kSubbandLines * s, gImdctWindows[blockType], subbandIo(slots, p, n, s));
    transform(spectrum + kSubbandLines * (s + 1), gImdctOddWindows[blockType], subbandIo(slots, p, n, s + 1));
}

}  // namespace

void hybridFilter(HybridState& state, const float* spectrum, float* slots, int channel, const GranuleInfo& g)
{
    int& sel = state.selector[channel];
    const float* p = state.overlap[sel][channel];
    float* n = state.overlap[1 - sel][channel];
    sel = 1 - sel;
    int s = 0;
    if (g.block_type == 2 && g.mixed_block_flag) {
        transformPair(spectrum, slots, p, n, 0, 0);
        s = 2;
    }
    for (; s < g.activeSubbands; s += 2) transformPair(spectrum, slots, p, n, s, g.block_type);
    for (; s < kSubbands; ++s) {
        for (int t = 0; t < kSubbandLines; ++t) {
            slots[kSubbands * t + s] = p[kSubbandLines * s + t];
            n[kSubbandLines * s + t] = 0.0f;
        }
    }
}
