#pragma once

#include <cstdint>
#include <utility>

#include "audio/generated/huffman_lookup.h"

// A code word looked up in a table as the generated header lays tables out, its bits at the top of
// `bits`: the value and the number of bits the table says it takes.
inline std::pair<int, int> lookUpWord(const uint16_t* entries, int rootBits, uint64_t bits)
{
    uint32_t entry = entries[rootBits ? bits >> (64 - rootBits) : 0];
    int used = rootBits;
    while (entry & kLookupLink) {
        int n = int((entry >> kLookupLinkBitsShift) & kLookupLinkBitsMask) + 1;
        entry = entries[(entry & kLookupOffsetMask) + ((bits << used) >> (64 - n))];
        used += n;
    }
    return {int(entry & kLookupValueMask), int((entry >> kLookupLengthShift) & kLookupLengthMask)};
}
