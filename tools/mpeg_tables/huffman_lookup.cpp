#include "huffman_lookup.h"

#include <algorithm>
#include <bit>
#include <map>
#include <set>

using namespace lookup_layout;

namespace {

using Codes = std::vector<const LookupCode*>;

struct LookupBuilder {
    std::vector<uint16_t>& table;
    std::vector<bool> filled;
    std::string& error;

    bool put(size_t at, uint16_t entry, const LookupCode& c)
    {
        if (filled[at]) {
            error = "code word " + c.bits + " shares its start with another";
            return false;
        }
        filled[at] = true;
        table[at] = entry;
        return true;
    }

    // A new level of 2^bits entries at the end of the table; its start.
    size_t addLevel(int bits)
    {
        size_t start = table.size();
        table.resize(start + (size_t{1} << bits), 0);
        filled.resize(table.size(), false);
        return start;
    }

    bool fillLevel(const Codes& codes, size_t depth, int bits, size_t start);
};

size_t longest(const Codes& codes, size_t depth)
{
    size_t n = 0;
    for (const LookupCode* c : codes) n = std::max(n, c->bits.size() - depth);
    return n;
}

// Bits `from` to `from + n` of a code word as a number.
size_t bitsAt(const LookupCode& c, size_t from, size_t n) { return std::stoul("0" + c.bits.substr(from, n), nullptr, 2); }

// Fills the level at `start`, indexed by `bits` bits, with the codes that share their first `depth`
// bits; longer code words go on in sub-tables, one per shared start.
bool LookupBuilder::fillLevel(const Codes& codes, size_t depth, int bits, size_t start)
{
    std::map<size_t, Codes> longer;
    for (const LookupCode* c : codes) {
        size_t rest = c->bits.size() - depth;
        if (rest > static_cast<size_t>(bits)) {
            longer[bitsAt(*c, depth, bits)].push_back(c);
            continue;
        }
        size_t first = bitsAt(*c, depth, rest) << (bits - rest);
        auto entry = static_cast<uint16_t>(c->bits.size() << kLookupLengthShift | c->leaf);
        for (size_t k = 0; k < size_t{1} << (bits - rest); ++k)
            if (!put(start + first + k, entry, *c)) return false;
    }
    for (const auto& [prefix, group] : longer) {
        int subBits = static_cast<int>(std::min<size_t>(longest(group, depth + bits), kLookupMaxLevelBits));
        size_t sub = addLevel(subBits);
        if (sub > static_cast<size_t>(kLookupMaxOffset)) {
            error = "lookup table too large for its links";
            return false;
        }
        auto link = static_cast<uint16_t>(kLookupLink | (subBits - 1) << kLookupLinkBitsShift | sub);
        if (!put(start + prefix, link, *group[0]) || !fillLevel(group, depth + bits, subBits, sub)) return false;
    }
    for (size_t k = start; k < start + (size_t{1} << bits); ++k) {
        if (!filled[k]) {
            error = "incomplete code: some bit sequence starts no code word";
            return false;
        }
    }
    return true;
}

}  // namespace

bool buildHuffmanLookup(const std::vector<LookupCode>& codes, std::vector<uint16_t>& table, int& rootBits,
                        std::string& error)
{
    std::set<int> leaves;
    Codes all;
    for (const LookupCode& c : codes) {
        if (!leaves.insert(c.leaf).second) {
            error = "leaf value " + std::to_string(c.leaf) + " appears twice";
            return false;
        }
        if (c.bits.empty() || c.bits.size() > kLookupMaxLength || c.leaf > 0xFF) {
            error = "code word " + c.bits + " does not fit an entry";
            return false;
        }
        all.push_back(&c);
    }
    table.clear();
    LookupBuilder b{table, {}, error};
    rootBits = static_cast<int>(std::min<size_t>(longest(all, 0), kLookupMaxLevelBits));
    return b.fillLevel(all, 0, rootBits, b.addLevel(rootBits));
}

std::vector<uint16_t> buildSignedQuadrupleLookup(const std::vector<LookupCode>& codes)
{
    std::vector<uint16_t> table(size_t{1} << kQuadrupleSignedBits);
    for (const LookupCode& c : codes) {
        int values = std::popcount(static_cast<unsigned>(c.leaf));
        int length = static_cast<int>(c.bits.size()) + values;
        for (int signs = 0; signs < 1 << values; ++signs) {
            // The sign bits follow the code word in the order v, w, x, y of the values that are set.
            int signBits = 0, next = values;
            for (int k = 3; k >= 0; --k)
                if (c.leaf >> k & 1) signBits |= (signs >> --next & 1) << k;
            auto entry = static_cast<uint16_t>(length | c.leaf << kQuadrupleValueShift | signBits << kQuadrupleSignShift);
            size_t first = (bitsAt(c, 0, c.bits.size()) << values | signs) << (kQuadrupleSignedBits - length);
            std::fill_n(table.begin() + first, size_t{1} << (kQuadrupleSignedBits - length), entry);
        }
    }
    return table;
}
