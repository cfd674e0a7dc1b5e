#pragma once

#include <cstdint>
#include <vector>

// Writes bits most significant first, as the MPEG audio bitstream orders them.
struct BitWriter {
    std::vector<uint8_t> bytes;
    int bitCount = 0;

    void put(uint32_t value, int bits);  // the low `bits` bits of value, 0 to 32
    void append(const BitWriter& other);
    void padToByte();                    // zero bits up to the next byte boundary
};
