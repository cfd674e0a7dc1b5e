#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup_walk.h"
#include "mpeg_tables/huffman_lookup.h"

namespace {

// The code word's bits at the top of a word, followed by `tail`.
uint64_t wordOf(const std::string& bits, uint64_t tail)
{
    uint64_t w = 0;
    for (char b : bits) w = w << 1 | (b == '1');
    return (w << (64 - bits.size())) | (tail >> bits.size());
}

// A unary code of 13 words up to 12 bits long: longer than a level, so sub-tables are needed.
std::vector<LookupCode> unaryCode()
{
    std::vector<LookupCode> codes;
    std::string zeros;
    for (int i = 0; i < 12; ++i, zeros += '0') codes.push_back({zeros + "1", i});
    codes.push_back({zeros, 12});
    return codes;
}

TEST(HuffmanLookupBuilder, EveryWordDecodesToItsValueWhateverFollows)
{
    for (const std::vector<LookupCode>& code :
         {unaryCode(), std::vector<LookupCode>{{"1", 0}, {"01", 16}, {"001", 1}, {"000", 17}}}) {
        std::vector<uint16_t> table;
        int rootBits = 0;
        std::string error;
        ASSERT_TRUE(buildHuffmanLookup(code, table, rootBits, error)) << error;
        EXPECT_LE(rootBits, 8);
        for (const LookupCode& c : code)
            for (uint64_t tail : {uint64_t{0}, ~uint64_t{0}, uint64_t{0x5555555555555555}}) {
                auto [value, length] = lookUpWord(table.data(), rootBits, wordOf(c.bits, tail));
                EXPECT_EQ(value, c.leaf) << c.bits;
                EXPECT_EQ(length, int(c.bits.size())) << c.bits;
            }
    }
}

TEST(HuffmanLookupBuilder, BrokenCodesAreRefused)
{
    const std::vector<std::vector<LookupCode>> broken = {
        {{"1", 0}, {"01", 1}},             // "00" starts no word
        {{"1", 0}, {"10", 1}, {"0", 2}},   // "1" is a prefix of "10"
        {{"1", 0}, {"01", 1}, {"00", 0}},  // value 0 twice
        {{"1", 0}, {"0", 300}},            // a value an entry cannot hold
    };
    for (const std::vector<LookupCode>& code : broken) {
        std::vector<uint16_t> table;
        int rootBits = 0;
        std::string error;
        EXPECT_FALSE(buildHuffmanLookup(code, table, rootBits, error)) << code.size();
        EXPECT_FALSE(error.empty());
    }
}

// Quadruple words with their signs: "1" is v alone, "01" is v w y, "00" nothing; the signs follow.
TEST(HuffmanLookupBuilder, SignedQuadruplesTakeTheirSignsInOrder)
{
    std::vector<uint16_t> t = buildSignedQuadrupleLookup({{"1", 0b1000}, {"01", 0b1101}, {"00", 0}});
    auto at = [&](const std::string& bits) { return t[wordOf(bits, 0) >> (64 - kQuadrupleSignedBits)]; };
    EXPECT_EQ(at("10"), 2 | 0b1000 << kQuadrupleValueShift);
    EXPECT_EQ(at("11"), 2 | 0b1000 << kQuadrupleValueShift | 0b1000 << kQuadrupleSignShift);
    EXPECT_EQ(at("01011"), 5 | 0b1101 << kQuadrupleValueShift | 0b0101 << kQuadrupleSignShift);
    EXPECT_EQ(at("01100"), 5 | 0b1101 << kQuadrupleValueShift | 0b1000 << kQuadrupleSignShift);
    EXPECT_EQ(at("0011111111"), 2);
}

}  // namespace
