#include "audio/huffman_decode.h"

#include <algorithm>

#include "audio/float_bits.h"
#include "audio/generated/huffman_lookup.h"
#include "audio/lanes.h"
#include "audio/layer3_tables.h"

namespace {

constexpr int kMaxPairs = kGranuleLines / 2;
constexpr int kLongWindow = 3;
constexpr int kWindowBits = 57;   // a BitWindow holds at least this many bits
constexpr int kMaxCodeBits = 19;  // the longest pair code word (tables 13 and 16)

// Where decoded values go: one channel, or the left/right pair of a mid/side granule.
// put4 places four values on consecutive lines, each as put would.
struct PlainStore {
    float* out;
    void put(int line, float v) const { out[line] = v; }
    void put4(int line, Lanes v) const { storeLanes(out + line, v); }
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
    void put4(int line, Lanes v) const
    {
        Lanes m = lanesAt(mid + line);
        storeLanes(mid + line, m + v);
        storeLanes(side + line, m - v);
    }
};

// A quadruple's four values as multiples of the gain, by its value bits v w x y (v in bit 3) and
// their sign bits above them: 1, -1, or 0 (times a positive gain: +0, as the scalar path stores).
struct QuadrupleMultipliers {
    float lanes[256][4];
};
constexpr QuadrupleMultipliers quadrupleMultipliers()
{
    QuadrupleMultipliers t{};
    for (int bits = 0; bits < 256; ++bits)
        for (int k = 0; k < 4; ++k) {
            bool on = bits >> (3 - k) & 1, negative = bits >> (7 - k) & 1;
            t.lanes[bits][k] = on ? (negative ? -1.0f : 1.0f) : 0.0f;
        }
    return t;
}
alignas(16) constexpr QuadrupleMultipliers kQuadrupleMultipliers = quadrupleMultipliers();

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
    uint32_t nonZero = 0;  // 1 once the current band has a non-zero value
    int highest[4] = {-1, -1, -1, -1};  // highest non-zero band per window, 3 = long

    // Noted once a band, not per value: the bands of a window come in rising order.
    void closeBand()
    {
        highest[window] = nonZero ? band : highest[window];
        nonZero = 0;
    }

