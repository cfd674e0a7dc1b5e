#include <gtest/gtest.h>

#include <random>

#include "audio/bit_reader.h"
#include "test_frames.h"

namespace {

// Fields of random widths written most significant bit first come back as written, whichever
// of the three readers takes them and wherever they fall against the byte boundaries.
TEST(BitReader, ReadsBackWhatWasWrittenAcrossByteBoundaries)
{
    std::mt19937 rng(7);
    BitWriter bits;
    std::vector<std::pair<uint32_t, int>> fields;
    for (int i = 0; i < 2000; ++i) {
        int n = static_cast<int>(rng() % 17);
        uint32_t v = n ? rng() & ((1u << n) - 1) : 0;
        bits.put(v, n);
        fields.push_back({v, n});
    }
    bits.bytes.resize(bits.bytes.size() + 2, 0xFF);  // what a read may look at behind the data
    BitReader r{bits.bytes.data(), 0};
    long expectedPos = 0;
    for (auto [v, n] : fields) {
        // Every width goes through readBits; those the others take alternate between them.
        bool other = (expectedPos / 3) % 2;
        uint32_t got = other && n == 1 ? readBit(r) : other && n <= 9 ? readBitsShort(r, n) : readBits(r, n);
        ASSERT_EQ(got, v) << "width " << n << " at bit " << expectedPos;
        expectedPos += n;
        ASSERT_EQ(bitsFrom(r, bits.bytes.data()), expectedPos);
    }
}

TEST(BitReader, ZeroWidthReadsNothing)
{
    uint8_t data[4] = {0xA5, 0xFF, 0xFF, 0xFF};
    BitReader r{data, 3};
    EXPECT_EQ(readBits(r, 0), 0u);
    EXPECT_EQ(readBitsShort(r, 0), 0u);
    EXPECT_EQ(r.bytePtr, data);
    EXPECT_EQ(r.bitIndex, 3);
    EXPECT_EQ(readBit(r), 0u);  // 1010 0101: the fourth bit
    EXPECT_EQ(readBits(r, 4), 0b0101u);
    EXPECT_EQ(r.bytePtr, data + 1);
    EXPECT_EQ(r.bitIndex, 0);
}

TEST(BitReader, SixteenBitsFromTheLastBitOfAByte)
{
    uint8_t data[4] = {0x01, 0x23, 0x45, 0x00};
    BitReader r{data, 7};
    EXPECT_EQ(readBits(r, 16), 0x91A2u);  // 1, 0010 0011, 0100 010
    EXPECT_EQ(r.bytePtr, data + 2);
    EXPECT_EQ(r.bitIndex, 7);
}

}  // namespace
