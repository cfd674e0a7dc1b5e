#include "audio/huffman_decode.h"

#include <algorithm>
#include <bit>

#include "audio/generated/huffman_trees.h"
#include "audio/layer3_tables.h"

namespace {

constexpr int kQuadTreeBase = 32;
constexpr int kMaxPairs = kGranuleLines / 2;
constexpr int kLongWindow = 3;

// Where decoded values go: one channel, or the left/right pair of a mid/side granule.
struct PlainStore {
    float* out;
    void put(int line, float v) const { out[line] = v; }
};
struct MidSideStore {
    float* mid;
    float* side;
    void put(int line, float v) const
    {
        float m = mid[line];
        mid[line] = m + v;
        side[line] = m - v;
    }
};

// Walks the band map: the line, step and gain of every value in Huffman order.
struct BandCursor {
    const BandMapEntry* entry;
    const BandMapEntry* end;
    const int32_t* sf;
    const GranuleInfo* g;
    const int32_t* preemphasis;
    int shift;
    int pairsLeft = 0;
    int line = 0;
    int step = 1;
    int window = kLongWindow;
    int band = 0;
    float gain = 0;
    int highest[4] = {-1, -1, -1, -1};  // highest non-zero band per window, 3 = long

    // Moves to the next band when the current one is used up; false past the last band.
    bool ready()
    {
        if (pairsLeft > 0) return true;
        if (entry == end) return false;
        window = entry->window;
        band = entry->band;
        line = entry->firstLine;
        step = window == kLongWindow ? 1 : 3;
        pairsLeft = entry->pairs;
        int scale = *sf++;
        gain = window == kLongWindow ? g->gainPtr[(scale + preemphasis[band]) << shift]
                                     : g->windowGainPtr[window][scale << shift];
        ++entry;
        return pairsLeft > 0;
    }
};

// One step down a tree: on 0 to the next entry, on 1 past the 0-branch.
inline const int16_t* treeStep(const int16_t* node, uint32_t bit)
{
    return bit ? node + 1 - *node : node + 1;
}

// Walks a tree from its root on the window's bits, one bit a level. Returns the leaf; the window
// has taken the code word.
inline int walkTree(const int16_t* node, BitWindow& w)
{
    while (*node < 0) node = treeStep(node, takeBit(w));
    return *node;
}

// `value` with its sign bit flipped when `sign` is 1: the negation, without a branch.
inline float withSign(float value, uint32_t sign)
{
    return std::bit_cast<float>(std::bit_cast<uint32_t>(value) ^ (sign << 31));
}

// Takes the sign bit of a value that is non-zero (`on` 1); nothing when it is zero.
inline uint32_t takeSign(BitWindow& w, uint32_t on)
{
    uint32_t sign = static_cast<uint32_t>(w.bits >> 63) & on;
    w.bits <<= on;
    w.taken += static_cast<int>(on);
    return sign;
}

// Reads linbits and sign of one value of a pair; returns its requantised value. Zeros and signs
// are handled without branches: they follow the music, not a pattern.
inline float pairValue(int v, int linbits, BandCursor& c, BitWindow& w)
{
    if (v == 15 && linbits) v += static_cast<int>(takeBits(w, linbits));
    uint32_t on = v != 0;
    c.highest[c.window] = on ? c.band : c.highest[c.window];
    return withSign(kPowerTable[v] * c.gain, takeSign(w, on));
}

// Big-values pairs of one region; false on overrun. A pair takes at most 19 + 2 x (13 + 1) bits,
// so one window holds it.
template <typename Store>
bool decodePairs(int pairs, int tableSelect, BandCursor& c, const Store& store, BitReader& r, int& budget)
{
    const HuffmanTree& tree = kHuffmanTrees[tableSelect & 31];
    for (int i = 0; i < pairs && c.ready(); ++i) {
        BitWindow w = windowAt(r);
        int leaf = walkTree(tree.nodes, w);
        int x = leaf >> 4, y = leaf & 15;
        float vx = pairValue(x, tree.linbits, c, w);
        float vy = pairValue(y, tree.linbits, c, w);
        skipBits(r, w.taken);
        budget -= w.taken;
        store.put(c.line, vx);
        store.put(c.line + c.step, vy);
        c.line += 2 * c.step;
        --c.pairsLeft;
        if (budget < 0) return false;
    }
    return true;
}

// One count1 quadruple's code word (at most six bits), or 0 when the budget runs out inside it;
// then the window has taken just what the budget had left.
int readQuadruple(const int16_t* tree, BitWindow& w, int& budget)
{
    int before = w.taken;
    int leaf = walkTree(tree, w);
    int length = w.taken - before;
    if (length <= budget) {
        budget -= length;
        return leaf;
    }
    w.taken = before + budget;
    budget = 0;
    return 0;
}

// The four values of a quadruple (v, w, x, y in bits 3..0) with their signs; false when the map
// ends first. A quadruple whose sign bits run past the budget keeps the values before and zeros
// the rest, and ends the count1 region.
template <typename Store>
bool storeQuadruple(int bits, BandCursor& c, const Store& store, BitWindow& w, int& budget, bool& exhausted)
{
    for (int k = 3; k >= 0; --k) {
        if (k % 2 && !c.ready()) return false;
        uint32_t on = ((bits >> k) & 1) & !exhausted;
        if (on && budget == 0) {
            exhausted = true;
            on = 0;
        }
        budget -= static_cast<int>(on);
        c.highest[c.window] = on ? c.band : c.highest[c.window];
        float magnitude = std::bit_cast<float>(std::bit_cast<uint32_t>(c.gain) & -on);
        store.put(c.line, withSign(magnitude, takeSign(w, on)));
        c.line += c.step;
        c.pairsLeft -= k % 2 == 0;
    }
    return true;
}

// Count1 quadruples up to the limit or the end of the budget; a quadruple takes at most 10 bits.
template <typename Store>
void decodeQuadruples(int limit, int tableSelect, BandCursor& c, const Store& store, BitReader& r, int& budget)
{
    const int16_t* tree = kHuffmanTrees[kQuadTreeBase + (tableSelect & 1)].nodes;
    bool exhausted = false, mapLeft = true;
    for (int q = 0; q < limit && budget > 0 && !exhausted && mapLeft; ++q) {
        BitWindow w = windowAt(r);
        int bits = readQuadruple(tree, w, budget);
        mapLeft = storeQuadruple(bits, c, store, w, budget, exhausted);
        skipBits(r, w.taken);
    }
}

// Zeros (or, for mid/side, copies of mid) for every line not yet written.
template <typename Store>
void finishLines(BandCursor& c, const Store& store)
{
    while (c.ready()) {
        for (int n = 2 * c.pairsLeft; n > 0; --n, c.line += c.step) store.put(c.line, 0.0f);
        c.pairsLeft = 0;
    }
}

void setBandLimits(GranuleInfo& g, const BandCursor& c, int samplingIndex)
{
    g.lastLongBand = c.highest[kLongWindow] + 1;
    if (g.block_type != 2) {
        g.activeSubbands = kLongSubbandLimits[samplingIndex][g.lastLongBand];
        return;
    }
    int top = 0;
    for (int w = 0; w < 3; ++w) {
        g.lastShortBands[w] = c.highest[w] + 1;
        top = std::max(top, g.lastShortBands[w]);
    }
    g.activeSubbands = top > 0 ? kShortSubbandLimits[samplingIndex][top] : kLongSubbandLimits[samplingIndex][g.lastLongBand];
}

template <typename Store>
int decode(const Store& store, const int32_t (&sf)[kScaleFactors], GranuleInfo& g, int samplingIndex, int part2Bits,
           BitReader& r)
{
    int kind = blockKind(g.block_type, g.mixed_block_flag);
    const BandMap& map = kBandMaps[samplingIndex][kind];
    BandCursor c{map.entries, map.entries + map.count, sf, &g, kPreemphasis[g.preflag & 1], 1 + g.scalefac_scale};
    if (kind == kMixedKind) c.highest[0] = c.highest[1] = c.highest[2] = 2;  // short bands start at 3

    int budget = g.part2_3_length - part2Bits;
    int b = g.big_values, r1 = std::min(b, g.region1FirstPair), r2 = std::min(b, std::max(r1, g.region2FirstPair));
    bool ok = decodePairs(r1, g.table_select[0], c, store, r, budget) &&
              decodePairs(r2 - r1, g.table_select[1], c, store, r, budget) &&
              decodePairs(b - r2, g.table_select[2], c, store, r, budget);
    if (ok) decodeQuadruples((kMaxPairs - b) / 2, g.count1table_select, c, store, r, budget);
    finishLines(c, store);
    setBandLimits(g, c, samplingIndex);
    if (!ok || budget < 0) return 1;
    skipBits(r, budget);
    return 0;
}

}  // namespace

int decodeSpectrum(float* out, const int32_t (&sf)[kScaleFactors], GranuleInfo& g, int samplingIndex, int part2Bits,
                   BitReader& r)
{
    return decode(PlainStore{out}, sf, g, samplingIndex, part2Bits, r);
}

int decodeSpectrumMidSide(float* mid, float* side, const int32_t (&sf)[kScaleFactors], GranuleInfo& g,
                          int samplingIndex, int part2Bits, BitReader& r)
{
    return decode(MidSideStore{mid, side}, sf, g, samplingIndex, part2Bits, r);
}
