#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "audio/generated/huffman_codewords.h"
#include "audio/generated/huffman_lookup.h"
#include "audio/layer3_tables.h"
#include "audio/huffman_decode.h"
#include "lookup_walk.h"
#include "test_frames.h"

namespace {

std::vector<const HuffmanCodeword*> codewordsOf(int codes)
{
    std::vector<const HuffmanCodeword*> out;
    for (int i = 0; i < kHuffmanCodewordCount; ++i)
        if (kHuffmanCodewords[i].table == codes) out.push_back(&kHuffmanCodewords[i]);
    return out;
}

// A long-block granule at unit gain whose regions all use one table.
GranuleInfo granule(int tableSelect, int bigValues, int count1Table, int bits)
{
    GranuleInfo g{};
    g.part2_3_length = bits;
    g.big_values = bigValues;
    g.table_select[0] = g.table_select[1] = g.table_select[2] = tableSelect;
    g.region1FirstPair = 81;
    g.region2FirstPair = 288;
    g.count1table_select = count1Table;
    g.gainPtr = gainEntry(-210);
    for (const float*& w : g.windowGainPtr) w = g.gainPtr;
    return g;
}

struct Decoded {
    std::vector<float> spectrum = std::vector<float>(576, 99.0f);
    int result = -1;
    long bitsRead = 0;
};

Decoded decode(BitWriter bits, GranuleInfo g)
{
    std::vector<uint8_t> data = bits.bytes;
    data.resize(data.size() + 8, 0);  // what the Huffman loops may look ahead
    BitReader r{data.data(), 0};
    int32_t sf[kScaleFactors] = {};
    Decoded d;
    d.result = decodeSpectrum(d.spectrum.data(), sf, g, 0, 0, r);
    d.bitsRead = bitsFrom(r, data.data());
    return d;
}

// The table of every table_select value reads each code word of its table to its own pair, using
// exactly the code word's bits whatever follows it; the quadruple tables read each code word with
// its sign bits, one for each value that is not zero.
TEST(Huffman, EveryLookupTableDecodesEveryCodeWord)
{
    std::vector<bool> seen(kHuffmanCodewordCount, false);
    for (int sel = 0; sel < 32; ++sel) {
        int codes = kHuffmanTables[sel].codes;
        if (codes == 0 || codes == 255) continue;
        EXPECT_EQ(kHuffmanLookups[sel].linbits, kHuffmanTables[sel].linbits);
        for (const HuffmanCodeword* c : codewordsOf(codes)) {
            for (uint32_t tail : {0u, 0x7FFFFu, 0x2AAAAu}) {
                const int extra = 19;  // as long as the longest code word
                uint64_t bits = (uint64_t(c->bits) << extra | tail) << (64 - c->length - extra);
                auto [value, length] = lookUpWord(kHuffmanLookups[sel].entries, kHuffmanLookups[sel].rootBits, bits);
                ASSERT_EQ(value, c->x << 4 | c->y) << "table " << sel;
                ASSERT_EQ(length, c->length) << "table " << sel;
            }
            seen[c - kHuffmanCodewords] = true;
        }
    }
    for (int quad : {32, 33}) {
        for (const HuffmanCodeword* c : codewordsOf(quad)) {
            int values = c->x & 15, signs = std::popcount(static_cast<unsigned>(values));
            int rest = kQuadrupleSignedBits - c->length - signs;
            for (uint32_t ones : {0u, 0x3FFu}) {  // every sign and every bit after them 0, then 1
                uint32_t window = c->bits << (kQuadrupleSignedBits - c->length) |
                                  (ones & ((1u << signs) - 1)) << rest | (ones & ((1u << rest) - 1));
                uint32_t entry = kSignedQuadrupleLookups[quad - 32][window];
                ASSERT_EQ(entry & kQuadrupleLengthMask, static_cast<uint32_t>(c->length + signs)) << "table " << quad;
                ASSERT_EQ((entry >> kQuadrupleValueShift) & 15, static_cast<uint32_t>(values)) << "table " << quad;
                ASSERT_EQ((entry >> kQuadrupleSignShift) & 15, ones ? static_cast<uint32_t>(values) : 0u) << "table " << quad;
            }
            seen[c - kHuffmanCodewords] = true;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), kHuffmanCodewordCount);
    EXPECT_EQ(kHuffmanCodewordCount, 1410);
}

// Through the decoder: every pair of every table, with escapes and signs, requantised.
TEST(Huffman, EveryTableSelectDecodesItsWholeTableIntoTheSpectrum)
{
    for (int sel = 1; sel < 32; ++sel) {
        const HuffmanTableInfo info = kHuffmanTables[sel];
        if (info.codes == 255) continue;
        BitWriter bits;
        std::vector<float> expected;
        auto value = [&](int v, int index) {
            if (v == 15 && info.linbits) {
                int extra = index == 0 ? (1 << info.linbits) - 1 : (index * 37) % (1 << info.linbits);
                bits.put(extra, info.linbits);
                v += extra;
            }
            if (v) bits.put(index & 1, 1);
            expected.push_back((index & 1) && v ? -kPowerTable[v] : kPowerTable[v]);
        };
        std::vector<const HuffmanCodeword*> words = codewordsOf(info.codes);
        for (size_t i = 0; i < words.size(); ++i) {
            bits.put(words[i]->bits, words[i]->length);
            value(words[i]->x, int(2 * i));
            value(words[i]->y, int(2 * i + 1));
        }
        Decoded d = decode(bits, granule(sel, int(words.size()), 0, bits.bitCount));
        ASSERT_EQ(d.result, 0) << sel;
        EXPECT_EQ(d.bitsRead, bits.bitCount);
        for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(d.spectrum[i], expected[i]) << "table " << sel << " line " << i;
        for (size_t i = expected.size(); i < 576; ++i) ASSERT_EQ(d.spectrum[i], 0.0f) << "table " << sel << " line " << i;
    }
}

TEST(Huffman, QuadrupleTablesDecodeEveryCodeWord)
{
    for (int table = 0; table < 2; ++table) {
        BitWriter bits;
        std::vector<float> expected;
        for (const HuffmanCodeword* c : codewordsOf(32 + table)) {
            bits.put(c->bits, c->length);
            for (int k = 3; k >= 0; --k) {
                bool on = (c->x >> k) & 1;
                if (on) bits.put(k & 1, 1);
                expected.push_back(on ? ((k & 1) ? -1.0f : 1.0f) : 0.0f);
            }
        }
        Decoded d = decode(bits, granule(0, 0, table, bits.bitCount));
        ASSERT_EQ(d.result, 0);
        EXPECT_EQ(d.bitsRead, bits.bitCount);
        for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(d.spectrum[i], expected[i]) << table << " " << i;
        for (size_t i = expected.size(); i < 576; ++i) ASSERT_EQ(d.spectrum[i], 0.0f);
    }
}

TEST(Huffman, EmptyTablesReadNothing)
{
    for (int sel : {0, 4, 14}) {
        Decoded d = decode(BitWriter{}, granule(sel, 100, 0, 0));
        EXPECT_EQ(d.result, 0);
        EXPECT_EQ(d.bitsRead, 0);
        for (float v : d.spectrum) ASSERT_EQ(v, 0.0f);
    }
}

// One bit short of the data: the granule reports the overrun instead of reading on.
TEST(Huffman, DataPastTheBudgetIsAnOverrun)
{
    BitWriter bits;
    bits.put(0b01, 2);  // table 1: "01" is (1, 0)
    bits.put(0, 1);      // its sign
    EXPECT_EQ(decode(bits, granule(1, 1, 0, 3)).result, 0);
    EXPECT_EQ(decode(bits, granule(1, 1, 0, 2)).result, 1);
}

}  // namespace
