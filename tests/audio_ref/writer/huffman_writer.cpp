#include "writer/huffman_writer.h"

#include <algorithm>
#include <cstdlib>

#include "audio/generated/huffman_codewords.h"

namespace {

constexpr int kQuadTableA = 32;
constexpr int kCodeTables = 34;

struct Code {
    uint8_t length = 0;
    uint32_t bits = 0;
};

// Code words by [code table][x][y]; count1 tables keep the packed quadruple in x.
struct CodeBook {
    Code code[kCodeTables][16][16];
    CodeBook()
    {
        for (int i = 0; i < kHuffmanCodewordCount; ++i) {
            const HuffmanCodeword& c = kHuffmanCodewords[i];
            code[c.table][c.x][c.y] = {c.length, c.bits};
        }
    }
};

const CodeBook& codeBook()
{
    static const CodeBook book;
    return book;
}

// Pair tables by the largest value they code without linbits, smallest first.
struct TableReach {
    int maxValue;
    int tableSelect;
};
constexpr TableReach kPlainTables[] = {{1, 1}, {2, 2}, {3, 5}, {5, 7}, {7, 10}, {15, 13}};
constexpr int kFirstLinbitsTable = 16;
// Largest value each code table (by its number in the standard) holds before linbits.
constexpr int kCodeTableMaxValue[25] = {0, 1, 2, 2, 0, 3, 3, 5, 5, 5, 7, 7, 7, 15, 0, 15, 15, 0, 0, 0, 0, 0, 0, 0, 15};
constexpr int kTableCount = 32;

int smallestTable(int maxValue)
{
    if (maxValue == 0) return 0;
    for (const TableReach& t : kPlainTables)
        if (maxValue <= t.maxValue) return t.tableSelect;
    for (int t = kFirstLinbitsTable; t < kFirstLinbitsTable + 8; ++t)
        if (maxValue <= tableMaxValue(t)) return t;
    return -1;
}

int maxMagnitude(const GranulePlan& g, int from, int to)
{
    int m = 0;
    for (int i = from; i < to; ++i) m = std::max(m, std::abs(g.values[i]));
    return m;
}

void writePair(BitWriter& out, int tableSelect, int x, int y)
{
    const HuffmanTableInfo& t = kHuffmanTables[tableSelect];
    if (t.codes == 0) return;  // table 0 codes only zeros, in no bits
    const int cx = std::min(std::abs(x), 15);
    const int cy = std::min(std::abs(y), 15);
    const Code& c = codeBook().code[t.codes][cx][cy];
    out.put(c.bits, c.length);
    for (int v : {x, y}) {
        if (t.linbits && std::abs(v) >= 15) out.put(static_cast<uint32_t>(std::abs(v) - 15), t.linbits);
        if (v) out.put(v < 0, 1);
    }
}

void writeQuad(BitWriter& out, int count1Table, const int* v)
{
    const int packed = 8 * (v[0] != 0) + 4 * (v[1] != 0) + 2 * (v[2] != 0) + (v[3] != 0);
    const Code& c = codeBook().code[kQuadTableA + count1Table][packed][0];
    out.put(c.bits, c.length);
    for (int i = 0; i < 4; ++i)
        if (v[i]) out.put(v[i] < 0, 1);
}

int lastWhere(const GranulePlan& g, int above)
{
    for (int i = 575; i >= 0; --i)
        if (std::abs(g.values[i]) > above) return i;
    return -1;
}

// Decoders disagree on where region 1 of an MPEG-2 mixed block starts (line 36, 48 or 54); coding
// both regions with one table makes the stream read the same under every reading.
bool regionStartUnclear(const GranulePlan& g, const BandLayout& layout)
{
    return layout.mpeg2 && g.blockType == 2 && g.mixed;
}

bool chooseTables(const GranulePlan& g, const BandLayout& layout, SpectrumFields& f, std::string& error)
{
    const std::array<int, 2> starts = regionStarts(g, layout);
    const int split = regionStartUnclear(g, layout) ? 0 : std::min(starts[0], 2 * f.bigValues);
    const int bounds[4] = {0, split, std::min(starts[1], 2 * f.bigValues), 2 * f.bigValues};
    const int regions = g.blockType == 0 ? 3 : 2;
    for (int r = 0; r < 3; ++r) {
        const int need = r < regions ? maxMagnitude(g, bounds[r], bounds[r + 1]) : 0;
        int t = g.tableSelect[r] >= 0 ? g.tableSelect[r] : smallestTable(need);
        if (r >= regions) t = 0;
        if (t < 0 || t >= kTableCount || tableMaxValue(t) < need) {
            error = "region " + std::to_string(r) + " needs magnitude " + std::to_string(need) +
                    " that table " + std::to_string(t) + " cannot code";
            return false;
        }
        f.tableSelect[r] = t;
    }
    if (regionStartUnclear(g, layout)) f.tableSelect[0] = f.tableSelect[1];
    return true;
}

}  // namespace

std::array<int, 2> regionStarts(const GranulePlan& g, const BandLayout& layout)
{
    // With window switching region 1 starts at line 36 in short and mixed blocks, else at long band 8
    // (line 36 in MPEG-1, 54 in MPEG-2).
    if (g.blockType != 0) return {g.blockType == 2 ? 36 : layout.longStart[8], 576};
    const int r1 = std::min(g.region0Count + 1, 22);
    const int r2 = std::min(g.region0Count + g.region1Count + 2, 22);
    return {layout.longStart[r1], layout.longStart[r2]};
}

int tableMaxValue(int tableSelect)
{
    if (tableSelect < 0 || tableSelect >= kTableCount) return -1;
    const HuffmanTableInfo& t = kHuffmanTables[tableSelect];
    if (tableSelect == 0) return 0;
    if (t.codes == 0 || t.codes > 24) return -1;  // 4 and 14 have no codes
    return kCodeTableMaxValue[t.codes] + (t.linbits ? (1 << t.linbits) - 1 : 0);
}

bool chooseSpectrumFields(const GranulePlan& g, const BandLayout& layout, SpectrumFields& f, std::string& error)
{
    const int lastBig = lastWhere(g, 1);
    const int lastNonZero = lastWhere(g, 0);
    int pairs = (lastBig + 2) / 2;
    // The last quadruple must end inside the spectrum; one more pair shifts it into step.
    if (lastNonZero >= 2 * pairs && 2 * pairs + (lastNonZero - 2 * pairs + 4) / 4 * 4 > 576) ++pairs;
    if (g.bigValues >= 0) {
        if (g.bigValues < pairs) {
            error = "big_values " + std::to_string(g.bigValues) + " leaves values above 1 outside";
            return false;
        }
        pairs = g.bigValues;
    }
    if (pairs > 288) {
        error = "big_values above 288";
        return false;
    }
    f.bigValues = pairs;
    f.count1Quads = lastNonZero >= 2 * pairs ? (lastNonZero - 2 * pairs + 4) / 4 : 0;
    return chooseTables(g, layout, f, error);
}

void writeSpectrum(const GranulePlan& g, const BandLayout& layout, const SpectrumFields& f, BitWriter& out)
{
    const std::array<int, 2> starts = regionStarts(g, layout);
    for (int i = 0; i < 2 * f.bigValues; i += 2) {
        const int region = i < starts[0] ? 0 : i < starts[1] ? 1 : 2;
        writePair(out, f.tableSelect[region], g.values[i], g.values[i + 1]);
    }
    for (int q = 0; q < f.count1Quads; ++q) writeQuad(out, g.count1Table, &g.values[2 * f.bigValues + 4 * q]);
}
