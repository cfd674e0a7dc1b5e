#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One code word of a table: its bits as '0'/'1' (first bit read first) and the value it decodes to.
struct LookupCode {
    std::string bits;
    int leaf;
};

// Entry layout of the decoder's lookup tables; the generated header states it again for the decoder.
namespace lookup_layout {
constexpr uint16_t kLookupLink = 0x8000;    // set: the code word goes on in a sub-table
constexpr int kLookupLengthShift = 8;       // code word: full length in bits 8-12, value in bits 0-7
constexpr size_t kLookupMaxLength = 31;
constexpr int kLookupLinkBitsShift = 12;    // link: index bits of the sub-table less one in bits 12-14
constexpr int kLookupMaxOffset = 0xFFF;     // link: sub-table start in bits 0-11
constexpr int kLookupMaxLevelBits = 8;      // 256 entries a level: short words in one look-up, small tables
constexpr int kQuadrupleSignedBits = 10;    // a quadruple code word and its four signs
constexpr int kQuadrupleValueShift = 4;
constexpr int kQuadrupleSignShift = 8;
}  // namespace lookup_layout

// Builds one code's lookup table: the root level indexed by the next `rootBits` bits (the longest
// code word, at most kLookupMaxLevelBits), then a sub-table for every root entry that starts longer
// code words. Fails (with a message) unless the codes form a complete prefix code with distinct leaves.
bool buildHuffmanLookup(const std::vector<LookupCode>& codes, std::vector<uint16_t>& table, int& rootBits,
                        std::string& error);

// Quadruple look-up with the sign bits: indexed by the next kQuadrupleSignedBits bits, the longest
// quadruple code word with its four signs. An entry holds the bits taken, code word and signs, in
// bits 0-3, the value bits v w x y (v in bit 3) in bits 4-7 and their signs (1: negative) in bits 8-11.
std::vector<uint16_t> buildSignedQuadrupleLookup(const std::vector<LookupCode>& codes);