    // Moves to the next band when the current one is used up; false past the last band.
    bool ready()
    {
        if (pairsLeft > 0) return true;
        closeBand();
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

// Decodes one code word from the window's next bits, a level of the table at a time (most words
// take one look-up); returns its value, and the window has taken the code word.
inline int lookupCode(const HuffmanLookup& table, BitWindow& w)
{
    // Shifted in two steps, so that a table of no bits (0, 4, 14) indexes its one entry.
    uint32_t entry = table.entries[(w.bits >> 1) >> (63 - table.rootBits)];
    int used = table.rootBits;
    while (entry & kLookupLink) {
        int bits = static_cast<int>((entry >> kLookupLinkBitsShift) & kLookupLinkBitsMask) + 1;
        entry = table.entries[(entry & kLookupOffsetMask) + ((w.bits << used) >> (64 - bits))];
        used += bits;
    }
    int length = static_cast<int>((entry >> kLookupLengthShift) & kLookupLengthMask);
    w.bits <<= length;
    w.taken += length;
    return static_cast<int>(entry & kLookupValueMask);
}

// `value` with its sign bit flipped when `sign` is 1: the negation, without a branch.
inline float withSign(float value, uint32_t sign)
{
    return floatFromBits(floatBits(value) ^ (sign << 31));
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
    c.nonZero |= on;
    return withSign(kPowerTable[v] * c.gain, takeSign(w, on));
}

// A window is moved on once fewer bits are left in it than the next read may take.
inline void refill(BitWindow& w, BitReader& r, int maxBits)
{
    if (w.taken <= kWindowBits - maxBits) return;
    skipBits(r, w.taken);
    w = windowAt(r);
}

// Big-values pairs of one region; false on overrun. Only bits within part2_3_length belong to the
// granule: a pair that does not fit in what is left is no part of it and its lines stay zero. A
// budget used up exactly leaves the pairs after it zero; one that a pair cuts is an overrun. The
// reader stays where that pair begins, so that the caller can still find the granule's end.
template <typename Store>
bool decodePairs(int pairs, int tableSelect, BandCursor& c, const Store& store, BitReader& r, int& budget)
{
    const HuffmanLookup& table = kHuffmanLookups[tableSelect & 31];
    // The most a pair takes: the longest code word, then linbits and sign of both values.
    const int pairBits = kMaxCodeBits + 2 * (table.linbits + 1);
    BitWindow w = windowAt(r);
    bool overrun = false;
    for (int i = 0; i < pairs && c.ready(); ++i) {
        refill(w, r, pairBits);
        int before = w.taken;
        uint32_t nonZero = c.nonZero;
        int leaf = lookupCode(table, w);
        int x = leaf >> 4, y = leaf & 15;
        float vx = pairValue(x, table.linbits, c, w);
        float vy = pairValue(y, table.linbits, c, w);
        if (w.taken - before > budget) {
            c.nonZero = nonZero;
            w.taken = before;
            overrun = budget > 0;
            break;
        }
        budget -= w.taken - before;
        store.put(c.line, vx);
        store.put(c.line + c.step, vy);
        c.line += 2 * c.step;
        --c.pairsLeft;
    }
    skipBits(r, w.taken);
    return !overrun;
}

// A quadruple whose code word and sign bits fit the budget, from the signed look-up: false when
// the map ends first.
template <typename Store>
bool storeSignedQuadruple(uint32_t entry, BandCursor& c, const Store& store)
{
    for (int k = 3; k >= 0; --k) {
        if (k % 2 && !c.ready()) return false;
        uint32_t on = (entry >> (kQuadrupleValueShift + k)) & 1;
        uint32_t sign = (entry >> (kQuadrupleSignShift + k)) & 1;
        c.nonZero |= on;
        float magnitude = floatFromBits(floatBits(c.gain) & -on);
        store.put(c.line, withSign(magnitude, sign));
        c.line += c.step;
        c.pairsLeft -= k % 2 == 0;
    }
    return true;
}

// Count1 quadruples up to the limit or the end of the budget. Code word and signs come from one
// look-up. Only bits within part2_3_length belong to the granule: a quadruple whose code word or
// signs run past it is no part of it, and its lines stay zero.
template <typename Store>
void decodeQuadruples(int limit, int tableSelect, BandCursor& c, const Store& store, BitReader& r, int& budget)
{
    const uint16_t* signedTable = kSignedQuadrupleLookups[tableSelect & 1];
    BitWindow w = windowAt(r);
    for (int q = 0; q < limit && budget > 0; ++q) {
        refill(w, r, kQuadrupleSignedBits);
        uint32_t entry = signedTable[w.bits >> (64 - kQuadrupleSignedBits)];
        int length = static_cast<int>(entry & kQuadrupleLengthMask);
        if (length > budget) break;
        w.bits <<= length;
        w.taken += length;
        budget -= length;
        if (!c.ready()) break;
        // Four consecutive lines of one band (long blocks mostly) take one multiplication.
        if (c.step == 1 && c.pairsLeft >= 2) {
            uint32_t bits = (entry >> kQuadrupleValueShift) & 0xFF;
            store.put4(c.line, lanesAt(kQuadrupleMultipliers.lanes[bits]) * c.gain);
            c.nonZero |= (bits & 15) != 0;
            c.line += 4;
            c.pairsLeft -= 2;
        } else if (!storeSignedQuadruple(entry, c, store)) break;
    }
    skipBits(r, w.taken);
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
    bool ok = budget >= 0 && decodePairs(r1, g.table_select[0], c, store, r, budget) &&
        decodePairs(r2 - r1, g.table_select[1], c, store, r, budget) &&
        decodePairs(b - r2, g.table_select[2], c, store, r, budget);
    if (ok) decodeQuadruples((kMaxPairs - b) / 2, g.count1table_select, c, store, r, budget);
    finishLines(c, store);
    setBandLimits(g, c, samplingIndex);
    // To the granule's end; back to it when the scale factors alone ran past it.
    skipBits(r, budget);
    return ok ? 0 : 1;
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
