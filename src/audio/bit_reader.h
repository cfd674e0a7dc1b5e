#pragma once

#include <cstdint>
#include <cstring>

// Reads frame data most significant bit first. The frame buffers leave room behind the data,
// so the bytes a read may look past its last bit (two, eight for a BitWindow) are inside them.
struct BitReader {
    const uint8_t* bytePtr;
    int bitIndex;  // bits of *bytePtr already consumed, 0..7
};

inline void skipBits(BitReader& r, int n)
{
    r.bitIndex += n;
    r.bytePtr += r.bitIndex >> 3;
    r.bitIndex &= 7;
}

// The next n bits, n from 0 to 16.
inline uint32_t readBits(BitReader& r, int n)
{
    if (n == 0) return 0;
    const uint8_t* p = r.bytePtr;
    uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    v = ((v << r.bitIndex) & 0xFFFFFF) >> (24 - n);
    skipBits(r, n);
    return v;
}

// The next n bits, n from 0 to 9.
inline uint32_t readBitsShort(BitReader& r, int n)
{
    const uint8_t* p = r.bytePtr;
    uint32_t v = (uint32_t{p[0]} << 8) | p[1];
    v = ((v << r.bitIndex) & 0xFFFF) >> (16 - n);
    skipBits(r, n);
    return v;
}

inline uint32_t readBit(BitReader& r)
{
    uint32_t v = ((uint32_t{*r.bytePtr} << r.bitIndex) & 0xFF) >> 7;
    skipBits(r, 1);
    return v;
}

// The next 57 bits or more of a reader in one register, for the Huffman loops: bits are taken
// from the top, and the reader is moved on by what was taken when the window is done.
struct BitWindow {
    uint64_t bits;
    int taken;
};

inline BitWindow windowAt(const BitReader& r)
{
    uint64_t v;
    std::memcpy(&v, r.bytePtr, sizeof v);
    return {__builtin_bswap64(v) << r.bitIndex, 0};
}

// n from 1 to 32.
inline uint32_t takeBits(BitWindow& w, int n)
{
    uint32_t v = static_cast<uint32_t>(w.bits >> (64 - n));
    w.bits <<= n;
    w.taken += n;
    return v;
}
