#include "writer/scalefactor_writer.h"

#include <utility>
#include <vector>

namespace {

// MPEG-1 scale-factor lengths by scalefac_compress.
constexpr int kSlen1[16] = {0, 0, 0, 0, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4};
constexpr int kSlen2[16] = {0, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 2, 3};

// MPEG-2 scale factors per partition, [block kind: long, short, mixed][length table][partition].
constexpr int kPartitions[3][6][4] = {
    {{6, 5, 5, 5}, {6, 5, 7, 3}, {11, 10, 0, 0}, {7, 7, 7, 0}, {6, 6, 6, 3}, {8, 8, 5, 0}},
    {{9, 9, 9, 9}, {9, 9, 12, 6}, {18, 18, 0, 0}, {12, 12, 12, 0}, {12, 9, 9, 6}, {15, 12, 9, 0}},
    {{6, 9, 9, 9}, {6, 9, 12, 6}, {15, 18, 0, 0}, {6, 15, 12, 0}, {6, 12, 9, 6}, {6, 18, 9, 0}},
};

// MPEG-1 granule-1 reuse groups of long bands; bit 3 of scfsi is the first group.
constexpr int kScfsiGroupStart[5] = {0, 6, 11, 16, 21};

struct Field {
    int value;
    int bits;
};

struct Mpeg2Lengths {
    int slen[4];
    int table;
    bool preflag;
};

Mpeg2Lengths mpeg2Lengths(int compress, bool intensityChannel)
{
    if (intensityChannel) {
        const int x = compress >> 1;
        if (x < 180) return {{x / 36, x % 36 / 6, x % 6, 0}, 3, false};
        if (x < 244) return {{(x - 180) % 64 >> 4, (x - 180) % 16 >> 2, (x - 180) % 4, 0}, 4, false};
        return {{(x - 244) / 3, (x - 244) % 3, 0, 0}, 5, false};
    }
    if (compress < 400) return {{compress / 16 / 5, compress / 16 % 5, compress % 16 / 4, compress % 4}, 0, false};
    if (compress < 500) {
        const int x = compress - 400;
        return {{x / 4 / 5, x / 4 % 5, x % 4, 0}, 1, false};
    }
    return {{(compress - 500) / 3, (compress - 500) % 3, 0, 0}, 2, true};
}

// The granule's scale factors in stream order: long bands, then short bands window by window.
template <class Granule>
auto orderedSlots(Granule& g, int longBands, int firstShortBand)
{
    std::vector<decltype(&g.sfLong[0])> slots;
    for (int b = 0; b < longBands; ++b) slots.push_back(&g.sfLong[b]);
    for (int b = firstShortBand; b < 12 && firstShortBand >= 0; ++b)
        for (int w = 0; w < 3; ++w) slots.push_back(&g.sfShort[b][w]);
    return slots;
}

// Every scale factor the granule codes under `compress`, with its length in bits, in stream order.
template <class Granule>
auto scalefactorSlots(Granule& g, const ScalefactorPlace& place, int compress)
{
    std::vector<std::pair<decltype(&g.sfLong[0]), int>> slots;
    if (place.mpeg2) {
        const Mpeg2Lengths lengths = mpeg2Lengths(compress, place.intensityChannel);
        const int kind = g.blockType != 2 ? 0 : g.mixed ? 2 : 1;
        const auto ordered = kind == 0 ? orderedSlots(g, 21, -1) : kind == 1 ? orderedSlots(g, 0, 0) : orderedSlots(g, 6, 3);
        size_t at = 0;
        for (int p = 0; p < 4; ++p)
            for (int i = 0; i < kPartitions[kind][lengths.table][p]; ++i) slots.push_back({ordered[at++], lengths.slen[p]});
        return slots;
    }
    const int slen1 = kSlen1[compress];
    const int slen2 = kSlen2[compress];
    if (g.blockType == 2) {
        const auto ordered = g.mixed ? orderedSlots(g, 8, 3) : orderedSlots(g, 0, 0);
        const size_t firstSlen2 = g.mixed ? 17 : 18;  // short band 6 starts the second length
        for (size_t i = 0; i < ordered.size(); ++i) slots.push_back({ordered[i], i < firstSlen2 ? slen1 : slen2});
        return slots;
    }
    for (int group = 0; group < 4; ++group) {
        if (place.granule == 1 && place.scfsi >> (3 - group) & 1) continue;
        for (int b = kScfsiGroupStart[group]; b < kScfsiGroupStart[group + 1]; ++b)
            slots.push_back({&g.sfLong[b], b < 11 ? slen1 : slen2});
    }
    return slots;
}

std::vector<Field> scalefactorFields(const GranulePlan& g, const ScalefactorPlace& place, int compress)
{
    std::vector<Field> fields;
    for (const auto& [value, bits] : scalefactorSlots(g, place, compress)) fields.push_back({*value, bits});
    return fields;
}

// Bits the fields take, or -1 when a value does not fit its length.
int fieldBits(const std::vector<Field>& fields)
{
    int total = 0;
    for (const Field& f : fields) {
        if (f.value < 0 || f.value >= 1 << f.bits) return -1;
        total += f.bits;
    }
    return total;
}

bool compressAllowed(const GranulePlan& g, const ScalefactorPlace& place, int compress)
{
    if (!place.mpeg2) return compress < 16;
    if (place.intensityChannel) return (compress & 1) == g.intensityScale;
    return mpeg2Lengths(compress, false).preflag == g.preflag;
}

bool reusedGroupsMatch(const GranulePlan& g, const ScalefactorPlace& place)
{
    if (place.mpeg2 || place.granule == 0 || g.blockType == 2) return true;
    for (int group = 0; group < 4; ++group) {
        if (!(place.scfsi >> (3 - group) & 1)) continue;
        for (int b = kScfsiGroupStart[group]; b < kScfsiGroupStart[group + 1]; ++b)
            if (g.sfLong[b] != place.granule0->sfLong[b]) return false;
    }
    return true;
}

}  // namespace

bool chooseScalefacCompress(const GranulePlan& g, const ScalefactorPlace& place, int& compress, std::string& error)
{
    if (!reusedGroupsMatch(g, place)) {
        error = "scale factors reused by scfsi differ from granule 0";
        return false;
    }
    const int count = place.mpeg2 ? 512 : 16;
    int bestBits = -1;
    for (int c = 0; c < count; ++c) {
        if (g.scalefacCompress >= 0 && c != g.scalefacCompress) continue;
        if (!compressAllowed(g, place, c)) continue;
        const int bits = fieldBits(scalefactorFields(g, place, c));
        if (bits >= 0 && (bestBits < 0 || bits < bestBits)) {
            bestBits = bits;
            compress = c;
        }
    }
    if (bestBits < 0) error = "no scalefac_compress holds the scale factors";
    return bestBits >= 0;
}

void writeScalefactors(const GranulePlan& g, const ScalefactorPlace& place, int compress, BitWriter& out)
{
    for (const Field& f : scalefactorFields(g, place, compress)) out.put(static_cast<uint32_t>(f.value), f.bits);
}

void fitScalefactors(GranulePlan& g, const ScalefactorPlace& place, int compress, const std::function<int(int)>& pick)
{
    for (const auto& [value, bits] : scalefactorSlots(g, place, compress)) *value = pick((1 << bits) - 1);
}
