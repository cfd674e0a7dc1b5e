#include "writer/bit_writer.h"

void BitWriter::put(uint32_t value, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        if (bitCount % 8 == 0) bytes.push_back(0);
        if (value >> i & 1) bytes.back() |= static_cast<uint8_t>(0x80 >> (bitCount % 8));
        ++bitCount;
    }
}

void BitWriter::append(const BitWriter& other)
{
    for (int i = 0; i < other.bitCount; ++i) put(other.bytes[i / 8] >> (7 - i % 8) & 1, 1);
}

void BitWriter::padToByte()
{
    if (bitCount % 8) put(0, 8 - bitCount % 8);
}
