#include "audio/hybrid_filter.h"

#include "audio/band_tables.h"
#include "audio/imdct.h"
#include "audio/lanes.h"
#include "audio/layer3_tables.h"

// Four neighbouring sub-bands are transformed at once, one in each lane, from an even one: lanes
// 0 and 2 take a block type's window, 1 and 3 its odd-sub-band copy. Time slots and overlaps are
// stored slot by slot, so the four results of a slot lie side by side.
namespace {

constexpr int kGroup = 4;

// Where a group's results go: its first slot, its previous overlap and its next one.
struct GroupIo {
    float* slots;
    const float* prev;
    float* next;
};

// Line k of the four sub-bands from s on: four rows of 18 turned into 18 columns of four.
void gatherGroup(const float* spectrum, int s, Lanes* x)
{
    const float* a = spectrum + kSubbandLines * s;
    for (int k = 0; k < 16; k += 4) {
        Lanes r0 = lanesAt(a + k), r1 = lanesAt(a + kSubbandLines + k);
        Lanes r2 = lanesAt(a + 2 * kSubbandLines + k), r3 = lanesAt(a + 3 * kSubbandLines + k);
        Lanes t0 = pick<0, 4, 1, 5>(r0, r1), t1 = pick<2, 6, 3, 7>(r0, r1);
        Lanes t2 = pick<0, 4, 1, 5>(r2, r3), t3 = pick<2, 6, 3, 7>(r2, r3);
        x[k] = pick<0, 1, 4, 5>(t0, t2);
        x[k + 1] = pick<2, 3, 6, 7>(t0, t2);
        x[k + 2] = pick<0, 1, 4, 5>(t1, t3);
        x[k + 3] = pick<2, 3, 6, 7>(t1, t3);
    }
    for (int k = 16; k < kSubbandLines; ++k)
        x[k] = Lanes{a[k], a[kSubbandLines + k], a[2 * kSubbandLines + k], a[3 * kSubbandLines + k]};
}

// The 36 windowed outputs of the long transform.
void longBlock(const Lanes* x, int blockType, Lanes* block)
{
    Lanes y[36];
    imdct36(x, y);
    const Lanes* w = kImdctWindowLanes[blockType];
    for (int i = 0; i < 36; ++i) block[i] = w[i] * y[i];
}

// Three windows of six values, interleaved, overlapped at 6, 12 and 18 of a block of 36.
void shortBlock(const Lanes* x, Lanes* block)
{
    const Lanes* w = kImdctWindowLanes[2];
    for (Lanes* b = block; b != block + 36; ++b) *b = Lanes{};
    for (int win = 0; win < 3; ++win) {
        Lanes in[6], y[12];
        for (int k = 0; k < 6; ++k) in[k] = x[3 * k + win];
        imdct12(in, y);
        for (int i = 0; i < 12; ++i) block[6 + 6 * win + i] += w[i] * y[i];
    }
}

// First half onto the previous overlap as the slots, second half as the next overlap.
void overlapAdd(const Lanes* block, GroupIo io)
{
    for (int t = 0; t < kSubbandLines; ++t) {
        storeLanes(io.slots + kSubbands * t, lanesAt(io.prev + kSubbands * t) + block[t]);
        storeLanes(io.next + kSubbands * t, block[kSubbandLines + t]);
    }
}

// Any block type's transform of a group.
void typedBlock(const Lanes* x, int blockType, Lanes* block)
{
    if (blockType == 2) shortBlock(x, block);
    else longBlock(x, blockType, block);
}

// Mixed blocks: sub-bands 0 and 1 long with the normal window, 2 and 3 with the block type's
// (short, start or stop).
void mixedGroup(const Lanes* x, int blockType, Lanes* block)
{
    Lanes upper[36];
    longBlock(x, 0, block);
    typedBlock(x, blockType, upper);
    for (int i = 0; i < 36; ++i) block[i] = pick<0, 1, 6, 7>(block[i], upper[i]);
}

}  // namespace

void hybridFilter(HybridState& state, const float* spectrum, float* slots, int channel, const GranuleInfo& g)
{
    int& sel = state.selector[channel];
    const float* p = state.overlap[sel][channel];
    float* n = state.overlap[1 - sel][channel];
    sel = 1 - sel;
    // Sub-bands past activeSubbands hold only zeros, so whole groups give the same results.
    int s = 0;
    for (; s < g.activeSubbands; s += kGroup) {
        Lanes x[kSubbandLines], block[36];
        gatherGroup(spectrum, s, x);
        if (g.mixed_block_flag && s == 0) mixedGroup(x, g.block_type & 3, block);
        else typedBlock(x, g.block_type & 3, block);
        overlapAdd(block, GroupIo{slots + s, p + s, n + s});
    }
    for (; s < kSubbands; s += kGroup) {
        for (int t = 0; t < kSubbandLines; ++t) {
            storeLanes(slots + kSubbands * t + s, lanesAt(p + kSubbands * t + s));
            storeLanes(n + kSubbands * t + s, Lanes{});
        }
    }
}
